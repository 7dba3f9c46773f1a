#include "platform/wx/WxText.h"

#include "platform/Text.h"

namespace tc {

// Both ways through the core's own table: the bytes Windows-1252 leaves undefined travel as
// the control characters of the same number, and a character outside it becomes '?', so no
// conversion ever fails on a whole string.
wxString ToWx(const std::string& text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::string FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return Utf8ToCp1252(std::string_view(utf8.data(), utf8.length()));
}

wxString Utf8ToWx(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}

std::string Utf8FromWx(const wxString& text) {
    const wxScopedCharBuffer bytes = text.utf8_str();
    return std::string(bytes.data(), bytes.length());
}

} // namespace tc

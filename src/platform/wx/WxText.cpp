#include "platform/wx/WxText.h"

#include <wx/strconv.h>

namespace tc {

namespace {

const wxCSConv& Cp1252() {
    static const wxCSConv conv(wxFONTENCODING_CP1252);
    return conv;
}

} // namespace

wxString ToWx(const std::string& text) {
    return wxString(text.data(), Cp1252(), text.size());
}

std::string FromWx(const wxString& text) {
    const wxCharBuffer bytes = text.mb_str(Cp1252());
    return std::string(bytes.data(), bytes.length());
}

wxString PathToWx(const std::string& path) {
#ifdef _WIN32
    return ToWx(path);
#else
    return wxString::FromUTF8(path.data(), path.size());
#endif
}

std::string PathFromWx(const wxString& path) {
#ifdef _WIN32
    return FromWx(path);
#else
    const wxScopedCharBuffer bytes = path.utf8_str();
    return std::string(bytes.data(), bytes.length());
#endif
}

} // namespace tc

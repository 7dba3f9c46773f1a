// The one place where text crosses between the core's 8-bit strings and wxString.
#pragma once

#include <wx/string.h>

#include <string>

namespace tc {

// Book texts, names and messages: Windows-1252 bytes.
wxString ToWx(const std::string& text);
std::string FromWx(const wxString& text);

// Paths and translations: UTF-8, as the core takes paths on every system (on Windows it hands
// them to the system as UTF-16), so that any file name the user chose survives, and any script.
wxString Utf8ToWx(const std::string& text);
std::string Utf8FromWx(const wxString& text);

} // namespace tc

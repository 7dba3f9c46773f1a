// The one place where text crosses between the core's 8-bit strings and wxString.
#pragma once

#include <wx/string.h>

#include <string>

namespace tc {

// Book texts, names and messages: Windows-1252 bytes.
wxString ToWx(const std::string& text);
std::string FromWx(const wxString& text);

// Paths: the file system's own encoding (UTF-8 on Linux), so that the core opens the file the
// user chose.
wxString PathToWx(const std::string& path);
std::string PathFromWx(const wxString& path);

} // namespace tc

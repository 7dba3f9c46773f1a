// How the editor treats the paths a user types or chooses. On Windows paths are lower-cased and
// compared ignoring case, and folders end with a backslash. Where file names are case-sensitive
// the case the user typed is kept (lowering it would name another file), paths are compared
// exactly, and folders end with a slash.
#pragma once

#include <string>
#include <string_view>

namespace tc {

#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
inline constexpr bool kPathsIgnoreCase = true;
#else
inline constexpr char kFolderSeparator = '/';
inline constexpr bool kPathsIgnoreCase = false;
#endif

// A path as the editor keeps it: lower case where the file system ignores case.
std::string UserPath(std::string_view path);
bool SamePath(std::string_view a, std::string_view b);
// Appends the folder separator unless the path already ends with one.
std::string WithFolderSeparator(std::string path);
// The part after the last separator.
std::string_view FileNameOf(std::string_view path);
// Name tests such as "ends in lore.gas" ignore case on every platform.
bool EndsWithNoCase(std::string_view text, std::string_view tail);
// A file or a folder is there.
bool PathExists(const std::string& path);

} // namespace tc

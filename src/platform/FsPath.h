// Paths are UTF-8 in std::string throughout the editor. The system takes them as they are on
// Linux and as UTF-16 on Windows; std::filesystem must be told which they are, or on Windows it
// would read them in the ANSI code page and a folder such as C:\Users\Łukasz would be lost.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tc {

inline std::filesystem::path FsPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace tc

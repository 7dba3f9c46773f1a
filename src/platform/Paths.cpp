#include "platform/Paths.h"

#include "platform/FsPath.h"
#include "platform/Text.h"

#include <filesystem>

namespace tc {

namespace {

bool IsSeparator(char c) {
    return c == '/' || (kPathsIgnoreCase && c == '\\');
}

} // namespace

std::string UserPath(std::string_view path) {
    return kPathsIgnoreCase ? ToLowerUtf8(path) : std::string(path);
}

bool SamePath(std::string_view a, std::string_view b) {
    return kPathsIgnoreCase ? ToLowerUtf8(a) == ToLowerUtf8(b) : a == b;
}

std::string WithFolderSeparator(std::string path) {
    if (path.empty() || !IsSeparator(path.back())) {
        path += kFolderSeparator;
    }
    return path;
}

std::string_view FileNameOf(std::string_view path) {
    std::size_t start = path.size();
    while (start > 0 && !IsSeparator(path[start - 1])) {
        --start;
    }
    return path.substr(start);
}

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(FsPath(path), ec);
}

} // namespace tc

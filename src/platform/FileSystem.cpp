#include "platform/FileSystem.h"

#include "platform/FsPath.h"
#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tc {

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(FsPath(path), ec);
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(FsPath(path), ec);
}

bool SamePlace(const std::string& a, const std::string& b) {
    std::error_code ecA;
    std::error_code ecB;
    const fs::path whereA = fs::weakly_canonical(FsPath(a), ecA);
    const fs::path whereB = fs::weakly_canonical(FsPath(b), ecB);
    if (ecA || ecB) {
        return SamePath(a, b);
    }
    return SamePath(Utf8Path(whereA), Utf8Path(whereB));
}

bool OneFileTwoNames(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(FsPath(a), FsPath(b), ec) && !ec;
}

bool SameFile(const std::string& a, const std::string& b) {
    return a == b || OneFileTwoNames(a, b) || SamePlace(a, b);
}

} // namespace tc

#include "platform/FileSystem.h"

#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tc {

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) {
        return true; // also through hard links
    }
    // Files that do not exist yet: compare where the paths lead, links in folders followed.
    std::error_code ecA;
    std::error_code ecB;
    const fs::path whereA = fs::weakly_canonical(a, ecA);
    const fs::path whereB = fs::weakly_canonical(b, ecB);
    if (ecA || ecB) {
        return SamePath(a, b);
    }
    return SamePath(whereA.string(), whereB.string());
}

} // namespace tc

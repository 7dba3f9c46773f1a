#include "platform/FileSystem.h"

#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tc {

namespace {

FileCause CauseOf(const std::error_code& ec) {
    if (ec.category() == std::generic_category() || ec.category() == std::system_category()) {
        const FileCause cause = CauseFromErrno(ec.default_error_condition().value());
        return cause == FileCause::None ? FileCause::Generic : cause;
    }
    return FileCause::Generic;
}

} // namespace

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

bool RemoveFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

FileCause MoveFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(from, ec))) {
        return FileCause::FileNotFound;
    }
    fs::rename(from, to, ec);
    if (!ec) {
        return FileCause::None;
    }
    if (ec != std::errc::cross_device_link) {
        return CauseOf(ec);
    }
    // Another file system: the copy must be complete before the original goes.
    std::error_code copyError;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, copyError);
    if (copyError) {
        fs::remove(to, ec);
        return CauseOf(copyError);
    }
    fs::remove(from, ec);
    return FileCause::None;
}

} // namespace tc

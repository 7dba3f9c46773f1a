#include "platform/FileCause.h"

#include "platform/Text.h"

#include <array>
#include <cerrno>

namespace tc {

namespace {

constexpr std::array<std::string_view, 18> kCauseTexts = {
    "No error occurred.",
    "An unknown error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
    "%1 is not a regular file (it is a device, a pipe or a socket).  Tomecraft reads and saves "
    "only regular files.",
    "%1 is a folder, not a file.",
    "%1 is on a read-only file system.",
};

} // namespace

std::string CauseText(FileCause cause, std::string_view path, PathShown as) {
    auto index = static_cast<std::size_t>(cause);
    if (index >= kCauseTexts.size()) {
        index = static_cast<std::size_t>(FileCause::Generic);
    }
    const std::string name = path.empty()            ? std::string("an unnamed file")
                             : as == PathShown::Utf8 ? std::string(path)
                                                     : PathInText(path);
    std::string text(kCauseTexts[index]);
    if (const auto at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, name);
    }
    return text;
}

FileCause CauseFromErrno(int error) {
    switch (error) {
    case 0:
        return FileCause::None;
    case ENOENT:
        return FileCause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return FileCause::BadPath;
    case EMFILE:
    case ENFILE:
        return FileCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
        return FileCause::AccessDenied;
    case EISDIR:
        return FileCause::IsFolder;
    case EROFS:
        return FileCause::ReadOnlyFileSystem;
    case ENODEV:
    case ENXIO:
        return FileCause::NotRegularFile;
    case EBADF:
        return FileCause::InvalidFile;
    case EBUSY:
    case ETXTBSY:
        return FileCause::SharingViolation;
    case EIO:
        return FileCause::HardIO;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return FileCause::DiskFull;
    case ESPIPE:
        return FileCause::BadSeek;
    case ENOLCK:
        return FileCause::LockViolation;
    default:
        return FileCause::Generic;
    }
}

FileCause CauseOfError(int error) {
    const FileCause cause = CauseFromErrno(error);
    return cause == FileCause::None ? FileCause::Generic : cause;
}

FileError::FileError(FileCause cause, std::string path)
    : std::runtime_error(CauseText(cause, path, PathShown::Utf8)), m_cause(cause),
      m_path(std::move(path)) {}

} // namespace tc

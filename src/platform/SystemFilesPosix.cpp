#include "platform/SystemFiles.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tc::sys {

namespace {

int Result(int returned) {
    return returned < 0 ? (errno != 0 ? errno : EIO) : 0;
}

int Open(const std::string& path, int flags, int& fd) {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    return fd >= 0 ? 0 : errno;
}

FileStamp StampOf(const struct stat& st) {
    return {true,
            true,
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

} // namespace

int CreateNew(const std::string& path, int& fd) {
    return Open(path, O_WRONLY | O_CREAT | O_EXCL, fd);
}

int OpenToRewrite(const std::string& path, int& fd) {
    return Open(path, O_WRONLY | O_TRUNC, fd);
}

int OpenToRead(const std::string& path, int& fd) {
    return Open(path, O_RDONLY, fd);
}

int Write(int fd, const char* bytes, std::size_t size, std::size_t& written) {
    for (;;) {
        const ssize_t count = ::write(fd, bytes, size);
        if (count >= 0) {
            written = static_cast<std::size_t>(count);
            return 0;
        }
        if (errno != EINTR) {
            written = 0;
            return errno;
        }
    }
}

int Read(int fd, char* buffer, std::size_t size, std::size_t& count) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0) {
            count = static_cast<std::size_t>(got);
            return 0;
        }
        if (errno != EINTR) {
            count = 0;
            return errno;
        }
    }
}

int Sync(int fd) {
    return Result(::fsync(fd));
}

int Close(int fd) {
    return Result(::close(fd));
}

int TakeModeAndOwner(int fd, const FileInfo& previous) {
    // Owner first: changing it may clear the set-id bits that the mode then restores.
    if (::fchown(fd, previous.owner, previous.group) != 0 && errno != EPERM) {
        return errno;
    }
    return Result(::fchmod(fd, previous.mode));
}

int Rename(const std::string& from, const std::string& to) {
    return Result(::rename(from.c_str(), to.c_str()));
}

int Link(const std::string& from, const std::string& to) {
    return Result(::link(from.c_str(), to.c_str()));
}

int Remove(const std::string& path) {
    return Result(::unlink(path.c_str()));
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int Describe(const std::string& path, FileInfo& info) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return errno;
    }
    if (S_ISDIR(st.st_mode)) {
        return EISDIR;
    }
    info.stamp = StampOf(st);
    info.mode = st.st_mode & 07777;
    info.owner = st.st_uid;
    info.group = st.st_gid;
    info.links = st.st_nlink;
    // A file nobody may write is kept as it is, even where the superuser could replace it.
    info.writable = (info.mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
    return 0;
}

FileStamp StampOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? StampOf(st) : FileStamp{};
}

long ProcessId() {
    return static_cast<long>(::getpid());
}

std::string HostName() {
    char host[256] = "this computer";
    ::gethostname(host, sizeof host - 1);
    return host;
}

int OpenLockFile(const std::string& path, int& fd) {
    return Open(path, O_RDWR | O_CREAT, fd);
}

int TryLock(int fd) {
    return Result(::flock(fd, LOCK_EX | LOCK_NB));
}

std::string ReadLockText(int fd, std::size_t most) {
    std::string text(most, '\0');
    const ssize_t got = ::pread(fd, text.data(), text.size(), 0);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

void WriteLockText(int fd, const std::string& text) {
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, text.data(), text.size(), 0);
    }
}

} // namespace tc::sys

#include "platform/SystemFiles.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// What is not a regular file is refused: a folder, or a device, FIFO or socket, which could
// block a read, never end, or be replaced by a regular file.
int KindError(mode_t mode) {
    return S_ISREG(mode) ? 0 : S_ISDIR(mode) ? EISDIR : ENODEV;
}

// Opens without blocking (a FIFO with no writer would wait forever) and keeps only regular files.
int OpenRegular(const std::string& path, int flags, int& fd) {
    if (const int error = Open(path, flags | O_NONBLOCK, fd)) {
        return error;
    }
    struct stat st {};
    int error = ::fstat(fd, &st) == 0 ? KindError(st.st_mode) : errno;
    if (error == 0 && ::fcntl(fd, F_SETFL, flags & O_ACCMODE) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::close(fd);
        fd = -1;
    }
    return error;
}

FileStamp StampOf(const struct stat& st) {
    return {true,
            true,
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// A read or a write, run again while a signal interrupts it; `done` is what it moved.
template <class Call> int Transfer(Call call, std::size_t& done) {
    for (;;) {
        const ssize_t count = call();
        if (count >= 0) {
            done = static_cast<std::size_t>(count);
            return 0;
        }
        if (errno != EINTR) {
            done = 0;
            return errno;
        }
    }
}

} // namespace

int CreateNew(const std::string& path, int& fd) {
    return Open(path, O_WRONLY | O_CREAT | O_EXCL, fd);
}

int OpenToOverwrite(const std::string& path, int& fd) {
    return OpenRegular(path, O_WRONLY, fd);
}

int OpenToRead(const std::string& path, int& fd) {
    return OpenRegular(path, O_RDONLY, fd);
}

int Truncate(int fd, std::uint64_t size) {
    return Result(::ftruncate(fd, static_cast<off_t>(size)));
}

int Write(int fd, const char* bytes, std::size_t size, std::size_t& written) {
    return Transfer([&] { return ::write(fd, bytes, size); }, written);
}

int Read(int fd, char* buffer, std::size_t size, std::size_t& count) {
    return Transfer([&] { return ::read(fd, buffer, size); }, count);
}

int ReadAt(int fd, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& count) {
    return Transfer([&] { return ::pread(fd, buffer, size, static_cast<off_t>(offset)); }, count);
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

int CopyAttributes(int from, int to) {
    struct stat st {};
    if (::fstat(from, &st) != 0) {
        return errno;
    }
    // Extended attributes (labels, ACLs) where the file system keeps them; a copy without them
    // is still a whole copy, so their failure is not an error.
    std::vector<char> names(4096);
    const ssize_t size = ::flistxattr(from, names.data(), names.size());
    std::vector<char> value(65536);
    for (ssize_t at = 0; at < size;
         at += static_cast<ssize_t>(std::strlen(names.data() + at)) + 1) {
        const char* name = names.data() + at;
        const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
        if (got >= 0) {
            ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0);
        }
    }
    FileInfo previous;
    previous.owner = st.st_uid;
    previous.group = st.st_gid;
    previous.mode = st.st_mode & 07777;
    return TakeModeAndOwner(to, previous);
}

int Rename(const std::string& from, const std::string& to) {
    return Result(::rename(from.c_str(), to.c_str()));
}

bool ReplacesOpenFiles() {
    return true;
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

void ForEachName(const std::string& folder, const std::function<void(const std::string&)>& take) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        return;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        take(entry->d_name);
    }
}

int Describe(const std::string& path, FileInfo& info) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return errno;
    }
    if (const int error = KindError(st.st_mode)) {
        return error;
    }
    info.stamp = StampOf(st);
    info.mode = st.st_mode & 07777;
    info.owner = st.st_uid;
    info.group = st.st_gid;
    info.links = st.st_nlink;
    // A file nobody may write is kept as it is, even where the superuser could replace it.
    info.writable = (info.mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
    info.writeError = info.writable ? 0 : (info.mode & 0222) == 0 ? EACCES : errno;
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
    // Never through a link, and only a regular file of the user's own: a lock file that someone
    // else controls could be turned against the user (its text written over another file, or
    // its lock never meaning anything).
    if (const int error = Open(path, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK, fd)) {
        struct stat st {};
        // Nothing there and no right to make it: a folder where nothing can be saved anyway.
        const bool none = ::lstat(path.c_str(), &st) != 0 && errno == ENOENT;
        return none && (error == EACCES || error == EROFS) ? ENOENT : error;
    }
    struct stat st {};
    int error = ::fstat(fd, &st) != 0 ? errno : KindError(st.st_mode);
    if (error == 0 && st.st_uid != ::geteuid()) {
        error = EPERM;
    }
    if (error != 0) {
        ::close(fd);
        fd = -1;
    }
    return error;
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

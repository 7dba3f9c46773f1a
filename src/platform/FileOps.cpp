#include "platform/FileOps.h"

#include <cerrno>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tc {

namespace {

FaultInjector* g_injector = nullptr;

int Injected(FileStep step, const std::string& path) {
    return g_injector != nullptr ? g_injector->Before(step, path) : 0;
}

// The result of a system call: 0, or the errno it left.
int Result(int returned) {
    return returned < 0 ? (errno != 0 ? errno : EIO) : 0;
}

constexpr const char* kTempSuffix = ".tomecraft-tmp";
constexpr int kMaxLinkHops = 40;

} // namespace

void SetFaultInjector(FaultInjector* injector) {
    g_injector = injector;
}

FileStamp StampOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return {};
    }
    return {true,
            true,
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

int InspectFile(const std::string& path, FileInfo& info) {
    info = FileInfo{};
    fs::path real = path;
    for (int hop = 0;; ++hop) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(real, ec);
        if (!fs::is_symlink(status)) {
            break;
        }
        if (hop == kMaxLinkHops) {
            return ELOOP;
        }
        const fs::path target = fs::read_symlink(real, ec);
        if (ec) {
            return ec.value();
        }
        real = target.is_absolute() ? target : real.parent_path() / target;
    }
    info.realPath = real.string();
    struct stat st {};
    if (::stat(info.realPath.c_str(), &st) != 0) {
        info.stamp = kMissingFile;
        return errno == ENOENT ? 0 : errno;
    }
    if (S_ISDIR(st.st_mode)) {
        return EISDIR;
    }
    info.stamp = {true,
                  true,
                  static_cast<std::uint64_t>(st.st_dev),
                  static_cast<std::uint64_t>(st.st_ino),
                  static_cast<std::uint64_t>(st.st_size),
                  static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    info.mode = st.st_mode & 07777;
    info.owner = st.st_uid;
    info.group = st.st_gid;
    info.links = st.st_nlink;
    // A file nobody may write is kept as it is, even where the superuser could replace it.
    info.writable = (info.mode & 0222) != 0 && ::access(info.realPath.c_str(), W_OK) == 0;
    return 0;
}

UniqueFd::~UniqueFd() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = other.Release();
    }
    return *this;
}

int UniqueFd::Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

int CreateNewFile(const std::string& path, UniqueFd& fd) {
    if (const int error = Injected(FileStep::Create, path)) {
        return error;
    }
    fd = UniqueFd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    return fd ? 0 : errno;
}

int OpenToRewrite(const std::string& path, UniqueFd& fd) {
    if (const int error = Injected(FileStep::Open, path)) {
        return error;
    }
    fd = UniqueFd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    return fd ? 0 : errno;
}

int OpenToRead(const std::string& path, UniqueFd& fd) {
    if (const int error = Injected(FileStep::Open, path)) {
        return error;
    }
    fd = UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return fd ? 0 : errno;
}

int WriteAll(int fd, std::string_view bytes, const std::string& path) {
    if (const int error = Injected(FileStep::Write, path)) {
        return error;
    }
    const std::size_t allowed =
        g_injector != nullptr ? g_injector->Allow(bytes.size()) : bytes.size();
    std::string_view left = bytes.substr(0, allowed);
    while (!left.empty()) {
        const ssize_t written = ::write(fd, left.data(), left.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        left.remove_prefix(static_cast<std::size_t>(written));
    }
    return allowed < bytes.size() ? ENOSPC : 0;
}

int ReadSome(int fd, char* buffer, std::size_t size, std::size_t& count) {
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

int SyncFile(int fd, const std::string& path) {
    if (const int error = Injected(FileStep::Sync, path)) {
        return error;
    }
    return Result(::fsync(fd));
}

int CloseFile(UniqueFd& fd, const std::string& path) {
    if (const int error = Injected(FileStep::Close, path)) {
        return error;
    }
    return Result(::close(fd.Release()));
}

int TakeModeAndOwner(int fd, const FileInfo& previous, const std::string& path) {
    if (const int error = Injected(FileStep::SetMode, path)) {
        return error;
    }
    // Owner first: changing it may clear the set-id bits that the mode then restores.
    if (::fchown(fd, previous.owner, previous.group) != 0 && errno != EPERM) {
        return errno;
    }
    return Result(::fchmod(fd, previous.mode));
}

int RenameFile(const std::string& from, const std::string& to) {
    if (const int error = Injected(FileStep::Rename, from)) {
        return error;
    }
    return Result(::rename(from.c_str(), to.c_str()));
}

int LinkFile(const std::string& from, const std::string& to) {
    if (const int error = Injected(FileStep::Link, from)) {
        return error;
    }
    return Result(::link(from.c_str(), to.c_str()));
}

void Discard(const std::string& path) {
    ::unlink(path.c_str());
}

namespace {

// Copies everything `from` holds into `to`, then syncs and closes `to`.
int CopyContent(const std::string& from, UniqueFd& to, const std::string& toPath) {
    UniqueFd source;
    if (const int error = OpenToRead(from, source)) {
        return error;
    }
    std::string buffer(1 << 20, '\0');
    for (;;) {
        std::size_t count = 0;
        if (const int error = ReadSome(source.Get(), buffer.data(), buffer.size(), count)) {
            return error;
        }
        if (count == 0) {
            break;
        }
        if (const int error = WriteAll(to.Get(), std::string_view(buffer.data(), count), toPath)) {
            return error;
        }
    }
    if (const int error = SyncFile(to.Get(), toPath)) {
        return error;
    }
    return CloseFile(to, toPath);
}

} // namespace

int CopyToNewFile(const std::string& from, const std::string& to) {
    UniqueFd target;
    if (const int error = CreateNewFile(to, target)) {
        return error;
    }
    TempFile copy(to);
    const int error = CopyContent(from, target, to);
    if (error == 0) {
        copy.Keep();
    }
    return error;
}

int CopyInPlace(const std::string& from, const std::string& to) {
    UniqueFd target;
    if (const int error = OpenToRewrite(to, target)) {
        return error;
    }
    return CopyContent(from, target, to);
}

void SyncFolder(const std::string& folder) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) {
        ::fsync(fd.Get());
    }
}

std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string TempNameBeside(const std::string& path) {
    // Seeded per process: a forked copy must not repeat its parent's names.
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(getpid())};
    static pid_t seededFor = getpid();
    if (seededFor != getpid()) {
        seededFor = getpid();
        random.seed(std::random_device{}() ^ static_cast<std::uint64_t>(seededFor));
    }
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string tag(8, '0');
    for (char& c : tag) {
        c = kDigits[random() % 36];
    }
    const fs::path p(path);
    return (p.parent_path() / ("." + p.filename().string() + "." + tag + kTempSuffix)).string();
}

int MakeTempBeside(const std::string& path, const std::function<int(const std::string&)>& make,
                   std::string& name) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        name = TempNameBeside(path);
        error = make(name);
    }
    return error;
}

void RemoveLeftoverTemps(const std::string& path) {
    const fs::path p(path);
    const std::string prefix = "." + p.filename().string() + ".";
    std::error_code ec;
    fs::directory_iterator it(FolderOf(path), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 8 + std::char_traits<char>::length(kTempSuffix) &&
            name.starts_with(prefix) && name.ends_with(kTempSuffix)) {
            Discard(it->path().string());
        }
    }
}

} // namespace tc

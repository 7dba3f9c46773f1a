#include "platform/FileOps.h"

#include "platform/FsPath.h"
#include "platform/SystemFiles.h"

#include <cerrno>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace tc {

namespace {

FaultInjector* g_injector = nullptr;

int Injected(FileStep step, const std::string& path) {
    return g_injector != nullptr ? g_injector->Before(step, path) : 0;
}

constexpr const char* kTempSuffix = ".tomecraft-tmp";
constexpr int kMaxLinkHops = 40;

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

void SetFaultInjector(FaultInjector* injector) {
    g_injector = injector;
}

FileStamp StampOf(int fd) {
    return sys::StampOf(fd);
}

int InspectFile(const std::string& path, FileInfo& info) {
    info = FileInfo{};
    fs::path real = FsPath(path);
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
    info.realPath = Utf8Path(real);
    const int error = sys::Describe(info.realPath, info);
    if (error == ENOENT) {
        info.stamp = kMissingFile;
        return 0;
    }
    return error;
}

UniqueFd::~UniqueFd() {
    if (m_fd >= 0) {
        sys::Close(m_fd);
    }
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            sys::Close(m_fd);
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

namespace {

int OpenWith(int (*open)(const std::string&, int&), FileStep step, const std::string& path,
             UniqueFd& fd) {
    if (const int error = Injected(step, path)) {
        return error;
    }
    int handle = -1;
    const int error = open(path, handle);
    fd = UniqueFd(handle);
    return error;
}

} // namespace

int CreateNewFile(const std::string& path, UniqueFd& fd) {
    return OpenWith(sys::CreateNew, FileStep::Create, path, fd);
}

int OpenToRewrite(const std::string& path, UniqueFd& fd) {
    return OpenWith(sys::OpenToRewrite, FileStep::Open, path, fd);
}

int OpenToRead(const std::string& path, UniqueFd& fd) {
    return OpenWith(sys::OpenToRead, FileStep::Open, path, fd);
}

int WriteAll(int fd, std::string_view bytes, const std::string& path) {
    if (const int error = Injected(FileStep::Write, path)) {
        return error;
    }
    const std::size_t allowed =
        g_injector != nullptr ? g_injector->Allow(bytes.size()) : bytes.size();
    std::string_view left = bytes.substr(0, allowed);
    while (!left.empty()) {
        std::size_t written = 0;
        if (const int error = sys::Write(fd, left.data(), left.size(), written)) {
            return error;
        }
        left.remove_prefix(written);
    }
    return allowed < bytes.size() ? ENOSPC : 0;
}

int ReadSome(int fd, char* buffer, std::size_t size, std::size_t& count) {
    return sys::Read(fd, buffer, size, count);
}

int SyncFile(int fd, const std::string& path) {
    if (const int error = Injected(FileStep::Sync, path)) {
        return error;
    }
    return sys::Sync(fd);
}

int CloseFile(UniqueFd& fd, const std::string& path) {
    if (const int error = Injected(FileStep::Close, path)) {
        return error;
    }
    return sys::Close(fd.Release());
}

int TakeModeAndOwner(int fd, const FileInfo& previous, const std::string& path) {
    if (const int error = Injected(FileStep::SetMode, path)) {
        return error;
    }
    return sys::TakeModeAndOwner(fd, previous);
}

int RenameFile(const std::string& from, const std::string& to) {
    if (const int error = Injected(FileStep::Rename, from)) {
        return error;
    }
    return sys::Rename(from, to);
}

int LinkFile(const std::string& from, const std::string& to) {
    if (const int error = Injected(FileStep::Link, from)) {
        return error;
    }
    return sys::Link(from, to);
}

void Discard(const std::string& path) {
    sys::Remove(path);
}

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
    sys::SyncFolder(folder);
}

std::string FolderOf(const std::string& path) {
    const fs::path parent = FsPath(path).parent_path();
    return parent.empty() ? std::string(".") : Utf8Path(parent);
}

std::string TempNameBeside(const std::string& path) {
    // Seeded anew in each process: a forked copy must not repeat its parent's names.
    static std::mt19937_64 random;
    static long seededFor = -1;
    if (seededFor != sys::ProcessId()) {
        seededFor = sys::ProcessId();
        random.seed(std::random_device{}() ^ static_cast<std::uint64_t>(seededFor));
    }
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string tag(8, '0');
    for (char& c : tag) {
        c = kDigits[random() % 36];
    }
    const fs::path p = FsPath(path);
    return Utf8Path(p.parent_path() /
                    FsPath("." + Utf8Path(p.filename()) + "." + tag + kTempSuffix));
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
    const std::string prefix = "." + Utf8Path(FsPath(path).filename()) + ".";
    std::error_code ec;
    fs::directory_iterator it(FsPath(FolderOf(path)), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = Utf8Path(it->path().filename());
        if (name.size() == prefix.size() + 8 + std::char_traits<char>::length(kTempSuffix) &&
            name.starts_with(prefix) && name.ends_with(kTempSuffix)) {
            Discard(Utf8Path(it->path()));
        }
    }
}

} // namespace tc

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

// Copies everything the open file `from` holds, from its start, into `to` and syncs `to`; the
// number of bytes copied in `size`.
int CopyContent(int from, int to, const std::string& toPath, std::uint64_t& size) {
    std::string buffer(1 << 20, '\0');
    size = 0;
    for (;;) {
        std::size_t count = 0;
        if (const int error = sys::ReadAt(from, buffer.data(), buffer.size(), size, count)) {
            return error;
        }
        if (count == 0) {
            break;
        }
        if (const int error = WriteAll(to, std::string_view(buffer.data(), count), toPath)) {
            return error;
        }
        size += count;
    }
    return SyncFile(to, toPath);
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

int OpenToOverwrite(const std::string& path, UniqueFd& fd) {
    return OpenWith(sys::OpenToOverwrite, FileStep::Open, path, fd);
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

int ReadSomeAt(int fd, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& count) {
    return sys::ReadAt(fd, buffer, size, offset, count);
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

bool ReplacesOpenFiles() {
    return sys::ReplacesOpenFiles();
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

int CopyToNewFile(int from, const std::string& to) {
    std::string name = to;
    UniqueFd target;
    if (const int error = CreateNewFile(to, target)) {
        return error;
    }
    TempFile copy(std::move(name));
    std::uint64_t size = 0;
    int error = CopyContent(from, target.Get(), to, size);
    if (error == 0) {
        error = Injected(FileStep::SetMode, to);
    }
    if (error == 0) {
        error = sys::CopyAttributes(from, target.Get());
    }
    if (error == 0) {
        error = CloseFile(target, to);
    }
    if (error == 0) {
        copy.Keep();
    }
    return error;
}

int CopyInPlace(const std::string& from, const std::string& to) {
    UniqueFd source;
    if (const int error = OpenToRead(from, source)) {
        return error;
    }
    UniqueFd target;
    if (const int error = OpenToOverwrite(to, target)) {
        return error;
    }
    std::uint64_t size = 0;
    if (const int error = CopyContent(source.Get(), target.Get(), to, size)) {
        return error;
    }
    if (const int error = Injected(FileStep::Truncate, to)) {
        return error;
    }
    if (const int error = sys::Truncate(target.Get(), size)) {
        return error;
    }
    if (const int error = SyncFile(target.Get(), to)) {
        return error;
    }
    return CloseFile(target, to);
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

void RemoveLeftoverTemps(const std::string& path) noexcept try {
    const std::string prefix = "." + Utf8Path(FsPath(path).filename()) + ".";
    // Not std::filesystem::directory_iterator: it allocates inside noexcept functions, so
    // running out of memory there ends the program.
    const fs::path folder = FsPath(FolderOf(path));
    sys::ForEachName(Utf8Path(folder), [&](const std::string& name) {
        if (name.size() == prefix.size() + 8 + std::char_traits<char>::length(kTempSuffix) &&
            name.starts_with(prefix) && name.ends_with(kTempSuffix)) {
            Discard(Utf8Path(folder / FsPath(name)));
        }
    });
} catch (const std::exception&) {
    // Out of memory, or an unreadable folder: what is left stays for the next save to clear.
}

} // namespace tc

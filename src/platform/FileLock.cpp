#include "platform/FileLock.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tc {

namespace {

std::string Describe(const std::string& holder) {
    char host[256] = "this computer";
    gethostname(host, sizeof host - 1);
    const std::time_t now = std::time(nullptr);
    char when[64] = "";
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::localtime(&now));
    return holder + " (process " + std::to_string(getpid()) + " on " + host + ", since " + when +
           ")";
}

std::string HolderIn(int fd) {
    std::string text(512, '\0');
    const ssize_t got = pread(fd, text.data(), text.size(), 0);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text.empty() ? std::string("another program") : text;
}

// The lock file is still the one at its name (not one a releasing holder has just removed).
bool StillNamed(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return fstat(fd, &open) == 0 && stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

FileLock::~FileLock() {
    Release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_fd(std::move(other.m_fd)), m_lockPath(std::move(other.m_lockPath)) {
    other.m_lockPath.clear();
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = std::move(other.m_fd);
        m_lockPath = std::move(other.m_lockPath);
        other.m_lockPath.clear();
    }
    return *this;
}

std::string FileLock::LockPathOf(const std::string& path) {
    FileInfo info;
    InspectFile(path, info);
    const std::filesystem::path real = info.realPath.empty() ? path : info.realPath;
    return (real.parent_path() / ("." + real.filename().string() + ".tomecraft-lock")).string();
}

std::string FileLock::Take(const std::string& path, const std::string& holder) {
    Release();
    const std::string lockPath = LockPathOf(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
        if (!fd) {
            return {}; // nowhere to keep a lock: nothing can be saved there either
        }
        if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
            return errno == EWOULDBLOCK ? HolderIn(fd.Get()) : std::string();
        }
        if (!StillNamed(fd.Get(), lockPath)) {
            continue;
        }
        const std::string text = Describe(holder);
        if (ftruncate(fd.Get(), 0) == 0) {
            [[maybe_unused]] const ssize_t written = pwrite(fd.Get(), text.data(), text.size(), 0);
        }
        m_fd = std::move(fd);
        m_lockPath = lockPath;
        return {};
    }
    return {};
}

void FileLock::Release() {
    if (m_fd) {
        // Removed while still locked, so that nobody locks the name in between; whoever opened
        // it meanwhile sees that it is no longer named and tries again.
        ::unlink(m_lockPath.c_str());
        m_fd = UniqueFd();
    }
    m_lockPath.clear();
}

std::string PairLock::Take(const std::string& lorePath, const std::string& templatePath,
                           const std::string& holder) {
    // A file this pair already holds keeps its lock: locking it again would meet our own lock.
    struct Wanted {
        FileLock fresh;
        FileLock* held = nullptr;
    };
    const auto want = [&](const std::string& path, Wanted& wanted) {
        const std::string lockPath = FileLock::LockPathOf(path);
        for (FileLock* held : {&m_lore, &m_templates}) {
            if (!held->LockPath().empty() && held->LockPath() == lockPath) {
                wanted.held = held;
                return std::string();
            }
        }
        const std::string holderText = wanted.fresh.Take(path, holder);
        return holderText.empty() ? std::string()
                                  : path + "\n\nis open in " + holderText +
                                        ".\n\nClose it there first, then try again.";
    };
    Wanted lore;
    Wanted templates;
    std::string problem = want(lorePath, lore);
    if (problem.empty()) {
        problem = want(templatePath, templates);
    }
    if (!problem.empty()) {
        return problem; // the fresh locks go; those held before stay
    }
    FileLock newLore = lore.held != nullptr ? std::move(*lore.held) : std::move(lore.fresh);
    FileLock newTemplates =
        templates.held != nullptr ? std::move(*templates.held) : std::move(templates.fresh);
    m_lore = std::move(newLore);
    m_templates = std::move(newTemplates);
    return {};
}

void PairLock::Release() {
    m_lore.Release();
    m_templates.Release();
}

} // namespace tc

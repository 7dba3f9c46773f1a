#include "platform/FileLock.h"

#include "platform/FileCause.h"
#include "platform/FsPath.h"
#include "platform/SystemFiles.h"
#include "platform/Text.h"

#include <cerrno>
#include <ctime>
#include <filesystem>

namespace tc {

namespace {

std::string Describe(const std::string& holder) {
    const std::time_t now = std::time(nullptr);
    char when[64] = "";
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::localtime(&now));
    return holder + " (process " + std::to_string(sys::ProcessId()) + " on " + sys::HostName() +
           ", since " + when + ")";
}

std::string HolderIn(int fd) {
    const std::string text = sys::ReadLockText(fd, 512);
    return text.empty() ? std::string("another program") : text;
}

// The lock file is still the one at its name (not one a releasing holder has just removed).
bool StillNamed(int fd, const std::string& path) {
    FileInfo named;
    const FileStamp open = sys::StampOf(fd);
    return sys::Describe(path, named) == 0 && open.exists && named.stamp.device == open.device &&
           named.stamp.inode == open.inode;
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
    const std::filesystem::path real = FsPath(info.realPath.empty() ? path : info.realPath);
    return Utf8Path(real.parent_path() /
                    FsPath("." + Utf8Path(real.filename()) + ".tomecraft-lock"));
}

std::string FileLock::Take(const std::string& path, const std::string& holder) {
    Release();
    // Everything that allocates comes first: once the lock file is made, nothing may stop
    // this before the lock is kept, or the file would stay behind.
    std::string lockPath = LockPathOf(path);
    std::string text = Describe(holder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        int handle = -1;
        if (const int error = sys::OpenLockFile(lockPath, handle)) {
            if (error == ENOENT) {
                return {}; // nowhere to keep a lock: nothing can be saved there either
            }
            const char* why = error == ELOOP    ? " is a symbolic link"
                              : error == EISDIR ? " is a folder"
                              : error == ENODEV ? " is not a regular file"
                              : error == EPERM  ? " belongs to another user"
                                                : nullptr;
            if (why == nullptr) {
                return PathInText(path) +
                       "\n\ncannot be locked: " + CauseText(CauseOfError(error), lockPath);
            }
            return PathInText(path) + "\n\ncannot be locked safely: its lock file " +
                   PathInText(lockPath) + why + ".  Remove it, then try again.";
        }
        UniqueFd fd(handle);
        if (const int error = sys::TryLock(fd.Get())) {
            if (error == EWOULDBLOCK) {
                return PathInText(path) + "\n\nis open in " + HolderIn(fd.Get()) +
                       ".\n\nClose it there first, then try again.";
            }
            return PathInText(path) +
                   "\n\ncannot be locked: " + CauseText(CauseOfError(error), lockPath);
        }
        if (!StillNamed(fd.Get(), lockPath)) {
            continue;
        }
        sys::WriteLockText(fd.Get(), text);
        m_fd = std::move(fd);
        m_lockPath = std::move(lockPath);
        return {};
    }
    return PathInText(path) + "\n\ncannot be locked: its lock file " + PathInText(lockPath) +
           " keeps changing.";
}

void FileLock::Release() {
    if (m_fd) {
        // Removed while still locked, so that nobody locks the name in between; whoever opened
        // it meanwhile sees that it is no longer named and tries again.
        sys::Remove(m_lockPath);
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
        return wanted.fresh.Take(path, holder);
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

// An advisory lock that marks a game file as being worked on, so that a second editor or a
// command-line run does not save over it. It lives in a hidden file beside the file, which names
// its holder, and is removed when released.
#pragma once

#include "platform/FileOps.h"

#include <string>

namespace tc {

class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locks `path` for `holder` (for example "Tomecraft"). Empty on success, or when no lock can
    // be kept there at all (a folder nobody may write to, where nothing can be saved either);
    // otherwise the message to show: who holds it, or why the lock file cannot be trusted (a
    // link, a folder, another user's file).
    std::string Take(const std::string& path, const std::string& holder);
    // Where the lock of `path` lives.
    static std::string LockPathOf(const std::string& path);
    const std::string& LockPath() const { return m_lockPath; }
    void Release();

private:
    UniqueFd m_fd;
    std::string m_lockPath;
};

// The locks of both files of a pair, taken together: either both change hands or neither does.
class PairLock {
public:
    // Empty on success; otherwise the message to show, and the locks held before stay held.
    std::string Take(const std::string& lorePath, const std::string& templatePath,
                     const std::string& holder);
    void Release();

private:
    FileLock m_lore;
    FileLock m_templates;
};

} // namespace tc

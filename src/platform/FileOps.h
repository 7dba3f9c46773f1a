// The system calls a save is made of. Each returns 0 or the errno of its failure, and each first
// asks the fault injector, when a test has set one, so that any step of a save can be made to
// fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tc {

enum class FileStep { Create, Open, Write, Sync, Close, SetMode, Rename, Link, Truncate };

class FaultInjector {
public:
    virtual ~FaultInjector() = default;
    // 0 lets the step run; an errno value makes it fail. May throw std::bad_alloc.
    virtual int Before(FileStep step, const std::string& path) = 0;
    // How many of `wanted` bytes a write may put on disk before it fails as a full disk.
    virtual std::size_t Allow(std::size_t wanted) { return wanted; }
};

// The injector every file step consults; null (the default) for none.
void SetFaultInjector(FaultInjector* injector);

// What identifies one version of a file: a save checks that the file it replaces is still the
// one that was read.
struct FileStamp {
    bool known = false; // false: no version was seen, so there is nothing to compare with
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

struct FileInfo {
    std::string realPath; // the path with every symbolic link of the file itself followed
    FileStamp stamp;
    unsigned mode = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint64_t links = 0;
    bool writable = true;
    int writeError = 0; // why it is not writable
};

// Follows the links of `path` itself (a dangling link names the file to create). 0 also when
// the file does not exist (stamp.exists is then false).
int InspectFile(const std::string& path, FileInfo& info);
FileStamp StampOf(int fd);
// The stamp of a file that was looked for and not found.
inline constexpr FileStamp kMissingFile{true, false};

// An open file descriptor, closed when it goes out of scope.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    int Release();
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Creates a file that must not exist yet, for writing.
int CreateNewFile(const std::string& path, UniqueFd& fd);
// Opens an existing regular file for writing over what it holds (its identity stays).
int OpenToOverwrite(const std::string& path, UniqueFd& fd);
// Opens a regular file; a device, FIFO, socket or folder is refused without waiting on it.
int OpenToRead(const std::string& path, UniqueFd& fd);
int WriteAll(int fd, std::string_view bytes, const std::string& path);
// Reads up to `size` bytes; `count` is 0 at the end.
int ReadSome(int fd, char* buffer, std::size_t size, std::size_t& count);
// Reads up to `size` bytes at `offset`, leaving the file position as it is.
int ReadSomeAt(int fd, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& count);
int SyncFile(int fd, const std::string& path);
int CloseFile(UniqueFd& fd, const std::string& path);
// Gives the new file the previous one's mode and, where permitted, its owner and group.
int TakeModeAndOwner(int fd, const FileInfo& previous, const std::string& path);
// Replaces `to` in one step.
int RenameFile(const std::string& from, const std::string& to);
// Whether RenameFile may replace a file that is still open (not on Windows).
bool ReplacesOpenFiles();
// A second name for the file; fails across file systems.
int LinkFile(const std::string& from, const std::string& to);
// Creates `to` (which must not exist) as a durable copy of the open file `from`, with its mode,
// owner (where permitted) and extended attributes; on failure nothing is left at `to`.
int CopyToNewFile(int from, const std::string& to);
// Replaces the content of `to` in place, keeping its identity, by that of `from`, durably: it is
// written over and then cut to length, so that it never holds nothing.
int CopyInPlace(const std::string& from, const std::string& to);
// Removes a file of our own that is no longer wanted; failing to is not an error.
void Discard(const std::string& path);
// Makes the renames in a folder durable. Folders that cannot be synced are not an error.
void SyncFolder(const std::string& folder);

// A file of our own that is removed when it goes out of scope, unless it was kept: whatever
// ends a save early (an error, an exception), no temporary file stays behind.
class TempFile {
public:
    // Takes over `path` without allocating: a failure after the file was made cannot leave it.
    explicit TempFile(std::string&& path) noexcept : m_path(std::move(path)) {}
    ~TempFile() {
        if (!m_kept) {
            Discard(m_path);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }
    void Keep() { m_kept = true; }

private:
    std::string m_path;
    bool m_kept = false;
};

// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string& path);
// A name in `path`'s folder, hidden, unique and recognisable as ours.
std::string TempNameBeside(const std::string& path);
// Calls `make` (which creates a file at the name it is given) with fresh temporary names
// beside `path` until a name was free; its result, and in `name` the name it used.
int MakeTempBeside(const std::string& path, const std::function<int(const std::string&)>& make,
                   std::string& name);
// Removes temporary files that an interrupted save of `path` left in its folder; as many as it
// can (running out of memory ends the sweep, which the next save takes up).
void RemoveLeftoverTemps(const std::string& path) noexcept;

} // namespace tc

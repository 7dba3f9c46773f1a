// The operating system's side of the file layer: one implementation for POSIX, one for Windows.
// Every call returns 0 or an errno value (Windows errors are mapped to the nearest one, a sharing
// violation to EBUSY and a lock violation to ENOLCK), so that the rest of the layer is shared.
#pragma once

#include "platform/FileOps.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tc::sys {

int CreateNew(const std::string& path, int& fd);
// Both refuse what is not a regular file (EISDIR, or ENODEV for a device, FIFO or socket)
// without waiting on it.
int OpenToOverwrite(const std::string& path, int& fd);
int OpenToRead(const std::string& path, int& fd);
int Truncate(int fd, std::uint64_t size);
// Gives `to` the mode, owner and group (where permitted) and extended attributes of `from`.
int CopyAttributes(int from, int to);
int Write(int fd, const char* bytes, std::size_t size, std::size_t& written);
int Read(int fd, char* buffer, std::size_t size, std::size_t& count);
// Reads at `offset` without moving the file position.
int ReadAt(int fd, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& count);
int Sync(int fd);
int Close(int fd);
int TakeModeAndOwner(int fd, const FileInfo& previous);
int Rename(const std::string& from, const std::string& to);
// Whether a rename may replace a file that is still open. Windows refuses while any handle to
// the file stands, whatever its sharing.
bool ReplacesOpenFiles();
int Link(const std::string& from, const std::string& to);
int Remove(const std::string& path);
void SyncFolder(const std::string& folder);
// Calls `take` with the name (UTF-8) of each entry of `folder`; whatever `take` throws ends it.
void ForEachName(const std::string& folder, const std::function<void(const std::string&)>& take);
// Fills stamp, mode, owner, group, links and writable for the file at `path` (no links followed).
// ENOENT when there is none; EISDIR for a folder, ENODEV for anything else that is not a regular
// file.
int Describe(const std::string& path, FileInfo& info);
FileStamp StampOf(int fd);
long ProcessId();
std::string HostName();

// Advisory locks: a lock file opened (or made) for reading and writing, locked without waiting
// (EWOULDBLOCK when another holds it), and the short text it holds. Opening refuses a link
// (ELOOP), a folder (EISDIR), anything else not a regular file (ENODEV) and a file of another
// owner (EPERM); ENOENT when there is no lock file and none may be made there.
int OpenLockFile(const std::string& path, int& fd);
int TryLock(int fd);
std::string ReadLockText(int fd, std::size_t most);
void WriteLockText(int fd, const std::string& text);

} // namespace tc::sys

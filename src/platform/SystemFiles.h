// The operating system's side of the file layer: one implementation for POSIX, one for Windows.
// Every call returns 0 or an errno value (Windows errors are mapped to the nearest one, a sharing
// violation to EBUSY and a lock violation to ENOLCK), so that the rest of the layer is shared.
#pragma once

#include "platform/FileOps.h"

#include <cstddef>
#include <string>

namespace tc::sys {

int CreateNew(const std::string& path, int& fd);
int OpenToRewrite(const std::string& path, int& fd);
int OpenToRead(const std::string& path, int& fd);
int Write(int fd, const char* bytes, std::size_t size, std::size_t& written);
int Read(int fd, char* buffer, std::size_t size, std::size_t& count);
int Sync(int fd);
int Close(int fd);
int TakeModeAndOwner(int fd, const FileInfo& previous);
int Rename(const std::string& from, const std::string& to);
int Link(const std::string& from, const std::string& to);
int Remove(const std::string& path);
void SyncFolder(const std::string& folder);
// Fills stamp, mode, owner, group, links and writable for the file at `path` (no links followed).
// ENOENT when there is none; EISDIR for a folder.
int Describe(const std::string& path, FileInfo& info);
FileStamp StampOf(int fd);
long ProcessId();
std::string HostName();

// Advisory locks: a lock file opened (or made) for reading and writing, locked without waiting
// (EWOULDBLOCK when another holds it), and the short text it holds.
int OpenLockFile(const std::string& path, int& fd);
int TryLock(int fd);
std::string ReadLockText(int fd, std::size_t most);
void WriteLockText(int fd, const std::string& text);

} // namespace tc::sys

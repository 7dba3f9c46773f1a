#include "platform/SystemFiles.h"

#include "platform/FsPath.h"
#include "platform/WindowsApi.h"

#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <io.h>

namespace tc::sys {

namespace {

// Paths go to the system as UTF-16, converted without allocating: a save that runs out of
// memory must still remove its lock and temporary files. A name too long for the system
// becomes an empty one, which the system refuses.
class Wide {
public:
    explicit Wide(const std::string& utf8) {
        const int size =
            utf8.size() < static_cast<std::size_t>(kMost) ? static_cast<int>(utf8.size()) : 0;
        const int count =
            size == 0 ? 0 : MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, m_text, kMost - 1);
        m_text[count > 0 ? count : 0] = L'\0';
    }
    Wide(const Wide&) = delete;
    Wide& operator=(const Wide&) = delete;
    const wchar_t* c_str() const { return m_text; }

private:
    static constexpr int kMost = 32768; // the longest path Windows takes, in UTF-16 units
    wchar_t m_text[kMost];
};

// The errno value nearest to a Windows error, so that the shared layer sees one kind.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
        return ENOENT;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return ENOTDIR; // a bad path
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_SHARING_VIOLATION:
        return EBUSY;
    case ERROR_LOCK_VIOLATION:
        return ENOLCK;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
        return ENOTSUP;
    case ERROR_TOO_MANY_LINKS:
        return EMLINK;
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return EIO;
    default:
        return EDOM; // no file error: the generic cause
    }
}

int LastError() {
    return ErrnoOf(GetLastError());
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

// Only files on disk: a console, pipe or other device could block or never end.
int KindError(HANDLE handle) {
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        return ENODEV;
    }
    BY_HANDLE_FILE_INFORMATION data{};
    if (GetFileInformationByHandle(handle, &data) &&
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EISDIR;
    }
    return 0;
}

int Open(const std::string& path, DWORD access, DWORD disposition, int& fd) {
    // Others may read and even replace the file while we have it open, as on POSIX.
    const HANDLE handle = CreateFileW(Wide(path).c_str(), access,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fd = -1;
        return LastError();
    }
    if (const int error = KindError(handle)) {
        CloseHandle(handle);
        fd = -1;
        return error;
    }
    fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle),
                         _O_BINARY | (access == GENERIC_READ ? _O_RDONLY : _O_WRONLY));
    if (fd < 0) {
        CloseHandle(handle);
        return EMFILE;
    }
    return 0;
}

FileStamp StampOf(const BY_HANDLE_FILE_INFORMATION& data) {
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    return {
        true,
        true,
        data.dwVolumeSerialNumber,
        join(data.nFileIndexHigh, data.nFileIndexLow),
        join(data.nFileSizeHigh, data.nFileSizeLow),
        static_cast<std::int64_t>(
            join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime) * 100)};
}

} // namespace

int CreateNew(const std::string& path, int& fd) {
    return Open(path, GENERIC_WRITE, CREATE_NEW, fd);
}

int OpenToOverwrite(const std::string& path, int& fd) {
    return Open(path, GENERIC_WRITE, OPEN_EXISTING, fd);
}

int OpenToRead(const std::string& path, int& fd) {
    return Open(path, GENERIC_READ, OPEN_EXISTING, fd);
}

int Write(int fd, const char* bytes, std::size_t size, std::size_t& written) {
    DWORD count = 0;
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    if (!WriteFile(HandleOf(fd), bytes, chunk, &count, nullptr)) {
        written = 0;
        return LastError();
    }
    written = count;
    return 0;
}

int Read(int fd, char* buffer, std::size_t size, std::size_t& count) {
    DWORD got = 0;
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    if (!ReadFile(HandleOf(fd), buffer, chunk, &got, nullptr)) {
        count = 0;
        return LastError();
    }
    count = got;
    return 0;
}

int ReadAt(int fd, char* buffer, std::size_t size, std::uint64_t offset, std::size_t& count) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    if (!ReadFile(HandleOf(fd), buffer, chunk, &got, &at)) {
        count = 0;
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : LastError();
    }
    count = got;
    return 0;
}

int Truncate(int fd, std::uint64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    const HANDLE handle = HandleOf(fd);
    return SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) && SetEndOfFile(handle) ? 0
                                                                                     : LastError();
}

int CopyAttributes(int, int) {
    return 0; // the copy takes its owner and rights from its folder, as every new file does
}

int Sync(int fd) {
    return FlushFileBuffers(HandleOf(fd)) ? 0 : LastError();
}

int Close(int fd) {
    return _close(fd) == 0 ? 0 : EIO;
}

int TakeModeAndOwner(int, const FileInfo&) {
    return 0; // Windows files carry their owner and rights in their folder's defaults
}

int Rename(const std::string& from, const std::string& to) {
    // Replaces `to` in one step, written through before it returns.
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastError();
}

bool ReplacesOpenFiles() {
    return false;
}

int Link(const std::string& from, const std::string& to) {
    return CreateHardLinkW(Wide(to).c_str(), Wide(from).c_str(), nullptr) ? 0 : LastError();
}

int Remove(const std::string& path) {
    return DeleteFileW(Wide(path).c_str()) ? 0 : LastError();
}

void SyncFolder(const std::string&) {
    // MoveFileEx with MOVEFILE_WRITE_THROUGH has already made the rename durable.
}

void ForEachName(const std::string& folder, const std::function<void(const std::string&)>& take) {
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        FindFirstFileW((std::wstring(Wide(folder).c_str()) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::unique_ptr<void, BOOL (*)(HANDLE)> closer(search, FindClose);
    do {
        take(Utf8Path(std::filesystem::path(found.cFileName)));
    } while (FindNextFileW(search, &found));
}

int Describe(const std::string& path, FileInfo& info) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return LastError();
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return EISDIR;
    }
    if (attributes & FILE_ATTRIBUTE_DEVICE) {
        return ENODEV;
    }
    int fd = -1;
    if (const int error = OpenToRead(path, fd)) {
        return error;
    }
    BY_HANDLE_FILE_INFORMATION data{};
    const bool known = GetFileInformationByHandle(HandleOf(fd), &data);
    _close(fd);
    if (!known) {
        return LastError();
    }
    info.stamp = StampOf(data);
    info.links = data.nNumberOfLinks;
    info.writable = (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    info.writeError = info.writable ? 0 : EACCES;
    return 0;
}

FileStamp StampOf(int fd) {
    BY_HANDLE_FILE_INFORMATION data{};
    return GetFileInformationByHandle(HandleOf(fd), &data) ? StampOf(data) : FileStamp{};
}

long ProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

std::string HostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size)) {
        return "this computer";
    }
    return Utf8Path(std::filesystem::path(std::wstring(name, size)));
}

int OpenLockFile(const std::string& path, int& fd) {
    // The link itself is opened, never what it points to; a link or folder is then refused.
    // Owners are not compared: the folder's rights decide who may make files there.
    const HANDLE handle = CreateFileW(
        Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fd = -1;
        const DWORD error = GetLastError();
        // No folder, or nothing there and no right to make it: nothing can be saved there.
        const bool none = GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES;
        return none && (error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED ||
                        error == ERROR_WRITE_PROTECT)
                   ? ENOENT
                   : ErrnoOf(error);
    }
    BY_HANDLE_FILE_INFORMATION data{};
    int kind = GetFileInformationByHandle(handle, &data) ? 0 : LastError();
    if (kind == 0) {
        kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? ELOOP
               : (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0   ? EISDIR
                                                                           : KindError(handle);
    }
    if (kind != 0) {
        CloseHandle(handle);
        fd = -1;
        return kind;
    }
    fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_RDWR);
    if (fd < 0) {
        CloseHandle(handle);
        return EMFILE;
    }
    return 0;
}

int TryLock(int fd) {
    // Windows locks keep others from reading what they cover: lock one byte far past the
    // holder's text, so that whoever is refused can still read who holds it.
    OVERLAPPED where{};
    where.OffsetHigh = 1;
    if (LockFileEx(HandleOf(fd), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &where)) {
        return 0;
    }
    const DWORD error = GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? EWOULDBLOCK
                                                                      : ErrnoOf(error);
}

std::string ReadLockText(int fd, std::size_t most) {
    std::string text(most, '\0');
    OVERLAPPED from{};
    DWORD got = 0;
    if (!ReadFile(HandleOf(fd), text.data(), static_cast<DWORD>(most), &got, &from)) {
        got = 0;
    }
    text.resize(got);
    return text;
}

void WriteLockText(int fd, const std::string& text) {
    const HANDLE handle = HandleOf(fd);
    LARGE_INTEGER start{};
    DWORD written = 0;
    if (SetFilePointerEx(handle, start, nullptr, FILE_BEGIN) && SetEndOfFile(handle)) {
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

} // namespace tc::sys

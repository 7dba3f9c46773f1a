// Why a file operation failed, in the classification the editor reports to the user.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tc {

enum class FileCause : int {
    None = 0,
    Generic = 1,
    FileNotFound = 2,
    BadPath = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    InvalidFile = 6,
    RemoveCurrentDir = 7,
    DirectoryFull = 8,
    BadSeek = 9,
    HardIO = 10,
    SharingViolation = 11,
    LockViolation = 12,
    DiskFull = 13,
    EndOfFile = 14,
    // Beyond the classic causes: the classic ones would call these "Access denied".
    NotRegularFile = 15,
    IsFolder = 16,
    ReadOnlyFileSystem = 17,
};

// How a message holds the path it names: message boxes take Windows-1252 text, diagnostics
// and the command-line tool UTF-8.
enum class PathShown { Cp1252, Utf8 };

// The message text of a cause, with the path (UTF-8) standing for "%1" ("an unnamed file" when
// empty).
std::string CauseText(FileCause cause, std::string_view path, PathShown as = PathShown::Cp1252);

FileCause CauseFromErrno(int error);
// As CauseFromErrno, but a failure never maps to None.
FileCause CauseOfError(int error);

// A failure in the middle of reading or writing: it ends the running command, which shows
// CauseText(cause, path).
class FileError : public std::runtime_error {
public:
    FileError(FileCause cause, std::string path);

    FileCause Cause() const { return m_cause; }
    const std::string& Path() const { return m_path; }

private:
    FileCause m_cause;
    std::string m_path;
};

} // namespace tc

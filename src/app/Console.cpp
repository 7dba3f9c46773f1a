#include "app/Console.h"

#ifdef _WIN32
#include "platform/WindowsApi.h"
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace tc {

#ifdef _WIN32

// A GUI program has no console of its own, and its output handles are empty unless they were
// redirected. Started from cmd or PowerShell, it may write to its parent's console.
bool WriteForUser(const std::string& text, bool error) {
    const DWORD which = error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
    HANDLE handle = GetStdHandle(which);
    bool opened = false;
    bool attached = false;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        // Access denied: this process already has a console (Wine gives a GUI program its
        // parent's), which serves as well.
        attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
        if (!attached && GetLastError() != ERROR_ACCESS_DENIED) {
            return false;
        }
        handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (attached) {
                FreeConsole();
            }
            return false;
        }
        opened = true;
    }
    DWORD mode = 0;
    bool written = false;
    if (GetConsoleMode(handle, &mode)) {
        // The shell has already shown its next prompt: start below it. The console takes
        // UTF-16, whatever its code page.
        const std::string shown = (opened ? "\n" : "") + text;
        const int length = MultiByteToWideChar(CP_UTF8, 0, shown.data(),
                                               static_cast<int>(shown.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, shown.data(), static_cast<int>(shown.size()), wide.data(),
                            length);
        DWORD done = 0;
        written = WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &done,
                                nullptr) != 0;
    } else {
        DWORD done = 0;
        written =
            WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) != 0;
    }
    if (opened) {
        CloseHandle(handle);
    }
    if (attached) {
        FreeConsole();
    }
    return written;
}

#else

// A terminal shows an error; started from the desktop, stderr goes to a log nobody reads.
// Answers to --help and --version also go to a pipe or a file.
bool WriteForUser(const std::string& text, bool error) {
    std::FILE* stream = error ? stderr : stdout;
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
    return !error || isatty(fileno(stderr)) != 0;
}

#endif

} // namespace tc

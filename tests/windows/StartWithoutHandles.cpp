// Starts a program the way Windows starts a GUI program from cmd or PowerShell: without
// standard handles, so that whatever it prints must find the console by itself. Waits for it
// and returns its exit code.
//
// Usage: start-without-handles PROGRAM [ARGUMENTS...]
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 125;
    }
    std::wstring line;
    for (int k = 1; k < argc; ++k) {
        line += (k > 1 ? L" \"" : L"\"") + std::wstring(argv[k]) + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // all three left empty
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 126;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 127;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

#include "tools/tomecraft-gas/GasCommands.h"

#include <iostream>

#ifdef _WIN32
#include "platform/FsPath.h"
#include "platform/WindowsApi.h"

#include <shellapi.h>
#endif

namespace {

// The arguments as UTF-8, as the rest of the program takes paths. On Windows the narrow argv
// is in the ANSI code page, which cannot hold every file name: take the wide command line.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int k = 1; k < count; ++k) {
        args.push_back(tc::Utf8Path(std::filesystem::path(wide[k])));
    }
    LocalFree(wide);
    SetConsoleOutputCP(CP_UTF8); // the tool prints UTF-8
    return args;
#else
    return {argv + 1, argv + argc};
#endif
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return tc::cli::RunGasTool(Arguments(argc, argv), std::cout, std::cerr);
}

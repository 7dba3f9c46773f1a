#include "app/CTomecraftApp.h"
#include "document/EditorCommandLine.h"

#include <iostream>

#ifdef _WIN32
wxIMPLEMENT_APP(tc::CTomecraftApp);
#else
wxIMPLEMENT_APP_NO_MAIN(tc::CTomecraftApp);

// --help and --version answer before the toolkit starts, so that they work without a display.
int main(int argc, char** argv) {
    if (const auto status =
            tc::HandleEditorCommandLine({argv + 1, argv + argc}, std::cout, std::cerr)) {
        return *status;
    }
    return wxEntry(argc, argv);
}
#endif

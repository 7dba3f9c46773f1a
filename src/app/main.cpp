#include "app/TomecraftApp.h"

#ifdef _WIN32
wxIMPLEMENT_APP(tc::TomecraftApp);
#else
#include "document/EditorCommandLine.h"

#include <iostream>
#include <unistd.h>

wxIMPLEMENT_APP_NO_MAIN(tc::TomecraftApp);

// --help and --version answer before the toolkit starts, so that they work without a display;
// so does a wrong option typed in a terminal. Started from the desktop, the application shows
// the usage in a message box instead.
int main(int argc, char** argv) {
    const tc::EditorStart start = tc::ParseEditorCommandLine({argv + 1, argv + argc});
    if (start.action == tc::EditorStart::Action::Print) {
        std::cout << start.text;
        return start.status;
    }
    if (start.action == tc::EditorStart::Action::Refuse && isatty(STDERR_FILENO)) {
        std::cerr << start.text;
        return start.status;
    }
    return wxEntry(argc, argv);
}
#endif

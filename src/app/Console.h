// Where the editor's answers to --help, --version and a wrong option go: the console it was
// started from, or the file or pipe its output goes to.
#pragma once

#include <string>

namespace tc {

// False when nobody would read it there (started from the desktop or a file manager): the
// caller then shows `text` in a message box.
bool WriteForUser(const std::string& text, bool error);

} // namespace tc

// What the editor does with its command line before any window opens: the files named there
// are offered in the Open dialog, and --help and --version answer as every program should.
#pragma once

#include <string>
#include <vector>

namespace tc {

struct EditorStart {
    enum class Action {
        Run,    // start (or hand `files` to the running editor)
        Print,  // show `text` and end with `status` 0
        Refuse, // show `text` as an error and end with `status` 2
    };
    Action action = Action::Run;
    // Absolute paths, in the order given: the Open dialog takes its fields from them.
    std::vector<std::string> files;
    std::string text;
    int status = 0;
};

// `args` without the program's name; relative paths are taken from the current folder.
EditorStart ParseEditorCommandLine(const std::vector<std::string>& args);

// Files travel from a second start to the running editor as one text.
std::string JoinHandedFiles(const std::vector<std::string>& files);
std::vector<std::string> SplitHandedFiles(const std::string& text);

} // namespace tc

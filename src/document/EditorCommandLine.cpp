#include "document/EditorCommandLine.h"

#include "platform/FsPath.h"
#include "platform/Product.h"

#include <filesystem>

namespace tc {

namespace {

constexpr const char* kUsage = R"(Usage: tomecraft [--help | --version] [LORE_OR_TEMPLATE_FILE...]

Tomecraft edits the lore books of Dungeon Siege (lore.gas) and the item templates that make
them readable objects (trs_book_lore.gas). It starts with its About box and then asks for the
two files in its Open dialog (File > Open, Ctrl+O). A file named on the command line, or
dropped on the main window, is put into that dialog together with its partner from the same
folder (lore.gas with trs_book_lore.gas). When Tomecraft already runs, the files go to it.

Options:
  --help      show this text and exit
  --version   show the version and exit

For scripts and build pipelines, tomecraft-gas reads and writes the same files.
)";

// The running editor has another current folder: a relative name would mean another file there.
std::string Absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(FsPath(path), ec);
    return ec ? path : Utf8Path(absolute.lexically_normal());
}

} // namespace

EditorStart ParseEditorCommandLine(const std::vector<std::string>& args) {
    EditorStart start;
    bool optionsEnd = false;
    for (const std::string& arg : args) {
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && (arg == "--help" || arg == "-h" || arg == "/?")) {
            return {EditorStart::Action::Print, {}, kUsage, 0};
        } else if (!optionsEnd && arg == "--version") {
            return {EditorStart::Action::Print,
                    {},
                    std::string("tomecraft ") + kVersion + "\n" + kLicenceNotice,
                    0};
        } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
            return {EditorStart::Action::Refuse,
                    {},
                    "tomecraft: '" + arg + "' is not an option of the editor.\n\n" + kUsage,
                    2};
        } else if (!arg.empty()) {
            start.files.push_back(Absolute(arg));
        }
    }
    return start;
}

// One file a line; a backslash escapes a line break or itself, as a Linux name may hold both.
std::string JoinHandedFiles(const std::vector<std::string>& files) {
    std::string text;
    for (const std::string& file : files) {
        for (const char c : file) {
            if (c == '\\') {
                text += "\\\\";
            } else if (c == '\n') {
                text += "\\n";
            } else {
                text += c;
            }
        }
        text += '\n';
    }
    return text;
}

std::vector<std::string> SplitHandedFiles(const std::string& text) {
    std::vector<std::string> files;
    std::string file;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\\' && k + 1 < text.size()) {
            file += text[++k] == 'n' ? '\n' : text[k];
        } else if (text[k] == '\n') {
            if (!file.empty()) {
                files.push_back(std::move(file));
            }
            file.clear();
        } else {
            file += text[k];
        }
    }
    if (!file.empty()) {
        files.push_back(std::move(file));
    }
    return files;
}

} // namespace tc

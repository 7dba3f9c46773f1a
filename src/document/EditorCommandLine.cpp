#include "document/EditorCommandLine.h"

#include "platform/Product.h"

namespace tc {

namespace {

constexpr const char* kUsage = R"(Usage: tomecraft [--help | --version]

Tomecraft edits the lore books of Dungeon Siege (lore.gas) and the item templates that make
them readable objects (trs_book_lore.gas). It takes no files on its command line: it starts with
its About box and then asks for the two files in its Open dialog (File > Open, Ctrl+O).

Options:
  --help      show this text and exit
  --version   show the version and exit

For scripts and build pipelines, tomecraft-gas reads and writes the same files.
)";

} // namespace

std::optional<int> HandleEditorCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                           std::ostream& err) {
    if (args.empty()) {
        return std::nullopt;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        out << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        out << "tomecraft " << kVersion << "\n";
        return 0;
    }
    err << "tomecraft: '" << args[0]
        << "' is not understood: the editor takes no files or options; open the files from "
           "its Open dialog.\n\n"
        << kUsage;
    return 2;
}

} // namespace tc

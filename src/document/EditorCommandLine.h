// What the editor does with its command line before any window opens: it takes no files and
// no options of its own, but answers --help and --version as every program should.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tc {

// The exit status when the arguments end the program before it starts; nullopt to start.
std::optional<int> HandleEditorCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                           std::ostream& err);

} // namespace tc

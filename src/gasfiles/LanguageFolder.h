// The languages a `language/` folder of the game's data holds: each `.gas` file there names its
// language in the header of its one section, `[t:0x0407,n:text]`.
#pragma once

#include <string>
#include <vector>

namespace tc {

struct FolderLanguage {
    unsigned id = 0;
    std::string path; // the file that holds it
};

// Each language of the folder once, in the order of their names; a language that several files
// hold is the first file's by name. Only the start of each file is read, up to its header.
std::vector<FolderLanguage> LanguagesInFolder(const std::string& folder);

// The language id of the text section that the file starts with (after comments); 0 when the
// file cannot be read or starts with anything else.
unsigned LanguageOfFile(const std::string& path);

} // namespace tc

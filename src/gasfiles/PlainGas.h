// A plain, tolerant reading of the gas syntax: sections, keys with their values as written, and
// comments, each with its line. It models nothing, so what two texts hold can be compared.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tc {

struct PlainSection {
    std::string header; // between the brackets, as written; empty for a brace without one
    int line = 0;       // of the header, or of the brace
    int parent = -1;    // -1: file level
};

struct PlainEntry {
    enum class Kind { Key, Comment, Stray };
    Kind kind = Kind::Key;
    int section = -1; // -1: file level
    int line = 0;
    std::string key;   // a key as written; empty for comments and strays
    std::string value; // the value trimmed, quotes kept; a comment's or stray's text
};

struct PlainGas {
    std::vector<PlainSection> sections;
    std::vector<PlainEntry> entries;
};

// Reads `bytes` with the readers' line ends, encodings and block comments. A comment directly
// before a section header belongs to that section. A quoted value may span lines (joined with
// "\n"); a line that begins with "//" inside it is a comment, as the lore reader takes it.
PlainGas ParsePlainGas(std::string_view bytes);

} // namespace tc

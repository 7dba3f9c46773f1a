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

// Splits undecoded text at CR, LF and CR LF, as the readers do, without copying.
class RawLines {
public:
    explicit RawLines(std::string_view bytes);
    // The next line without its end; false after the last.
    bool Next(std::string_view& line);

private:
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::size_t NextOf(char c, std::size_t& cached);

    std::string_view m_bytes;
    std::size_t m_at = 0;
    std::size_t m_nextLf = kUnknown;
    std::size_t m_nextCr = kUnknown;
};

} // namespace tc

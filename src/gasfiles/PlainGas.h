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

// The reading of ParsePlainGas a line at a time, for a caller that reads some sections itself.
class PlainParser {
public:
    explicit PlainParser(PlainGas& out) : m_out(out) {}

    // One line without its end; `number` counts from 1.
    void Line(std::string_view raw, int number);
    // After the last line.
    void End();

    // Nothing is carried to the next line: no open block comment, quoted value or header, and
    // no comment waiting for its section.
    bool Settled() const { return !m_inBlock && !m_openValue && !m_hasHeader && m_pending.empty(); }
    // The section that holds what comes next; -1: file level.
    int Current() const { return m_current; }
    // Records a section named `header` at `line` in the current one, its content read elsewhere;
    // only while Settled. Returns its index.
    int AddSection(std::string header, int line);

private:
    std::string_view Statement(std::string_view line);
    void EndStatement();
    void Open();
    void FlushHeader();
    void AddComment(std::string text);
    void FlushComments();
    void Add(PlainEntry::Kind kind, std::string key, std::string value, int line = 0);

    PlainGas& m_out;
    int m_number = 0;
    int m_current = -1;
    bool m_inBlock = false;
    std::string m_scratch;
    bool m_hasHeader = false;
    std::string m_header;
    int m_headerLine = 0;
    bool m_openValue = false;
    std::string m_statement;
    int m_statementLine = 0;
    std::vector<PlainEntry> m_pending;
};

// Splits undecoded text at CR, LF and CR LF, as the readers do, without copying.
class RawLines {
public:
    explicit RawLines(std::string_view bytes);
    // The next line without its end; false after the last.
    bool Next(std::string_view& line);
    // Where the next line begins.
    std::size_t Position() const { return m_at; }
    // Goes on at `at`, the beginning of a line further on.
    void MoveTo(std::size_t at) { m_at = at; }

private:
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::size_t NextOf(char c, std::size_t& cached);

    std::string_view m_bytes;
    std::size_t m_at = 0;
    std::size_t m_nextLf = kUnknown;
    std::size_t m_nextCr = kUnknown;
};

} // namespace tc

#include "gasfiles/PlainGas.h"

#include "gasfiles/GasLines.h"
#include "platform/DecodingSource.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cstring>

namespace tc {

void PlainParser::Line(std::string_view raw, int number) {
    m_number = number;
    const bool wasInBlock = m_inBlock;
    const std::string_view cut = CutBlockComments(raw, m_inBlock, m_scratch);
    if (!wasInBlock && cut.data() != raw.data()) {
        AddComment(std::string(TrimWhite(raw)));
    }
    std::string_view line = TrimWhite(cut);
    if (m_openValue) {
        if (StartsWith(line, "//")) {
            AddComment(std::string(line));
            return;
        }
        m_statement += '\n';
        line = Statement(line);
    }
    while (!line.empty()) {
        line = TrimWhite(line);
        if (line.empty()) {
            break;
        }
        if (StartsWith(line, "//")) {
            AddComment(std::string(line));
            break;
        }
        const char c = line.front();
        if (c == '[') {
            FlushHeader();
            const std::size_t close = line.find(']');
            m_header = std::string(line.substr(1, close == line.npos ? line.npos : close - 1));
            m_headerLine = number;
            m_hasHeader = true;
            line.remove_prefix(close == line.npos ? line.size() : close + 1);
        } else if (c == '{') {
            Open();
            line.remove_prefix(1);
        } else if (c == '}') {
            FlushHeader();
            FlushComments();
            if (m_current < 0) {
                Add(PlainEntry::Kind::Stray, "", "}");
            } else {
                m_current = m_out.sections[static_cast<std::size_t>(m_current)].parent;
            }
            line.remove_prefix(1);
        } else {
            FlushHeader();
            m_statement.clear();
            m_statementLine = number;
            line = Statement(line);
        }
    }
}

void PlainParser::End() {
    if (m_openValue) {
        EndStatement();
    }
    FlushHeader();
    FlushComments();
}

// Takes statement text up to its ";", a brace or the end of the line; a quote left open
// carries the statement to the next line. Returns what follows it.
std::string_view PlainParser::Statement(std::string_view line) {
    std::size_t k = 0;
    for (; k < line.size(); ++k) {
        if (m_openValue) {
            // The game's files know no escapes: the value runs to the next quote.
            const void* quote = std::memchr(line.data() + k, '"', line.size() - k);
            if (quote == nullptr) {
                k = line.size();
                break;
            }
            k = static_cast<std::size_t>(static_cast<const char*>(quote) - line.data());
            m_openValue = false;
            continue;
        }
        const char c = line[k];
        if (c == '"') {
            m_openValue = true;
        } else if (c == ';' || c == '{' || c == '}') {
            break;
        }
    }
    m_statement.append(line.substr(0, k));
    if (m_openValue) {
        return {};
    }
    EndStatement();
    return k < line.size() && line[k] == ';' ? line.substr(k + 1) : line.substr(k);
}

void PlainParser::EndStatement() {
    m_openValue = false;
    FlushComments();
    const std::size_t eq = m_statement.find('=');
    PlainEntry entry;
    entry.kind = PlainEntry::Kind::Key;
    entry.section = m_current;
    entry.line = m_statementLine;
    if (eq == std::string::npos) {
        entry.key = TrimWhite(m_statement);
    } else {
        entry.key = TrimWhite(std::string_view(m_statement).substr(0, eq));
        entry.value = TrimWhite(std::string_view(m_statement).substr(eq + 1));
    }
    if (!entry.key.empty() || !entry.value.empty()) {
        m_out.entries.push_back(std::move(entry));
    }
    m_statement.clear();
}

void PlainParser::Open() {
    PlainSection section;
    section.header = m_hasHeader ? std::move(m_header) : std::string();
    section.line = m_hasHeader ? m_headerLine : m_number;
    section.parent = m_current;
    m_hasHeader = false;
    m_current = static_cast<int>(m_out.sections.size());
    m_out.sections.push_back(std::move(section));
    FlushComments();
}

// A header with no brace behind it is kept as a stray.
void PlainParser::FlushHeader() {
    if (m_hasHeader) {
        m_hasHeader = false;
        FlushComments();
        Add(PlainEntry::Kind::Stray, "", "[" + m_header + "]", m_headerLine);
    }
}

void PlainParser::AddComment(std::string text) {
    m_pending.push_back({PlainEntry::Kind::Comment, 0, m_number, "", std::move(text)});
}

void PlainParser::FlushComments() {
    for (PlainEntry& comment : m_pending) {
        comment.section = m_current;
        m_out.entries.push_back(std::move(comment));
    }
    m_pending.clear();
}

void PlainParser::Add(PlainEntry::Kind kind, std::string key, std::string value, int line) {
    m_out.entries.push_back(
        {kind, m_current, line > 0 ? line : m_number, std::move(key), std::move(value)});
}

int PlainParser::AddSection(std::string header, int line) {
    PlainSection section;
    section.header = std::move(header);
    section.line = line;
    section.parent = m_current;
    m_out.sections.push_back(std::move(section));
    return static_cast<int>(m_out.sections.size()) - 1;
}

RawLines::RawLines(std::string_view bytes) : m_bytes(bytes) {}

// The next CR and the next LF are each looked up only once they are passed, so a file with
// one kind of line end never makes the search for the other run over the rest of it again.
std::size_t RawLines::NextOf(char c, std::size_t& cached) {
    if (cached < m_at || cached == kUnknown) {
        const void* hit = std::memchr(m_bytes.data() + m_at, c, m_bytes.size() - m_at);
        cached = hit == nullptr
                     ? m_bytes.size()
                     : static_cast<std::size_t>(static_cast<const char*>(hit) - m_bytes.data());
    }
    return cached;
}

bool RawLines::Next(std::string_view& line) {
    if (m_at >= m_bytes.size()) {
        return false;
    }
    const std::size_t end = std::min(NextOf('\n', m_nextLf), NextOf('\r', m_nextCr));
    line = m_bytes.substr(m_at, end - m_at);
    m_at = end < m_bytes.size() && m_bytes[end] == '\r' && end + 1 < m_bytes.size() &&
                   m_bytes[end + 1] == '\n'
               ? end + 2
               : end + 1;
    return true;
}

PlainGas ParsePlainGas(std::string_view bytes) {
    PlainGas out;
    PlainParser parser(out);
    // Only UTF-16 needs decoding; other text is split where it lies, without copying.
    if (!StartsWith(bytes, "\xFF\xFE") && !StartsWith(bytes, "\xFE\xFF")) {
        if (StartsWith(bytes, "\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        RawLines lines(bytes);
        std::string_view line;
        int number = 0;
        while (lines.Next(line)) {
            parser.Line(line, ++number);
        }
        parser.End();
        return out;
    }
    MemorySource memory(bytes);
    DecodingSource decoded(memory);
    LineReader reader(decoded);
    std::string_view line;
    int number = 0;
    while (reader.Next(line)) {
        parser.Line(line, ++number);
    }
    parser.End();
    return out;
}

} // namespace tc

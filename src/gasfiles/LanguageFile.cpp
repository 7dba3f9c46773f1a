#include "gasfiles/LanguageFile.h"

#include "gasfiles/Backup.h"
#include "gasfiles/FileReport.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace tc {

const std::vector<LanguageName>& KnownLanguages() {
    static const std::vector<LanguageName> languages = {
        {0x0405, "cs", "Czech"},     {0x0406, "da", "Danish"},    {0x0407, "de", "German"},
        {0x0408, "el", "Greek"},     {0x0409, "en", "English"},   {0x040b, "fi", "Finnish"},
        {0x040c, "fr", "French"},    {0x040e, "hu", "Hungarian"}, {0x0410, "it", "Italian"},
        {0x0411, "ja", "Japanese"},  {0x0412, "ko", "Korean"},    {0x0413, "nl", "Dutch"},
        {0x0414, "no", "Norwegian"}, {0x0415, "pl", "Polish"},    {0x0416, "pt", "Portuguese"},
        {0x0419, "ru", "Russian"},   {0x041d, "sv", "Swedish"},   {0x041f, "tr", "Turkish"},
        {0x0804, "zh", "Chinese"},   {0x0c0a, "es", "Spanish"},
    };
    return languages;
}

namespace {

std::string HexId(unsigned id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", id);
    return text;
}

// "0x0407" (any case, any number of digits up to four hex bytes); 0 when it is not one.
unsigned ParseHexId(std::string_view text) {
    text = TrimWhite(text);
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return 0;
    }
    unsigned id = 0;
    for (const char c : text.substr(2)) {
        const char lower = ToLowerChar(c);
        const int digit = lower >= '0' && lower <= '9'   ? lower - '0'
                          : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10
                                                         : -1;
        if (digit < 0) {
            return 0;
        }
        id = id * 16 + static_cast<unsigned>(digit);
    }
    return id;
}

// A quoted value's text: `\"` and `\\` stand for the character, each line break for `lineBreak`.
std::string DecodeValue(std::string_view quoted, std::string_view lineBreak) {
    std::string out;
    out.reserve(quoted.size());
    for (std::size_t k = 0; k < quoted.size(); ++k) {
        const char c = quoted[k];
        if (c == '\\' && k + 1 < quoted.size() && (quoted[k + 1] == '"' || quoted[k + 1] == '\\')) {
            out += quoted[++k];
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && k + 1 < quoted.size() && quoted[k + 1] == '\n') {
                ++k;
            }
            out += lineBreak;
        } else {
            out += c;
        }
    }
    return out;
}

bool IsStaleComment(std::string_view comment) {
    return EqualsNoCase(TrimWhite(comment.substr(2)), "stale");
}

} // namespace

unsigned TextSectionId(std::string_view header) {
    unsigned id = 0;
    bool text = false;
    while (!header.empty()) {
        const std::size_t comma = header.find(',');
        const std::string_view part = TrimWhite(header.substr(0, comma));
        header.remove_prefix(comma == header.npos ? header.size() : comma + 1);
        if (StartsWith(ToLower(part), "t:")) {
            id = ParseHexId(part.substr(2));
        } else if (EqualsNoCase(part, "n:text")) {
            text = true;
        }
    }
    return text ? id : 0;
}

std::string LanguageDisplayName(unsigned id) {
    for (const LanguageName& language : KnownLanguages()) {
        if (language.id == id) {
            return language.name;
        }
    }
    return "language " + HexId(id);
}

unsigned LanguageIdOf(std::string_view codeOrId) {
    for (const LanguageName& language : KnownLanguages()) {
        if (EqualsNoCase(codeOrId, language.code) || EqualsNoCase(codeOrId, language.name)) {
            return language.id;
        }
    }
    return ParseHexId(codeOrId);
}

// Reads the bytes of a language file into a LanguageFile, token by token: comments, headers,
// braces, quoted values (which may span lines) and words, each with its line and its place.
class LanguageParser {
public:
    LanguageParser(LanguageFile& file, const std::string& path, Diagnostics& found)
        : m_file(file), m_bytes(file.m_bytes), m_path(path), m_found(found) {}

    bool Run() {
        DetectLineEnd();
        while (Next()) {
            if (m_token.kind != Token::Header) {
                continue;
            }
            const unsigned id = TextSectionId(Text(m_token.inner));
            if (id == 0 || m_sectionRead) {
                if (id != 0) {
                    Warn(m_token.line, "a second text section is not read: this file's "
                                       "translations are those of the first");
                }
                SkipBlock();
                continue;
            }
            m_file.m_languageId = id;
            m_sectionRead = true;
            ReadSection();
        }
        return m_sectionRead;
    }

private:
    struct Token {
        enum Kind { End, Comment, Header, Open, Close, Quoted, Word, Equals, Semicolon };
        Kind kind = End;
        LanguageFile::Span span;  // the whole token
        LanguageFile::Span inner; // a header's text, a quoted value's text
        int line = 0;
        bool unterminated = false;
    };

    std::string_view Text(LanguageFile::Span span) const {
        return std::string_view(m_bytes).substr(span.begin, span.end - span.begin);
    }

    void DetectLineEnd() {
        const std::size_t lf = m_bytes.find('\n');
        const std::size_t cr = m_bytes.find('\r');
        if (cr != std::string::npos && (lf == std::string::npos || cr < lf)) {
            m_file.m_lineEnd = cr + 1 == lf ? "\r\n" : "\r";
        } else if (lf != std::string::npos) {
            m_file.m_lineEnd = "\n";
        }
    }

    // Steps over one line end at m_at, if there is one there.
    bool LineEnd() {
        if (m_bytes[m_at] == '\r') {
            m_at += m_at + 1 < m_bytes.size() && m_bytes[m_at + 1] == '\n' ? 2 : 1;
        } else if (m_bytes[m_at] == '\n') {
            ++m_at;
        } else {
            return false;
        }
        ++m_line;
        return true;
    }

    std::size_t LineStart(std::size_t at) const {
        while (at > 0 && m_bytes[at - 1] != '\n' && m_bytes[at - 1] != '\r') {
            --at;
        }
        return at;
    }

    std::size_t AfterLine(std::size_t at) const {
        while (at < m_bytes.size() && m_bytes[at] != '\n' && m_bytes[at] != '\r') {
            ++at;
        }
        if (at < m_bytes.size()) {
            at += m_bytes[at] == '\r' && at + 1 < m_bytes.size() && m_bytes[at + 1] == '\n' ? 2 : 1;
        }
        return at;
    }

    bool Next() {
        m_before = m_token;
        const std::size_t size = m_bytes.size();
        while (m_at < size && (LineEnd() || IsWhite(m_bytes[m_at]))) {
            if (m_at < size && m_bytes[m_at] != '\r' && m_bytes[m_at] != '\n' &&
                IsWhite(m_bytes[m_at])) {
                ++m_at;
            }
        }
        m_token = Token{};
        m_token.line = m_line;
        m_token.span.begin = m_at;
        if (m_at >= size) {
            m_token.span.end = m_at;
            return false;
        }
        const char c = m_bytes[m_at];
        const auto single = [&](Token::Kind kind) {
            m_token.kind = kind;
            ++m_at;
        };
        if (c == '/' && m_at + 1 < size && m_bytes[m_at + 1] == '/') {
            m_token.kind = Token::Comment;
            while (m_at < size && m_bytes[m_at] != '\r' && m_bytes[m_at] != '\n') {
                ++m_at;
            }
        } else if (c == '/' && m_at + 1 < size && m_bytes[m_at + 1] == '*') {
            m_token.kind = Token::Comment;
            m_at += 2;
            while (m_at < size &&
                   !(m_bytes[m_at] == '*' && m_at + 1 < size && m_bytes[m_at + 1] == '/')) {
                if (!LineEnd()) {
                    ++m_at;
                }
            }
            m_at = std::min(size, m_at + 2);
        } else if (c == '[') {
            m_token.kind = Token::Header;
            const std::size_t close = m_bytes.find_first_of("]\r\n", m_at);
            const bool closed = close != std::string::npos && m_bytes[close] == ']';
            m_token.inner = {m_at + 1,
                             closed ? close : (close == std::string::npos ? size : close)};
            m_token.unterminated = !closed;
            m_at = closed ? close + 1 : m_token.inner.end;
        } else if (c == '{') {
            single(Token::Open);
        } else if (c == '}') {
            single(Token::Close);
        } else if (c == '=') {
            single(Token::Equals);
        } else if (c == ';') {
            single(Token::Semicolon);
        } else if (c == '"') {
            m_token.kind = Token::Quoted;
            ++m_at;
            m_token.inner.begin = m_at;
            while (m_at < size && m_bytes[m_at] != '"') {
                if (m_bytes[m_at] == '\\' && m_at + 1 < size &&
                    (m_bytes[m_at + 1] == '"' || m_bytes[m_at + 1] == '\\')) {
                    m_at += 2;
                } else if (!LineEnd()) {
                    ++m_at;
                }
            }
            m_token.inner.end = m_at;
            m_token.unterminated = m_at >= size;
            m_at = std::min(size, m_at + 1);
        } else {
            m_token.kind = Token::Word;
            while (m_at < size && !IsWhite(m_bytes[m_at]) &&
                   std::string_view("[]{}=;\"").find(m_bytes[m_at]) == std::string_view::npos &&
                   !(m_bytes[m_at] == '/' && m_at + 1 < size &&
                     (m_bytes[m_at + 1] == '/' || m_bytes[m_at + 1] == '*'))) {
                ++m_at;
            }
            m_at = std::max(m_at, m_token.span.begin + 1); // a stray "]" is a word of its own
        }
        m_token.span.end = m_at;
        return true;
    }

    // Steps over a header's block, if one follows, with everything nested in it.
    void SkipBlock() {
        const std::size_t at = m_at;
        const int line = m_line;
        const Token header = m_token;
        if (!NextSolid() || m_token.kind != Token::Open) {
            m_at = at;
            m_line = line;
            m_token = header;
            return;
        }
        for (int depth = 1; depth > 0 && Next();) {
            depth += m_token.kind == Token::Open ? 1 : m_token.kind == Token::Close ? -1 : 0;
        }
    }

    // The next token that is not a comment.
    bool NextSolid() {
        while (Next()) {
            if (m_token.kind != Token::Comment) {
                return true;
            }
        }
        return false;
    }

    void ReadSection() {
        if (!NextSolid() || m_token.kind != Token::Open) {
            Warn(m_token.line, "the text section has no \"{\": it holds no entries");
            return;
        }
        while (Next()) {
            switch (m_token.kind) {
            case Token::Header:
                ReadEntry();
                break;
            case Token::Close:
                m_file.m_appendAt = LineStart(m_token.span.begin);
                if (!TrimWhite(Text({m_file.m_appendAt, m_token.span.begin})).empty()) {
                    m_file.m_appendAt = m_token.span.begin;
                }
                return;
            case Token::Comment:
                break;
            default:
                Warn(m_token.line, "\"" + Cp1252ToUtf8(Text(m_token.span)) +
                                       "\" is not an entry: it is kept as it is");
                break;
            }
        }
        Warn(m_line, "the text section has no closing \"}\"");
        m_file.m_appendAt = m_bytes.size();
    }

    void ReadEntry() {
        LanguageFile::Slot slot;
        slot.read = true;
        slot.line = m_token.line;
        const std::size_t lineStart = LineStart(m_token.span.begin);
        const std::string_view indent = Text({lineStart, m_token.span.begin});
        const bool ownLine = TrimWhite(indent).empty();
        slot.indent = ownLine ? std::string(indent) : std::string();
        slot.header = {ownLine ? lineStart : m_token.span.begin, AfterLine(m_token.span.begin)};
        slot.ownLine = ownLine;
        if (m_before.kind == Token::Comment && IsStaleComment(Text(m_before.span)) && ownLine) {
            const std::size_t start = LineStart(m_before.span.begin);
            if (TrimWhite(Text({start, m_before.span.begin})).empty() &&
                AfterLine(m_before.span.begin) == lineStart) {
                slot.value.stale = true;
                slot.staleLine = {start, lineStart};
            }
        }
        if (!m_indentSeen && ownLine) {
            m_file.m_entryIndent = slot.indent;
            m_indentSeen = true;
        }
        if (!NextSolid() || m_token.kind != Token::Open) {
            Warn(slot.line, "the entry has no \"{\": it is kept as it is");
            return;
        }
        bool hasFrom = false;
        bool hasTo = false;
        while (NextSolid()) {
            if (m_token.kind == Token::Close) {
                break;
            }
            if (m_token.kind == Token::Header) {
                SkipBlock();
                continue;
            }
            if (m_token.kind != Token::Word) {
                continue;
            }
            const std::string key = ToLower(Text(m_token.span));
            const int keyLine = m_token.line;
            if (!NextSolid() || m_token.kind != Token::Equals) {
                continue;
            }
            if (!NextSolid()) {
                break;
            }
            const Token value = m_token;
            if (value.kind == Token::Quoted && value.unterminated) {
                Warn(value.line, "the quoted value has no closing '\"': it runs to the end of "
                                 "the file");
            }
            const std::string_view raw =
                value.kind == Token::Quoted ? Text(value.inner) : Text(value.span);
            const bool isValue = value.kind == Token::Quoted || value.kind == Token::Word;
            if ((key == "from" || key == "to") && !isValue) {
                Warn(keyLine, "\"" + key + "\" has no value: it is read as empty");
            } else if (key == "from" || key == "to") {
                bool& has = key == "from" ? hasFrom : hasTo;
                if (has) {
                    Warn(keyLine, "the entry has a second \"" + key + "\": the first is used");
                } else if (key == "from") {
                    hasFrom = true;
                    slot.fromValue = value.span;
                    slot.value.from = DecodeValue(raw, "\r\n");
                } else {
                    hasTo = true;
                    slot.toValue = value.span;
                    slot.value.to = DecodeValue(raw, "\n");
                    if (!IsUtf8(slot.value.to)) {
                        Warn(keyLine, "the translation is not UTF-8: it is read as Windows-1252");
                        slot.value.to = Cp1252ToUtf8(slot.value.to);
                    }
                }
            }
            if (value.kind == Token::Close) {
                break;
            }
        }
        if (!hasFrom || !hasTo) {
            Warn(slot.line, std::string("the entry has no \"") + (hasFrom ? "to" : "from") +
                                "\": it translates nothing");
            slot.usable = false;
        }
        m_file.m_entries.push_back(std::move(slot));
        if (m_file.m_entries.back().usable) {
            m_file.Index(m_file.m_entries.size() - 1);
        }
    }

    void Warn(int line, std::string text) {
        m_found.push_back(FindingAt(Severity::Warning, m_path, line, std::move(text)));
    }

    LanguageFile& m_file;
    const std::string& m_bytes;
    const std::string& m_path;
    Diagnostics& m_found;
    std::size_t m_at = 0;
    int m_line = 1;
    Token m_token;
    Token m_before; // the token before m_token
    bool m_sectionRead = false;
    bool m_indentSeen = false; // added entries take the first entry's indent
};

LanguageFile::LanguageFile(unsigned id) : m_languageId(id) {
    m_bytes = "[t:" + HexId(id) + ",n:text]" + m_lineEnd + "{" + m_lineEnd;
    m_appendAt = m_bytes.size();
    m_bytes += "}" + m_lineEnd;
}

Result<LanguageFile> LanguageFile::Parse(std::string bytes, const std::string& path,
                                         Diagnostics& found) {
    LanguageFile file(0);
    file.m_bytes = std::move(bytes);
    file.m_appendAt = file.m_bytes.size();
    Diagnostics read;
    LanguageParser parser(file, path, read);
    if (!parser.Run()) {
        return FileFailure(path, "This is not a language file: it has no [t:0x0407,n:text] "
                                 "section (the id names the language).");
    }
    file.CheckRepeats(path, read);
    std::stable_sort(read.begin(), read.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    found.insert(found.end(), read.begin(), read.end());
    return file;
}

void LanguageFile::Index(std::size_t index) {
    std::vector<std::size_t>& list = m_textIndex[m_entries[index].value.from];
    list.insert(std::upper_bound(list.begin(), list.end(), index), index);
}

void LanguageFile::Unindex(std::size_t index) {
    const auto at = m_textIndex.find(m_entries[index].value.from);
    if (at == m_textIndex.end()) {
        return;
    }
    std::erase(at->second, index);
    if (at->second.empty()) {
        m_textIndex.erase(at);
    }
}

std::size_t LanguageFile::Find(std::string_view from) const {
    const auto at = m_textIndex.find(std::string(from));
    if (at == m_textIndex.end()) {
        return npos;
    }
    for (const std::size_t index : at->second) {
        if (!m_entries[index].value.to.empty()) {
            return index;
        }
    }
    return at->second.front();
}

void LanguageFile::Set(std::size_t index, LanguageEntry entry) {
    Slot& slot = m_entries[index];
    if (slot.value == entry) {
        return;
    }
    const bool moved = slot.value.from != entry.from;
    if (moved && slot.usable) {
        Unindex(index);
    }
    if (slot.read && !slot.changed) {
        slot.original = slot.value;
    }
    slot.value = std::move(entry);
    slot.changed = true;
    if (moved && slot.usable) {
        Index(index);
    }
}

std::size_t LanguageFile::Append(LanguageEntry entry) {
    Slot slot;
    slot.value = std::move(entry);
    slot.indent = m_entryIndent;
    m_entries.push_back(std::move(slot));
    Index(m_entries.size() - 1);
    return m_entries.size() - 1;
}

void LanguageFile::RemoveLast() {
    if (m_entries.back().usable) {
        Unindex(m_entries.size() - 1);
    }
    m_entries.pop_back();
}

void LanguageFile::CheckRepeats(const std::string& path, Diagnostics& found) const {
    for (const auto& [from, list] : m_textIndex) {
        // An entry with an empty translation translates nothing, and so repeats nothing.
        const Slot* first = nullptr;
        for (const std::size_t index : list) {
            const Slot& other = m_entries[index];
            if (from.empty() || other.value.to.empty()) {
                continue;
            }
            if (first == nullptr) {
                first = &other;
                continue;
            }
            const std::string where =
                first->line > 0 ? "the entry on line " + std::to_string(first->line) : "an entry";
            found.push_back(
                FindingAt(Severity::Warning, path, other.line,
                          other.value.to == first->value.to
                              ? "duplicate entry: " + where + " has the same text and translation"
                              : "conflicting translations: " + where +
                                    " gives the same text another translation"));
        }
    }
}

void LanguageFile::EmitValue(std::string_view text, bool from, TextSink& out) const {
    std::string value = "\"";
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '"' || c == '\\') {
            value += '\\';
            value += c;
        } else if (from && c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            value += m_lineEnd;
            ++k;
        } else if (!from && c == '\n') {
            value += m_lineEnd;
        } else {
            value += c;
        }
    }
    out.Write(value + "\"");
}

void LanguageFile::EmitEntry(const Slot& slot, TextSink& out) const {
    const std::string& le = m_lineEnd;
    if (slot.value.stale) {
        out.Write(slot.indent + "// stale" + le);
    }
    out.Write(slot.indent + "[0x0000]" + le + slot.indent + "{" + le + slot.indent + "\tfrom = ");
    EmitValue(slot.value.from, true, out);
    out.Write(";" + le + slot.indent + "\tto = ");
    EmitValue(slot.value.to, false, out);
    out.Write(";" + le + slot.indent + "}" + le);
}

void LanguageFile::Emit(TextSink& out) const {
    const std::string_view bytes = m_bytes;
    std::size_t at = 0;
    const auto copyTo = [&](std::size_t end) {
        if (end > at) {
            out.Write(bytes.substr(at, end - at));
            at = end;
        }
    };
    for (const Slot& slot : m_entries) {
        if (!slot.read || !slot.changed) {
            continue;
        }
        // The entry's own bytes stay; only its stale line and the values that changed are new.
        if (slot.staleLine.end > slot.staleLine.begin) {
            copyTo(slot.staleLine.begin);
            if (slot.value.stale) {
                copyTo(slot.staleLine.end);
            }
            at = slot.staleLine.end;
        } else if (slot.value.stale) {
            // On a line of its own, or a reader would not take it for the entry's.
            copyTo(slot.header.begin);
            out.Write((slot.ownLine ? "" : m_lineEnd) + slot.indent + "// stale" + m_lineEnd);
        }
        struct Edit {
            Span span;
            bool from;
        };
        Edit edits[] = {{slot.fromValue, true}, {slot.toValue, false}};
        if (edits[1].span.begin < edits[0].span.begin) {
            std::swap(edits[0], edits[1]);
        }
        for (const Edit& edit : edits) {
            if (edit.from ? slot.value.from == slot.original.from
                          : slot.value.to == slot.original.to) {
                continue; // a value kept is kept byte for byte
            }
            copyTo(edit.span.begin);
            EmitValue(edit.from ? slot.value.from : slot.value.to, edit.from, out);
            at = edit.span.end;
        }
    }
    copyTo(m_appendAt);
    // Added entries start on a line of their own, or a reader would not take a stale mark.
    bool lineStart =
        m_appendAt == 0 || bytes[m_appendAt - 1] == '\n' || bytes[m_appendAt - 1] == '\r';
    for (const Slot& slot : m_entries) {
        if (!slot.read) {
            out.Write(lineStart ? "" : m_lineEnd);
            lineStart = true;
            EmitEntry(slot, out);
        }
    }
    copyTo(m_bytes.size());
}

std::string LanguageFile::Text() const {
    StringSink sink;
    sink.Reserve(m_bytes.size());
    Emit(sink);
    return sink.Text();
}

Result<LanguageFile> ReadLanguageFile(const std::string& path, Diagnostics& found,
                                      FileStamp* stamp) {
    std::string bytes;
    Diagnostics opened;
    if (!ReadWholeFile(path, bytes, opened, stamp)) {
        return FileFailure(path, opened.front().text);
    }
    return LanguageFile::Parse(std::move(bytes), path, found);
}

SaveRequest LanguageSaveRequest(const std::string& path, const std::string& backupFolder,
                                const LanguageFile& file, FileStamp* stamp) {
    SaveRequest request;
    request.path = path;
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    request.backupName = BackupName(path, backupFolder,
                                    name.substr(0, name.size() < 3 ? 0 : name.size() - 3) + "tcb");
    request.access = FileAccess::WriteLanguage;
    request.crlf = false;
    request.emit = [&file](TextSink& out) { file.Emit(out); };
    request.readBack = [&file, path](const std::string& written) -> std::string {
        std::string bytes;
        Diagnostics ignored;
        if (!ReadWholeFile(written, bytes, ignored, nullptr)) {
            return ignored.empty() ? "the written file cannot be read" : ignored.front().text;
        }
        const Result<LanguageFile> back = LanguageFile::Parse(std::move(bytes), path, ignored);
        if (!back) {
            return back.GetFailure().text;
        }
        std::size_t read = 0;
        for (std::size_t k = 0; k < file.Size(); ++k) {
            if (!file.Translates(k)) {
                continue;
            }
            while (read < back.GetValue().Size() && !back.GetValue().Translates(read)) {
                ++read;
            }
            if (read >= back.GetValue().Size() || !(back.GetValue().Entry(read) == file.Entry(k))) {
                return "the entry for \"" + Cp1252ToUtf8(file.Entry(k).from).substr(0, 60) +
                       "\" does not read back as it was meant";
            }
            ++read;
        }
        return {};
    };
    request.stamp = stamp;
    return request;
}

} // namespace tc

// A language file of the game: one `[t:0x0407,n:text]` section whose entries each give the
// translation (`to`, UTF-8) of one English text exactly as the game holds it (`from`,
// Windows-1252). The file is kept as it was read: writing it back changes only the bytes of the
// entries that were changed or added, so other entries, comments, order and line ends stay.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "gasfiles/Result.h"
#include "gasfiles/SafeWrite.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tc {

struct LanguageEntry {
    std::string from; // Windows-1252; a line break is CR LF, as the lore book's text holds it
    std::string to;   // UTF-8; a line break is LF
    // The English text changed since the translation was written: a "// stale" comment on it.
    bool stale = false;

    bool operator==(const LanguageEntry&) const = default;
};

// The Windows language ids the game's files name, with their names and short codes.
struct LanguageName {
    unsigned id;
    const char* code; // "de"
    const char* name; // "German"
};
const std::vector<LanguageName>& KnownLanguages();
// "German", or "language 0x0abc" for an id not known.
std::string LanguageDisplayName(unsigned id);
// The id of a short code or a "0x0407" id; 0 when neither.
unsigned LanguageIdOf(std::string_view codeOrId);
// The language id of a section header such as `t:0x0407,n:text` (without its brackets); 0 when
// it is not a text section.
unsigned TextSectionId(std::string_view header);

class LanguageFile {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // An empty file for the language `id`.
    explicit LanguageFile(unsigned id);
    // Reads a whole file. Malformed entries, duplicates and conflicts go to `found` with their
    // lines (and stay in the file as they are); a file with no text section is the failure.
    static Result<LanguageFile> Parse(std::string bytes, const std::string& path,
                                      Diagnostics& found);

    unsigned LanguageId() const { return m_languageId; }
    std::size_t Size() const { return m_entries.size(); }
    const LanguageEntry& Entry(std::size_t index) const { return m_entries[index].value; }
    // The line of the entry's header; 0 for one added since the read.
    int LineOf(std::size_t index) const { return m_entries[index].line; }
    // False for an entry without a from or a to, which is kept but translates nothing.
    bool Translates(std::size_t index) const { return m_entries[index].usable; }

    // The entry that translates `from`: the first with a translation, else the first; npos
    // when none names it. Entries too malformed to translate are never found.
    std::size_t Find(std::string_view from) const;

    // Gives an entry new values; it is written anew on the next save.
    void Set(std::size_t index, LanguageEntry entry);
    // Adds an entry before the section's end; returns its index.
    std::size_t Append(LanguageEntry entry);
    // Takes back the last Append.
    void RemoveLast();

    // The duplicates and conflicts among the entries as they stand (warnings naming `path`).
    void CheckRepeats(const std::string& path, Diagnostics& found) const;

    void Emit(TextSink& out) const;
    std::string Text() const;

private:
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    struct Slot {
        LanguageEntry value;
        LanguageEntry original; // as read, once changed
        int line = 0;
        bool usable = true; // has both a from and a to
        bool changed = false;
        bool read = false; // the spans below are the entry's place in m_bytes
        Span header;       // the header line, from its start (before its indent) to its end
        Span staleLine;    // a "// stale" line before the header, with its line end; or empty
        Span fromValue;    // the value as written, quotes included
        Span toValue;
        std::string indent;  // of the header line
        bool ownLine = true; // nothing but the indent before the header on its line
    };
    friend class LanguageParser;

    void Index(std::size_t index);
    void Unindex(std::size_t index);
    void EmitEntry(const Slot& slot, TextSink& out) const;
    void EmitValue(std::string_view text, bool from, TextSink& out) const;

    unsigned m_languageId = 0;
    std::string m_bytes;            // as read; empty for a new file
    std::size_t m_appendAt = 0;     // where added entries go: before the section's "}"
    std::string m_lineEnd = "\r\n"; // the file's own
    std::string m_entryIndent = "\t";
    std::vector<Slot> m_entries;
    std::unordered_map<std::string, std::vector<std::size_t>> m_textIndex;
};

// Reads a language file; a file that cannot be read or holds no text section is the failure.
Result<LanguageFile> ReadLanguageFile(const std::string& path, Diagnostics& found,
                                      FileStamp* stamp = nullptr);

// As LoreSaveRequest, for a language file and its backup NAME.tcb.
SaveRequest LanguageSaveRequest(const std::string& path, const std::string& backupFolder,
                                const LanguageFile& file, FileStamp* stamp);

} // namespace tc

// Whatever a lore file holds, a save that its read-back check lets through writes a file that
// reads back to the same books and formats to the same bytes again, and in which the reading
// notes find nothing that a save would change; passing over the books that a file holds as
// written gives the notes that reading every book gives.
#include "gasfiles/LoreFile.h"
#include "gasfiles/ReadBack.h"
#include "gasfiles/ReadingNotes.h"

#include <cstdint>
#include <cstdlib>

namespace {

tc::BookList Read(std::string_view bytes) {
    tc::Diagnostics ui;
    tc::MemorySource source(bytes);
    tc::BookList books;
    tc::ParseLoreFile(source, books, ui);
    return books;
}

// The notes as one text: where, what and of which node.
std::string NotesOf(std::string_view bytes, const tc::BookList& read, bool everyNode) {
    tc::Diagnostics notes;
    tc::AddLoreReadingNotes(bytes, read, "lore.gas", notes, everyNode);
    std::string all;
    for (const tc::Diagnostic& d : notes) {
        all += tc::DiagnosticLine(d) + "|" + d.nodeName + "|" + d.field + "\n";
    }
    return all;
}

std::string Written(const tc::BookList& books) {
    tc::StringSink sink;
    tc::EmitLoreFile(books, sink);
    return sink.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tc::BookList first = Read(bytes);
    if (NotesOf(bytes, first, false) != NotesOf(bytes, first, true)) {
        std::abort(); // passing over nodes the file holds as written changed the notes
    }
    const std::string once = Written(first);
    const tc::BookList second = Read(once);
    if (!tc::FirstBookDifference(first, second).empty()) {
        return 0; // the save would refuse this, with a message
    }
    if (Written(second) != once) {
        std::abort(); // read back as meant, yet formatting again changes the file
    }
    // A blank first line keeps the full comparison from being skipped as for Save's own output.
    tc::Diagnostics notes;
    tc::AddLoreReadingNotes("\n" + once, second, "lore.gas", notes);
    if (!notes.empty()) {
        std::abort(); // a note where a save changes nothing
    }
    return 0;
}

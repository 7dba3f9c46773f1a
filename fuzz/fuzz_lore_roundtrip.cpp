// Whatever a lore file holds, a save that its read-back check lets through writes a file that
// reads back to the same books and formats to the same bytes again, and in which the reading
// notes find nothing that a save would change.
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

std::string Written(const tc::BookList& books) {
    tc::StringSink sink;
    tc::EmitLoreFile(books, sink);
    return sink.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tc::BookList first = Read(std::string_view(reinterpret_cast<const char*>(data), size));
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

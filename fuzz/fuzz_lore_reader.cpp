// Any bytes must read without a crash, a hang or a sanitizer report, and a write that would lose
// books on the next read must be caught by the save's read-back check. (A name such as the one
// in `"[a/*b]` cannot be written so that it reads back: the save refuses it with a message.)
#include "gasfiles/LoreFile.h"
#include "gasfiles/ReadBack.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tc::Diagnostics ui;
    tc::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    tc::BookList books;
    tc::ParseLoreFile(source, books, ui);

    tc::StringSink written;
    tc::EmitLoreFile(books, written);
    tc::MemorySource again(written.Text());
    tc::BookList reread;
    tc::ParseLoreFile(again, reread, ui);
    if (reread.size() < books.size() && tc::FirstBookDifference(books, reread).empty()) {
        std::abort();
    }
    return 0;
}

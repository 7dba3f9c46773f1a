// Any bytes must read without a crash, a hang or a sanitizer report, and the books read must
// survive a write and a second read.
#include "gasfiles/LoreFile.h"

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
    if (reread.size() < books.size()) {
        std::abort();
    }
    return 0;
}

// Realistic generated pairs of game files for the benchmarks.
#pragma once

#include <cstddef>
#include <string>

namespace tc::bench {

struct GeneratedPair {
    std::string lorePath;
    std::string templatePath;
    std::size_t books = 0;
    std::size_t templates = 0;
};

// Writes lore.gas with `books` books (keys in mixed order, comments, descriptions of 0.2 to
// 2 KB with "\n" escapes and Windows-1252 bytes, some spread over several lines) and
// trs_book_lore.gas with 20 % as many templates (a few base templates, the rest book
// templates) into `folder`. The same arguments give the same files.
// `templates` defaults to 20 % of `books`.
GeneratedPair GeneratePair(const std::string& folder, std::size_t books, std::size_t templates = 0);

} // namespace tc::bench

// What a saved file must read back as: the values the reader will find, compared with what the
// editor meant to write, so that a save never replaces a file with one that means less.
#pragma once

#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"

#include <string>

namespace tc {

// Empty when `read` holds every book of `meant` as the lore file keeps it (in the same
// order); otherwise the first difference, in words.
std::string FirstBookDifference(const BookList& meant, const BookList& read);

// The same comparison, taking the books read back one at a time.
class BookReadBack {
public:
    explicit BookReadBack(const BookList& meant) : m_meant(meant) {}
    void Take(const LoreBook& read);
    // After the last book.
    std::string Difference() const;

private:
    const BookList& m_meant;
    std::size_t m_read = 0;
    std::string m_difference;
};

// As FirstBookDifference for templates. A model, texture or icon that equals its parent's is
// left out of the file and so reads back empty (numbers are inherited again); the document
// name and category are not read back by the editor, so they are not compared.
std::string FirstTemplateDifference(const TemplateList& meant, const TemplateList& read);

} // namespace tc

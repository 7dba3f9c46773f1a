// The lore book form without its window: what it shows for a book and how Update checks and
// stores what the user typed.
#pragma once

#include "document/EditableData.h"
#include "rules/DialogVerdict.h"

#include <string>

namespace tc {

class LoreBookFormRules {
public:
    // What the edits hold. Line breaks in the text may come as "\n" from the control. The
    // translation of the text is UTF-8, empty while no language file is open.
    struct Fields {
        std::string key;
        std::string text;
        std::string comment;
        std::string translation = {};
    };

    explicit LoreBookFormRules(EditableData& data) : m_data(data) {}

    // Shows the book (or nothing); what is shown now is what the user has not yet typed over.
    void SetBook(const LoreBook* book) {
        m_book = book;
        m_shown = Refresh();
    }
    const LoreBook* ShownBook() const { return m_book; }
    // The values to show: the book's, or empty ones without a book.
    Fields Refresh() const;

    struct UpdateResult {
        DialogVerdict verdict;
        bool stored = false;  // the values were checked and stored: the form shows them anew
        bool renamed = false; // the tree must relabel the book's item
    };
    // Checks key and text, then stores the fields (all, or only those typed over); nothing is
    // stored when a check fails. Without a book, or when storing the typing of fields that
    // nobody typed into, it does nothing and accepts. After a store, the book's values are
    // the ones shown.
    UpdateResult Update(const Fields& typed, FormStore store = FormStore::Everything);
    // Whether the edits differ from what was shown for the book.
    bool Typed(const Fields& typed) const;

private:
    EditableData& m_data;
    const LoreBook* m_book = nullptr;
    Fields m_shown;
};

// A text whose line breaks, however typed, are CR LF pairs.
std::string WithCrLfLineBreaks(std::string_view text);
// A text whose line breaks, however typed, are single LFs, as a translation holds them.
std::string WithLfLineBreaks(std::string_view text);

} // namespace tc

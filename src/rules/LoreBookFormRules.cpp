#include "rules/LoreBookFormRules.h"

#include "rules/BraceCheck.h"

#include "document/Translation.h"

#include "platform/Text.h"

#include <algorithm>

namespace tc {

std::string WithCrLfLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' || text[k] == '\n') {
            out += "\r\n";
            if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
                ++k;
            }
        } else {
            out += text[k];
        }
    }
    return out;
}

std::string WithLfLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r') {
            out += '\n';
            if (k + 1 < text.size() && text[k + 1] == '\n') {
                ++k;
            }
        } else {
            out += text[k];
        }
    }
    return out;
}

LoreBookFormRules::Fields LoreBookFormRules::Refresh() const {
    if (m_book == nullptr) {
        return {};
    }
    const LanguageFile* language = m_data.Translation();
    return {m_book->GetName(), m_book->GetText(), m_book->GetComment(),
            language == nullptr ? std::string() : TranslationOf(*language, *m_book)};
}

bool LoreBookFormRules::Typed(const Fields& typed) const {
    return m_book != nullptr &&
           (typed.key != m_shown.key || typed.comment != m_shown.comment ||
            WithCrLfLineBreaks(typed.text) != WithCrLfLineBreaks(m_shown.text) ||
            WithLfLineBreaks(typed.translation) != WithLfLineBreaks(m_shown.translation));
}

LoreBookFormRules::UpdateResult LoreBookFormRules::Update(const Fields& typed, FormStore store) {
    if (m_book == nullptr) {
        return {};
    }
    const bool all = store == FormStore::Everything;
    const bool keyTyped = all || typed.key != m_shown.key;
    const bool textTyped =
        all || WithCrLfLineBreaks(typed.text) != WithCrLfLineBreaks(m_shown.text);
    const bool commentTyped = all || typed.comment != m_shown.comment;
    const bool translationTyped =
        m_data.Translation() != nullptr &&
        (all || WithLfLineBreaks(typed.translation) != WithLfLineBreaks(m_shown.translation));
    if (!keyTyped && !textTyped && !commentTyped && !translationTyped) {
        return {};
    }
    std::string key(TrimLeftWhite(typed.key));
    if (key.empty()) {
        return {DialogVerdict::Refuse("You must specify the lore key of this book!",
                                      ControlId::NameField)};
    }
    std::replace(key.begin(), key.end(), ' ', '_');
    if (!m_data.IsBookKeyUnique(key, m_book)) {
        return {DialogVerdict::Refuse(
            "Lore key must be unique!  Please select another lore key for this book!",
            ControlId::NameField)};
    }
    if (DialogVerdict braces = RefuseBraces(key, "lore key", ControlId::NameField);
        !braces.accepted) {
        return {braces};
    }
    if (DialogVerdict bracket = RefuseCharacters(
            key, "lore key", "[]", "the game files end a book's name there.", ControlId::NameField);
        !bracket.accepted) {
        return {bracket};
    }
    if (DialogVerdict comment = RefuseCommentStart(key, "lore key", ControlId::NameField);
        !comment.accepted) {
        return {comment};
    }
    if (typed.text.empty()) {
        return {DialogVerdict::Refuse("You must specify the text (story) for this Book!",
                                      ControlId::TextField)};
    }
    if (DialogVerdict lineBreak =
            RefuseTypedLineBreak(typed.text, "book text", ControlId::TextField);
        !lineBreak.accepted) {
        return {lineBreak};
    }
    // Every check passed: only now is anything stored.
    LoreBook values = *m_book;
    if (keyTyped) {
        values.SetName(key);
    }
    if (textTyped) {
        std::string text = WithCrLfLineBreaks(typed.text);
        std::replace(text.begin(), text.end(), '"', '\'');
        values.SetText(std::move(text));
    }
    if (commentTyped) {
        values.SetComment(typed.comment);
    }
    const bool renamed = values.GetNameView() != m_book->GetNameView();
    const std::string translation = WithLfLineBreaks(typed.translation);
    m_data.StoreBook(*m_book, values, translationTyped ? &translation : nullptr);
    m_shown = Refresh();
    return {DialogVerdict::Accept(), true, renamed};
}

} // namespace tc

#include "document/LoreBookFormRules.h"

#include "document/BraceCheck.h"

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

LoreBookFormRules::Fields LoreBookFormRules::Refresh() const {
    if (m_pBook == nullptr) {
        return {};
    }
    return {m_pBook->GetName(), m_pBook->GetText(), m_pBook->GetComment()};
}

LoreBookFormRules::UpdateResult LoreBookFormRules::Update(const Fields& typed) {
    if (m_pBook == nullptr) {
        return {};
    }
    std::string key(TrimLeftWhite(typed.key));
    if (key.empty()) {
        return {DialogVerdict::Refuse("You must specify the lore key of this book!", kKeyEdit)};
    }
    std::replace(key.begin(), key.end(), ' ', '_');
    if (!m_data.IsBookKeyUnique(key, m_pBook)) {
        return {DialogVerdict::Refuse(
            "Lore key must be unique!  Please select another lore key for this book!", kKeyEdit)};
    }
    if (DialogVerdict braces = RefuseBraces(key, "lore key", kKeyEdit); !braces.accepted) {
        return {braces};
    }
    if (typed.text.empty()) {
        return {
            DialogVerdict::Refuse("You must specify the text (story) for this Book!", kTextEdit)};
    }
    // Every check passed: only now is anything stored.
    const bool renamed = key != m_pBook->GetNameView();
    CLoreBook values = *m_pBook;
    values.SetName(key);
    std::string text = WithCrLfLineBreaks(typed.text);
    std::replace(text.begin(), text.end(), '"', '\'');
    values.SetText(std::move(text));
    values.SetComment(typed.comment);
    m_data.StoreBook(*m_pBook, values);
    return {DialogVerdict::Accept(), renamed};
}

} // namespace tc

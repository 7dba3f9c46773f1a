#include "rules/ComboList.h"

#include "platform/Text.h"

#include <algorithm>

namespace tc {

namespace {

bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(ToLowerChar(x)) <
               static_cast<unsigned char>(ToLowerChar(y));
    });
}

} // namespace

int ComboList::Add(std::string text) {
    auto at = m_entries.end();
    if (m_order == Order::SortedIgnoringCase && Count() >= m_pinned) {
        at = std::upper_bound(
            m_entries.begin() + m_pinned, m_entries.end(), text,
            [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
    }
    const int index = static_cast<int>(at - m_entries.begin());
    InsertAt(index, std::move(text));
    return index;
}

void ComboList::SortIgnoringCase(std::vector<std::string>& texts) {
    std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return LessIgnoringCase(a, b);
    });
}

void ComboList::AppendInOrder(std::vector<std::string> texts) {
    m_entries.insert(m_entries.end(), std::make_move_iterator(texts.begin()),
                     std::make_move_iterator(texts.end()));
}

void ComboList::InsertAt(int index, std::string text) {
    index = std::clamp(index, 0, Count());
    m_entries.insert(m_entries.begin() + index, std::move(text));
    if (m_selection >= index) {
        ++m_selection;
    }
}

void ComboList::RemoveAt(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    m_entries.erase(m_entries.begin() + index);
    if (m_selection == index) {
        m_selection = -1;
    } else if (m_selection > index) {
        --m_selection;
    }
}

void ComboList::Select(int index) {
    if (index < 0 || index >= Count()) {
        m_selection = -1;
        m_typed.clear();
        return;
    }
    m_selection = index;
    m_typed = At(index);
}

void ComboList::SetEditText(std::string text) {
    if (m_selection >= 0 && At(m_selection) != text) {
        m_selection = -1;
    }
    m_typed = std::move(text);
}

} // namespace tc

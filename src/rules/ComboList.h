// The entries, selection and edit text of an editable drop-down list, as the dialogs use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tc {

class ComboList {
public:
    enum class Order {
        SortedIgnoringCase, // Add places an entry in order, compared ignoring case
        Insertion,          // Add appends
    };

    // The first `pinned` entries added stay in front and take no part in the order.
    explicit ComboList(Order order, int pinned = 0) : m_order(order), m_pinned(pinned) {}

    // Returns the index the entry took.
    int Add(std::string text);
    // Appends entries already in the list's order (SortIgnoringCase) after the pinned ones, in
    // one step: a long list fills without one insertion each.
    void AppendInOrder(std::vector<std::string> texts);
    // Puts `texts` in the order Add gives them one by one: ignoring case, equal ones as they came.
    static void SortIgnoringCase(std::vector<std::string>& texts);
    // Inserts at `index` whatever the order (0 is the top).
    void InsertAt(int index, std::string text);
    void RemoveAt(int index);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::string& At(int index) const { return m_entries.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Entries() const { return m_entries; }

    // The index of the first entry equal to `text` by `equal`, or -1.
    template <class Equal> int Find(std::string_view text, Equal equal) const {
        for (std::size_t k = 0; k < m_entries.size(); ++k) {
            if (equal(m_entries[k], text)) {
                return static_cast<int>(k);
            }
        }
        return -1;
    }

    // Selecting an entry puts its text into the edit field; -1 or an index outside the list
    // selects nothing and empties the field.
    void Select(int index);
    int Selection() const { return m_selection; }

    // What the user typed. Text that differs from the selected entry ends the selection.
    void SetEditText(std::string text);
    const std::string& EditText() const { return m_typed; }

private:
    Order m_order;
    int m_pinned;
    std::vector<std::string> m_entries;
    int m_selection = -1;
    std::string m_typed;
};

} // namespace tc

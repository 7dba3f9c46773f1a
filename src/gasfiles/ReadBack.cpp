#include "gasfiles/ReadBack.h"

#include "model/TemplateIndex.h"
#include "platform/Text.h"

#include <algorithm>

namespace tc {

namespace {

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 60;
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "\"" + std::string(...).
    std::string quoted(1, '"');
    quoted.append(text.substr(0, kShown)).append(text.size() > kShown ? "...\"" : "\"");
    return quoted;
}

struct Field {
    const char* what;
    std::string expected;
    std::string found;
};

std::string Describe(const char* kind, std::string_view name, const Field& field) {
    return "the " + std::string(kind) + " " + Quoted(name) + " would read back with " + field.what +
           " " + Quoted(field.found) + " instead of " + Quoted(field.expected) + ".";
}

// When one list is longer than the other: the first item lost, or how many came in addition.
template <class List>
std::string CountDifference(const char* kind, const List& meant, std::size_t read) {
    if (meant.size() > read) {
        return "the " + std::string(kind) + " " + Quoted(meant[read]->GetNameView()) +
               " and what follows it would be lost.";
    }
    return "the file would read back with " + std::to_string(read - meant.size()) + " more " +
           kind + "(s) than were written.";
}

std::string Value(std::string_view text) {
    return std::string(TrimWhite(text));
}

std::string Number(int value) {
    return std::to_string(value);
}

// A value the file leaves out because the parent gives it reads back empty.
std::string Inherited(const std::string& value, const Template* parent,
                      std::string (Template::*get)() const) {
    if (value.empty() || (parent != nullptr && EqualsNoCase((parent->*get)(), value))) {
        return {};
    }
    return Value(value);
}

} // namespace

void BookReadBack::Take(const LoreBook& r) {
    const std::size_t k = m_read++;
    if (!m_difference.empty() || k >= m_meant.size()) {
        return;
    }
    const LoreBook& m = *m_meant[k];
    const Field fields[] = {
        {"the key", m.GetName(), r.GetName()},
        {"the text", m.GetText(), r.GetText()},
        {"the comment", Value(m.GetComment()), r.GetComment()},
    };
    for (const Field& field : fields) {
        if (field.expected != field.found) {
            m_difference = Describe("book", m.GetNameView(), field);
            return;
        }
    }
}

std::string BookReadBack::Difference() const {
    if (!m_difference.empty() || m_read == m_meant.size()) {
        return m_difference;
    }
    return CountDifference("book", m_meant, m_read);
}

std::string FirstBookDifference(const BookList& meant, const BookList& read) {
    BookReadBack back(meant);
    for (const auto& book : read) {
        back.Take(*book);
    }
    return back.Difference();
}

std::string FirstTemplateDifference(const TemplateList& meant, const TemplateList& read) {
    const TemplateIndex index(meant);
    const std::size_t common = std::min(meant.size(), read.size());
    for (std::size_t k = 0; k < common; ++k) {
        const Template& m = *meant[k];
        const Template& r = *read[k];
        const Template* p = m.IsTreasureBased() ? nullptr : index.Find(m.GetSpecializes());
        const Field fields[] = {
            {"the name", m.GetName(), r.GetName()},
            {"the comment", Value(m.GetComment()), r.GetComment()},
            {"specializes", Value(m.GetSpecializes()), r.GetSpecializes()},
            {"the screen name", Value(m.GetScreenName()), r.GetScreenName()},
            {"the lore key", Value(m.GetLoreKey()), r.GetLoreKey()},
            {"the model", Inherited(m.GetModel(), p, &Template::GetModel), r.GetModel()},
            {"the texture", Inherited(m.GetTexture(), p, &Template::GetTexture), r.GetTexture()},
            {"the inventory icon", Inherited(m.GetInventoryIcon(), p, &Template::GetInventoryIcon),
             r.GetInventoryIcon()},
            {"the gold value", Number(m.GetGoldValue()), Number(r.GetGoldValue())},
            {"the inventory width", Number(m.GetInventoryWidth()), Number(r.GetInventoryWidth())},
            {"the inventory height", Number(m.GetInventoryHeight()),
             Number(r.GetInventoryHeight())},
        };
        for (const Field& field : fields) {
            if (field.expected != field.found) {
                return Describe("template", m.GetNameView(), field);
            }
        }
    }
    return meant.size() == read.size() ? std::string()
                                       : CountDifference("template", meant, read.size());
}

} // namespace tc

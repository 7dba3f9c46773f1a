// The lore books and templates of one pair of files. Anyone may read them; only the document,
// which keeps the undo history and the modified flags, changes them.
#pragma once

#include "model/CLoreBook.h"
#include "model/CTemplate.h"

#include <memory>
#include <vector>

namespace tc {

class LoreData {
public:
    using Books = std::vector<std::unique_ptr<CLoreBook>>;
    using Templates = std::vector<std::unique_ptr<CTemplate>>;

    LoreData() = default;
    LoreData(const LoreData&) = delete;
    LoreData& operator=(const LoreData&) = delete;
    virtual ~LoreData() = default;

    const Books& GetBooks() const { return m_arrBooks; }
    const Templates& GetTemplates() const { return m_arrTemplates; }
    // The template most recently chosen as a base in a template form. It outlives the forms,
    // and is forgotten when that template leaves the collection so that it never dangles.
    const CTemplate* GetLastBase() const { return m_pLastBase; }

    // The index of the first template named `name`, ignoring case, or -1.
    int FindTemplate(std::string_view name) const;
    // True when no node of the collection other than `except` has exactly this name.
    bool IsBookKeyUnique(std::string_view name, const TCObject* except) const;
    bool IsTemplateNameUnique(std::string_view name, const TCObject* except) const;

protected:
    Books& BookList() { return m_arrBooks; }
    Templates& TemplateList() { return m_arrTemplates; }
    void SetLastBase(const CTemplate* base) { m_pLastBase = base; }

    // Books by key; templates "base_" first, then the others, each group by name.
    void SortBooks();
    void SortTemplates();

private:
    const CTemplate* m_pLastBase = nullptr;
    Templates m_arrTemplates;
    Books m_arrBooks;
};

} // namespace tc

// The lore books and templates of one pair of files, with the operations on the collections.
#pragma once

#include "model/CLoreBook.h"
#include "model/CTemplate.h"

#include <memory>
#include <vector>

namespace tc {

class LoreData {
public:
    LoreData() = default;
    LoreData(const LoreData&) = delete;
    LoreData& operator=(const LoreData&) = delete;
    virtual ~LoreData() = default;

    // Destroys the node and sets its collection's flag when it is found in the collection of
    // `type`; otherwise changes nothing and returns false.
    bool DeleteNode(NodeType type, const TCObject* node);
    // Destroys every node and clears both flags.
    void ClearData();

    // The index of the first template named `name`, ignoring case, or -1.
    int FindTemplate(std::string_view name) const;
    // True when no node of the collection other than `except` has exactly this name.
    bool IsBookKeyUnique(std::string_view name, const TCObject* except) const;
    bool IsTemplateNameUnique(std::string_view name, const TCObject* except) const;

    // Books by key; templates "base_" first, then the others, each group by name.
    void SortBooks();
    void SortTemplates();

    // The template most recently chosen as a base in a template form. It outlives the forms,
    // and is forgotten when that template is destroyed so that it never dangles.
    const CTemplate* m_pLastBase = nullptr;

    bool m_bTemplatesModified = false;
    bool m_bBooksModified = false;
    std::vector<std::unique_ptr<CTemplate>> m_arrTemplates;
    std::vector<std::unique_ptr<CLoreBook>> m_arrBooks;
};

} // namespace tc

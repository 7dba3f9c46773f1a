// The lore books and templates of one pair of files. Anyone may read them; only the document,
// which keeps the undo history and the modified flags, changes them.
#pragma once

#include "model/LoreBook.h"
#include "model/NodeView.h"
#include "model/Template.h"

#include <memory>
#include <vector>

namespace tc {

class LoreData {
public:
    using Books = std::vector<std::unique_ptr<LoreBook>>;
    using Templates = std::vector<std::unique_ptr<Template>>;

    LoreData() = default;
    LoreData(const LoreData&) = delete;
    LoreData& operator=(const LoreData&) = delete;
    virtual ~LoreData() = default;

    NodeView<LoreBook> GetBooks() const { return m_books; }
    NodeView<Template> GetTemplates() const { return m_templates; }

    // The index of the first template named `name`, ignoring case, or -1.
    int FindTemplate(std::string_view name) const;
    // True when no node of the collection other than `except` has exactly this name.
    bool IsBookKeyUnique(std::string_view name, const Node* except) const;
    bool IsTemplateNameUnique(std::string_view name, const Node* except) const;

    // The books or the templates as the tree lists them: by name ignoring case, equal names in
    // the collection's order.
    std::vector<const Node*> ByName(NodeType type) const;

protected:
    Books& BookList() { return m_books; }
    Templates& TemplateList() { return m_templates; }

    // Books by key; templates "base_" first, then the others, each group by name.
    void SortBooks();
    void SortTemplates();

private:
    Templates m_templates;
    Books m_books;
};

} // namespace tc

#include "model/LoreData.h"

#include "model/NameOrder.h"
#include "platform/Text.h"

#include <algorithm>

namespace tc {

namespace {

template <class Kind>
bool IsNameUnique(const std::vector<std::unique_ptr<Kind>>& nodes, std::string_view name,
                  const Node* except) {
    for (const auto& node : nodes) {
        if (node && node.get() != except && node->GetNameView() == name) {
            return false;
        }
    }
    return true;
}

template <class Kind> std::string_view NameOf(const std::unique_ptr<Kind>& node) {
    return node->GetNameView();
}

} // namespace

int LoreData::FindTemplate(std::string_view name) const {
    for (std::size_t k = 0; k < m_templates.size(); ++k) {
        if (EqualsNoCase(m_templates[k]->GetNameView(), name)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

bool LoreData::IsBookKeyUnique(std::string_view name, const Node* except) const {
    return IsNameUnique(m_books, name, except);
}

bool LoreData::IsTemplateNameUnique(std::string_view name, const Node* except) const {
    return IsNameUnique(m_templates, name, except);
}

std::vector<const Node*> LoreData::ByName(NodeType type) const {
    std::vector<const Node*> nodes;
    if (type == NodeType::LoreBook) {
        const auto books = GetBooks();
        nodes.assign(books.begin(), books.end());
    } else if (type == NodeType::Template) {
        const auto templates = GetTemplates();
        nodes.assign(templates.begin(), templates.end());
    }
    std::stable_sort(nodes.begin(), nodes.end(), [](const Node* a, const Node* b) {
        return CompareNoCase(a->GetNameView(), b->GetNameView()) < 0;
    });
    return nodes;
}

void LoreData::SortBooks() {
    ExchangeSortRange(m_books, 0, m_books.size(), NameOf<LoreBook>);
}

void LoreData::SortTemplates() {
    // Base templates move to the front in their former relative order; the swaps may reorder
    // the others, which the sort below settles.
    std::size_t bases = 0;
    for (std::size_t k = 0; k < m_templates.size(); ++k) {
        if (IsBaseName(m_templates[k]->GetNameView())) {
            if (k != bases) {
                std::swap(m_templates[k], m_templates[bases]);
            }
            ++bases;
        }
    }
    ExchangeSortRange(m_templates, 0, bases, NameOf<Template>);
    ExchangeSortRange(m_templates, bases, m_templates.size(), NameOf<Template>);
}

} // namespace tc

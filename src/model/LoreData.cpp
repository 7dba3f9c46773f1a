#include "model/LoreData.h"

#include "model/NameOrder.h"
#include "platform/Text.h"

namespace tc {

namespace {

template <class Node>
bool IsNameUnique(const std::vector<std::unique_ptr<Node>>& nodes, std::string_view name,
                  const TCObject* except) {
    for (const auto& node : nodes) {
        if (node && node.get() != except && node->GetNameView() == name) {
            return false;
        }
    }
    return true;
}

template <class Node> std::string_view NameOf(const std::unique_ptr<Node>& node) {
    return node->GetNameView();
}

} // namespace

int LoreData::FindTemplate(std::string_view name) const {
    for (std::size_t k = 0; k < m_arrTemplates.size(); ++k) {
        if (EqualsNoCase(m_arrTemplates[k]->GetNameView(), name)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

bool LoreData::IsBookKeyUnique(std::string_view name, const TCObject* except) const {
    return IsNameUnique(m_arrBooks, name, except);
}

bool LoreData::IsTemplateNameUnique(std::string_view name, const TCObject* except) const {
    return IsNameUnique(m_arrTemplates, name, except);
}

void LoreData::SortBooks() {
    ExchangeSortRange(m_arrBooks, 0, m_arrBooks.size(), NameOf<CLoreBook>);
}

void LoreData::SortTemplates() {
    // Base templates move to the front in their former relative order; the swaps may reorder
    // the others, which the sort below settles.
    std::size_t bases = 0;
    for (std::size_t k = 0; k < m_arrTemplates.size(); ++k) {
        if (IsBaseName(m_arrTemplates[k]->GetNameView())) {
            if (k != bases) {
                std::swap(m_arrTemplates[k], m_arrTemplates[bases]);
            }
            ++bases;
        }
    }
    ExchangeSortRange(m_arrTemplates, 0, bases, NameOf<CTemplate>);
    ExchangeSortRange(m_arrTemplates, bases, m_arrTemplates.size(), NameOf<CTemplate>);
}

} // namespace tc

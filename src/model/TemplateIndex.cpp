#include "model/TemplateIndex.h"

#include "platform/Text.h"

namespace tc {

TemplateIndex::TemplateIndex(const std::vector<std::unique_ptr<CTemplate>>& templates) {
    m_byFoldedName.reserve(templates.size());
    for (const auto& tmpl : templates) {
        // emplace keeps the first of several equal names, as FindTemplate does.
        m_byFoldedName.emplace(ToLower(tmpl->GetNameView()), tmpl.get());
    }
}

const CTemplate* TemplateIndex::Find(std::string_view name) const {
    const auto it = m_byFoldedName.find(ToLower(name));
    return it == m_byFoldedName.end() ? nullptr : it->second;
}

} // namespace tc

#include "model/TemplateIndex.h"

#include "platform/Text.h"

namespace tc {

TemplateIndex::TemplateIndex(NodeView<Template> templates) {
    m_templatesByFoldedName.reserve(templates.size());
    for (const Template* tmpl : templates) {
        // emplace keeps the first of several equal names, as FindTemplate does.
        m_templatesByFoldedName.emplace(ToLower(tmpl->GetNameView()), tmpl);
    }
}

const Template* TemplateIndex::Find(std::string_view name) const {
    const auto it = m_templatesByFoldedName.find(ToLower(name));
    return it == m_templatesByFoldedName.end() ? nullptr : it->second;
}

} // namespace tc

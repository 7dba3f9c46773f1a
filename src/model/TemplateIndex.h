// FindTemplate for many lookups at once: built in one pass, answers in constant time with the
// same result (the first template whose name equals the given one, ignoring case).
#pragma once

#include "model/NodeView.h"
#include "model/Template.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tc {

class TemplateIndex {
public:
    explicit TemplateIndex(NodeView<Template> templates);

    const Template* Find(std::string_view name) const;

private:
    std::unordered_map<std::string, const Template*> m_templatesByFoldedName;
};

} // namespace tc

// FindTemplate for many lookups at once: built in one pass, answers in constant time with the
// same result (the first template whose name equals the given one, ignoring case).
#pragma once

#include "model/CTemplate.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tc {

class TemplateIndex {
public:
    explicit TemplateIndex(const std::vector<std::unique_ptr<CTemplate>>& templates);

    const CTemplate* Find(std::string_view name) const;

private:
    std::unordered_map<std::string, const CTemplate*> m_byFoldedName;
};

} // namespace tc

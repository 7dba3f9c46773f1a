#include "tools/tomecraft-gas/PairChecks.h"

#include "model/TemplateIndex.h"
#include "platform/Text.h"

#include <map>
#include <unordered_set>

namespace tc::cli {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

template <class Nodes>
void CheckRepeatedNames(const Nodes& nodes, const std::string& what, std::vector<Finding>& out) {
    std::map<std::string_view, int> counts;
    for (const auto& node : nodes) {
        ++counts[node->GetNameView()];
    }
    for (const auto& [name, count] : counts) {
        if (count > 1) {
            out.push_back({true, "duplicate " + what + " " + Quoted(name) + " (" +
                                     std::to_string(count) + " times)"});
        }
    }
}

} // namespace

std::vector<Finding> CheckPair(const LoreData& data) {
    std::vector<Finding> findings;
    CheckRepeatedNames(data.m_arrBooks, "book key", findings);
    CheckRepeatedNames(data.m_arrTemplates, "template name", findings);

    std::unordered_set<std::string> bookKeys;
    for (const auto& book : data.m_arrBooks) {
        bookKeys.insert(ToLower(book->GetNameView()));
    }
    const TemplateIndex index(data.m_arrTemplates);
    for (const auto& tmpl : data.m_arrTemplates) {
        const std::string name = Quoted(tmpl->GetNameView());
        const std::string specializes = tmpl->GetSpecializes();
        const bool base = IsBaseName(tmpl->GetNameView());
        if (StartsWith(specializes, "treasure") && !base) {
            findings.push_back({true, "template " + name +
                                          " specializes treasure but its name does not begin "
                                          "with \"base_\""});
        } else if (!StartsWith(specializes, "treasure") && base) {
            findings.push_back({true, "template " + name +
                                          " begins with \"base_\" but does not specialize "
                                          "treasure"});
        }
        const std::string loreKey = tmpl->GetLoreKey();
        if (!tmpl->GetScreenName().empty() && loreKey.empty()) {
            findings.push_back({true, "template " + name + " has a screen name but no lore key"});
        }
        if (!loreKey.empty() && !bookKeys.contains(ToLower(loreKey))) {
            findings.push_back({false, "template " + name + " has lore key " + Quoted(loreKey) +
                                           ", which names no loaded book"});
        }
        if (!tmpl->IsTreasureBased() && index.Find(specializes) == nullptr) {
            findings.push_back({false, "template " + name + " specializes " + Quoted(specializes) +
                                           ", which names no loaded template"});
        }
    }
    return findings;
}

} // namespace tc::cli

#include "tools/tomecraft-gas/PairChecks.h"

#include "model/TemplateIndex.h"
#include "platform/Text.h"

#include <map>
#include <unordered_set>

namespace tc::cli {

namespace {

std::string Quoted(std::string_view text) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "\"" + std::string(...).
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return quoted;
}

// One finding for each repeated name, at the line of its first repetition.
template <class Nodes>
void CheckRepeatedNames(const Nodes& nodes, const std::string& what, bool inTemplates,
                        std::vector<Finding>& out) {
    struct Seen {
        int count = 0;
        const Node* repeat = nullptr;
    };
    std::map<std::string_view, Seen> seen;
    for (const Node* node : nodes) {
        Seen& s = seen[node->GetNameView()];
        if (++s.count == 2) {
            s.repeat = node;
        }
    }
    for (const auto& [name, s] : seen) {
        if (s.count > 1) {
            out.push_back({true,
                           "duplicate " + what + " " + Quoted(name) + " (" +
                               std::to_string(s.count) + " times)",
                           inTemplates, s.repeat->GetSourceLine()});
        }
    }
}

} // namespace

std::vector<Finding> CheckPair(const LoreData& data) {
    std::vector<Finding> findings;
    CheckRepeatedNames(data.GetBooks(), "book key", false, findings);
    CheckRepeatedNames(data.GetTemplates(), "template name", true, findings);

    std::unordered_set<std::string> bookKeys;
    for (const auto& book : data.GetBooks()) {
        bookKeys.insert(ToLower(book->GetNameView()));
    }
    const TemplateIndex index(data.GetTemplates());
    for (const auto& tmpl : data.GetTemplates()) {
        const std::string name = Quoted(tmpl->GetNameView());
        const std::string specializes = tmpl->GetSpecializes();
        const auto add = [&](bool error, std::string text) {
            findings.push_back({error, std::move(text), true, tmpl->GetSourceLine()});
        };
        const bool base = IsBaseName(tmpl->GetNameView());
        if (StartsWith(specializes, "treasure") && !base) {
            add(true, "template " + name +
                          " specializes treasure but its name does not begin "
                          "with \"base_\"");
        } else if (!StartsWith(specializes, "treasure") && base) {
            add(true, "template " + name +
                          " begins with \"base_\" but does not specialize "
                          "treasure");
        }
        const std::string loreKey = tmpl->GetLoreKey();
        if (!tmpl->GetScreenName().empty() && loreKey.empty()) {
            add(true, "template " + name + " has a screen name but no lore key");
        }
        if (!loreKey.empty() && !bookKeys.contains(ToLower(loreKey))) {
            add(false, "template " + name + " has lore key " + Quoted(loreKey) +
                           ", which names no loaded book");
        }
        if (!tmpl->IsTreasureBased() && index.Find(specializes) == nullptr) {
            add(false, "template " + name + " specializes " + Quoted(specializes) +
                           ", which names no loaded template");
        }
    }
    return findings;
}

} // namespace tc::cli

// The translation state of every node of a pair, with the counts the status bar shows and the
// findings the problems list shows, kept current step by step: a step looks up only the nodes
// whose English text it touched, so that it costs the same whatever the size of the pair.
#pragma once

#include "document/DataChange.h"
#include "document/NodeFindings.h"
#include "document/Translation.h"

#include <cstddef>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tc {

class TranslationStates final : public NodeFindings {
public:
    TranslationStates(const LanguageFile& file, TranslationPaths paths)
        : m_file(file), m_paths(std::move(paths)) {}

    // Every node anew.
    void Reset(const LoreData& data);
    // After one step of the data's history (the language file already changed with it).
    void Follow(const DataChange& change);

    const TranslationCounts& Counts() const { return m_counts; }
    TranslationState StateOf(const Node* node) const;
    // The nodes whose findings may have changed since the last call, in no order.
    std::vector<const Node*> TakeTouched();

    // The nodes that are missing or stale, in no order, and what is found about one.
    std::vector<const Node*> Concerned() const override;
    void About(const Node* node, Diagnostics& out) const override;

private:
    struct Held {
        TranslationState state = TranslationState::Nothing;
        std::size_t text = 0; // the English text's hash
        bool book = true;
    };
    void Take(const Node* node);
    void Forget(const Node* node);
    void Count(const Held& held, int by);
    void Recheck(std::size_t text);

    const LanguageFile& m_file;
    TranslationPaths m_paths;
    std::unordered_map<const Node*, Held> m_nodes;
    std::unordered_map<std::size_t, std::vector<const Node*>> m_nodesOfText;
    TranslationCounts m_counts;
    std::unordered_set<const Node*> m_touched;
};

} // namespace tc

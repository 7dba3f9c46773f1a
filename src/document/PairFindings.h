// What is wrong or doubtful about a pair of files as it stands: the rules `tomecraft-gas check`
// applies and the editor's problems list shows, kept current as the data changes.
//
// Errors: a book key or a template name used twice; a template that specializes treasure
// without a "base_" name, or has one without specializing treasure; a template with a screen
// name and no lore key; a template based on itself through the templates it specializes.
// Warnings: a lore key or a specializes value that names nothing loaded; a book that no
// template's lore key names; a book key equal to another's but for case.
#pragma once

#include "document/DataChange.h"
#include "document/NodeFindings.h"
#include "gasfiles/Diagnostic.h"
#include "model/LoreData.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tc {

class PairFindings final : public NodeFindings {
public:
    // Findings about books name `lorePath`, those about templates `templatePath`.
    PairFindings(std::string lorePath, std::string templatePath);

    // Everything found anew.
    void Reset(const LoreData& data);
    // After one step of the data's history: only the findings the change can affect are made
    // again, so that a step costs the same whatever the size of the pair.
    void Follow(const DataChange& change);

    // Every finding: about the lore file first, then the template file, each by line.
    Diagnostics All() const;
    std::size_t Count(Severity severity) const;

    // The nodes that have findings, and what is found about one of them, so that a list can be
    // made again node by node.
    std::vector<const Node*> Concerned() const override;
    void About(const Node* node, Diagnostics& out) const override;
    // Whether an error is found about the node.
    bool HasError(const Node* node) const;
    // The nodes whose findings may have changed since the last call (a removed node among
    // them), in no particular order.
    std::vector<const Node*> TakeTouched();

private:
    struct BookEntry {
        std::string key;
        std::string folded;
        unsigned rules = 0; // the rules it breaks, a bit each
    };
    struct TemplateEntry {
        std::string name;
        std::string folded;
        std::string loreKey; // folded
        std::string parent;  // specializes, folded
        unsigned rules = 0;
    };
    template <class T> using Index = std::unordered_map<std::string, std::vector<const T*>>;
    using GroupKey = std::pair<NodeType, std::string>;

    struct Affected {
        std::vector<const LoreBook*> books;
        std::vector<const Template*> templates;
        std::vector<GroupKey> groups;
    };

    void Add(const Node* node);
    void Remove(const Node* node);
    // What a book's or template's present entry reaches in the indexes.
    void Reach(const BookEntry& entry, Affected& affected) const;
    void Reach(const TemplateEntry& entry, Affected& affected) const;
    void ReachCycles(const Template* tmpl, const std::vector<std::string>& names,
                     Affected& affected) const;
    // The templates whose chain of specializes comes back to them through `from`.
    void CycleThrough(const Template* from, std::vector<const Template*>& members) const;
    const Template* OnlyHolder(const std::string& folded) const;
    bool OnCycle(const Template* tmpl) const;
    void Recheck(const Affected& affected);
    void CheckBook(const LoreBook* book);
    void CheckTemplate(const Template* tmpl);
    void CheckGroup(const GroupKey& group);
    void SetRules(unsigned& rules, unsigned now);
    // A loaded node's rules and the name it holds; nullopt for a node not loaded, which is
    // looked for by its address alone.
    std::optional<std::pair<unsigned, GroupKey>> Held(const Node* node) const;
    // The holder of a repeated name that its finding is told at: the second in the file.
    const Node* Told(const GroupKey& group) const;
    bool IsTold(const GroupKey& group, const Node* node) const;
    Diagnostic Repeated(const GroupKey& group) const;
    Diagnostic Finding(const Node* node, unsigned rule, std::string cp1252Text) const;
    void Describe(const LoreBook* book, const BookEntry& entry, Diagnostics& out) const;
    void Describe(const Template* tmpl, const TemplateEntry& entry, Diagnostics& out) const;

    std::string m_lorePath;
    std::string m_templatePath;
    // Keyed by the node as a node, so that a node no longer loaded (and perhaps gone) can be
    // looked for without touching it.
    std::unordered_map<const Node*, BookEntry> m_books;
    std::unordered_map<const Node*, TemplateEntry> m_templates;
    Index<LoreBook> m_booksByKey;
    Index<LoreBook> m_booksByFolded;
    Index<Template> m_templatesByName;
    Index<Template> m_templatesByFolded;
    Index<Template> m_templatesByLoreKey;
    Index<Template> m_templatesByParent;
    std::set<GroupKey> m_repeated;       // names held more than once
    std::ptrdiff_t m_counts[2] = {0, 0}; // errors, warnings
    std::unordered_set<const Node*> m_touched;
};

// The findings about `data` as a whole, for a one-off check.
Diagnostics FindProblems(const LoreData& data, const std::string& lorePath,
                         const std::string& templatePath);

} // namespace tc

#include "document/PairFindings.h"

#include "platform/Text.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <tuple>
#include <unordered_set>

namespace tc {

namespace {

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return quoted;
}

template <class Index, class T> void Erase(Index& index, const std::string& key, const T* node) {
    const auto it = index.find(key);
    if (it == index.end()) {
        return;
    }
    std::erase(it->second, node);
    if (it->second.empty()) {
        index.erase(it);
    }
}

template <class Index> const auto& HoldersOf(const Index& index, const std::string& key) {
    static const typename Index::mapped_type kNone;
    const auto it = index.find(key);
    return it == index.end() ? kNone : it->second;
}

template <class T> void Append(std::vector<T>& to, const std::vector<T>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

} // namespace

PairFindings::PairFindings(std::string lorePath, std::string templatePath)
    : m_lorePath(std::move(lorePath)), m_templatePath(std::move(templatePath)) {}

void PairFindings::Reset(const LoreData& data) {
    *this = PairFindings(std::move(m_lorePath), std::move(m_templatePath));
    const std::size_t books = data.GetBooks().size();
    const std::size_t templates = data.GetTemplates().size();
    m_books.reserve(books);
    m_booksByKey.reserve(books);
    m_booksByFolded.reserve(books);
    m_templates.reserve(templates);
    for (Index<Template>* index :
         {&m_templatesByName, &m_templatesByFolded, &m_templatesByLoreKey, &m_templatesByParent}) {
        index->reserve(templates);
    }
    Affected all;
    for (const LoreBook* book : data.GetBooks()) {
        Add(book);
        all.books.push_back(book);
    }
    for (const Template* tmpl : data.GetTemplates()) {
        Add(tmpl);
        all.templates.push_back(tmpl);
    }
    for (const auto& [key, holders] : m_booksByKey) {
        if (holders.size() > 1) {
            all.groups.emplace_back(NodeType::LoreBook, key);
        }
    }
    for (const auto& [name, holders] : m_templatesByName) {
        if (holders.size() > 1) {
            all.groups.emplace_back(NodeType::Template, name);
        }
    }
    Recheck(all);
    m_touched.clear(); // whoever follows starts from here
}

void PairFindings::Add(const Node* node) {
    if (node->GetType() == NodeType::LoreBook) {
        const auto* book = static_cast<const LoreBook*>(node);
        const BookEntry& e = m_books[book] = {book->GetName(), ToLower(book->GetNameView())};
        m_booksByKey[e.key].push_back(book);
        m_booksByFolded[e.folded].push_back(book);
        return;
    }
    const auto* tmpl = static_cast<const Template*>(node);
    const TemplateEntry& e =
        m_templates[tmpl] = {tmpl->GetName(), ToLower(tmpl->GetNameView()),
                             ToLower(tmpl->GetLoreKeyView()), ToLower(tmpl->GetSpecializes())};
    m_templatesByName[e.name].push_back(tmpl);
    m_templatesByFolded[e.folded].push_back(tmpl);
    m_templatesByLoreKey[e.loreKey].push_back(tmpl);
    m_templatesByParent[e.parent].push_back(tmpl);
}

void PairFindings::Remove(const Node* node) {
    if (node->GetType() == NodeType::LoreBook) {
        const auto* book = static_cast<const LoreBook*>(node);
        const auto it = m_books.find(book);
        m_touched.insert(book);
        SetRules(it->second.rules, 0);
        Erase(m_booksByKey, it->second.key, book);
        Erase(m_booksByFolded, it->second.folded, book);
        m_books.erase(it);
        return;
    }
    const auto* tmpl = static_cast<const Template*>(node);
    const auto it = m_templates.find(tmpl);
    m_touched.insert(tmpl);
    SetRules(it->second.rules, 0);
    Erase(m_templatesByName, it->second.name, tmpl);
    Erase(m_templatesByFolded, it->second.folded, tmpl);
    Erase(m_templatesByLoreKey, it->second.loreKey, tmpl);
    Erase(m_templatesByParent, it->second.parent, tmpl);
    m_templates.erase(it);
}

void PairFindings::Reach(const BookEntry& entry, Affected& affected) const {
    affected.groups.emplace_back(NodeType::LoreBook, entry.key);
    Append(affected.books, HoldersOf(m_booksByFolded, entry.folded));
    Append(affected.templates, HoldersOf(m_templatesByLoreKey, entry.folded));
}

void PairFindings::Reach(const TemplateEntry& entry, Affected& affected) const {
    affected.groups.emplace_back(NodeType::Template, entry.name);
    Append(affected.templates, HoldersOf(m_templatesByParent, entry.folded));
    Append(affected.books, HoldersOf(m_booksByFolded, entry.loreKey));
}

void PairFindings::ReachCycles(const Template* tmpl, const std::vector<std::string>& names,
                               Affected& affected) const {
    // A cycle may pass through the template, or through the one template that holds a name it
    // held or takes: a name held by two leads nowhere.
    if (m_templates.contains(tmpl)) {
        CycleThrough(tmpl, affected.templates);
    }
    for (const std::string& name : names) {
        if (const Template* holder = OnlyHolder(name)) {
            CycleThrough(holder, affected.templates);
        }
    }
}

void PairFindings::Follow(const DataChange& change) {
    const Node* node = change.node;
    const bool removed = change.kind == DataChange::Kind::Removed;
    m_touched.insert(node); // a new name changes the texts that quote it
    Affected affected;
    if (node->GetType() == NodeType::LoreBook) {
        const auto* book = static_cast<const LoreBook*>(node);
        if (const auto it = m_books.find(book); it != m_books.end()) {
            Reach(it->second, affected);
            Remove(book);
        }
        if (!removed) {
            Add(book);
            Reach(m_books.at(book), affected);
            affected.books.push_back(book);
        }
    } else {
        const auto* tmpl = static_cast<const Template*>(node);
        std::vector<std::string> names;
        if (!removed) {
            names.push_back(ToLower(tmpl->GetNameView()));
        }
        const auto it = m_templates.find(tmpl);
        if (it != m_templates.end()) {
            names.push_back(it->second.folded);
        }
        ReachCycles(tmpl, names, affected); // as things were
        if (it != m_templates.end()) {
            Reach(it->second, affected);
            Remove(tmpl);
        }
        if (!removed) {
            Add(tmpl);
            Reach(m_templates.at(tmpl), affected);
            affected.templates.push_back(tmpl);
        }
        ReachCycles(tmpl, names, affected); // as they are now
    }
    Recheck(affected);
}

const Template* PairFindings::OnlyHolder(const std::string& folded) const {
    const auto& holders = HoldersOf(m_templatesByFolded, folded);
    return holders.size() == 1 ? holders.front() : nullptr;
}

void PairFindings::CycleThrough(const Template* from, std::vector<const Template*>& members) const {
    // A name held by several templates leads nowhere: which one is meant is the error to fix.
    std::vector<const Template*> path{from};
    std::unordered_set<const Template*> seen{from};
    for (const Template* at = from;;) {
        const Template* next = OnlyHolder(m_templates.at(at).parent);
        if (next == from) {
            Append(members, path);
            return;
        }
        if (next == nullptr || !seen.insert(next).second) {
            return;
        }
        path.push_back(next);
        at = next;
    }
}

bool PairFindings::OnCycle(const Template* tmpl) const {
    std::vector<const Template*> members;
    CycleThrough(tmpl, members);
    return !members.empty();
}

void PairFindings::Recheck(const Affected& affected) {
    // A node checked again is touched even when its rules stay: a text may quote another's.
    for (const LoreBook* book : affected.books) {
        if (m_books.contains(book)) {
            CheckBook(book);
            m_touched.insert(book);
        }
    }
    for (const Template* tmpl : affected.templates) {
        if (m_templates.contains(tmpl)) {
            CheckTemplate(tmpl);
            m_touched.insert(tmpl);
        }
    }
    for (const GroupKey& group : affected.groups) {
        CheckGroup(group);
    }
}

namespace {

// The rules, one bit each; the texts are made only when the findings are listed.
enum Rule : unsigned {
    kBookNamedByNone = 1u << 0,
    kBookKeyCase = 1u << 1,
    kTreasureNotBase = 1u << 2,
    kBaseNotTreasure = 1u << 3,
    kScreenNameNoKey = 1u << 4,
    kLoreKeyNamesNothing = 1u << 5,
    kParentNamesNothing = 1u << 6,
    kOwnBase = 1u << 7,
    kRepeatedName = 1u << 8,
};
constexpr unsigned kErrors =
    kTreasureNotBase | kBaseNotTreasure | kScreenNameNoKey | kOwnBase | kRepeatedName;

} // namespace

void PairFindings::SetRules(unsigned& rules, unsigned now) {
    m_counts[0] += std::popcount(now & kErrors) - std::popcount(rules & kErrors);
    m_counts[1] += std::popcount(now & ~kErrors) - std::popcount(rules & ~kErrors);
    rules = now;
}

void PairFindings::CheckBook(const LoreBook* book) {
    BookEntry& e = m_books.at(book);
    unsigned rules = m_templatesByLoreKey.contains(e.folded) ? 0u : unsigned(kBookNamedByNone);
    for (const LoreBook* other : HoldersOf(m_booksByFolded, e.folded)) {
        if (m_books.at(other).key != e.key) {
            rules |= kBookKeyCase;
        }
    }
    SetRules(e.rules, rules);
}

void PairFindings::CheckTemplate(const Template* tmpl) {
    TemplateEntry& e = m_templates.at(tmpl);
    unsigned rules = 0;
    const bool treasure = StartsWith(tmpl->GetSpecializes(), "treasure");
    if (treasure != IsBaseName(e.name)) {
        rules |= treasure ? kTreasureNotBase : kBaseNotTreasure;
    }
    const std::string_view loreKey = tmpl->GetLoreKeyView();
    if (!tmpl->GetScreenNameView().empty() && loreKey.empty()) {
        rules |= kScreenNameNoKey;
    }
    if (!loreKey.empty() && !m_booksByFolded.contains(e.loreKey)) {
        rules |= kLoreKeyNamesNothing;
    }
    if (!tmpl->IsTreasureBased() && !m_templatesByFolded.contains(e.parent)) {
        rules |= kParentNamesNothing;
    }
    if (OnCycle(tmpl)) {
        rules |= kOwnBase;
    }
    SetRules(e.rules, rules);
}

void PairFindings::CheckGroup(const GroupKey& group) {
    const std::size_t holders = group.first == NodeType::LoreBook
                                    ? HoldersOf(m_booksByKey, group.second).size()
                                    : HoldersOf(m_templatesByName, group.second).size();
    const bool repeated = holders > 1;
    // Which holder the finding is told at, and its count, may change with any holder.
    const auto touch = [this](const auto& named) { m_touched.insert(named.begin(), named.end()); };
    group.first == NodeType::LoreBook ? touch(HoldersOf(m_booksByKey, group.second))
                                      : touch(HoldersOf(m_templatesByName, group.second));
    if (repeated != m_repeated.contains(group)) {
        m_counts[0] += repeated ? 1 : -1;
        repeated ? void(m_repeated.insert(group)) : void(m_repeated.erase(group));
    }
}

Diagnostic PairFindings::Finding(const Node* node, unsigned rule, std::string cp1252Text) const {
    static constexpr const char* kFields[] = {
        "", "", "", "", "lore_key", "lore_key", "specializes", "specializes", ""};
    Diagnostic d = FindingAt(rule & kErrors ? Severity::Error : Severity::Warning,
                             node->GetType() == NodeType::LoreBook ? m_lorePath : m_templatePath,
                             node->GetSourceLine(), Cp1252ToUtf8(cp1252Text), node);
    d.field = kFields[std::countr_zero(rule)];
    return d;
}

void PairFindings::Describe(const LoreBook* book, const BookEntry& e, Diagnostics& out) const {
    const std::string key = Quoted(e.key);
    if (e.rules & kBookNamedByNone) {
        out.push_back(Finding(book, kBookNamedByNone,
                              "book " + key + " is the lore key of no loaded template"));
    }
    if (e.rules & kBookKeyCase) {
        // The first of the others by its bytes, so that the text does not depend on history.
        const std::string* other = nullptr;
        for (const LoreBook* b : HoldersOf(m_booksByFolded, e.folded)) {
            const std::string& k = m_books.at(b).key;
            if (k != e.key && (other == nullptr || k < *other)) {
                other = &k;
            }
        }
        out.push_back(
            Finding(book, kBookKeyCase,
                    "book key " + key + " differs from " + Quoted(*other) + " only in case"));
    }
}

void PairFindings::Describe(const Template* tmpl, const TemplateEntry& e, Diagnostics& out) const {
    const std::string name = "template " + Quoted(e.name);
    const std::pair<Rule, std::string> texts[] = {
        {kTreasureNotBase, " specializes treasure but its name does not begin with \"base_\""},
        {kBaseNotTreasure, " begins with \"base_\" but does not specialize treasure"},
        {kScreenNameNoKey, " has a screen name but no lore key"},
        {kLoreKeyNamesNothing,
         " has lore key " + Quoted(tmpl->GetLoreKeyView()) + ", which names no loaded book"},
        {kParentNamesNothing,
         " specializes " + Quoted(tmpl->GetSpecializes()) + ", which names no loaded template"},
        {kOwnBase, " is based on itself through the templates it specializes"},
    };
    for (const auto& [rule, text] : texts) {
        if (e.rules & rule) {
            out.push_back(Finding(tmpl, rule, name + text));
        }
    }
}

const Node* PairFindings::Told(const GroupKey& group) const {
    std::vector<const Node*> holders;
    if (group.first == NodeType::LoreBook) {
        const auto& named = HoldersOf(m_booksByKey, group.second);
        holders.assign(named.begin(), named.end());
    } else {
        const auto& named = HoldersOf(m_templatesByName, group.second);
        holders.assign(named.begin(), named.end());
    }
    std::nth_element(
        holders.begin(), holders.begin() + 1, holders.end(), [](const Node* a, const Node* b) {
            return std::tuple(a->GetSourceLine(), a) < std::tuple(b->GetSourceLine(), b);
        });
    return holders[1];
}

Diagnostic PairFindings::Repeated(const GroupKey& group) const {
    const bool books = group.first == NodeType::LoreBook;
    const std::size_t times = books ? HoldersOf(m_booksByKey, group.second).size()
                                    : HoldersOf(m_templatesByName, group.second).size();
    return Finding(Told(group), kRepeatedName,
                   std::string("duplicate ") + (books ? "book key " : "template name ") +
                       Quoted(group.second) + " (" + std::to_string(times) + " times)");
}

std::optional<std::pair<unsigned, PairFindings::GroupKey>>
PairFindings::Held(const Node* node) const {
    if (const auto it = m_books.find(node); it != m_books.end()) {
        return std::pair(it->second.rules, GroupKey{NodeType::LoreBook, it->second.key});
    }
    if (const auto it = m_templates.find(node); it != m_templates.end()) {
        return std::pair(it->second.rules, GroupKey{NodeType::Template, it->second.name});
    }
    return std::nullopt;
}

bool PairFindings::IsTold(const GroupKey& group, const Node* node) const {
    return m_repeated.contains(group) && Told(group) == node;
}

std::vector<const Node*> PairFindings::Concerned() const {
    std::vector<const Node*> nodes;
    for (const auto& [book, e] : m_books) {
        if (e.rules != 0) {
            nodes.push_back(book);
        }
    }
    for (const auto& [tmpl, e] : m_templates) {
        if (e.rules != 0) {
            nodes.push_back(tmpl);
        }
    }
    for (const GroupKey& group : m_repeated) {
        if (const Node* told = Told(group); Held(told)->first == 0) {
            nodes.push_back(told);
        }
    }
    return nodes;
}

void PairFindings::About(const Node* node, Diagnostics& out) const {
    const auto held = Held(node);
    if (!held) {
        return;
    }
    if (held->second.first == NodeType::LoreBook) {
        Describe(static_cast<const LoreBook*>(node), m_books.at(node), out);
    } else {
        Describe(static_cast<const Template*>(node), m_templates.at(node), out);
    }
    if (IsTold(held->second, node)) {
        out.push_back(Repeated(held->second));
    }
}

bool PairFindings::HasError(const Node* node) const {
    const auto held = Held(node);
    return held && ((held->first & kErrors) != 0 || IsTold(held->second, node));
}

std::vector<const Node*> PairFindings::TakeTouched() {
    std::vector<const Node*> touched(m_touched.begin(), m_touched.end());
    m_touched.clear();
    return touched;
}

Diagnostics PairFindings::All() const {
    Diagnostics all;
    all.reserve(Count(Severity::Error) + Count(Severity::Warning));
    for (const Node* node : Concerned()) {
        About(node, all);
    }
    std::sort(all.begin(), all.end(), [this](const Diagnostic& a, const Diagnostic& b) {
        return ListedBefore(a, b, m_lorePath);
    });
    return all;
}

std::size_t PairFindings::Count(Severity severity) const {
    return static_cast<std::size_t>(severity == Severity::Error     ? m_counts[0]
                                    : severity == Severity::Warning ? m_counts[1]
                                                                    : 0);
}

Diagnostics FindProblems(const LoreData& data, const std::string& lorePath,
                         const std::string& templatePath) {
    PairFindings findings(lorePath, templatePath);
    findings.Reset(data);
    return findings.All();
}

} // namespace tc

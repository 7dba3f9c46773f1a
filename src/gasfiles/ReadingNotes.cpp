#include "gasfiles/ReadingNotes.h"

#include "gasfiles/PlainGas.h"
#include "model/TemplateIndex.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <tuple>
#include <unordered_map>

namespace tc {

namespace {

// Parents followed at most this far when a template inherits a value: the game's chains are
// short, and the bound keeps the comparison linear whatever the file holds.
constexpr int kMaxInheritance = 32;

// Views into the plain reading its side keeps, or into the side's own pool for what had to be
// built; nothing is copied per key.
struct Item {
    std::string_view path;  // lower-cased sub-sections and key, for matching
    std::string_view shown; // as written, for the note
    std::string_view value; // as written
    int line = 0;
    bool comment = false;
};

bool ByPathAndValue(const Item& a, const Item& b) {
    return std::tie(a.comment, a.path, a.value) < std::tie(b.comment, b.path, b.value);
}

// Keeps joined texts in a few large blocks that never move.
class Arena {
public:
    // `head` + `middle` (lower-cased if `lower`) + `tail`.
    std::string_view Join(std::string_view head, std::string_view middle, std::string_view tail,
                          bool lower) {
        const std::size_t size = head.size() + middle.size() + tail.size();
        if (size > m_left) {
            const std::size_t block = std::max<std::size_t>(size, 64 * 1024);
            m_blocks.push_back(std::make_unique<char[]>(block));
            m_at = m_blocks.back().get();
            m_left = block;
        }
        char* out = std::copy(head.begin(), head.end(), m_at);
        out = lower ? std::transform(middle.begin(), middle.end(), out, ToLowerChar)
                    : std::copy(middle.begin(), middle.end(), out);
        std::copy(tail.begin(), tail.end(), out);
        const std::string_view joined(m_at, size);
        m_at += size;
        m_left -= size;
        return joined;
    }

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_at = nullptr;
    std::size_t m_left = 0;
};

// A node that both sides hold as the same text, set aside while the sides are read: `section`
// in the side's plain reading, `pair` the writer's node it is, its text `begin`..`end` of what
// the side reads elsewhere, starting at line `line`.
struct SetAside {
    int section = -1;
    int pair = -1;
    std::size_t begin = 0, end = 0;
    int line = 0;
};

// One side of the comparison: the nodes (books or templates) of a plainly read text, each with
// everything inside its section, and what stands outside every node. A node set aside is read
// only when a comparison needs what it holds.
struct Side {
    struct Node {
        std::string_view name;
        int line = 0;
        std::vector<Item> items; // sorted by path and value
        int parent = -1;         // templates: the node it specializes
        int nextSame = -1;       // the next node of the same name
        int pair = -1;           // set aside: the writer's node it is
        std::size_t begin = 0, end = 0;
        int firstLine = 0;
        bool read = true;
        bool parentKnown = false;
    };
    PlainGas gas;
    Arena pool; // texts that are not in the plain reading as they stand
    std::vector<Node> nodes;
    std::vector<Item> outside;
    bool named = false; // firstByName and nextSame made, on first need
    std::unordered_map<std::string_view, int> firstByName;
    std::unordered_map<std::string, int> firstByLowerName; // made on first need
    bool templates = false;
    const std::vector<std::string>* writerHeader = nullptr;
    std::string_view text;                        // what nodes set aside are read from
    std::vector<std::unique_ptr<PlainGas>> later; // their plain readings
};

bool HasUpper(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return ToLowerChar(c) != c; });
}

// Comments as the readers keep them: without "//" and the white space around.
std::string_view CommentText(std::string_view comment) {
    if (StartsWith(comment, "//")) {
        comment.remove_prefix(2);
    }
    return TrimWhite(comment);
}

bool IsLoreRoot(const PlainSection& s) {
    return s.parent < 0 && EqualsNoCase(s.header, "lore");
}

// The paths of section `k` below the node it is in, from its parent's.
void SectionPaths(Side& side, const PlainGas& gas, std::size_t k, bool inNode,
                  std::vector<std::string_view>& relPath, std::vector<std::string_view>& relShown) {
    const PlainSection& s = gas.sections[k];
    const std::size_t up = static_cast<std::size_t>(s.parent);
    const std::string_view parentPath = s.parent < 0 ? std::string_view() : relPath[up];
    const std::string_view parentShown = s.parent < 0 ? std::string_view() : relShown[up];
    relPath[k] = side.pool.Join(parentPath, s.header, "/", true);
    relShown[k] =
        inNode ? side.pool.Join(parentShown, s.header, "/", false)
               : side.pool.Join(side.pool.Join(parentShown, "[", "", false), s.header, "]/", false);
}

// Files the entries of `gas` under the nodes their sections belong to, or outside.
void AddItems(Side& side, const PlainGas& gas, const std::vector<int>& nodeOf,
              const std::vector<std::string_view>& relPath,
              const std::vector<std::string_view>& relShown) {
    const std::vector<std::string>& writerHeader = *side.writerHeader;
    for (const PlainEntry& e : gas.entries) {
        const std::size_t sec = static_cast<std::size_t>(e.section);
        const int node = e.section < 0 ? nodeOf.back() : nodeOf[sec];
        Item item;
        item.line = e.line;
        if (e.kind == PlainEntry::Kind::Key) {
            const bool nested = e.section >= 0 && !relPath[sec].empty();
            if (nested) {
                item.path = side.pool.Join(relPath[sec], e.key, "", true);
                item.shown = side.pool.Join(relShown[sec], e.key, "", false);
            } else {
                item.path =
                    HasUpper(e.key) ? side.pool.Join("", e.key, "", true) : std::string_view(e.key);
                item.shown = e.key;
            }
            item.value = e.value;
        } else {
            item.comment = true;
            item.value = e.kind == PlainEntry::Kind::Comment ? CommentText(e.value)
                                                             : std::string_view(e.value);
            // The reader skips the template file's header line wherever it stands.
            if ((node < 0 || side.templates) && e.kind == PlainEntry::Kind::Comment &&
                std::find(writerHeader.begin(), writerHeader.end(), item.value) !=
                    writerHeader.end()) {
                continue; // the writer's own header
            }
        }
        (node < 0 ? side.outside : side.nodes[static_cast<std::size_t>(node)].items)
            .push_back(item);
    }
}

// `asides` in the order of their sections.
void Build(Side& side, const std::vector<SetAside>& asides) {
    const PlainGas& gas = side.gas;
    const bool templates = side.templates;
    const std::size_t count = gas.sections.size();
    // One more than the sections: where entries at file level go.
    std::vector<int> nodeOf(count + 1, -1);
    std::vector<std::string_view> relPath(count), relShown(count);
    side.nodes.reserve(count);
    int root = -1;
    auto aside = asides.begin();
    for (std::size_t k = 0; k < count; ++k) {
        const PlainSection& s = gas.sections[k];
        const std::size_t up = static_cast<std::size_t>(s.parent);
        const int parentNode = s.parent < 0 ? -1 : nodeOf[up];
        bool node = false;
        if (parentNode >= 0) {
            nodeOf[k] = parentNode;
        } else if (templates) {
            node = StartsWith(s.header, "t:template");
        } else if (root < 0 && IsLoreRoot(s)) {
            root = static_cast<int>(k);
        } else {
            node = root >= 0 && (s.parent == root || s.parent < 0);
        }
        if (node) {
            Side::Node n;
            if (templates) {
                const std::size_t at = FindText(s.header, "n:");
                n.name = at == std::string::npos ? std::string_view()
                                                 : std::string_view(s.header).substr(at + 2);
            } else {
                n.name = s.header;
            }
            n.line = s.line;
            if (aside != asides.end() && aside->section == static_cast<int>(k)) {
                n.pair = aside->pair;
                n.begin = aside->begin;
                n.end = aside->end;
                n.firstLine = aside->line;
                n.read = false;
                ++aside;
            }
            nodeOf[k] = static_cast<int>(side.nodes.size());
            side.nodes.push_back(std::move(n));
        } else {
            SectionPaths(side, gas, k, nodeOf[k] >= 0, relPath, relShown);
        }
    }
    AddItems(side, gas, nodeOf, relPath, relShown);
    for (Side::Node& n : side.nodes) {
        std::sort(n.items.begin(), n.items.end(), ByPathAndValue);
    }
    std::sort(side.outside.begin(), side.outside.end(), ByPathAndValue);
}

// Finds each name's first node and links the nodes of a name in turn, once.
void IndexNames(Side& side) {
    if (side.named) {
        return;
    }
    side.named = true;
    std::vector<int> lastByName;
    lastByName.reserve(side.nodes.size());
    side.firstByName.reserve(side.nodes.size());
    for (std::size_t k = 0; k < side.nodes.size(); ++k) {
        const int index = static_cast<int>(k);
        const auto [first, fresh] = side.firstByName.try_emplace(side.nodes[k].name, index);
        lastByName.push_back(index);
        if (!fresh) {
            int& last = lastByName[static_cast<std::size_t>(first->second)];
            side.nodes[static_cast<std::size_t>(last)].nextSame = index;
            last = index;
        }
    }
}

// The items of a node, read now if it was set aside: its text holds the node's section first,
// and all it holds.
const std::vector<Item>& Items(Side& side, int index) {
    Side::Node& n = side.nodes[static_cast<std::size_t>(index)];
    if (!n.read) {
        n.read = true;
        auto gas = std::make_unique<PlainGas>();
        PlainParser parser(*gas);
        RawLines lines(side.text.substr(n.begin, n.end - n.begin));
        std::string_view line;
        for (int number = n.firstLine; lines.Next(line); ++number) {
            parser.Line(line, number);
        }
        parser.End();
        const std::size_t count = gas->sections.size();
        std::vector<int> nodeOf(count + 1, index);
        std::vector<std::string_view> relPath(count), relShown(count);
        for (std::size_t k = 1; k < count; ++k) {
            SectionPaths(side, *gas, k, true, relPath, relShown);
        }
        AddItems(side, *gas, nodeOf, relPath, relShown);
        std::sort(n.items.begin(), n.items.end(), ByPathAndValue);
        side.later.push_back(std::move(gas));
    }
    return n.items;
}

// The node a template specializes, found by name as the writer finds it; -1 for none.
int ParentOf(Side& side, int index) {
    Side::Node& n = side.nodes[static_cast<std::size_t>(index)];
    if (n.parentKnown) {
        return n.parent;
    }
    n.parentKnown = true;
    const std::vector<Item>& items = Items(side, index);
    const auto given = std::find_if(items.begin(), items.end(), [](const Item& i) {
        return !i.comment && i.path == "specializes";
    });
    if (given == items.end() || Contains(given->value, "treasure")) {
        return n.parent;
    }
    IndexNames(side);
    if (const auto found = side.firstByName.find(given->value); found != side.firstByName.end()) {
        n.parent = found->second;
        return n.parent;
    }
    // Names match ignoring case, as the writer finds a parent.
    if (side.firstByLowerName.empty()) {
        side.firstByLowerName.reserve(side.nodes.size());
        for (std::size_t k = 0; k < side.nodes.size(); ++k) {
            side.firstByLowerName.try_emplace(ToLower(side.nodes[k].name), static_cast<int>(k));
        }
    }
    if (const auto lower = side.firstByLowerName.find(ToLower(given->value));
        lower != side.firstByLowerName.end()) {
        n.parent = lower->second;
    }
    return n.parent;
}

// The values a template's nearest ancestor gives for `path`, appended to `out`; whether any.
bool AppendInherited(Side& side, int node, std::string_view path, int line,
                     std::vector<Item>& out) {
    int at = ParentOf(side, node);
    for (int depth = 0; at >= 0 && depth < kMaxInheritance; ++depth) {
        const auto& items = Items(side, at);
        Item probe;
        probe.path = path;
        auto it = std::lower_bound(items.begin(), items.end(), probe, ByPathAndValue);
        bool any = false;
        for (; it != items.end() && !it->comment && it->path == path; ++it) {
            out.push_back(*it);
            out.back().line = line;
            any = true;
        }
        if (any) {
            return true;
        }
        at = ParentOf(side, at);
    }
    return false;
}

std::string Shown(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string shown;
    shown.reserve(kShown + 8);
    for (const char c : text.substr(0, kShown)) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            shown += Cp1252ToUtf8(std::string_view(&c, 1));
        } else {
            shown += c == '\n' ? ' ' : c;
        }
    }
    return text.size() > kShown ? shown + "..." : shown;
}

std::string_view Unquoted(std::string_view value) {
    if (StartsWith(value, "\"")) {
        value.remove_prefix(1);
    }
    if (!value.empty() && value.back() == '"') {
        value.remove_suffix(1);
    }
    return value;
}

class Notes {
public:
    Notes(const std::string& path, NodeType type, Diagnostics& found)
        : m_path(path), m_type(type), m_found(found) {}

    void Add(int line, const std::string_view* node, std::string_view field, std::string text) {
        Diagnostic& d = m_found.emplace_back();
        d.kind = Diagnostic::Kind::ReadingNote;
        d.severity = Severity::Warning;
        d.path = m_path;
        d.line = line;
        d.text = std::move(text);
        d.field = field;
        if (node != nullptr) {
            d.hasNode = true;
            d.nodeType = m_type;
            d.nodeName = *node;
        }
    }

    // Reports what `was` holds and `will` does not, and the other way round; `line` stands
    // for what only `will` holds. Both sorted by path and value.
    void Compare(const std::vector<Item>& was, const std::vector<Item>& will, int line,
                 const std::string_view* node) {
        if (was.size() == will.size() &&
            std::equal(was.begin(), was.end(), will.begin(), [](const Item& a, const Item& b) {
                return a.comment == b.comment && a.path == b.path && a.value == b.value;
            })) {
            return;
        }
        std::vector<const Item*>& dropped = m_dropped;
        std::vector<const Item*>& added = m_added;
        dropped.clear();
        added.clear();
        std::size_t a = 0, b = 0;
        while (a < was.size() || b < will.size()) {
            if (b == will.size() || (a < was.size() && ByPathAndValue(was[a], will[b]))) {
                dropped.push_back(&was[a++]);
            } else if (a == was.size() || ByPathAndValue(will[b], was[a])) {
                added.push_back(&will[b++]);
            } else {
                ++a;
                ++b;
            }
        }
        std::size_t k = 0;
        for (const Item* gone : dropped) {
            while (k < added.size() && added[k] != nullptr && ByPath(*added[k], *gone)) {
                ++k;
            }
            if (!gone->comment && k < added.size() && added[k] != nullptr && !added[k]->comment &&
                added[k]->path == gone->path) {
                Changed(*gone, *added[k], node);
                added[k++] = nullptr;
            } else if (gone->comment) {
                Add(gone->line, node, "", "saving drops " + Described(*gone));
            } else {
                Add(gone->line, node, gone->shown, "saving drops " + Described(*gone));
            }
        }
        for (const Item* extra : added) {
            if (extra != nullptr) {
                Add(line, node, extra->shown, "saving adds " + Described(*extra));
            }
        }
    }

private:
    static bool ByPath(const Item& a, const Item& b) {
        return std::tie(a.comment, a.path) < std::tie(b.comment, b.path);
    }

    static std::string Described(const Item& item) {
        if (item.comment) {
            return StartsWith(item.value, "/*") || StartsWith(item.value, "[") || item.value == "}"
                       ? "\"" + Shown(item.value) + "\""
                       : "the comment \"" + Shown(item.value) + "\"";
        }
        return Cp1252ToUtf8(item.shown) + " = " + Shown(item.value);
    }

    void Changed(const Item& was, const Item& will, const std::string_view* node) {
        const std::string key = Cp1252ToUtf8(was.shown);
        std::string text;
        if (Contains(was.value, '\n')) {
            text = "saving joins the lines of " + key + " into " + Shown(will.value);
        } else if (const std::string_view kept = Unquoted(will.value);
                   !kept.empty() && StartsWith(Unquoted(was.value), kept)) {
            text = "saving cuts " + key + " to " + Shown(will.value);
        } else {
            text =
                "saving changes " + key + " from " + Shown(was.value) + " to " + Shown(will.value);
        }
        Add(was.line, node, was.shown, std::move(text));
    }

    const std::string& m_path;
    NodeType m_type;
    Diagnostics& m_found;
    std::vector<const Item*> m_dropped, m_added; // kept from node to node
};

// A template's own values, and for each key that only the other side gives, what it inherits
// (reported at the template's own line). Empty when it inherits nothing the other side gives:
// then the own values stand alone.
std::vector<Item> Inheriting(Side& side, int node, const Side::Node& other) {
    const Side::Node& self = side.nodes[static_cast<std::size_t>(node)];
    std::vector<Item> out;
    if (ParentOf(side, node) < 0) {
        return out;
    }
    std::string_view last;
    bool any = false;
    for (const Item& item : other.items) {
        if (item.comment || (any && last == item.path)) {
            continue;
        }
        last = item.path;
        any = true;
        Item probe;
        probe.path = item.path;
        const auto at =
            std::lower_bound(self.items.begin(), self.items.end(), probe, ByPathAndValue);
        if (at != self.items.end() && !at->comment && at->path == item.path) {
            continue;
        }
        AppendInherited(side, node, item.path, self.line, out);
    }
    if (!out.empty()) {
        out.insert(out.end(), self.items.begin(), self.items.end());
        std::sort(out.begin(), out.end(), ByPathAndValue);
    }
    return out;
}

template <class List>
void CompareSides(Side& was, Side& will, bool templates, NodeType type, const List& model,
                  const std::string& path, Diagnostics& found) {
    const std::size_t first = found.size();
    Notes notes(path, type, found);
    notes.Compare(was.outside, will.outside, 0, nullptr);
    // The n-th node of a name is compared with the n-th the writer gives that name: the node
    // in the same place when both sides name their nodes alike, as they mostly do.
    const bool alike =
        std::equal(was.nodes.begin(), was.nodes.end(), will.nodes.begin(), will.nodes.end(),
                   [](const Side::Node& a, const Side::Node& b) { return a.name == b.name; });
    if (!alike) {
        IndexNames(will);
    }
    std::unordered_map<std::string_view, int> nextWritten;
    std::vector<bool> matched(will.nodes.size(), false);
    for (std::size_t k = 0; k < was.nodes.size(); ++k) {
        const Side::Node& o = was.nodes[k];
        int w = -1;
        if (alike) {
            w = static_cast<int>(k);
        } else if (const auto cursor = nextWritten.find(o.name); cursor != nextWritten.end()) {
            w = cursor->second;
        } else if (const auto written = will.firstByName.find(o.name);
                   written != will.firstByName.end()) {
            w = written->second;
        }
        if (w >= 0 && !alike) {
            nextWritten[o.name] = will.nodes[static_cast<std::size_t>(w)].nextSame;
        }
        if (w < 0) {
            nextWritten[o.name] = -1;
            notes.Add(o.line, &o.name, "",
                      "saving drops the section [" + Shown(o.name) + "] and all it holds");
            continue;
        }
        matched[static_cast<std::size_t>(w)] = true;
        const Side::Node& n = will.nodes[static_cast<std::size_t>(w)];
        if (o.pair >= 0 && o.pair == n.pair) {
            continue; // the same text on both sides
        }
        Items(was, static_cast<int>(k));
        Items(will, w);
        if (templates) {
            const std::vector<Item> before = Inheriting(was, static_cast<int>(k), n);
            const std::vector<Item> after = Inheriting(will, w, o);
            notes.Compare(before.empty() ? o.items : before, after.empty() ? n.items : after,
                          o.line, &o.name);
        } else {
            notes.Compare(o.items, n.items, o.line, &o.name);
        }
    }
    std::unordered_map<std::string_view, int> modelLine;
    for (std::size_t w = 0; w < will.nodes.size(); ++w) {
        if (matched[w]) {
            continue;
        }
        if (modelLine.empty()) {
            for (const auto& node : model) {
                modelLine.emplace(node->GetNameView(), node->GetSourceLine());
            }
        }
        const std::string_view& name = will.nodes[w].name;
        const auto at = modelLine.find(name);
        notes.Add(at == modelLine.end() ? 0 : at->second, &name, "",
                  "saving writes a section [" + Shown(name) + "] that the file does not " +
                      "hold in that form");
    }
    // In line order, keeping the order of a line's notes: positions are sorted, and each note
    // moved once.
    std::vector<std::pair<int, std::size_t>> order;
    order.reserve(found.size() - first);
    for (std::size_t k = first; k < found.size(); ++k) {
        order.emplace_back(found[k].line, k);
    }
    if (!std::is_sorted(order.begin(), order.end())) {
        std::sort(order.begin(), order.end());
        Diagnostics sorted;
        sorted.reserve(order.size());
        for (const auto& [line, k] : order) {
            sorted.push_back(std::move(found[k]));
        }
        std::move(sorted.begin(), sorted.end(), found.begin() + static_cast<std::ptrdiff_t>(first));
    }
}

// Takes what a writer writes and checks, as it comes, that the file holds the same lines; the
// line ends may differ. A file Save wrote passes without a copy of it being made. A written
// CR, or a file that ends without a line end, only costs the full comparison.
class SameLinesSink : public TextSink {
public:
    explicit SameLinesSink(std::string_view file) : m_file(file) {}

    void Write(std::string_view text) override {
        while (m_same && !text.empty()) {
            const std::size_t end = LineEndIn(text);
            const std::string_view piece = text.substr(0, end);
            if (m_file.substr(m_at, piece.size()) != piece) {
                m_same = false;
                return;
            }
            m_at += piece.size();
            if (end == text.npos) {
                return;
            }
            m_same = text[end] == '\n' && SkipLineEnd();
            text.remove_prefix(end + 1);
        }
    }

    bool Same() const { return m_same && m_at == m_file.size(); }
    // No difference found so far.
    bool Going() const { return m_same; }

private:
    // The first CR or LF; two memchr scans beat one find_first_of, which tests every byte.
    static std::size_t LineEndIn(std::string_view text) {
        const void* lf = std::memchr(text.data(), '\n', text.size());
        const std::size_t upTo =
            lf == nullptr ? text.size()
                          : static_cast<std::size_t>(static_cast<const char*>(lf) - text.data());
        const void* cr = std::memchr(text.data(), '\r', upTo);
        if (cr != nullptr) {
            return static_cast<std::size_t>(static_cast<const char*>(cr) - text.data());
        }
        return lf == nullptr ? text.npos : upTo;
    }

    bool SkipLineEnd() {
        if (m_at < m_file.size() && m_file[m_at] == '\r') {
            ++m_at;
            m_at += m_at < m_file.size() && m_file[m_at] == '\n' ? 1 : 0;
            return true;
        }
        if (m_at < m_file.size() && m_file[m_at] == '\n') {
            ++m_at;
            return true;
        }
        return false;
    }

    std::string_view m_file;
    std::size_t m_at = 0;
    bool m_same = true;
};

std::vector<std::string> HeaderComments(const std::string& written, std::size_t rows) {
    std::vector<std::string> header;
    const PlainGas gas = ParsePlainGas(written);
    for (const PlainEntry& e : gas.entries) {
        if (e.kind == PlainEntry::Kind::Comment && header.size() < rows) {
            header.emplace_back(CommentText(e.value));
        }
    }
    return header;
}

// Collects one written piece at a time.
class PieceSink : public TextSink {
public:
    void Write(std::string_view text) override { m_text += text; }
    void Clear() { m_text.clear(); }
    std::string_view Text() const { return m_text; }

private:
    std::string m_text;
};

// The end of the text of `written` in `file` from `at`, the same but for line ends (CR, LF or
// CR LF in the file; LF and no CR in `written`, which ends with one); npos when it is not there.
std::size_t FindSameLines(std::string_view file, std::size_t at, std::string_view written) {
    while (!written.empty()) {
        const void* lf = std::memchr(written.data(), '\n', written.size());
        if (lf == nullptr) {
            return std::string_view::npos;
        }
        const std::size_t end =
            static_cast<std::size_t>(static_cast<const char*>(lf) - written.data());
        if (std::memchr(written.data(), '\r', end) != nullptr ||
            file.substr(at, end) != written.substr(0, end)) {
            return std::string_view::npos;
        }
        at += end;
        if (at < file.size() && file[at] == '\r') {
            ++at;
            at += at < file.size() && file[at] == '\n' ? 1 : 0;
        } else if (at < file.size() && file[at] == '\n') {
            ++at;
        } else {
            return std::string_view::npos;
        }
        written.remove_prefix(end + 1);
    }
    return at;
}

// Lines before a written node's header: its comments.
int LinesBeforeHeader(std::string_view written) {
    int lines = 0;
    for (std::size_t at = 0; at < written.size(); ++lines) {
        const std::size_t end = std::min(written.find('\n', at), written.size());
        const std::string_view line = TrimWhite(written.substr(at, end - at));
        if (!line.empty() && !StartsWith(line, "//")) {
            break;
        }
        at = end + 1;
    }
    return lines;
}

// A written statement line that the plain reading ends on that line, opening nothing: no brace,
// header, comment or block comment outside the one pair of quotes it may hold.
bool IsSelfContained(std::string_view line) {
    const auto plain = [](std::string_view part) {
        for (std::size_t k = 0; k < part.size(); ++k) {
            const char c = part[k];
            if (c == '{' || c == '}' || c == '[' || c == '"' ||
                (c == '/' && k + 1 < part.size() && (part[k + 1] == '/' || part[k + 1] == '*'))) {
                return false;
            }
        }
        return true;
    };
    const std::size_t open = line.find('"');
    if (open == line.npos) {
        return plain(line);
    }
    const std::size_t close = line.find('"', open + 1);
    if (close == line.npos) {
        return false;
    }
    // "/*" or "//" between the quotes is text.
    return plain(line.substr(0, open)) && plain(line.substr(close + 1));
}

// Whether the plain reading takes a written node (without CR) as one section that begins and
// ends it, with nothing carried past it: comments, "[header]", "{", then lines that open no
// quote, block comment or stray header of their own, and the "}" that closes it last. Gives the
// header and the number of lines.
bool IsWholeSection(std::string_view written, std::string_view& header, int& lines) {
    int depth = 0;
    bool named = false;
    lines = 0;
    for (std::size_t at = 0; at < written.size();) {
        const std::size_t end = written.find('\n', at);
        if (end == written.npos) {
            return false;
        }
        const std::string_view raw = written.substr(at, end - at);
        const std::string_view line = TrimWhite(raw);
        at = end + 1;
        ++lines;
        if (line.empty() || StartsWith(line, "//")) {
            continue; // a comment line opens nothing, whatever follows its "//"
        }
        if (line.front() == '[') {
            if (line.find(']') != line.size() - 1 || raw.find("/*") != raw.npos ||
                (depth == 0 && named)) {
                return false;
            }
            if (depth == 0) {
                header = line.substr(1, line.size() - 2);
                named = true;
            }
        } else if (line == "{") {
            if (!named) {
                return false;
            }
            ++depth;
        } else if (line == "}") {
            if (depth == 0) {
                return false;
            }
            if (--depth == 0) {
                return at == written.size();
            }
        } else if (depth == 0 || !IsSelfContained(line)) {
            return false;
        }
    }
    return false;
}

// One side read plainly a line at a time.
struct Reading {
    explicit Reading(PlainGas& gas) : gas(gas), parser(gas) {}

    void Line(std::string_view line) {
        parser.Line(line, ++number);
        FindRoot();
    }
    void Text(std::string_view text) {
        RawLines lines(text);
        for (std::string_view line; lines.Next(line);) {
            Line(line);
        }
    }
    void FindRoot() {
        for (; seen < gas.sections.size(); ++seen) {
            if (root < 0 && IsLoreRoot(gas.sections[seen])) {
                root = static_cast<int>(seen);
            }
        }
    }
    // Where a section begins a node.
    bool AtNode(bool templates) const {
        const int current = parser.Current();
        return parser.Settled() &&
               (templates ? current < 0 : root >= 0 && (current == root || current < 0));
    }

    PlainGas& gas;
    PlainParser parser;
    int number = 0;
    int root = -1;
    std::size_t seen = 0;
};

} // namespace

// Reads the file plainly and, node by node, what Save would write of it (`emit(k, out)` writes
// the k-th node, `head` and `tail` what comes before and after). A node that the file holds as
// written where the reader found its header, and that stands alone as one section, is set
// aside on both sides: the same text reads the same, so it is read only if another node's
// comparison needs it.
template <class Nodes, class Head, class Emit, class Tail>
void CompareByNodes(std::string_view fileBytes, bool templates,
                    const std::vector<std::string>& header, const Nodes& nodes, Head head,
                    Emit emit, Tail tail, bool everyNode, const std::string& path,
                    Diagnostics& found) {
    Side was, will;
    was.templates = will.templates = templates;
    was.writerHeader = will.writerHeader = &header;
    const bool utf16 = StartsWith(fileBytes, "\xFF\xFE") || StartsWith(fileBytes, "\xFE\xFF");
    if (StartsWith(fileBytes, "\xEF\xBB\xBF")) {
        fileBytes.remove_prefix(3);
    }
    was.text = will.text = fileBytes;
    PieceSink piece;
    std::vector<SetAside> wasAside, willAside;
    // Room for the entries of every node, as most nodes hold a few: no regrowth of the lists.
    was.gas.entries.reserve(nodes.size() * (templates ? 8 : 2));
    will.gas.entries.reserve(nodes.size() * (templates ? 8 : 2));
    if (utf16) {
        // Decoded as a whole: the file's bytes are not the writer's.
        was.gas = ParsePlainGas(was.text);
        StringSink written;
        head(written);
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            emit(k, written);
        }
        tail(written);
        will.gas = ParsePlainGas(written.Text());
    } else {
        Reading file(was.gas), writing(will.gas);
        RawLines lines(fileBytes);
        head(piece);
        writing.Text(piece.Text());
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            piece.Clear();
            emit(k, piece);
            const std::string_view text = piece.Text();
            const int first = nodes[k]->GetSourceLine() - LinesBeforeHeader(text);
            std::string_view line;
            while (file.number + 1 < first && lines.Next(line)) {
                file.Line(line);
            }
            std::size_t end = std::string_view::npos;
            std::string_view name;
            int count = 0;
            if (!everyNode && file.number + 1 == first && file.AtNode(templates) &&
                writing.AtNode(templates) &&
                (end = FindSameLines(fileBytes, lines.Position(), text)) !=
                    std::string_view::npos &&
                IsWholeSection(text, name, count) &&
                (!templates || StartsWith(name, "t:template"))) {
                const int before = LinesBeforeHeader(text);
                wasAside.push_back({file.parser.AddSection(std::string(name), first + before),
                                    static_cast<int>(k), lines.Position(), end, first});
                willAside.push_back(
                    {writing.parser.AddSection(std::string(name), writing.number + 1 + before),
                     static_cast<int>(k), lines.Position(), end, writing.number + 1});
                file.number += count;
                writing.number += count;
                lines.MoveTo(end);
                file.FindRoot();
                writing.FindRoot();
            } else {
                writing.Text(text);
            }
        }
        piece.Clear();
        tail(piece);
        writing.Text(piece.Text());
        for (std::string_view line; lines.Next(line);) {
            file.Line(line);
        }
        file.parser.End();
        writing.parser.End();
    }
    Build(was, wasAside);
    Build(will, willAside);
    CompareSides(was, will, templates, templates ? NodeType::Template : NodeType::LoreBook, nodes,
                 path, found);
}

// Whether the file is as Save writes it, written piece by piece until the first difference.
template <class Nodes, class Head, class Emit, class Tail>
bool IsAsWritten(std::string_view fileBytes, const Nodes& nodes, Head head, Emit emit, Tail tail) {
    SameLinesSink same(fileBytes);
    head(same);
    for (std::size_t k = 0; k < nodes.size() && same.Going(); ++k) {
        emit(k, same);
    }
    tail(same);
    return same.Same();
}

void AddLoreReadingNotes(std::string_view fileBytes, const BookList& books, const std::string& path,
                         Diagnostics& found, bool everyNode) {
    const auto emit = [&](std::size_t k, TextSink& out) { EmitLoreBook(*books[k], out); };
    if (!everyNode && IsAsWritten(fileBytes, books, EmitLoreHead, emit, EmitLoreTail)) {
        return; // the file is as Save writes it: the common case, and a cheap one
    }
    static const std::vector<std::string> header = [] {
        StringSink empty;
        EmitLoreFile(BookList(), empty);
        return HeaderComments(empty.Text(), 64);
    }();
    CompareByNodes(fileBytes, false, header, books, EmitLoreHead, emit, EmitLoreTail, everyNode,
                   path, found);
}

void AddTemplateReadingNotes(std::string_view fileBytes, const TemplateList& templates,
                             const std::string& path, Diagnostics& found, bool everyNode) {
    std::vector<const Template*> parents;
    parents.reserve(templates.size());
    const TemplateIndex index(templates);
    for (const auto& t : templates) {
        parents.push_back(index.Find(t->GetSpecializes()));
    }
    const auto emit = [&](std::size_t k, TextSink& out) {
        EmitTemplate(*templates[k], parents[k], out);
    };
    const auto tail = [](TextSink&) {};
    if (!everyNode && IsAsWritten(fileBytes, templates, EmitTemplateHead, emit, tail)) {
        return; // the file is as Save writes it: the common case, and a cheap one
    }
    static const std::vector<std::string> header = {TemplateFileHeader(),
                                                    std::string(TrimWhite(TemplateFileHeader()))};
    CompareByNodes(fileBytes, true, header, templates, EmitTemplateHead, emit, tail, everyNode,
                   path, found);
}

} // namespace tc

#include "gasfiles/ReadingNotes.h"

#include "gasfiles/PlainGas.h"
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

// One side of the comparison: the nodes (books or templates) of a plainly read text, each with
// everything inside its section, and what stands outside every node.
struct Side {
    struct Node {
        std::string_view name;
        int line = 0;
        std::vector<Item> items; // sorted by path and value
        int parent = -1;         // templates: the node it specializes
        int nextSame = -1;       // the next node of the same name
    };
    PlainGas gas;
    Arena pool; // texts that are not in the plain reading as they stand
    std::vector<Node> nodes;
    std::vector<Item> outside;
    std::unordered_map<std::string_view, int> firstByName;
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

void Build(Side& side, bool templates, const std::vector<std::string>& writerHeader) {
    const PlainGas& gas = side.gas;
    const std::size_t count = gas.sections.size();
    std::vector<int> nodeOf(count, -1);
    std::vector<std::string_view> relPath(count), relShown(count);
    std::vector<int> lastByName;
    side.firstByName.reserve(count);
    int root = -1;
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
            const int index = static_cast<int>(side.nodes.size());
            nodeOf[k] = index;
            const auto [first, fresh] = side.firstByName.try_emplace(n.name, index);
            if (!fresh) {
                side.nodes[static_cast<std::size_t>(
                               lastByName[static_cast<std::size_t>(first->second)])]
                    .nextSame = index;
            }
            lastByName.push_back(index);
            if (!fresh) {
                lastByName[static_cast<std::size_t>(first->second)] = index;
            }
            side.nodes.push_back(std::move(n));
        } else {
            const std::string_view parentPath = s.parent < 0 ? std::string_view() : relPath[up];
            const std::string_view parentShown = s.parent < 0 ? std::string_view() : relShown[up];
            relPath[k] = side.pool.Join(parentPath, s.header, "/", true);
            relShown[k] = nodeOf[k] >= 0
                              ? side.pool.Join(parentShown, s.header, "/", false)
                              : side.pool.Join(side.pool.Join(parentShown, "[", "", false),
                                               s.header, "]/", false);
        }
    }
    for (const PlainEntry& e : gas.entries) {
        const std::size_t sec = static_cast<std::size_t>(e.section);
        const int node = e.section < 0 ? -1 : nodeOf[sec];
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
            if ((node < 0 || templates) && e.kind == PlainEntry::Kind::Comment &&
                std::find(writerHeader.begin(), writerHeader.end(), item.value) !=
                    writerHeader.end()) {
                continue; // the writer's own header
            }
        }
        (node < 0 ? side.outside : side.nodes[static_cast<std::size_t>(node)].items)
            .push_back(item);
    }
    for (Side::Node& n : side.nodes) {
        std::sort(n.items.begin(), n.items.end(), ByPathAndValue);
    }
    std::sort(side.outside.begin(), side.outside.end(), ByPathAndValue);
    if (templates) {
        std::unordered_map<std::string, int> firstByLowerName;
        for (Side::Node& n : side.nodes) {
            const auto given = std::find_if(n.items.begin(), n.items.end(), [](const Item& i) {
                return !i.comment && i.path == "specializes";
            });
            if (given == n.items.end() || Contains(given->value, "treasure")) {
                continue;
            }
            const auto found = side.firstByName.find(given->value);
            if (found != side.firstByName.end()) {
                n.parent = found->second;
                continue;
            }
            // Names match ignoring case, as the writer finds a parent.
            if (firstByLowerName.empty()) {
                firstByLowerName.reserve(side.nodes.size());
                for (std::size_t k = 0; k < side.nodes.size(); ++k) {
                    firstByLowerName.try_emplace(ToLower(side.nodes[k].name), static_cast<int>(k));
                }
            }
            const auto lower = firstByLowerName.find(ToLower(given->value));
            if (lower != firstByLowerName.end()) {
                n.parent = lower->second;
            }
        }
    }
}

// The values a template's nearest ancestor gives for `path`, appended to `out`; whether any.
bool AppendInherited(const Side& side, int node, std::string_view path, int line,
                     std::vector<Item>& out) {
    int at = side.nodes[static_cast<std::size_t>(node)].parent;
    for (int depth = 0; at >= 0 && depth < kMaxInheritance; ++depth) {
        const auto& items = side.nodes[static_cast<std::size_t>(at)].items;
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
        at = side.nodes[static_cast<std::size_t>(at)].parent;
    }
    return false;
}

std::string Shown(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string flat = ReplaceAll(text.substr(0, kShown), "\n", " ");
    return Cp1252ToUtf8(flat) + (text.size() > kShown ? "..." : "");
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
        Diagnostic d;
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
        m_found.push_back(std::move(d));
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
        std::vector<const Item*> dropped, added;
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
};

// A template's own values, and for each key that only the other side gives, what it inherits
// (reported at the template's own line). Empty when it inherits nothing the other side gives:
// then the own values stand alone.
std::vector<Item> Inheriting(const Side& side, int node, const Side::Node& other) {
    const Side::Node& self = side.nodes[static_cast<std::size_t>(node)];
    std::vector<Item> out;
    if (self.parent < 0) {
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
void CompareSides(const Side& was, const Side& will, bool templates, NodeType type,
                  const List& model, const std::string& path, Diagnostics& found) {
    const std::size_t first = found.size();
    Notes notes(path, type, found);
    notes.Compare(was.outside, will.outside, 0, nullptr);
    // The n-th node of a name is compared with the n-th the writer gives that name.
    std::unordered_map<std::string_view, int> nextWritten;
    std::vector<bool> matched(will.nodes.size(), false);
    for (std::size_t k = 0; k < was.nodes.size(); ++k) {
        const Side::Node& o = was.nodes[k];
        int w = -1;
        if (const auto cursor = nextWritten.find(o.name); cursor != nextWritten.end()) {
            w = cursor->second;
        } else if (const auto written = will.firstByName.find(o.name);
                   written != will.firstByName.end()) {
            w = written->second;
        }
        if (w >= 0) {
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
    std::stable_sort(found.begin() + static_cast<std::ptrdiff_t>(first), found.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
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

} // namespace

// Parses the file as it is and as Save would write it, and notes where the two differ.
template <class Nodes>
void CompareWithWritten(std::string_view fileBytes, std::string_view written, bool templates,
                        const std::vector<std::string>& header, const Nodes& nodes,
                        const std::string& path, Diagnostics& found) {
    Side was, will;
    was.gas = ParsePlainGas(fileBytes);
    will.gas = ParsePlainGas(written);
    Build(was, templates, header);
    Build(will, templates, header);
    CompareSides(was, will, templates, templates ? NODE_TEMPLATE : NODE_LOREBOOK, nodes, path,
                 found);
}

void AddLoreReadingNotes(std::string_view fileBytes, const BookList& books, const std::string& path,
                         Diagnostics& found) {
    SameLinesSink same(fileBytes);
    EmitLoreFile(books, same);
    if (same.Same()) {
        return; // the file is as Save writes it: the common case, and a cheap one
    }
    StringSink written;
    written.Reserve(fileBytes.size() + fileBytes.size() / 4 + 4096); // no regrowth
    EmitLoreFile(books, written);
    static const std::vector<std::string> header = [] {
        StringSink empty;
        EmitLoreFile(BookList(), empty);
        return HeaderComments(empty.Text(), 64);
    }();
    CompareWithWritten(fileBytes, written.Text(), false, header, books, path, found);
}

void AddTemplateReadingNotes(std::string_view fileBytes, const TemplateList& templates,
                             const std::string& path, Diagnostics& found) {
    SameLinesSink same(fileBytes);
    EmitTemplateFile(templates, same);
    if (same.Same()) {
        return; // the file is as Save writes it: the common case, and a cheap one
    }
    StringSink written;
    written.Reserve(fileBytes.size() + fileBytes.size() / 4 + 4096); // no regrowth
    EmitTemplateFile(templates, written);
    static const std::vector<std::string> header = {TemplateFileHeader(),
                                                    std::string(TrimWhite(TemplateFileHeader()))};
    CompareWithWritten(fileBytes, written.Text(), true, header, templates, path, found);
}

} // namespace tc

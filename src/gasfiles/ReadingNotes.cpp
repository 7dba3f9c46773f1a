#include "gasfiles/ReadingNotes.h"

#include "gasfiles/PlainGas.h"
#include "platform/Text.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace tc {

namespace {

// Parents followed at most this far when a template inherits a value: the game's chains are
// short, and the bound keeps the comparison linear whatever the file holds.
constexpr int kMaxInheritance = 32;

struct Item {
    std::string path;  // lower-cased sub-sections and key, for matching
    std::string shown; // as written, for the note
    std::string value; // as written
    int line = 0;
    bool comment = false;
};

bool ByPathAndValue(const Item& a, const Item& b) {
    return std::tie(a.comment, a.path, a.value) < std::tie(b.comment, b.path, b.value);
}

// One side of the comparison: the nodes (books or templates) of a plainly read text, each with
// everything inside its section, and what stands outside every node.
struct Side {
    struct Node {
        std::string name;
        int line = 0;
        std::vector<Item> items; // sorted by path and value
        int parent = -1;         // templates: the node it specializes
    };
    std::vector<Node> nodes;
    std::vector<Item> outside;
    std::unordered_map<std::string, std::vector<int>> byName;
};

std::string Lower(std::string_view text) {
    return ToLower(text);
}

// Comments as the readers keep them: without "//" and the white space around.
std::string CommentText(std::string_view comment) {
    if (StartsWith(comment, "//")) {
        comment.remove_prefix(2);
    }
    return std::string(TrimWhite(comment));
}

bool IsLoreRoot(const PlainSection& s) {
    return s.parent < 0 && Lower(s.header) == "lore";
}

Side Build(PlainGas gas, bool templates, const std::vector<std::string>& writerHeader) {
    Side side;
    const std::size_t count = gas.sections.size();
    std::vector<int> nodeOf(count, -1);
    std::vector<std::string> relPath(count), relShown(count);
    int root = -1;
    for (std::size_t k = 0; k < count; ++k) {
        const PlainSection& s = gas.sections[k];
        const int parentNode = s.parent < 0 ? -1 : nodeOf[static_cast<std::size_t>(s.parent)];
        const std::string parentPath =
            s.parent < 0 ? std::string() : relPath[static_cast<std::size_t>(s.parent)];
        const std::string parentShown =
            s.parent < 0 ? std::string() : relShown[static_cast<std::size_t>(s.parent)];
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
                n.name = at == std::string::npos ? std::string() : s.header.substr(at + 2);
            } else {
                n.name = s.header;
            }
            n.line = s.line;
            nodeOf[k] = static_cast<int>(side.nodes.size());
            side.byName[n.name].push_back(nodeOf[k]);
            side.nodes.push_back(std::move(n));
        } else if (nodeOf[k] >= 0) {
            relPath[k] = parentPath + Lower(s.header) + "/";
            relShown[k] = parentShown + s.header + "/";
        } else {
            relPath[k] = parentPath + Lower(s.header) + "/";
            relShown[k] = parentShown + "[" + s.header + "]/";
        }
    }
    for (PlainEntry& e : gas.entries) {
        const std::size_t sec = static_cast<std::size_t>(e.section);
        const int node = e.section < 0 ? -1 : nodeOf[sec];
        Item item;
        item.line = e.line;
        if (e.kind == PlainEntry::Kind::Key) {
            item.path = e.section < 0 ? Lower(e.key) : relPath[sec] + Lower(e.key);
            item.shown = e.section < 0 ? std::move(e.key) : relShown[sec] + e.key;
            item.value = std::move(e.value);
        } else {
            item.comment = true;
            item.value = e.kind == PlainEntry::Kind::Comment ? CommentText(e.value) : e.value;
            // The reader skips the template file's header line wherever it stands.
            if ((node < 0 || templates) && e.kind == PlainEntry::Kind::Comment &&
                std::find(writerHeader.begin(), writerHeader.end(), item.value) !=
                    writerHeader.end()) {
                continue; // the writer's own header
            }
        }
        (node < 0 ? side.outside : side.nodes[static_cast<std::size_t>(node)].items)
            .push_back(std::move(item));
    }
    for (Side::Node& n : side.nodes) {
        std::sort(n.items.begin(), n.items.end(), ByPathAndValue);
    }
    std::sort(side.outside.begin(), side.outside.end(), ByPathAndValue);
    if (templates) {
        for (Side::Node& n : side.nodes) {
            const auto given = std::find_if(n.items.begin(), n.items.end(), [](const Item& i) {
                return !i.comment && i.path == "specializes";
            });
            if (given == n.items.end() || Contains(given->value, "treasure")) {
                continue;
            }
            const auto found = side.byName.find(given->value);
            if (found != side.byName.end()) {
                n.parent = found->second.front();
            } else {
                // Names match ignoring case, as the writer finds a parent.
                const std::string wanted = Lower(given->value);
                for (const auto& [name, indices] : side.byName) {
                    if (Lower(name) == wanted) {
                        n.parent = indices.front();
                        break;
                    }
                }
            }
        }
    }
    return side;
}

// The values a template's nearest ancestor gives for `path`, if any.
std::vector<const Item*> Inherited(const Side& side, int node, const std::string& path) {
    int at = side.nodes[static_cast<std::size_t>(node)].parent;
    for (int depth = 0; at >= 0 && depth < kMaxInheritance; ++depth) {
        const auto& items = side.nodes[static_cast<std::size_t>(at)].items;
        Item probe;
        probe.path = path;
        auto it = std::lower_bound(items.begin(), items.end(), probe, ByPathAndValue);
        std::vector<const Item*> values;
        for (; it != items.end() && !it->comment && it->path == path; ++it) {
            values.push_back(&*it);
        }
        if (!values.empty()) {
            return values;
        }
        at = side.nodes[static_cast<std::size_t>(at)].parent;
    }
    return {};
}

std::string Shown(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string flat = ReplaceAll(std::string(text.substr(0, kShown)), "\n", " ");
    return Cp1252ToUtf8(flat) + (text.size() > kShown ? "..." : "");
}

std::string Unquoted(std::string_view value) {
    if (StartsWith(value, "\"")) {
        value.remove_prefix(1);
    }
    if (!value.empty() && value.back() == '"') {
        value.remove_suffix(1);
    }
    return std::string(value);
}

class Notes {
public:
    Notes(const std::string& path, NodeType type, Diagnostics& found)
        : m_path(path), m_type(type), m_found(found) {}

    void Add(int line, const std::string* node, const std::string& field, std::string text) {
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
    // for what only `will` holds.
    void Compare(const std::vector<const Item*>& was, const std::vector<const Item*>& will,
                 int line, const std::string* node) {
        std::vector<const Item*> dropped, added;
        std::size_t a = 0, b = 0;
        while (a < was.size() || b < will.size()) {
            if (b == will.size() || (a < was.size() && ByPathAndValue(*was[a], *will[b]))) {
                dropped.push_back(was[a++]);
            } else if (a == was.size() || ByPathAndValue(*will[b], *was[a])) {
                added.push_back(will[b++]);
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

    void Changed(const Item& was, const Item& will, const std::string* node) {
        const std::string key = Cp1252ToUtf8(was.shown);
        std::string text;
        if (Contains(was.value, '\n')) {
            text = "saving joins the lines of " + key + " into " + Shown(will.value);
        } else if (const std::string kept = Unquoted(will.value);
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

std::vector<const Item*> Pointers(const std::vector<Item>& items) {
    std::vector<const Item*> out;
    out.reserve(items.size());
    for (const Item& item : items) {
        out.push_back(&item);
    }
    return out;
}

// A template's own values, and for each key that only the other side gives, what it inherits
// (reported at the template's own line).
std::vector<Item> WithInherited(const Side& side, int node, const Side::Node& other) {
    const Side::Node& self = side.nodes[static_cast<std::size_t>(node)];
    std::vector<Item> out = self.items;
    const std::string* last = nullptr;
    for (const Item& item : other.items) {
        if (item.comment || (last != nullptr && *last == item.path)) {
            continue;
        }
        last = &item.path;
        Item probe;
        probe.path = item.path;
        const auto at =
            std::lower_bound(self.items.begin(), self.items.end(), probe, ByPathAndValue);
        if (at != self.items.end() && !at->comment && at->path == item.path) {
            continue;
        }
        for (const Item* inherited : Inherited(side, node, item.path)) {
            out.push_back(*inherited);
            out.back().line = self.line;
        }
    }
    std::sort(out.begin(), out.end(), ByPathAndValue);
    return out;
}

template <class List>
void CompareSides(const Side& was, const Side& will, bool templates, NodeType type,
                  const List& model, const std::string& path, Diagnostics& found) {
    const std::size_t first = found.size();
    Notes notes(path, type, found);
    notes.Compare(Pointers(was.outside), Pointers(will.outside), 0, nullptr);
    std::unordered_map<std::string, int> modelLine;
    std::unordered_map<std::string_view, std::size_t> seen;
    for (std::size_t k = 0; k < was.nodes.size(); ++k) {
        const Side::Node& o = was.nodes[k];
        const std::size_t nth = seen[o.name]++;
        const auto written = will.byName.find(o.name);
        if (written == will.byName.end() || written->second.size() <= nth) {
            notes.Add(o.line, &o.name, "",
                      "saving drops the section [" + Shown(o.name) + "] and all it holds");
            continue;
        }
        const int w = written->second[nth];
        const Side::Node& n = will.nodes[static_cast<std::size_t>(w)];
        if (templates) {
            const std::vector<Item> before = WithInherited(was, static_cast<int>(k), n);
            const std::vector<Item> after = WithInherited(will, w, o);
            notes.Compare(Pointers(before), Pointers(after), o.line, &o.name);
        } else {
            notes.Compare(Pointers(o.items), Pointers(n.items), o.line, &o.name);
        }
    }
    for (const auto& [name, indices] : will.byName) {
        const auto original = was.byName.find(name);
        const std::size_t had = original == was.byName.end() ? 0 : original->second.size();
        for (std::size_t nth = had; nth < indices.size(); ++nth) {
            if (modelLine.empty()) {
                for (const auto& node : model) {
                    modelLine.emplace(node->GetName(), node->GetSourceLine());
                }
            }
            const auto at = modelLine.find(name);
            notes.Add(at == modelLine.end() ? 0 : at->second, &name, "",
                      "saving writes a section [" + Shown(name) + "] that the file does not " +
                          "hold in that form");
        }
    }
    std::stable_sort(found.begin() + static_cast<std::ptrdiff_t>(first), found.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
}

std::vector<std::string> HeaderComments(const std::string& written, std::size_t rows) {
    std::vector<std::string> header;
    const PlainGas gas = ParsePlainGas(written);
    for (const PlainEntry& e : gas.entries) {
        if (e.kind == PlainEntry::Kind::Comment && header.size() < rows) {
            header.push_back(CommentText(e.value));
        }
    }
    return header;
}

} // namespace

void AddLoreReadingNotes(std::string_view fileBytes, const BookList& books, const std::string& path,
                         Diagnostics& found) {
    StringSink written;
    EmitLoreFile(books, written);
    static const std::vector<std::string> header = [] {
        StringSink empty;
        EmitLoreFile(BookList(), empty);
        return HeaderComments(empty.Text(), 64);
    }();
    const Side was = Build(ParsePlainGas(fileBytes), false, header);
    const Side will = Build(ParsePlainGas(written.Text()), false, header);
    CompareSides(was, will, false, NODE_LOREBOOK, books, path, found);
}

void AddTemplateReadingNotes(std::string_view fileBytes, const TemplateList& templates,
                             const std::string& path, Diagnostics& found) {
    StringSink written;
    EmitTemplateFile(templates, written);
    static const std::vector<std::string> header = {TemplateFileHeader(),
                                                    std::string(TrimWhite(TemplateFileHeader()))};
    const Side was = Build(ParsePlainGas(fileBytes), true, header);
    const Side will = Build(ParsePlainGas(written.Text()), true, header);
    CompareSides(was, will, true, NODE_TEMPLATE, templates, path, found);
}

} // namespace tc

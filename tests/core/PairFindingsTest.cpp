// The rules a pair is checked against, and the live findings that follow every change.
#include "TestSupport.h"

#include "document/Document.h"
#include "document/FindingRows.h"
#include "document/HeadlessHost.h"
#include "document/PairFindings.h"
#include "platform/MemorySettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

namespace tc {
namespace {

using test::TestData;

struct PairData : TestData {
    using EditableData::SetFollower;
};

// "name:specializes:lore key:screen name", parts at the end left out when empty.
void AddTemplates(PairData& data, const std::vector<std::string>& templates) {
    for (const std::string& described : templates) {
        std::vector<std::string> parts;
        std::stringstream in(described);
        for (std::string part; std::getline(in, part, ':');) {
            parts.push_back(part);
        }
        parts.resize(4);
        Template* tmpl = data.AddTemplate(parts[0], parts[1]);
        tmpl->SetLoreKey(parts[2]);
        tmpl->SetScreenName(parts[3]);
        tmpl->SetSourceLine(static_cast<int>(data.GetTemplates().size()));
    }
}

std::vector<std::string> Lines(const Diagnostics& found) {
    std::vector<std::string> lines;
    for (const Diagnostic& d : found) {
        lines.push_back(DiagnosticLine(d) + " [" + d.nodeName + (d.field.empty() ? "" : "/") +
                        d.field + "]");
    }
    return lines;
}

TEST(PairFindings, EachRuleNamesItsNodeFieldAndLine) {
    struct Case {
        const char* rule;
        std::vector<std::string> books;
        std::vector<std::string> templates;
        std::vector<std::string> expected;
    };
    const std::string base = "base_t:treasure";
    const Case cases[] = {
        {"clean", {"a"}, {base, "t:base_t:a"}, {}},
        {"repeated book key",
         {"a", "a"},
         {base, "t:base_t:a"},
         {"L:2: error: duplicate book key \"a\" (2 times) [a]"}},
        {"repeated template name",
         {"a"},
         {base, "t:base_t:a", "t:base_t:a"},
         {"T:3: error: duplicate template name \"t\" (2 times) [t]"}},
        {"treasure without base_",
         {"a"},
         {"loot:treasure:a"},
         {"T:1: error: template \"loot\" specializes treasure but its name does not begin with "
          "\"base_\" [loot]"}},
        {"base_ without treasure",
         {"a"},
         {base, "base_x:base_t:a"},
         {"T:2: error: template \"base_x\" begins with \"base_\" but does not specialize "
          "treasure [base_x]"}},
        {"screen name without lore key",
         {},
         {base, "t:base_t::Book"},
         {"T:2: error: template \"t\" has a screen name but no lore key [t/lore_key]"}},
        {"lore key names nothing",
         {},
         {base, "t:base_t:zz"},
         {"T:2: warning: template \"t\" has lore key \"zz\", which names no loaded book "
          "[t/lore_key]"}},
        {"specializes names nothing",
         {"a"},
         {"t:gone:a"},
         {"T:1: warning: template \"t\" specializes \"gone\", which names no loaded template "
          "[t/specializes]"}},
        {"book nobody points at",
         {"a", "b"},
         {base, "t:base_t:A"},
         {"L:2: warning: book \"b\" is the lore key of no loaded template [b]"}},
        {"keys equal but for case",
         {"a", "A"},
         {base, "t:base_t:a"},
         {"L:1: warning: book key \"a\" differs from \"A\" only in case [a]",
          "L:2: warning: book key \"A\" differs from \"a\" only in case [A]"}},
        {"a chain back to itself",
         {},
         {"x:Y", "y:z", "z:x", "w:x"},
         {"T:1: error: template \"x\" is based on itself through the templates it specializes "
          "[x/specializes]",
          "T:2: error: template \"y\" is based on itself through the templates it specializes "
          "[y/specializes]",
          "T:3: error: template \"z\" is based on itself through the templates it specializes "
          "[z/specializes]"}},
        {"itself",
         {},
         {"x:x"},
         {"T:1: error: template \"x\" is based on itself through the "
          "templates it specializes [x/specializes]"}},
        {"a repeated name breaks no chain",
         {},
         {"x:x", "x:y", "y:q"},
         {"T:2: error: duplicate template name \"x\" (2 times) [x]",
          "T:3: warning: template \"y\" specializes \"q\", which names no loaded template "
          "[y/specializes]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        PairData data;
        for (const std::string& key : c.books) {
            data.AddBook(key)->SetSourceLine(static_cast<int>(data.GetBooks().size()));
        }
        AddTemplates(data, c.templates);
        EXPECT_EQ(Lines(FindProblems(data, "L", "T")), c.expected);
    }
}

// The rows as a list shows them: node, line, and id.
std::vector<std::tuple<const Node*, std::string, std::uint64_t>> Rows(const FindingRows& rows) {
    std::vector<std::tuple<const Node*, std::string, std::uint64_t>> out;
    for (std::size_t k = 0; k < rows.Size(); ++k) {
        out.emplace_back(rows[k].node, DiagnosticLine(rows[k].finding), rows[k].id);
    }
    return out;
}

// Whatever the steps, the findings kept up to date one change at a time are those found anew,
// and so are the rows of a list that follows them, in any order and filter; a row that stays
// keeps its id.
TEST(PairFindings, LiveFindingsEqualAFreshCheckAfterEveryStep) {
    const char* names[] = {"a", "A", "b", "B", "base_a", "x", "X", "y", "treasure"};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return static_cast<int>(random() % unsigned(n)); };
        const auto name = [&] { return std::string(names[pick(9)]); };
        PairData data;
        data.AddBook("a");
        AddTemplates(data, {"base_a:treasure", "x:y:a", "y:x:b"});
        PairFindings live("L", "T");
        live.Reset(data);
        data.SetFollower([&](const DataChange& change) { live.Follow(change); });
        FindingRows rows;
        rows.SortBy(static_cast<FindingRows::Column>(pick(4)), pick(2) == 0);
        rows.Show(Severity::Warning, pick(3) != 0);
        rows.Reset(live, {}, "L");
        for (int step = 0; step < 150; ++step) {
            const int what = pick(10);
            const bool book = pick(2) == 0;
            const auto& nodes =
                book ? std::vector<const Node*>(data.GetBooks().begin(), data.GetBooks().end())
                     : std::vector<const Node*>(data.GetTemplates().begin(),
                                                data.GetTemplates().end());
            if (what < 2) {
                data.AddNode(book ? NodeType::LoreBook : NodeType::Template, name());
            } else if (what < 3 && !nodes.empty()) {
                data.DeleteNode(nodes[pick(int(nodes.size()))]);
            } else if (what < 4 && data.CanUndo()) {
                data.Undo();
            } else if (what < 5 && data.CanRedo()) {
                data.Redo();
            } else if (!nodes.empty()) {
                const Node* node = nodes[pick(int(nodes.size()))];
                if (node->GetType() == NodeType::LoreBook) {
                    LoreBook values = static_cast<const LoreBook&>(*node);
                    values.SetName(name());
                    data.StoreBook(static_cast<const LoreBook&>(*node), values);
                } else {
                    Template values = static_cast<const Template&>(*node);
                    (pick(3) == 0   ? values.SetName(name())
                     : pick(2) == 0 ? values.SetLoreKey(name())
                                    : values.SetSpecializes(name()));
                    data.StoreTemplate(static_cast<const Template&>(*node), values);
                }
            }
            ASSERT_EQ(Lines(live.All()), Lines(FindProblems(data, "L", "T"))) << "step " << step;
            std::map<std::pair<const Node*, std::string>, std::uint64_t> ids;
            for (const auto& [node, line, id] : Rows(rows)) {
                ids[{node, line}] = id;
            }
            rows.Follow(live, live.TakeTouched());
            FindingRows fresh;
            fresh.SortBy(rows.SortColumn(), rows.Ascending());
            fresh.Show(Severity::Warning, rows.IsShown(Severity::Warning));
            fresh.Reset(live, {}, "L");
            const auto followed = Rows(rows);
            auto anew = Rows(fresh);
            for (std::size_t k = 0; k < anew.size() && k < followed.size(); ++k) {
                const auto kept = ids.find({std::get<0>(anew[k]), std::get<1>(anew[k])});
                std::get<2>(anew[k]) = kept != ids.end() ? kept->second : std::get<2>(followed[k]);
            }
            ASSERT_EQ(followed, anew) << "step " << step;
            const auto marked = [&live](const Node* node) {
                Diagnostics about;
                live.About(node, about);
                EXPECT_EQ(live.HasError(node), std::ranges::any_of(about, [](const auto& d) {
                              return d.severity == Severity::Error;
                          }));
            };
            std::ranges::for_each(data.GetBooks(), marked);
            std::ranges::for_each(data.GetTemplates(), marked);
            ASSERT_EQ(live.Count(Severity::Error) + live.Count(Severity::Warning),
                      live.All().size());
        }
    }
}

// The document finds when first asked, follows its own changes, and starts over with each Open.
TEST(PairFindings, TheDocumentsFindingsFollowItsChangesAndItsOpens) {
    test::ScriptedUi ui;
    HeadlessHost host;
    const MemorySettings settings;
    Document doc(ui, host, settings);
    const std::string lore = test::SamplePath("lore.gas");
    const std::string templates = test::SamplePath("trs_book_lore.gas");
    ASSERT_TRUE(doc.ReadPair(lore, templates));
    EXPECT_TRUE(doc.Findings().All().empty());
    const Node* made = doc.Data().AddNode(NodeType::LoreBook, "unread_book");
    EXPECT_EQ(Lines(doc.Findings().All()), Lines(FindProblems(doc.Data(), lore, templates)));
    ASSERT_EQ(doc.Findings().All().size(), 1u);
    EXPECT_EQ(doc.Findings().All()[0].nodeName, made->GetName());
    doc.Data().Undo();
    EXPECT_TRUE(doc.Findings().All().empty());
    doc.Data().Redo();
    ASSERT_TRUE(doc.ReadPair(lore, templates));
    EXPECT_TRUE(doc.Findings().All().empty()) << "the new book went with the Open";
}

} // namespace
} // namespace tc

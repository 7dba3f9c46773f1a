// Changes through the document's one door: random steps undone and redone, with saves in
// between; the findings that follow every change; and Find over the nodes in the tree's order.
#include "TestSupport.h"

#include "document/FindNode.h"
#include "document/FindingRows.h"
#include "document/PairFindings.h"
#include "document/TranslationStates.h"

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>

namespace tc::test {
namespace {

// "name:specializes:lore key:screen name", parts at the end left out when empty.
void AddTemplates(TestData& data, const std::vector<std::string>& templates) {
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

// A list's rows as it shows them: each row's node and line.
std::vector<std::pair<const Node*, std::string>> Shown(const FindingRows& rows) {
    std::vector<std::pair<const Node*, std::string>> shown;
    for (std::size_t k = 0; k < rows.Size(); ++k) {
        shown.emplace_back(rows[k].node, DiagnosticLine(rows[k].finding));
    }
    return shown;
}

// Every node's values and identity, in collection order, and the language file's bytes.
struct Snapshot {
    std::vector<std::pair<const Node*, LoreBook>> books;
    std::vector<std::pair<const Node*, Template>> templates;
    std::string translation;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const EditableData& data) {
    Snapshot shot{{}, {}, data.Translation()->Text()};
    for (const LoreBook* book : data.GetBooks()) {
        shot.books.emplace_back(book, *book);
    }
    for (const Template* tmpl : data.GetTemplates()) {
        shot.templates.emplace_back(tmpl, *tmpl);
    }
    return shot;
}

// Random steps through the door on a few nodes whose names and texts often collide, with a
// translation open. After each, the data and the language file's bytes are the state the
// history says, the files are flagged as they differ from what was saved, and the findings and
// translation states kept up to date one change at a time are those found anew, as are the rows
// of a list that follows them in any order and filter (a row that stays keeps its id).
class History {
public:
    explicit History(unsigned seed) : m_rng(seed) {
        data.AddBook("a", "one");
        AddTemplates(data, {"base_a:treasure", "x:y:a:two", "y:x:b"});
        Diagnostics ignored;
        data.SetTranslation(std::make_unique<LanguageFile>(
            LanguageFile::Parse("[t:0x0407,n:text]\n{\n\t[0x0000]\n\t{\n\t\tfrom = \"one\";\n"
                                "\t\tto = \"eins\";\n\t}\n}\n",
                                "de.gas", ignored)
                .TakeValue()));
        m_live.Reset(data);
        m_translated.emplace(*data.Translation(), TranslationPaths{"L", "T", "de.gas"});
        m_translated->Reset(data);
        data.SetFollower([this](const DataChange& change) {
            m_live.Follow(change);
            m_translated->Follow(change);
        });
        m_rows.SortBy(static_cast<FindingRows::Column>(Pick(4)), Pick(2) == 0);
        m_rows.Show(Severity::Warning, Pick(3) != 0);
        m_rows.Reset({&m_live, &*m_translated}, {}, "L");
        m_states.push_back(Take(data));
        m_saved = {m_states[0], m_states[0], m_states[0]};
    }

    // One random action: a change, an undo, a redo or a save.
    void Act() {
        const std::size_t books = data.GetBooks().size(),
                          count = books + data.GetTemplates().size();
        const int action = static_cast<int>(Pick(9));
        if (action < 2 && books > 0) {
            const LoreBook& book = *data.GetBooks()[Pick(books)];
            LoreBook values = book;
            Pick(3) == 0 ? values.SetName(Name()) : values.SetText(Text());
            values.SetComment(Pick(2) == 0 ? book.GetComment() : Fresh());
            const std::string translation = Translation(book);
            Changed(data.StoreBook(book, values, Pick(2) == 0 ? &translation : nullptr));
        } else if (action == 2 && count > books) {
            const Template& tmpl = *data.GetTemplates()[Pick(count - books)];
            Template values = tmpl;
            const std::size_t what = Pick(5);
            (what == 0   ? values.SetName(Name())
             : what == 1 ? values.SetLoreKey(Name())
             : what == 2 ? values.SetSpecializes(Name())
             : what == 3 ? values.SetScreenName(Text())
                         : values.SetGoldValue(std::to_string(Pick(3))));
            const std::string translation = Translation(tmpl);
            Changed(data.StoreTemplate(tmpl, values, Pick(2) == 0 ? &translation : nullptr));
        } else if (action == 3) {
            const NodeType type = Pick(2) == 0 ? NodeType::LoreBook : NodeType::Template;
            Changed(data.AddNode(type, Name()) != nullptr);
        } else if (action == 4 && count > 0) {
            const std::size_t k = Pick(count);
            Changed(data.DeleteNode(k < books ? static_cast<const Node*>(data.GetBooks()[k])
                                              : data.GetTemplates()[k - books]));
        } else if ((action == 5 || action == 6) && data.CanUndo()) {
            Travel(-1);
        } else if (action == 7 && data.CanRedo()) {
            Travel(+1);
        } else if (action == 8) {
            const auto file = static_cast<DataFile>(Pick(3));
            data.MarkSaved(file);
            m_saved[static_cast<std::size_t>(file)] = m_states[m_position];
            m_saves = true;
        }
    }

    // Undoes every step, then redoes them all.
    void UndoAllThenRedoAll() {
        while (data.CanUndo()) {
            Travel(-1);
        }
        EXPECT_EQ(m_position, 0u);
        while (data.CanRedo()) {
            Travel(+1);
        }
        EXPECT_EQ(m_position, m_states.size() - 1);
    }

    TestData data;

private:
    std::size_t Pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng);
    }
    std::string Fresh() { return "n" + std::to_string(m_next++); }
    std::string Text() {
        static const char* const texts[] = {"one", "two", "", "three"};
        return Pick(3) == 0 ? Fresh() : texts[Pick(4)];
    }
    // What a form's translation box holds when it stores: as shown, or typed over.
    std::string Translation(const Node& node) {
        static const char* const typed[] = {"", "eins", "zwei", "\xce\xb4\xcf\x8d\xce\xbf"};
        return Pick(2) == 0 ? TranslationOf(*data.Translation(), node) : typed[Pick(4)];
    }
    std::string Name() {
        static const char* const names[] = {"a", "A", "b", "B",       "base_a",
                                            "x", "X", "y", "treasure"};
        return names[Pick(9)];
    }

    void Changed(bool recorded) {
        const Snapshot now = Take(data);
        ASSERT_EQ(recorded, !(now == m_states[m_position])) << "a step only for a change";
        if (recorded) {
            m_states.resize(m_position + 1);
            m_states.push_back(now);
            ++m_position;
            EXPECT_FALSE(data.CanRedo());
        }
        CheckFlags();
    }

    void Travel(int by) {
        by < 0 ? data.Undo() : data.Redo();
        m_position = static_cast<std::size_t>(static_cast<int>(m_position) + by);
        ASSERT_TRUE(Take(data) == m_states[m_position]) << "at step " << m_position;
        CheckFlags();
    }

    // A file differing from what was saved (or read) is flagged; back at the start with no
    // save in between, nothing is. The live findings are a fresh check's.
    void CheckFlags() {
        ASSERT_EQ(Lines(m_live.All()), Lines(FindProblems(data, "L", "T")))
            << "at step " << m_position;
        ASSERT_EQ(m_live.Count(Severity::Error) + m_live.Count(Severity::Warning),
                  m_live.All().size());
        std::map<std::pair<const Node*, std::string>, std::uint64_t> ids;
        for (std::size_t k = 0; k < m_rows.Size(); ++k) {
            ids[{m_rows[k].node, DiagnosticLine(m_rows[k].finding)}] = m_rows[k].id;
        }
        std::vector<const Node*> touched = m_live.TakeTouched();
        std::ranges::copy(m_translated->TakeTouched(), std::back_inserter(touched));
        m_rows.Follow({&m_live, &*m_translated}, touched);
        FindingRows fresh;
        fresh.SortBy(m_rows.SortColumn(), m_rows.Ascending());
        fresh.Show(Severity::Warning, m_rows.IsShown(Severity::Warning));
        fresh.Reset({&m_live, &*m_translated}, {}, "L");
        ASSERT_EQ(Shown(m_rows), Shown(fresh)) << "at step " << m_position;
        for (std::size_t k = 0; k < m_rows.Size(); ++k) {
            const auto kept = ids.find({m_rows[k].node, DiagnosticLine(m_rows[k].finding)});
            EXPECT_TRUE(kept == ids.end() || kept->second == m_rows[k].id) << "a row kept its id";
        }
        const auto marked = [this](const Node* node) {
            Diagnostics about;
            m_live.About(node, about);
            EXPECT_EQ(m_live.HasError(node), std::ranges::any_of(about, [](const auto& d) {
                          return d.severity == Severity::Error;
                      }));
        };
        std::ranges::for_each(data.GetBooks(), marked);
        std::ranges::for_each(data.GetTemplates(), marked);
        TranslationStates states(*data.Translation(), {});
        states.Reset(data);
        const TranslationCounts live = m_translated->Counts(), anew = states.Counts();
        ASSERT_EQ(std::tie(live.books, live.booksDone, live.titles, live.titlesDone, live.missing),
                  std::tie(anew.books, anew.booksDone, anew.titles, anew.titlesDone, anew.missing))
            << "at step " << m_position;
        for (const Node* node : data.ByName(NodeType::LoreBook)) {
            EXPECT_EQ(m_translated->StateOf(node), states.StateOf(node)) << node->GetName();
        }
        for (const Node* node : data.ByName(NodeType::Template)) {
            EXPECT_EQ(m_translated->StateOf(node), states.StateOf(node)) << node->GetName();
        }
        const Snapshot& now = m_states[m_position];
        if (now.translation !=
            m_saved[static_cast<std::size_t>(DataFile::Translation)].translation) {
            EXPECT_TRUE(data.IsModified(DataFile::Translation)) << "at step " << m_position;
        }
        const Snapshot& lore = m_saved[static_cast<std::size_t>(DataFile::Lore)];
        const Snapshot& templates = m_saved[static_cast<std::size_t>(DataFile::Templates)];
        if (now.books != lore.books) {
            EXPECT_TRUE(data.IsModified(DataFile::Lore)) << "at step " << m_position;
        }
        if (now.templates != templates.templates) {
            EXPECT_TRUE(data.IsModified(DataFile::Templates)) << "at step " << m_position;
        }
        if (!m_saves && m_position == 0) {
            EXPECT_FALSE(data.IsModified()) << "back at the start";
        }
    }

    std::mt19937 m_rng;
    PairFindings m_live{"L", "T"};
    std::optional<TranslationStates> m_translated;
    FindingRows m_rows;
    int m_next = 0;
    std::vector<Snapshot> m_states; // the data after each step of the history
    std::size_t m_position = 0;
    std::array<Snapshot, 3> m_saved;
    bool m_saves = false;
};

TEST(EditHistory, RandomStepsUndoToTheStartAndRedoToTheEnd) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        History history(seed);
        for (int k = 0; k < 60; ++k) {
            history.Act();
            if (testing::Test::HasFatalFailure()) {
                return;
            }
        }
        history.UndoAllThenRedoAll();
    }
}

TEST(Find, NextNodeHoldingTheTextIgnoringCaseWrappingAround) {
    TestData data;
    LoreBook* tale = data.AddBook("tale", "The \xC9lan of the Ferry, by \x8Aimon");
    LoreBook* plain = data.AddBook("plain", "nothing");
    Template* titled = data.AddTemplate("book_tale");
    LoreBook* noted = data.AddBook("noted");
    titled->SetScreenName("The Ferry Book");
    noted->SetComment("found by the FERRY");
    const std::vector<const Node*> order = {tale, plain, noted, titled};
    const struct {
        const char* text;
        const Node* from;
        bool forward;
        const Node* found;
        bool wrapped;
    } cases[] = {
        {"ferry", nullptr, true, tale, false},     // the text
        {"ferry", tale, true, noted, false},       // the comment
        {"ferry", noted, true, titled, false},     // the screen name
        {"ferry", titled, true, tale, true},       // around the end
        {"ferry", tale, false, titled, true},      // around the start, backwards
        {"\xc3\x89LAN", plain, true, tale, true},  // Windows-1252 letters fold too
        {"BOOK_T", nullptr, false, titled, false}, // a name
        {"nothing", plain, true, plain, true},     // only the node it starts from
        {"absent", tale, true, nullptr, false},
        {"\xd0\xbf\xd0\xb0\xd1\x80\xd0\xbe\xd0\xbc", tale, true, plain, false}, // a translation
        {"F\xc3\x84HRE", tale, true, titled, false}, // a title's translation
    };
    Diagnostics ignored;
    const LanguageFile german =
        LanguageFile::Parse("[t:0x0407,n:text]{[0]{from=\"nothing\";to="
                            "\"\xd0\x9f\xd0\xb0\xd1\x80\xd0\xbe\xd0\xbc\";}"
                            "[1]{from=\"The Ferry Book\";to=\"F\xc3\xa4hre\";}}",
                            "de.gas", ignored)
            .TakeValue();
    for (const auto& c : cases) {
        const auto translated = TextsTranslatedWith(german, c.text);
        const FoundNode found =
            FindNode(order, c.from, Utf8ToCp1252(c.text), c.forward, &translated);
        EXPECT_EQ(found.node, c.found) << c.text;
        EXPECT_EQ(found.wrapped, c.wrapped) << c.text;
    }
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
        TestData data;
        for (const std::string& key : c.books) {
            data.AddBook(key)->SetSourceLine(static_cast<int>(data.GetBooks().size()));
        }
        AddTemplates(data, c.templates);
        EXPECT_EQ(Lines(FindProblems(data, "L", "T")), c.expected);
    }
}

// The document finds when first asked, follows its own changes, and starts over with each Open.
TEST(PairFindings, TheDocumentsFindingsFollowItsChangesAndItsOpens) {
    Editor editor;
    Document& doc = editor.doc;
    const std::string lore = SamplePath("lore.gas");
    const std::string templates = SamplePath("trs_book_lore.gas");
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
} // namespace tc::test

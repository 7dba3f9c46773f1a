// The undo history: random changes through the document's one door, undone and redone, with
// saves in between; and Find over the nodes in the tree's order.
#include "TestSupport.h"

#include "document/Document.h"
#include "document/FindNode.h"

#include <gtest/gtest.h>

#include <random>

namespace tc::test {
namespace {

// Every node's values and identity, in collection order.
struct Snapshot {
    std::vector<std::pair<const Node*, LoreBook>> books;
    std::vector<std::pair<const Node*, Template>> templates;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const LoreData& data) {
    Snapshot shot;
    for (const LoreBook* book : data.GetBooks()) {
        shot.books.emplace_back(book, *book);
    }
    for (const Template* tmpl : data.GetTemplates()) {
        shot.templates.emplace_back(tmpl, *tmpl);
    }
    return shot;
}

class History {
public:
    explicit History(unsigned seed) : m_rng(seed) {
        for (int k = 0; k < 3; ++k) {
            data.AddBook("book_" + std::to_string(k));
            data.AddTemplate("tmpl_" + std::to_string(k), "base_x");
        }
        m_states.push_back(Take(data));
        m_saved = {m_states[0], m_states[0]};
    }

    // One random action: a change, an undo, a redo or a save.
    void Act() {
        const std::size_t books = data.GetBooks().size(),
                          count = books + data.GetTemplates().size();
        const int action = static_cast<int>(Pick(9));
        if (action < 2 && books > 0) {
            const LoreBook& book = *data.GetBooks()[Pick(books)];
            LoreBook values = book;
            Pick(3) == 0 ? values.SetName(Fresh()) : values.SetText(Fresh());
            values.SetComment(Pick(2) == 0 ? book.GetComment() : Fresh());
            Changed(data.StoreBook(book, values));
        } else if (action == 2 && count > books) {
            const Template& tmpl = *data.GetTemplates()[Pick(count - books)];
            Template values = tmpl;
            values.SetName(Pick(2) == 0 ? tmpl.GetName() : Fresh());
            values.SetGoldValue(std::to_string(Pick(3)));
            Changed(data.StoreTemplate(tmpl, values));
        } else if (action == 3) {
            const NodeType type = Pick(2) == 0 ? NodeType::LoreBook : NodeType::Template;
            Changed(data.AddNode(type, Fresh()) != nullptr);
        } else if (action == 4 && count > 0) {
            const std::size_t k = Pick(count);
            Changed(data.DeleteNode(k < books ? static_cast<const Node*>(data.GetBooks()[k])
                                              : data.GetTemplates()[k - books]));
        } else if ((action == 5 || action == 6) && data.CanUndo()) {
            Travel(-1);
        } else if (action == 7 && data.CanRedo()) {
            Travel(+1);
        } else if (action == 8) {
            const DataFile file = Pick(2) == 0 ? DataFile::Lore : DataFile::Templates;
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
    // save in between, nothing is.
    void CheckFlags() const {
        const Snapshot& now = m_states[m_position];
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
    int m_next = 0;
    std::vector<Snapshot> m_states; // the data after each step of the history
    std::size_t m_position = 0;
    std::array<Snapshot, 2> m_saved;
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
        {"\xE9LAN", plain, true, tale, true},      // Windows-1252 letters fold too
        {"BOOK_T", nullptr, false, titled, false}, // a name
        {"nothing", plain, true, plain, true},     // only the node it starts from
        {"absent", tale, true, nullptr, false},
    };
    for (const auto& c : cases) {
        const FoundNode found = FindNode(order, c.from, c.text, c.forward);
        EXPECT_EQ(found.node, c.found) << c.text;
        EXPECT_EQ(found.wrapped, c.wrapped) << c.text;
    }
}

} // namespace
} // namespace tc::test

// The undo history: random changes through the document's one door, undone and redone, with
// saves in between; and Find over the nodes in the tree's order.
#include "TestSupport.h"

#include "document/Document.h"
#include "document/FindNode.h"

#include <gtest/gtest.h>

#include <random>

namespace tc {
namespace {

using test::TestData;

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

bool SameFile(const Snapshot& a, const Snapshot& b, DataFile file) {
    return file == DataFile::Lore ? a.books == b.books : a.templates == b.templates;
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
        switch (Pick(9)) {
        case 0:
        case 1: {
            if (data.GetBooks().empty()) {
                break;
            }
            const LoreBook& book = *data.GetBooks()[Pick(data.GetBooks().size())];
            LoreBook values = book;
            Pick(3) == 0 ? values.SetName(Fresh()) : values.SetText(Fresh());
            values.SetComment(Pick(2) == 0 ? book.GetComment() : Fresh());
            Changed(data.StoreBook(book, values));
            break;
        }
        case 2: {
            if (data.GetTemplates().empty()) {
                break;
            }
            const Template& tmpl = *data.GetTemplates()[Pick(data.GetTemplates().size())];
            Template values = tmpl;
            values.SetName(Pick(2) == 0 ? tmpl.GetName() : Fresh());
            values.SetGoldValue(std::to_string(Pick(3)));
            Changed(data.StoreTemplate(tmpl, values));
            break;
        }
        case 3:
            Changed(data.AddNode(Pick(2) == 0 ? NodeType::LoreBook : NodeType::Template, Fresh()) !=
                    nullptr);
            break;
        case 4: {
            const std::size_t count = data.GetBooks().size() + data.GetTemplates().size();
            if (count > 0) {
                const std::size_t k = Pick(count);
                const Node* node = k < data.GetBooks().size()
                                       ? static_cast<const Node*>(data.GetBooks()[k])
                                       : data.GetTemplates()[k - data.GetBooks().size()];
                Changed(data.DeleteNode(node));
            }
            break;
        }
        case 5:
        case 6:
            if (data.CanUndo()) {
                data.Undo();
                Moved(-1);
            }
            break;
        case 7:
            if (data.CanRedo()) {
                data.Redo();
                Moved(+1);
            }
            break;
        case 8: {
            const DataFile file = Pick(2) == 0 ? DataFile::Lore : DataFile::Templates;
            data.MarkSaved(file);
            m_saved[static_cast<std::size_t>(file)] = m_states[m_position];
            saves = true;
            break;
        }
        }
    }

    // The flags must say whether each file differs from what was saved (or read).
    void CheckFlags() const {
        for (const DataFile file : {DataFile::Lore, DataFile::Templates}) {
            const bool differs =
                !SameFile(m_states[m_position], m_saved[static_cast<std::size_t>(file)], file);
            if (differs) {
                EXPECT_TRUE(data.IsModified(file)) << "at step " << m_position;
            }
        }
        if (!saves && m_position == 0) {
            EXPECT_FALSE(data.IsModified()) << "back at the start";
        }
    }

    void UndoAll() {
        while (data.CanUndo()) {
            data.Undo();
            Moved(-1);
        }
        EXPECT_EQ(m_position, 0u);
    }

    void RedoAll() {
        while (data.CanRedo()) {
            data.Redo();
            Moved(+1);
        }
        EXPECT_EQ(m_position, m_states.size() - 1);
    }

    TestData data;
    bool saves = false;

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

    void Moved(int by) {
        m_position = static_cast<std::size_t>(static_cast<int>(m_position) + by);
        ASSERT_TRUE(Take(data) == m_states[m_position]) << "at step " << m_position;
        // A file is unmodified exactly at the position where it was saved.
        CheckFlags();
    }

    std::mt19937 m_rng;
    int m_next = 0;
    std::vector<Snapshot> m_states; // the data after each step of the history
    std::size_t m_position = 0;
    std::array<Snapshot, 2> m_saved;
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
        history.UndoAll();
        history.RedoAll();
    }
}

TEST(Find, NextNodeHoldingTheTextIgnoringCaseWrappingAround) {
    TestData data;
    LoreBook* tale = data.AddBook("tale", "The \xC9lan of the Ferry, by \x8Aimon");
    LoreBook* plain = data.AddBook("plain", "nothing");
    Template* titled = data.AddTemplate("book_tale");
    LoreBook* noted = data.AddBook("noted");
    {
        Template values = *titled;
        values.SetScreenName("The Ferry Book");
        data.StoreTemplate(*titled, values);
        LoreBook note = *noted;
        note.SetComment("found by the FERRY");
        data.StoreBook(*noted, note);
    }
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
} // namespace tc

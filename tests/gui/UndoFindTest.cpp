// Edit menu with real keys: Undo and Redo after a Delete and after an Update, the undo keys in
// a text field, and Find with F3 and Shift+F3.
#include "GuiHarness.h"
#include "RealInput.h"

#include "views/LoreBookForm.h"

#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace tc::test {
namespace {

class UndoFindTest : public GuiTest {
protected:
    // Ctrl+F, with the text the Find dialog is given.
    void Find(const std::string& text) {
        host.findText = text;
        input.Key('F', wxMOD_CONTROL);
    }

    bool Shows(const std::string& label) {
        const auto labels = Labels(Tree().m_booksRoot);
        return std::find(labels.begin(), labels.end(), label) != labels.end();
    }

    std::string Selected() { return Tree().GetItemText(Tree().GetSelection()).ToStdString(); }

    wxString MenuLabel(int id) {
        frame->GetMenuBar()->UpdateMenus();
        return frame->GetMenuBar()->FindItem(id)->GetItemLabelText();
    }
};

TEST_F(UndoFindTest, CtrlZBringsADeletedBookBackSelectedAndShown) {
    LoadSample();
    EXPECT_EQ(MenuLabel(Id(CommandId::EditUndo)), "Undo");
    DeleteByContextMenu("ferry_song");
    ASSERT_FALSE(Shows("ferry_song"));
    EXPECT_EQ(MenuLabel(Id(CommandId::EditUndo)), "Undo Delete 'ferry_song'");

    input.Key('Z', wxMOD_CONTROL);
    EXPECT_TRUE(Shows("ferry_song"));
    EXPECT_EQ(Selected(), "ferry_song");
    EXPECT_EQ(Edit(ControlId::NameField)->GetValue(), "ferry_song");
    EXPECT_FALSE(doc->Data().IsModified()) << "back at the state that was read";
    EXPECT_EQ(MenuLabel(Id(CommandId::EditRedo)), "Redo Delete 'ferry_song'");

    input.Key('Y', wxMOD_CONTROL);
    EXPECT_FALSE(Shows("ferry_song"));
    EXPECT_TRUE(doc->Data().IsModified(DataFile::Lore));
    input.Key('Z', wxMOD_CONTROL);
    input.Key('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_FALSE(Shows("ferry_song"));
}

TEST_F(UndoFindTest, CtrlZUndoesAnUpdateButInAFieldOnlyTheFieldsTyping) {
    LoadSample();
    input.ClickItem(&Tree(), Item("ferry_song"));
    const Node* song = Tree().NodeOf(Item("ferry_song"));
    const std::string comment = song->GetComment();
    input.Click(Edit(ControlId::NameField));
    input.Key('A', wxMOD_CONTROL);
    input.Type("a_song");
    input.Click(Edit(ControlId::CommentField));
    input.Key(WXK_END);
    input.Type("-typed");
    input.Key(WXK_RETURN);
    ASSERT_EQ(song->GetName(), "a_song");

    input.Click(Edit(ControlId::CommentField));
    input.Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(song->GetName(), "a_song") << "the field's key, not the document's";

    EXPECT_FALSE(doc->Data().CanRedo());

    // Typing not yet stored is stored by the menu's Undo, which then takes it back; Redo
    // gives it back.
    input.Key(WXK_END);
    input.Type("-more");
    input.Key('E', wxMOD_ALT);
    input.Key('U');
    EXPECT_EQ(Edit(ControlId::CommentField)->GetValue(), comment + "-typed");
    input.Key('E', wxMOD_ALT);
    input.Key('R');
    EXPECT_EQ(song->GetComment(), comment + "-typed-more");
    EXPECT_EQ(Edit(ControlId::CommentField)->GetValue(), comment + "-typed-more");

    // The menu's keys reach the menu from a number field too.
    input.ClickItem(&Tree(), Item("book_ledger_of_osric"));
    const wxString gold = Edit(ControlId::GoldValueField)->GetValue();
    input.Click(Edit(ControlId::GoldValueField));
    input.Key(WXK_END);
    input.Type("6x");
    EXPECT_EQ(Edit(ControlId::GoldValueField)->GetValue(), gold + "6") << "digits only";
    input.Key('E', wxMOD_ALT);
    input.Key('U');
    EXPECT_EQ(Edit(ControlId::GoldValueField)->GetValue(), gold);

    input.ClickItem(&Tree(), Item("a_song"));
    input.Key('Z', wxMOD_CONTROL);
    input.Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(song->GetName(), "ferry_song");
    EXPECT_EQ(song->GetComment(), comment);
    EXPECT_EQ(Selected(), "ferry_song");
    EXPECT_EQ(Edit(ControlId::CommentField)->GetValue(), comment) << "the form follows";
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(UndoFindTest, FindSelectsEachHolderInTurnAndSaysSoInTheStatusBar) {
    LoadSample();
    input.ClickItem(&Tree(), Item("Warden_Oath"));
    const Node* oath = Tree().NodeOf(Item("Warden_Oath"));
    input.Click(Edit(ControlId::CommentField));
    input.Key(WXK_END);
    input.Type("-typed");

    Find("OSRIC");
    EXPECT_EQ(oath->GetComment().substr(oath->GetComment().size() - 6), "-typed")
        << "the typing is stored before the selection moves";
    // From the last book on: the templates come next in the tree.
    const struct {
        int modifiers;
        const char* selected;
        const char* status;
    } steps[] = {
        {-1, "book_ledger_of_osric", ""},
        {wxMOD_NONE, "ledger_of_osric", "Passed the end of the tree; continued from the top"},
        {wxMOD_NONE, "book_ledger_of_osric", ""},
        {wxMOD_SHIFT, "ledger_of_osric", ""},
        {wxMOD_SHIFT, "book_ledger_of_osric",
         "Passed the start of the tree; continued from the end"},
    };
    for (const auto& step : steps) {
        if (step.modifiers >= 0) {
            input.Key(WXK_F3, step.modifiers);
        }
        EXPECT_EQ(Selected(), step.selected);
        EXPECT_EQ(host.status, step.status);
    }

    Find("no such words");
    EXPECT_EQ(host.status, "'no such words' not found");
    EXPECT_EQ(Selected(), "book_ledger_of_osric");
    EXPECT_TRUE(ui.shown.empty()) << "no message box";

    // The message goes with the next action: another node selected, or an Update.
    wxStatusBar* status = frame->GetStatusBar();
    input.ClickItem(&Tree(), Item("ferry_song"));
    EXPECT_EQ(status->GetStatusText(), "Ready");
    input.Key(WXK_F3);
    EXPECT_EQ(status->GetStatusText(), "'no such words' not found");
    input.Click(Edit(ControlId::CommentField));
    input.Type("x");
    input.Click(Form()->FindWindow(Id(ControlId::UpdateButton)));
    EXPECT_EQ(status->GetStatusText(), "Ready");
}

} // namespace
} // namespace tc::test

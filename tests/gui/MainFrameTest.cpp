// The main window, its tree and its command routing, driven as a user would.
#include "GuiHarness.h"

#include "app/CTomecraftApp.h"
#include "views/TCLoreBookFormView.h"
#include "views/TCTemplateFormView.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/weakref.h>

namespace tc::test {
namespace {

TEST_F(GuiTest, StartsWithTwoGroupsAndTheTreeOnThreeTenths) {
    EXPECT_EQ(frame->GetTitle(), "Tomecraft");
    EXPECT_EQ(Tree().GetItemText(Tree().m_hBooksRoot), "Lore Books");
    EXPECT_EQ(Tree().GetItemText(Tree().m_hTemplatesRoot), "Templates");
    EXPECT_EQ(Tree().GetSelection(), Tree().m_hBooksRoot);
    EXPECT_NE(dynamic_cast<TCLoreBookFormView*>(Form()), nullptr);
    EXPECT_EQ(frame->Splitter()->GetSashPosition(),
              static_cast<int>(frame->GetClientSize().GetWidth() * 0.3));
}

TEST_F(GuiTest, StartUpShowsAboutThenOpenAndEndsWhenOpenIsCancelled) {
    frame->m_runAbout = [this] {
        EXPECT_EQ(host.openRuns, 0) << "About comes first";
        order.push_back("about");
    };
    RunStartup(*frame);
    Pump();
    EXPECT_EQ(order, std::vector<std::string>{"about"});
    EXPECT_EQ(host.openRuns, 1);
    EXPECT_EQ(host.exits, 1) << "nothing loaded: the program ends";
}

TEST_F(GuiTest, RebuildListsEachGroupIgnoringCase) {
    LoadSample();
    EXPECT_EQ(Labels(Tree().m_hBooksRoot),
              (std::vector<std::string>{"abbey_founding", "ferry_song", "ledger_of_osric",
                                        "Warden_Oath"}));
    EXPECT_EQ(Labels(Tree().m_hTemplatesRoot).front(), "base_book_lore");
    EXPECT_EQ(Tree().GetItemImage(Item("ferry_song")), TomecraftTreeView::kBook);
    EXPECT_EQ(Tree().GetItemImage(Item("base_book_lore")), TomecraftTreeView::kTemplate);
    EXPECT_EQ(Tree().GetSelection(), Tree().m_hBooksRoot);
    EXPECT_FALSE(Form()->HasNode());
    EXPECT_EQ(frame->GetTitle(), "Tomecraft");
}

TEST_F(GuiTest, FormIsReplacedOnlyWhenTheTypeChanges) {
    LoadSample();
    FormPane* first = Form();
    wxWeakRef<FormPane> firstAlive(first);
    Select("abbey_founding");
    EXPECT_EQ(Form(), first);
    Select("ferry_song");
    EXPECT_EQ(Form(), first);
    auto* bookForm = dynamic_cast<TCLoreBookFormView*>(first);
    ASSERT_NE(bookForm, nullptr);
    EXPECT_EQ(bookForm->m_editLoreKey->GetValue(), "ferry_song");

    Select("book_ferry_song");
    auto* templateForm = dynamic_cast<TCTemplateFormView*>(Form());
    ASSERT_NE(templateForm, nullptr);
    EXPECT_EQ(templateForm->m_editName->GetValue(), "book_ferry_song");

    Tree().SelectItem(Tree().m_hTemplatesRoot);
    Pump();
    EXPECT_EQ(Form(), templateForm);
    EXPECT_FALSE(templateForm->m_editName->IsEnabled()) << "a group shows an empty, gray form";

    Select("Warden_Oath");
    EXPECT_NE(dynamic_cast<TCLoreBookFormView*>(Form()), nullptr);
    EXPECT_FALSE(firstAlive) << "the first lore book form is gone: this one is new";
}

TEST_F(GuiTest, RenameRelabelsAndMovesTheItem) {
    LoadSample();
    Select("abbey_founding");
    auto* form = dynamic_cast<TCLoreBookFormView*>(Form());
    ASSERT_NE(form, nullptr);
    form->m_editLoreKey->SetValue("zz abbey");
    wxCommandEvent click(wxEVT_BUTTON, 1);
    click.SetEventObject(form->m_btnUpdate);
    form->m_btnUpdate->ProcessWindowEvent(click);
    Pump();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(Labels(Tree().m_hBooksRoot).back(), "zz_abbey");
    EXPECT_TRUE(doc->IsModified(DataFile::Lore));
    EXPECT_EQ(Tree().GetSelection(), Item("zz_abbey"));
}

TEST_F(GuiTest, DeleteAsksThenRemovesAndTheFormNeverKeepsTheNode) {
    LoadSample();
    EXPECT_FALSE(Enabled(ID_DELETE_NODE)) << "a group item is selected";
    Tree().Unselect();
    Pump();
    EXPECT_FALSE(Enabled(ID_DELETE_NODE)) << "nothing is selected";

    Select("ledger_of_osric");
    EXPECT_TRUE(Enabled(ID_DELETE_NODE));
    ui.answers = {MsgAnswer::No};
    Command(ID_DELETE_NODE);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Delete ledger_of_osric?");
    EXPECT_EQ(doc->GetBooks().size(), 4u);
    EXPECT_FALSE(doc->IsModified(DataFile::Lore));

    ui.answers = {MsgAnswer::Yes};
    Command(ID_DELETE_NODE);
    EXPECT_EQ(doc->GetBooks().size(), 3u);
    EXPECT_TRUE(doc->IsModified(DataFile::Lore));
    EXPECT_EQ(Labels(Tree().m_hBooksRoot).size(), 3u);
    auto* form = dynamic_cast<TCLoreBookFormView*>(Form());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->m_editLoreKey->GetValue(), "Warden_Oath") << "the neighbour is shown";

    // Saving commits the form: it must be the neighbour that is stored, not the deleted book.
    Command(ID_FILE_SAVE);
    const std::string written = ReadBytes(lore);
    EXPECT_EQ(written.find("ledger_of_osric"), std::string::npos);
    EXPECT_NE(written.find("[Warden_Oath]"), std::string::npos);
}

TEST_F(GuiTest, RightClickSelectsBeforeTheMenuAndGraysDeleteOnGroups) {
    LoadSample();
    const wxRect bookRow = [&] {
        wxRect rect;
        Tree().GetBoundingRect(Item("ferry_song"), rect, true);
        return rect;
    }();
    Tree().SelectAt(bookRow.GetPosition() + wxPoint(2, bookRow.GetHeight() / 2));
    Pump();
    EXPECT_EQ(Tree().GetSelection(), Item("ferry_song"));
    EXPECT_TRUE(Tree().CreateContextMenu()->IsEnabled(ID_DELETE_NODE));

    // An empty area keeps the selection.
    Tree().SelectAt(wxPoint(5, Tree().GetClientSize().GetHeight() - 5));
    Pump();
    EXPECT_EQ(Tree().GetSelection(), Item("ferry_song"));

    wxRect groupRow;
    Tree().GetBoundingRect(Tree().m_hTemplatesRoot, groupRow, true);
    Tree().SelectAt(groupRow.GetPosition() + wxPoint(2, groupRow.GetHeight() / 2));
    Pump();
    EXPECT_EQ(Tree().GetSelection(), Tree().m_hTemplatesRoot);
    EXPECT_FALSE(Tree().CreateContextMenu()->IsEnabled(ID_DELETE_NODE));
    EXPECT_NE(dynamic_cast<TCTemplateFormView*>(Form()), nullptr);
}

TEST_F(GuiTest, ToolbarAndStatusBarAreCheckedWhileShown) {
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Checked(ID_VIEW_STATUS_BAR));
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame->GetToolBar()->IsShown());
    EXPECT_FALSE(Checked(ID_VIEW_TOOLBAR));
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(Checked(ID_VIEW_STATUS_BAR));
    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR));
    EXPECT_EQ(frame->GetStatusBar()->IsShown(), false);
}

TEST_F(GuiTest, ClosingWithChangesAsksAndCancelKeepsTheWindow) {
    LoadSample();
    doc->AddNode(NODE_LOREBOOK, "unsaved");
    ui.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(frame->Close());
    EXPECT_EQ(ui.shown.back().text, "Save changes to current data?");
    EXPECT_TRUE(frame->IsShown());
    doc->Undo();
}

} // namespace
} // namespace tc::test

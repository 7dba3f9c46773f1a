// The problems list, driven as a user would: open a pair where every rule fires, go from rows
// to their fields, mend one by typing, step with F8, undo, sort, filter, copy and hide.
#include "GuiHarness.h"

#include "rules/CommandIds.h"
#include "tools/tomecraft-gas/GasCommands.h"

#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/listctrl.h>

#include <sstream>

namespace tc::test {
namespace {

class ProblemsTest : public GuiTest {
public:
    wxListView& List() { return *dynamic_cast<wxListView*>(frame->Problems()->List()); }
    wxString Status() { return frame->GetStatusBar()->GetStatusText(2); }
    long Row(const wxString& text) {
        for (long k = 0; k < List().GetItemCount(); ++k) {
            if (List().GetItemText(k, 2).Contains(text)) {
                return k;
            }
        }
        return -1;
    }
    // Double-clicks the row that says `text`; the node it concerns is then selected.
    void Activate(const wxString& text) {
        const long row = Row(text);
        ASSERT_GE(row, 0) << text;
        List().EnsureVisible(row);
        input.Settle();
        wxRect rect;
        List().GetItemRect(row, rect);
        input.ClickAt(&List(), wxPoint(rect.GetX() + 30, rect.GetY() + rect.GetHeight() / 2),
                      wxMOUSE_BTN_LEFT, 2);
    }
    int Focus() { return wxWindow::FindFocus() == nullptr ? 0 : wxWindow::FindFocus()->GetId(); }
};

TEST_F(ProblemsTest, EveryRowLeadsToItsFieldAndTheListFollowsEveryChange) {
    LoadSample(ReadBytes(DataPath("findings_lore.gas")),
               ReadBytes(DataPath("findings_trs_book_lore.gas")));
    input.Settle();
    EXPECT_EQ(host.status, "Saving will change 1 place in lore.gas and 10 in "
                           "trs_book_lore.gas: View \x9B Problems");
    EXPECT_EQ(Status(), "7 errors, 16 warnings");
    EXPECT_EQ(Tree().GetItemTextColour(Item("loop_east")), wxColour(192, 0, 0));
    EXPECT_FALSE(Tree().GetItemTextColour(Item("book_lost_page")).IsOk()) << "warnings only";

    // Every row, copied, is what check prints: the same findings, in the same order.
    input.Click(&List());
    input.Key('A', wxMOD_CONTROL);
    input.Key('C', wxMOD_CONTROL);
    std::ostringstream checked;
    std::ostringstream said;
    cli::RunGasTool({"check", lore, templates}, checked, said);
    wxTextDataObject copied;
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->GetData(copied);
    wxTheClipboard->Close();
    EXPECT_EQ(copied.GetText().ToStdString(wxConvUTF8), checked.str());

    // Each row puts the caret where the finding is mended; a locked key sends it to the unlock.
    const std::pair<const char*, std::pair<const char*, int>> rows[] = {
        {"specializes \"base_nowhere\"", {"book_of_nowhere", Id(ControlId::SpecializesList)}},
        {"has lore key \"lost_page\"", {"book_lost_page", Id(CommandId::PointAtBook)}},
        {"has a screen name but no lore key", {"scroll_of_gold", Id(ControlId::LoreKeyList)}},
        {"\"unread_hymn\" is the lore key", {"unread_hymn", Id(ControlId::NameField)}},
    };
    for (const auto& [text, where] : rows) {
        SCOPED_TRACE(text);
        Activate(text);
        EXPECT_EQ(Selected(), where.first);
        EXPECT_EQ(Focus(), where.second);
    }

    // Mended by typing: the book now has the key a template names, so two warnings go, and so
    // does the selection of the row that went; no other row takes it.
    input.Retype(Edit(ControlId::NameField), "lost_page");
    input.Key(WXK_RETURN);
    input.Settle();
    EXPECT_EQ(Status(), "7 errors, 14 warnings");
    EXPECT_EQ(Row("unread_hymn"), -1);
    EXPECT_EQ(List().GetSelectedItemCount(), 0);

    // F8 and Shift+F8 step through the rows from the form, each to its node.
    input.Key(WXK_F8);
    EXPECT_EQ(List().GetFirstSelected(), 0);
    EXPECT_EQ(Selected(), "ferry_song");
    input.Key(WXK_F8);
    input.Key(WXK_F8);
    input.Key(WXK_F8, wxMOD_SHIFT);
    EXPECT_EQ(List().GetFirstSelected(), 1);
    EXPECT_EQ(Selected(), "Harbour_Map");

    // Undo brings the findings back, the selected row still selected.
    input.Menu('E', 'U');
    input.Settle();
    EXPECT_EQ(Status(), "7 errors, 16 warnings");
    EXPECT_GE(Row("unread_hymn"), 0);
    EXPECT_EQ(List().GetItemText(List().GetFirstSelected(), 1), "Harbour_Map");

    // A click on a column sorts by it, a second the other way; a filter hides a severity.
    wxRect header;
    List().GetItemRect(0, header);
    input.ClickAt(&List(), wxPoint(20, header.GetY() / 2));
    EXPECT_EQ(List().GetItemText(0, 0), "Error");
    wxMilliSleep(700); // two clicks, not a double-click
    input.ClickAt(&List(), wxPoint(60, header.GetY() / 2));
    EXPECT_EQ(List().GetItemText(0, 0), "Warning");
    wxCheckBox* errorFilter = nullptr;
    for (wxWindow* child : frame->Problems()->GetChildren()) {
        auto* box = dynamic_cast<wxCheckBox*>(child);
        errorFilter = errorFilter == nullptr && box != nullptr ? box : errorFilter;
    }
    ASSERT_NE(errorFilter, nullptr);
    input.Click(errorFilter);
    EXPECT_EQ(List().GetItemCount(), 16);

    // Shift+F6 from the tree reaches the list; View > Problems hides it (the tree takes the
    // focus back) and the settings remember it.
    input.ClickItem(&Tree(), Item("loop_east"));
    input.Key(WXK_F6, wxMOD_SHIFT);
    EXPECT_TRUE(List().IsDescendant(wxWindow::FindFocus()));
    input.Menu('V', 'B');
    EXPECT_FALSE(frame->Problems()->IsShown());
    EXPECT_EQ(wxWindow::FindFocus(), &Tree());
    EXPECT_EQ(settings.GetInt("View", "Problems", 1), 0);

    // What a save changes is asked about before the first save; No keeps the file.
    const std::string original = ReadBytes(lore);
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    input.ClickItem(&Tree(), Item("abbey_founding"));
    input.Click(Edit(ControlId::CommentField));
    input.Type("x");
    input.Key(WXK_RETURN);
    input.Key('S', wxMOD_CONTROL);
    EXPECT_EQ(ReadBytes(lore), original) << "No keeps the file";
    input.Key('S', wxMOD_CONTROL);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>(
                              2, "Save anyway? The changes are listed under View \x9B Problems."));
    EXPECT_NE(ReadBytes(lore), original);

    // A change to one template mends another's error too: its red mark goes.
    input.ClickItem(&Tree(), Item("loop_east"));
    ChooseByKeys(input, Edit(ControlId::NameField),
                 dynamic_cast<LongChoice*>(Form()->FindWindow(Id(ControlId::SpecializesList))),
                 "base_book_lore");
    input.Click(Form()->FindWindow(Id(ControlId::UpdateButton)));
    EXPECT_FALSE(Tree().GetItemTextColour(Item("loop_west")).IsOk());

    // The sample pair, where check finds nothing: the list holds nothing either.
    ui.answers = {MsgAnswer::No}; // to saving the change
    LoadSample();
    input.Settle();
    EXPECT_EQ(Status(), "0 errors, 0 warnings");
    EXPECT_EQ(frame->Problems()->Rows().Size(), 0u);
}

} // namespace
} // namespace tc::test

// Both forms work in a window of any size: a small one scrolls every field and Update into
// reach as the Tab key walks to it, a large one gives the long text the room.
#include "GuiHarness.h"
#include "RealInput.h"

#include <wx/button.h>
#include <wx/spinbutt.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

namespace tc::test {
namespace {

class PaneSizeTest : public GuiTest {
protected:
    // Whether the control's start shows in the form, with as much of it as the form can show.
    bool Reachable(wxWindow* control) {
        const wxRect view(Form()->GetClientSize());
        const wxRect rect = control->GetRect();
        const wxRect shown = rect.Intersect(view);
        return view.Contains(rect.GetTopLeft()) &&
               shown.height == std::min(rect.height, view.height - rect.y);
    }
};

struct Shown {
    const char* node;
    ControlId growing; // the text that takes a large pane's room
};

TEST_F(PaneSizeTest, EveryFieldIsReachableInASmallWindowAndTheTextGrowsInALargeOne) {
    LoadSample();
    for (const Shown shown : {Shown{"ferry_song", ControlId::TextField},
                              Shown{"book_ferry_song", ControlId::HelpField}}) {
        SCOPED_TRACE(shown.node);
        frame->SetSize(450, 320);
        input.ClickItem(&Tree(), Item(shown.node));
        const Node* node = Tree().NodeOf(Item(shown.node));
        const std::string typed = node->GetComment() + "-small";
        auto* comment = dynamic_cast<wxTextCtrl*>(Form()->FindWindow(Id(ControlId::CommentField)));
        wxWindow* update = Form()->FindWindow(Id(ControlId::UpdateButton));
        const wxSize laidOut = Form()->FindWindow(Id(shown.growing))->GetSize();

        input.ClickAt(Form()->FindWindow(Id(ControlId::NameField)),
                      wxPoint(4, 4)); // its middle may lie beyond
        ASSERT_NE(wxWindow::FindFocus(), nullptr)
            << frame->GetSize().x << " " << Form()->GetRect().x
            << Form()->FindWindow(Id(ControlId::NameField))->GetRect().x;
        std::vector<wxWindow*> visited;
        for (int tab = 0; tab < 20 && wxWindow::FindFocus() != update; ++tab) {
            // GTK does not tell which window has the focus while a drop-down list has it.
            wxWindow* focus = wxWindow::FindFocus();
            visited.push_back(focus);
            EXPECT_TRUE(focus == nullptr || Reachable(focus)) << "focus on " << focus->GetId();
            EXPECT_EQ(dynamic_cast<wxSpinButton*>(focus), nullptr) << "spins are no tab stop";
            if (focus == comment) {
                input.Key(WXK_END);
                input.Type("-small");
            }
            input.Key(WXK_TAB);
        }
        ASSERT_EQ(wxWindow::FindFocus(), update);
        EXPECT_NE(std::find(visited.begin(), visited.end(), comment), visited.end());
        EXPECT_TRUE(wxRect(Form()->GetClientSize()).Contains(update->GetRect()));
        input.Click(update);
        EXPECT_EQ(node->GetComment(), typed);

        // Each number's arrows stand up and down beside it, as Windows users know them.
        for (const auto& [spinId, numberId] :
             {std::pair{ControlId::GoldValueSpin, ControlId::GoldValueField},
              {ControlId::InventoryWidthSpin, ControlId::InventoryWidthField},
              {ControlId::InventoryHeightSpin, ControlId::InventoryHeightField}}) {
            if (auto* spin = dynamic_cast<wxSpinButton*>(Form()->FindWindow(Id(spinId)))) {
                EXPECT_TRUE(spin->HasFlag(wxSP_VERTICAL)) << Id(spinId);
                EXPECT_GT(spin->GetRect().x,
                          Form()->FindWindow(Id(numberId))->GetRect().GetRight());
            }
        }

        frame->SetSize(1900, 1000);
        input.Settle();
        const wxSize grown = Form()->FindWindow(Id(shown.growing))->GetSize();
        EXPECT_GT(grown.GetWidth(), 2 * laidOut.GetWidth());
        EXPECT_GT(grown.GetHeight(), 2 * laidOut.GetHeight());
        EXPECT_EQ(Form()->GetVirtualSize(), Form()->GetClientSize()) << "nothing to scroll";
        EXPECT_TRUE(wxRect(Form()->GetClientSize()).Contains(update->GetRect()));
    }

    // View > Split puts the bar back and lets the arrow keys move it; Enter keeps where it is
    // and Escape where it was.
    for (const int end : {WXK_RETURN, WXK_ESCAPE}) {
        input.Key('V', wxMOD_ALT);
        input.Key('P');
        const int start = frame->Splitter()->GetSashPosition();
        EXPECT_EQ(start, static_cast<int>(frame->GetClientSize().GetWidth() * 0.3));
        EXPECT_TRUE(frame->GetStatusBar()->GetStatusText().StartsWith("Move the split bar"));
        input.Key(WXK_RIGHT);
        input.Key(WXK_RIGHT);
        input.Key(WXK_LEFT);
        EXPECT_EQ(frame->Splitter()->GetSashPosition(), start + 8);
        input.Key(end);
        EXPECT_EQ(frame->Splitter()->GetSashPosition(), end == WXK_RETURN ? start + 8 : start);
        EXPECT_EQ(frame->GetStatusBar()->GetStatusText(), "Ready");
    }
}

} // namespace
} // namespace tc::test

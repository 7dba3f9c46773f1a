// What is typed reaches the node as the fields promise: lower-case fields lower only what is
// typed, digits-only fields take only digits, every Windows-1252 byte survives showing, editing
// and saving. Real keys and clicks.
#include "GuiHarness.h"

#include <wx/clipbrd.h>
#include <wx/spinbutt.h>

namespace tc::test {
namespace {

using TypingTest = GuiTest;

// Up and Down in a number field step within the spin range.
TEST_F(TypingTest, LowerCaseAndDigitsOnlyFieldsFilterWhatIsTypedAndArrowsStepNumbers) {
    LoadSample();
    constexpr ControlId kGold = ControlId::GoldValueField;
    constexpr ControlId kWidth = ControlId::InventoryWidthField;
    constexpr ControlId kHeight = ControlId::InventoryHeightField;
    struct Case {
        const char* node;
        ControlId field;
        int caretKey; // where the typing starts; none: over what the field holds
        const char* typed;
        const char* expected;
        int key = WXK_NONE; // then pressed `presses` times
        int presses = 0;
    };
    const Case cases[] = {
        {"Warden_Oath", ControlId::NameField, WXK_END, "X", "Warden_Oathx"},
        {"Warden_Oath", ControlId::NameField, WXK_HOME, "My ", "my Warden_Oath"},
        {"book_warden_oath", ControlId::NameField, WXK_END, "_Two", "book_warden_oath_two"},
        {"book_warden_oath", ControlId::TextureField, WXK_HOME, "NEW_", "new_b_i_glb_book_01"},
        {"book_warden_oath", kGold, WXK_END, "4a2B", "1042"},
        {"book_warden_oath", kWidth, WXK_HOME, "x3", "31"},
        {"book_warden_oath", kGold, WXK_NONE, "25", "26", WXK_UP, 1},
        {"book_warden_oath", kGold, WXK_NONE, "25", "23", WXK_DOWN, 2},
        {"book_warden_oath", kGold, WXK_NONE, "199", "200", WXK_UP, 3},
        {"book_warden_oath", kGold, WXK_NONE, "1", "0", WXK_DOWN, 2},
        {"book_warden_oath", kGold, WXK_NONE, "250", "199", WXK_DOWN, 1},
        {"book_warden_oath", kWidth, WXK_NONE, "3", "4", WXK_UP, 2},
        {"book_warden_oath", kHeight, WXK_NONE, "2", "1", WXK_DOWN, 2},
        {"book_warden_oath", kHeight, WXK_NONE, "", "2", WXK_UP, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.node) + " " + std::to_string(Id(c.field)) + " typed " + c.typed);
        if (Selected() != c.node) {
            input.ClickItem(&Tree(), Item(c.node));
        }
        wxTextCtrl* field = Edit(c.field);
        const wxString shown = field->GetValue();
        if (c.caretKey == WXK_NONE) {
            input.Retype(field, c.typed);
        } else {
            input.Click(field);
            input.Key(c.caretKey);
            input.Type(c.typed);
        }
        for (int press = 0; press < c.presses; ++press) {
            input.Key(c.key);
        }
        EXPECT_EQ(field->GetValue(), c.expected);
        field->ChangeValue(shown); // the next case starts from the file's values
    }
}

TEST_F(TypingTest, EveryByteIsShownEditedAndSavedUnchanged) {
    // Every byte after the space in a comment, the five Windows-1252 leaves undefined among
    // them; those and some of its letters in a text.
    std::string all;
    for (int byte = '!'; byte <= 0xFF; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::string odd = "\x81\x8D\x8F\x90\x9D caf\xE9 \x80 \x8A\x9A\xFF";
    LoadSample(Crlf("[lore]\n{\n\t// " + all + "\n\t[odd_bytes]\n\t{\n\t\tdescription = \"" + odd +
                    "\";\n\t}\n}\n"));
    input.ClickItem(&Tree(), Item("odd_bytes"));
    EXPECT_EQ(FromWx(Edit(ControlId::CommentField)->GetValue()), all);
    const wxString text = Edit(ControlId::TextField)->GetValue();
    EXPECT_EQ(FromWx(text), odd);
    EXPECT_TRUE(text.Contains(wxString::FromUTF8("caf\xC3\xA9 \xE2\x82\xAC"))) << "as Unicode";
    input.TypeAtEnd(Edit(ControlId::TextField), "!", true);
    // A letter Windows-1252 does not have (L with stroke), pasted.
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8("\xC5\x81")));
        wxTheClipboard->Close();
    }
    input.Key('V', wxMOD_CONTROL);
    input.Key(WXK_RETURN);
    input.Key('S', wxMOD_CONTROL);
    const std::string written = ReadBytes(lore);
    EXPECT_NE(written.find("// " + all + "\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("description = \"" + odd + "!?\";"), std::string::npos) << written;
}

// Both forms work in a window of any size: a small one scrolls every field and Update into
// reach as the Tab key walks to it, a large one gives the long text the room.
using PaneSizeTest = GuiTest;

TEST_F(PaneSizeTest, EveryFieldIsReachableInASmallWindowAndTheTextGrowsInALargeOne) {
    LoadSample();
    // Whether the control's start shows in the form, with as much of it as the form can show.
    const auto reachable = [this](wxWindow* control) {
        const wxRect view(Form()->GetClientSize());
        const wxRect rect = control->GetRect();
        return view.Contains(rect.GetTopLeft()) &&
               rect.Intersect(view).height == std::min(rect.height, view.height - rect.y);
    };
    // Each form, with the text that takes a large pane's room.
    for (const auto& [label, growing] : {std::pair{"ferry_song", ControlId::TextField},
                                         {"book_ferry_song", ControlId::HelpField}}) {
        SCOPED_TRACE(label);
        frame->SetSize(450, 320);
        input.ClickItem(&Tree(), Item(label));
        const Node* node = Tree().NodeOf(Item(label));
        const std::string typed = node->GetComment() + "-small";
        wxTextCtrl* comment = Edit(ControlId::CommentField);
        wxWindow* update = Form()->FindWindow(Id(ControlId::UpdateButton));
        const wxSize laidOut = Form()->FindWindow(Id(growing))->GetSize();
        // Its middle may lie beyond the pane.
        input.ClickAt(Form()->FindWindow(Id(ControlId::NameField)), wxPoint(4, 4));
        ASSERT_NE(wxWindow::FindFocus(), nullptr);
        std::vector<wxWindow*> visited;
        for (int tab = 0; tab < 20 && wxWindow::FindFocus() != update; ++tab) {
            // GTK does not tell which window has the focus while a drop-down list has it.
            wxWindow* focus = wxWindow::FindFocus();
            visited.push_back(focus);
            EXPECT_TRUE(focus == nullptr || reachable(focus)) << "focus on " << focus->GetId();
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

        frame->SetSize(1900, 1200); // the problems list takes its share below
        input.Settle();
        const wxSize grown = Form()->FindWindow(Id(growing))->GetSize();
        EXPECT_GT(grown.GetWidth(), 2 * laidOut.GetWidth());
        EXPECT_GT(grown.GetHeight(), 2 * laidOut.GetHeight());
        EXPECT_EQ(Form()->GetVirtualSize(), Form()->GetClientSize()) << "nothing to scroll";
        EXPECT_TRUE(wxRect(Form()->GetClientSize()).Contains(update->GetRect()));
    }

    // View > Split puts the bar back and lets the arrow keys move it; Enter keeps where it is
    // and Escape where it was.
    for (const int end : {WXK_RETURN, WXK_ESCAPE}) {
        input.Menu('V', 'P');
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

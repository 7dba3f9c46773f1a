// A real main frame over a scripted message box and scripted dialogs, and real mouse and
// keyboard input to drive it: wxUIActionSimulator sends XTest events through the X server, so
// that the widgets see events in the order a person's input produces them.
#pragma once

#include "TestSupport.h"

#include "app/MainFrame.h"
#include "document/Document.h"
#include "platform/MemorySettings.h"
#include "platform/Text.h"
#include "platform/wx/WxText.h"
#include "rules/CommandIds.h"
#include "rules/ControlIds.h"
#include "views/FormPane.h"
#include "views/LongChoice.h"
#include "views/LoreBookForm.h"
#include "views/TemplateForm.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace tc::test {

class RealInput {
public:
    // Lets the X server deliver what was sent and the event loop handle it (GuiTestMain.cpp).
    static void Settle();
    // Clicks the middle of a window, or a point in its client area.
    void Click(wxWindow* window) {
        ClickAt(window, wxPoint(window->GetClientSize().x / 2, window->GetClientSize().y / 2));
    }
    void MoveTo(wxWindow* window, wxPoint client) {
        m_sim.MouseMove(window->ClientToScreen(client));
        Settle();
    }
    void ClickAt(wxWindow* window, wxPoint client, int button = wxMOUSE_BTN_LEFT, int clicks = 1) {
        MoveTo(window, client);
        clicks == 2 ? m_sim.MouseDblClick(button) : m_sim.MouseClick(button);
        Settle();
    }
    // Clicks the label of a tree item, once the tree has laid its row out (when idle) in view.
    void ClickItem(wxTreeCtrl* tree, wxTreeItemId item, int button = wxMOUSE_BTN_LEFT) {
        wxPoint point;
        for (int attempt = 0; attempt < 20; ++attempt) {
            tree->EnsureVisible(item);
            Settle();
            wxRect rect;
            tree->GetBoundingRect(item, rect, true);
            point = wxPoint(rect.GetX() + 4, rect.GetY() + rect.GetHeight() / 2);
            int flags = 0;
            if (tree->HitTest(point, flags) == item) {
                break;
            }
        }
        ClickAt(tree, point, button);
    }
    // Types characters as keys (upper-case letters with Shift): xdotool at once, where the
    // simulator waits 20 ms after each key, and the simulator when xdotool is missing. Other
    // letters come from Russian and Greek layouts added for the while (GTK misses the key
    // that xdotool maps for a single letter).
    void Type(const std::string& text) {
        std::string quoted; // for the shell, within single quotes
        for (const char c : text) {
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        const bool ascii = std::all_of(text.begin(), text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        std::string layouts; // the display's own, put back after
        if (FILE* query = ascii ? nullptr : popen("setxkbmap -query", "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, query) != nullptr) {
                if (std::string_view(line).starts_with("layout:")) {
                    layouts = std::string(TrimWhite(std::string_view(line).substr(7)));
                }
            }
            pclose(query);
            SetLayouts(layouts + ",ru,gr");
        }
        if (!text.empty() &&
            std::system(("xdotool type --delay 0 -- '" + quoted + "' 2>/dev/null").c_str()) != 0) {
            m_sim.Text(text.c_str());
        }
        Settle();
        if (!layouts.empty()) {
            SetLayouts(layouts);
        }
    }
    static void SetLayouts(const std::string& layouts) {
        EXPECT_EQ(std::system(("setxkbmap -layout '" + layouts + "'").c_str()), 0);
        Settle();
    }
    void Key(int keycode, int modifiers = wxMOD_NONE) {
        m_sim.Char(keycode, modifiers);
        Settle();
    }
    // Clicks a text field and types `text` over all it holds, or after it (its last line's end
    // for `withCtrl`).
    void Retype(wxWindow* field, const std::string& text) {
        Click(field);
        Key('A', wxMOD_CONTROL);
        Key(WXK_DELETE);
        Type(text);
    }
    void TypeAtEnd(wxWindow* field, const std::string& text, bool withCtrl = false) {
        Click(field);
        Key(WXK_END, withCtrl ? wxMOD_CONTROL : wxMOD_NONE);
        Type(text);
    }
    // Picks an item of the menu bar by its Alt key and its own.
    void Menu(int menu, int item) {
        Key(menu, wxMOD_ALT);
        Key(item);
    }

private:
    wxUIActionSimulator m_sim;
};

// Chooses an entry of a list with the keys, reaching the list with Tab from `before`.
inline void ChooseByKeys(RealInput& input, wxWindow* before, LongChoice* list,
                         const std::string& entry) {
    int target = -1;
    for (int k = 0; k < list->GetCount(); ++k) {
        target = list->GetString(k) == ToWx(entry) ? k : target;
    }
    ASSERT_GE(target, 0) << "no entry " << entry;
    input.Click(before);
    input.Key(WXK_TAB);
    for (int step = 0; step <= list->GetCount() && list->GetSelection() != target; ++step) {
        input.Key(list->GetSelection() < target ? WXK_DOWN : WXK_UP);
    }
    ASSERT_EQ(list->GetSelection(), target) << entry;
}

// Answers the next modal dialog once it is up, as a person would: `answer` types and clicks
// into it. A dialog the answer leaves open is cancelled, so that a failure cannot hang the run.
class WhenModal : public wxTimer {
public:
    explicit WhenModal(std::function<void(wxDialog&)> answer) : m_answer(std::move(answer)) {
        Start(20);
    }
    void Notify() override {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<wxDialog*>(window);
            if (dialog != nullptr && dialog->IsModal()) {
                Stop();
                m_answer(*dialog);
                if (dialog->IsModal()) {
                    ADD_FAILURE() << "the dialog " << dialog->GetTitle() << " stayed open";
                    dialog->EndModal(wxID_CANCEL);
                }
                return;
            }
        }
    }

private:
    std::function<void(wxDialog&)> m_answer;
};

// Scripted dialogs whose messages go to the frame's status bar, as the real host's do.
class StatusBarHost : public ScriptedHost {
public:
    explicit StatusBarHost(MainFrame*& frame) : m_frame(frame) {}
    void ShowStatus(const std::string& text) override {
        ScriptedHost::ShowStatus(text);
        if (m_frame != nullptr) {
            m_frame->SetStatusText(text.empty() ? wxString("Ready") : ToWx(text), 0);
        }
    }

private:
    MainFrame*& m_frame;
};

// Public, so that the tables of routes can drive it.
class GuiTest : public ::testing::Test {
public:
    void SetUp() override {
        doc = std::make_unique<Document>(ui, Host(), settings);
        frame = new MainFrame(*doc, &settings);
        frame->m_runAbout = [] {};
        frame->Show();
        input.Settle();
    }

    void TearDown() override {
        frame->Destroy();
        input.Settle();
    }

    virtual DocumentHost& Host() { return host; }

    // Opens the sample pair, or a pair of these bytes, with Ctrl+O, the Open dialog scripted to
    // name it.
    void LoadSample(const std::string& loreBytes = ReadBytes(SamplePath("lore.gas")),
                    const std::string& templateBytes = ReadBytes(SamplePath("trs_book_lore.gas"))) {
        WriteBytes(lore, loreBytes);
        WriteBytes(templates, templateBytes);
        host.openResult = OpenPaths{lore, templates};
        input.Key('O', wxMOD_CONTROL);
    }

    TreeView& Tree() { return *frame->Tree(); }
    FormPane* Form() { return frame->CurrentForm(); }
    wxTextCtrl* Edit(ControlId id) { return dynamic_cast<wxTextCtrl*>(Form()->FindWindow(Id(id))); }
    std::string Selected() { return Tree().GetItemText(Tree().GetSelection()).ToStdString(); }
    // The labels of the items under a group item, in the tree's order.
    std::vector<std::string> Labels(wxTreeItemId group) {
        std::vector<std::string> labels;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = Tree().GetFirstChild(group, cookie); item.IsOk();
             item = Tree().GetNextChild(group, cookie)) {
            labels.push_back(Tree().GetItemText(item).ToStdString());
        }
        return labels;
    }
    // The node item with this label, in either group.
    wxTreeItemId Item(const std::string& label) {
        for (const Node* node : Tree().NodesInOrder()) {
            if (const wxTreeItemId item = Tree().ItemOf(node); Tree().GetItemText(item) == label) {
                return item;
            }
        }
        ADD_FAILURE() << "no item " << label;
        return {};
    }
    // Right-clicks an item and, once the context menu is open, picks its last entry, Delete,
    // answering Yes to its question.
    void DeleteByContextMenu(const std::string& label) {
        ui.answers = {MsgAnswer::Yes};
        const auto pick = [this](wxMenuEvent& event) {
            Tree().CallAfter([this] {
                input.Key(WXK_UP);
                input.Key(WXK_RETURN);
            });
            event.Skip();
        };
        Tree().Bind(wxEVT_MENU_OPEN, pick);
        input.ClickItem(&Tree(), Item(label), wxMOUSE_BTN_RIGHT);
        Tree().Unbind(wxEVT_MENU_OPEN, pick);
    }

    TempDir dir;
    std::string lore = dir / "lore.gas";
    std::string templates = dir / "trs_book_lore.gas";
    ScriptedUi ui;
    StatusBarHost host{frame};
    MemorySettings settings;
    std::unique_ptr<Document> doc;
    MainFrame* frame = nullptr;
    RealInput input;
};

} // namespace tc::test

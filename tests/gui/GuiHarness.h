// A real main frame over a scripted message box and scripted dialogs, and ways to drive it.
#pragma once

#include "RealInput.h"
#include "TestSupport.h"

#include "app/MainFrame.h"
#include "document/Document.h"
#include "platform/MemorySettings.h"
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
#include <wx/utils.h>

#include <algorithm>
#include <functional>

namespace tc::test {

inline void Pump() {
    for (int k = 0; k < 4; ++k) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

// The items under a group item, in the tree's order, and their labels.
inline std::vector<wxTreeItemId> Children(TreeView& tree, wxTreeItemId group) {
    std::vector<wxTreeItemId> items;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId item = tree.GetFirstChild(group, cookie); item.IsOk();
         item = tree.GetNextChild(group, cookie)) {
        items.push_back(item);
    }
    return items;
}
inline std::vector<std::string> ChildLabels(TreeView& tree, wxTreeItemId group) {
    std::vector<std::string> labels;
    for (const wxTreeItemId item : Children(tree, group)) {
        labels.push_back(tree.GetItemText(item).ToStdString());
    }
    return labels;
}

// The node item with this label, in either group.
inline wxTreeItemId FindItem(TreeView& tree, const std::string& label) {
    for (wxTreeItemId group : {tree.m_booksRoot, tree.m_templatesRoot}) {
        for (const wxTreeItemId item : Children(tree, group)) {
            if (tree.GetItemText(item) == label) {
                return item;
            }
        }
    }
    ADD_FAILURE() << "no item " << label;
    return {};
}

// Right-clicks an item with real input and, once the context menu is open, picks its last
// entry, Delete.
inline void DeleteByContextMenu(RealInput& input, TreeView& tree, const std::string& label) {
    const auto pick = [&tree, &input](wxMenuEvent& event) {
        tree.CallAfter([&input] {
            input.Key(WXK_UP);
            input.Key(WXK_RETURN);
        });
        event.Skip();
    };
    tree.Bind(wxEVT_MENU_OPEN, pick);
    input.ClickItem(&tree, FindItem(tree, label), wxMOUSE_BTN_RIGHT);
    tree.Unbind(wxEVT_MENU_OPEN, pick);
}

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
        doc = std::make_unique<Document>(ui, host, settings);
        frame = new MainFrame(*doc, &settings);
        frame->m_runAbout = [] {};
        frame->Show();
        Pump();
    }

    void TearDown() override {
        frame->Destroy();
        Pump();
    }

    // Opens the pair with Ctrl+O, the Open dialog scripted to name it.
    void LoadSample() {
        CopySamplePair(lore, templates);
        host.openResult = OpenPaths{lore, templates};
        input.Key('O', wxMOD_CONTROL);
    }

    // Whether the toolbar shows a command enabled, as the frame updates it when idle.
    bool Enabled(int id) {
        Pump();
        return frame->GetToolBar()->GetToolEnabled(id);
    }

    TreeView& Tree() { return *frame->Tree(); }
    FormPane* Form() { return frame->CurrentForm(); }
    wxTextCtrl* Edit(ControlId id) { return dynamic_cast<wxTextCtrl*>(Form()->FindWindow(Id(id))); }
    std::vector<std::string> Labels(wxTreeItemId group) { return ChildLabels(Tree(), group); }
    wxTreeItemId Item(const std::string& label) { return FindItem(Tree(), label); }
    void DeleteByContextMenu(const std::string& label) {
        ui.answers = {MsgAnswer::Yes};
        tc::test::DeleteByContextMenu(input, Tree(), label);
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

// A real main frame over a scripted message box and scripted dialogs, and ways to drive it.
#pragma once

#include "TestSupport.h"

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "document/CTomecraftDoc.h"
#include "platform/MemorySettings.h"
#include "views/FormPane.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/utils.h>

namespace tc::test {

inline void Pump() {
    for (int k = 0; k < 4; ++k) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc = std::make_unique<CTomecraftDoc>(ui, host, settings);
        frame = new CMainFrame(*doc);
        frame->m_runAbout = [this] { order.push_back("about"); };
        frame->Show();
        Pump();
    }

    void TearDown() override {
        frame->Destroy();
        Pump();
    }

    void Command(int id, wxWindow* from = nullptr) {
        wxCommandEvent event(wxEVT_MENU, id);
        wxWindow* source = from != nullptr ? from : frame;
        event.SetEventObject(source);
        source->ProcessWindowEvent(event);
        Pump();
    }

    // Asks the frame whether a command is enabled, as a menu or the toolbar would.
    bool Enabled(int id) {
        wxUpdateUIEvent event(id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        return !event.GetSetEnabled() || event.GetEnabled();
    }

    bool Checked(int id) {
        wxUpdateUIEvent event(id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        return event.GetSetChecked() && event.GetChecked();
    }

    void LoadSample() {
        WriteBytes(lore, ReadBytes(SamplePath("lore.gas")));
        WriteBytes(templates, ReadBytes(SamplePath("trs_book_lore.gas")));
        host.openResult = OpenPaths{lore, templates};
        Command(ID_FILE_OPEN);
    }

    TomecraftTreeView& Tree() { return *frame->Tree(); }
    FormPane* Form() { return frame->CurrentForm(); }

    // The labels under a group item, in the tree's order.
    std::vector<std::string> Labels(wxTreeItemId group) {
        std::vector<std::string> labels;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = Tree().GetFirstChild(group, cookie); item.IsOk();
             item = Tree().GetNextChild(group, cookie)) {
            labels.push_back(Tree().GetItemText(item).ToStdString());
        }
        return labels;
    }

    wxTreeItemId Item(const std::string& label) {
        for (wxTreeItemId group : {Tree().m_hBooksRoot, Tree().m_hTemplatesRoot}) {
            wxTreeItemIdValue cookie;
            for (wxTreeItemId item = Tree().GetFirstChild(group, cookie); item.IsOk();
                 item = Tree().GetNextChild(group, cookie)) {
                if (Tree().GetItemText(item) == label) {
                    return item;
                }
            }
        }
        ADD_FAILURE() << "no item " << label;
        return {};
    }

    void Select(const std::string& label) {
        Tree().SelectItem(Item(label));
        Pump();
    }

    TempDir dir;
    std::string lore = dir / "lore.gas";
    std::string templates = dir / "trs_book_lore.gas";
    ScriptedUi ui;
    ScriptedHost host;
    MemorySettings settings;
    std::unique_ptr<CTomecraftDoc> doc;
    CMainFrame* frame = nullptr;
    std::vector<std::string> order;
};

} // namespace tc::test

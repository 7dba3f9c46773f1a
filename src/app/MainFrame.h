// The main window: the tree on the left, the form of the selected node on the right, with menu,
// toolbar and status bar. Every command goes to the tree first, then to the form, then along
// the usual route, so the tree's commands work wherever the focus is.
#pragma once

#include "document/Document.h"
#include "platform/SettingsStore.h"
#include "views/ProblemsPanel.h"
#include "views/TreeView.h"

#include <wx/frame.h>

#include <functional>

class wxSplitterWindow;

namespace tc {

class MainFrame : public wxFrame, public FormHost {
public:
    // `settings`, when given, remembers whether the problems list is shown.
    explicit MainFrame(Document& doc, SettingsStore* settings = nullptr);
    ~MainFrame() override;

    FormPane* SwitchFormView(NodeType type) override;
    FormPane* CurrentForm() override { return m_form; }
    void ClearMessage() override;
    void PrepareForms() override;
    bool Show(bool show = true) override;
    TreeView* Tree() { return m_tree; }
    wxSplitterWindow* Splitter() { return m_splitter; }
    ProblemsPanel* Problems() { return m_problems; }
    void ShowProblems(bool show);
    bool ProblemsShown() const;

    // Shows the About box; tests put their own in.
    std::function<void()> m_runAbout;

    // Which form is in the right pane.
    NodeType m_formType = NodeType::LoreBook;

protected:
    bool TryBefore(wxEvent& event) override;

private:
    void CreateMenus();
    void CreateBars();
    void SetFirstSize();
    void BindCommands();
    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);
    // The problems list and the tree's marks follow the findings; the status bar counts them.
    void SyncFindings();
    // File > Open Translation: the dialog, then the file it chose.
    void OnOpenTranslation();
    // After File > Open read a pair: the language file last opened beside it, if any.
    void ReopenTranslation();
    // Opens a language file beside the pair, or says why not; the tree and the form show it.
    void OpenTranslation(const std::string& path);
    // F6 and Shift+F6: the tree, the form and the problems list.
    void SwitchPane(bool forward);

    Document& m_doc;
    SettingsStore* m_settings;
    wxSplitterWindow* m_outer = nullptr; // the two panes above the problems list
    wxSplitterWindow* m_splitter = nullptr;
    ProblemsPanel* m_problems = nullptr;
    int m_problemsHeight = 0;
    TreeView* m_tree = nullptr;
    FormPane* m_form = nullptr; // the shown one of the two below
    FormPane* m_bookForm = nullptr;
    FormPane* m_templateForm = nullptr;
    bool m_routing = false;
    // After View > Split, the arrow keys move the bar until Enter or Escape; -1 when not.
    int m_splitStart = -1;
    bool MoveSplitBar(const wxKeyEvent& event);
};

} // namespace tc

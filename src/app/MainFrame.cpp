#include "app/MainFrame.h"

#include "Resources.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/OpenTranslationDialog.h"
#include "document/RememberedTranslations.h"
#include "document/SettingsKeys.h"
#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Product.h"
#include "platform/wx/WxText.h"
#include "rules/CommandIds.h"
#include "views/LoreBookForm.h"
#include "views/TemplateForm.h"

#include <wx/accel.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <algorithm>
#include <vector>

namespace tc {

namespace {

enum StatusPane {
    kMessagePane,
    kModifiedPane,
    kFindingsPane,
    kTranslationPane,
    kCapsPane,
    kNumPane,
    kScrollPane,
    kPaneCount
};

// "&Undo Delete 'ferry_song'\tCtrl+Z"; the step's name may hold a mnemonic sign.
wxString StepLabel(const wxString& verb, const std::string& step, const wxString& key) {
    wxString name = ToWx(step);
    name.Replace("&", "&&");
    return verb + (name.empty() ? "" : " ") + name + "\t" + key;
}

// The undo keys in a text field undo the field's own typing, not the document's changes.
bool UndoInField(const wxKeyEvent& event) {
    auto* field = wxDynamicCast(wxWindow::FindFocus(), wxTextCtrl);
    if (field == nullptr || !field->IsEditable() || !event.ControlDown() || event.AltDown()) {
        return false;
    }
    const int key = event.GetKeyCode();
    const bool redo = key == 'Y' || (key == 'Z' && event.ShiftDown());
    if (key != 'Z' && key != 'Y') {
        return false;
    }
    if (redo && field->CanRedo()) {
        field->Redo();
    } else if (!redo && field->CanUndo()) {
        field->Undo();
    }
    return true;
}

} // namespace

MainFrame::MainFrame(Document& doc, SettingsStore* settings)
    : wxFrame(nullptr, wxID_ANY, kAppTitle, wxDefaultPosition, wxSize(1000, 700)), m_doc(doc),
      m_settings(settings) {
    SetIcons(res::AppIcons());
    CreateMenus();
    CreateBars();

    m_outer = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   wxSP_3D | wxSP_LIVE_UPDATE);
    m_outer->SetSashGravity(1.0); // the list keeps its height; the panes take the rest
    m_outer->SetMinimumPaneSize(FromDIP(60));
    m_splitter = new wxSplitterWindow(m_outer, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxSP_3D | wxSP_LIVE_UPDATE);
    m_splitter->SetSashGravity(0.0); // the tree keeps its width; the form takes the rest
    m_splitter->SetMinimumPaneSize(60);
    m_tree = new TreeView(m_splitter, m_doc, *this);
    m_tree->SetImages(res::TreeImages());
    // Both forms are made once, and the selection shows one or the other: making the template
    // form anew each time the selection crosses from books to templates costs more than all the
    // rest of a key press in the tree.
    m_templateForm = new TemplateForm(m_splitter, m_doc, *m_tree);
    m_templateForm->Detach();
    m_templateForm->Hide();
    m_form = m_bookForm = new LoreBookForm(m_splitter, m_doc, *m_tree);
    m_problems = new ProblemsPanel(m_outer, m_doc, *this);
    m_problemsHeight = FromDIP(170);
    SetFirstSize();
    const int clientWidth = GetClientSize().GetWidth();
    m_splitter->SplitVertically(m_tree, m_form, static_cast<int>(clientWidth * 0.3));
    m_outer->Initialize(m_splitter);
    m_problems->Hide();
    ShowProblems(m_settings == nullptr ||
                 m_settings->GetInt(keys::kViewSection, keys::kProblemsShown, 1) != 0);
    m_tree->SetMarks([this](const Node* node) { return m_doc.Findings().HasError(node); });
    m_tree->RebuildTree(TreeViewInterface::kAllGroups);
    m_tree->SetFocus();

    m_runAbout = [this] {
        AboutDialog about(this, m_doc.Ui());
        about.ShowModal();
    };
    BindCommands();
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
    Bind(wxEVT_IDLE, &MainFrame::OnIdle, this);
}

// Large enough for the whole form beside a tree three tenths wide, as the display's DPI and the
// dialog font lay it out (a fixed size in pixels cuts the form off at 150 %), within the screen.
void MainFrame::SetFirstSize() {
    const wxSize usual = FromDIP(wxSize(1000, 700));
    // The template form is a little taller than the book form, and a scroll bar may stand
    // beside it; a few dialog units cover both.
    const wxSize form = m_form->LayoutSize() + m_form->ConvertDialogToPixels(wxSize(12, 16));
    wxSize client(std::max(usual.x - (GetSize().x - GetClientSize().x), form.x * 10 / 7),
                  std::max(usual.y - (GetSize().y - GetClientSize().y), form.y) + m_problemsHeight);
    const wxRect screen = wxDisplay(this).GetClientArea();
    client.x = std::min(client.x, screen.width - (GetSize().x - GetClientSize().x));
    client.y = std::min(client.y, screen.height - (GetSize().y - GetClientSize().y));
    SetClientSize(client);
    // On a short screen the form keeps its whole height and the list takes what is left, down
    // to a few rows (the form scrolls below that).
    m_problemsHeight =
        std::clamp(GetClientSize().GetHeight() - form.y, FromDIP(100), m_problemsHeight);
}

MainFrame::~MainFrame() {
    m_doc.AttachFormView(nullptr);
}

void MainFrame::CreateMenus() {
    auto* file = new wxMenu;
    file->Append(Id(CommandId::FileOpen), "&Open...\tCtrl+O", "Open an existing document");
    file->Append(Id(CommandId::OpenTranslation), "Open &Translation...",
                 "Open a language file beside the books, to translate their texts and titles");
    file->Append(Id(CommandId::FileSave), "&Save\tCtrl+S", "Save the active document");
    file->AppendSeparator();
    file->Append(Id(CommandId::BackupLocation), "&Backup location...",
                 "Specify the location to save backup files to");
    file->AppendSeparator();
    file->Append(Id(CommandId::AppExit), "E&xit",
                 "Quit the application; prompts to save documents");
    auto* edit = new wxMenu;
    edit->Append(Id(CommandId::EditUndo), StepLabel("&Undo", "", "Ctrl+Z"), "Undo the last change");
    edit->Append(Id(CommandId::EditRedo), StepLabel("&Redo", "", "Ctrl+Y"),
                 "Redo the change last undone");
    edit->AppendSeparator();
    edit->Append(Id(CommandId::EditFind), "&Find...\tCtrl+F", "Find a node by a text it holds");
    edit->Append(Id(CommandId::EditRepeat), "Find &Next\tF3",
                 "Find the next node holding the text");
    edit->Append(Id(CommandId::EditFindPrevious), "Find &Previous\tShift+F3",
                 "Find the previous node holding the text");
    auto* add = new wxMenu;
    add->Append(Id(CommandId::NewLoreBook), "&Lore Book...\tCtrl+B", "Add a new lore book");
    add->Append(Id(CommandId::NewTemplate), "&Template...\tCtrl+T", "Add a new lore template");
    auto* view = new wxMenu;
    view->AppendCheckItem(Id(CommandId::ViewToolbar), "&Toolbar", "Show or hide the toolbar");
    view->AppendCheckItem(Id(CommandId::ViewStatusBar), "&Status Bar",
                          "Show or hide the status bar");
    view->Append(Id(CommandId::WindowSplit), "S&plit", "Split the active window into panes");
    view->AppendSeparator();
    view->AppendCheckItem(Id(CommandId::ViewProblems), "Pro&blems",
                          "Show or hide the list of problems and of what a save would change");
    view->Append(Id(CommandId::NextProblem), "&Next Problem\tF8",
                 "Go to the next problem in the list");
    view->Append(Id(CommandId::PreviousProblem), "Pre&vious Problem\tShift+F8",
                 "Go to the previous problem in the list");
    auto* help = new wxMenu;
    help->Append(Id(CommandId::AppAbout), "&About Tomecraft...",
                 "Display program information, version number and copyright");
    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(add, "&New");
    bar->Append(view, "&View");
    bar->Append(help, "&Help");
    SetMenuBar(bar);

    // The pane keys and the second Redo key; the others come with their menu items.
    wxAcceleratorEntry keys[] = {{wxACCEL_NORMAL, WXK_F6, Id(CommandId::NextPane)},
                                 {wxACCEL_SHIFT, WXK_F6, Id(CommandId::PrevPane)},
                                 {wxACCEL_CTRL | wxACCEL_SHIFT, 'Z', Id(CommandId::EditRedo)}};
    SetAcceleratorTable(wxAcceleratorTable(3, keys));
}

void MainFrame::CreateBars() {
    wxToolBar* toolbar = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL, Id(CommandId::ViewToolbar));
    toolbar->AddTool(Id(CommandId::FileOpen), "Open", res::ToolbarBitmap(res::ToolbarImage::Open),
                     "Open", wxITEM_NORMAL);
    toolbar->SetToolLongHelp(Id(CommandId::FileOpen), "Open an existing document");
    toolbar->AddTool(Id(CommandId::FileSave), "Save", res::ToolbarBitmap(res::ToolbarImage::Save),
                     "Save");
    toolbar->SetToolLongHelp(Id(CommandId::FileSave), "Save the active document");
    toolbar->AddSeparator();
    toolbar->AddTool(Id(CommandId::NewLoreBook), "New Book",
                     res::ToolbarBitmap(res::ToolbarImage::NewLoreBook), "New Book");
    toolbar->SetToolLongHelp(Id(CommandId::NewLoreBook), "Add a new lore book");
    toolbar->AddTool(Id(CommandId::NewTemplate), "New Template",
                     res::ToolbarBitmap(res::ToolbarImage::NewTemplate), "New Template");
    toolbar->SetToolLongHelp(Id(CommandId::NewTemplate), "Add a new lore template");
    toolbar->Realize();

    wxStatusBar* status =
        CreateStatusBar(kPaneCount, wxSTB_DEFAULT_STYLE, Id(CommandId::ViewStatusBar));
    const int widths[kPaneCount] = {-1,
                                    GetTextExtent("Modified").GetWidth() + 16,
                                    GetTextExtent("99999 errors, 99999 warnings").GetWidth() + 16,
                                    0, // the translation's progress, as wide as it needs
                                    44,
                                    44,
                                    44};
    status->SetStatusWidths(kPaneCount, widths);
    SetStatusText("Ready", kMessagePane);
}

void MainFrame::BindCommands() {
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            m_doc.OnFileOpen();
            ReopenTranslation();
        },
        Id(CommandId::FileOpen));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnOpenTranslation(); },
        Id(CommandId::OpenTranslation));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_doc.OnFileSave(); }, Id(CommandId::FileSave));
    // Save is gray while there is nothing to write: neither a stored change nor typing.
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            event.Enable(m_doc.Data().IsModified() || (m_form != nullptr && m_form->HasTyping()));
        },
        Id(CommandId::FileSave));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_doc.OnBackupLocation(); },
        Id(CommandId::BackupLocation));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, Id(CommandId::AppExit));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ShowProblems(!ProblemsShown()); },
        Id(CommandId::ViewProblems));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(ProblemsShown()); },
        Id(CommandId::ViewProblems));
    for (const CommandId id : {CommandId::NextProblem, CommandId::PreviousProblem}) {
        Bind(
            wxEVT_MENU,
            [this, id](wxCommandEvent&) {
                SyncFindings(); // the rows and the tree's marks, both up to date first
                if (!m_problems->GoToNext(id == CommandId::NextProblem)) {
                    SetStatusText("No problems found", kMessagePane);
                }
            },
            Id(id));
    }
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_doc.OnEditUndo(); }, Id(CommandId::EditUndo));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_doc.OnEditRedo(); }, Id(CommandId::EditRedo));
    // The labels follow the history at idle time (OnIdle), before a menu opens: a label changed
    // as the menu opens is cut to the width the menu had.
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_doc.Data().CanUndo()); },
        Id(CommandId::EditUndo));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_doc.Data().CanRedo()); },
        Id(CommandId::EditRedo));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_doc.OnEditFind(); }, Id(CommandId::EditFind));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_doc.OnFindNext(true); }, Id(CommandId::EditRepeat));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_doc.OnFindNext(false); },
        Id(CommandId::EditFindPrevious));
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (!MoveSplitBar(event) && !UndoInField(event)) {
            event.Skip();
        }
    });
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { m_runAbout(); }, Id(CommandId::AppAbout));
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            wxToolBar* toolbar = GetToolBar();
            toolbar->Show(!toolbar->IsShown());
            SendSizeEvent();
        },
        Id(CommandId::ViewToolbar));
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            wxStatusBar* status = GetStatusBar();
            status->Show(!status->IsShown());
            SendSizeEvent();
        },
        Id(CommandId::ViewStatusBar));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(GetToolBar()->IsShown()); },
        Id(CommandId::ViewToolbar));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(GetStatusBar()->IsShown()); },
        Id(CommandId::ViewStatusBar));
    // Split puts the bar between the panes back where it started, and the arrow keys move it.
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            m_splitter->SetSashPosition(static_cast<int>(GetClientSize().GetWidth() * 0.3));
            m_splitStart = m_splitter->GetSashPosition();
            SetStatusText("Move the split bar with the Left and Right keys; Enter keeps it, "
                          "Escape puts it back.",
                          kMessagePane);
        },
        Id(CommandId::WindowSplit));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { SwitchPane(true); }, Id(CommandId::NextPane));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { SwitchPane(false); }, Id(CommandId::PrevPane));
}

void MainFrame::OnOpenTranslation() {
    std::string start = m_doc.GetTranslationPath();
    if (start.empty() && !m_doc.GetLorePath().empty()) {
        // A mod's data tree keeps its language files in a folder beside the books.
        const std::string folder = WithFolderSeparator(FolderOf(m_doc.GetLorePath())) + "language";
        start = IsFolder(folder) ? folder : std::string();
    }
    OpenTranslationDialog dialog(this, m_doc.Ui(), start);
    if (dialog.ShowModal() == wxID_OK) {
        OpenTranslation(dialog.LanguagePath());
    }
}

void MainFrame::ReopenTranslation() {
    if (m_settings == nullptr || m_doc.Data().Translation() != nullptr ||
        m_doc.GetLorePath().empty()) {
        return; // no new pair was read
    }
    const std::string path =
        RememberedTranslation(*m_settings, m_doc.GetLorePath(), m_doc.GetTemplatePath());
    if (path.empty()) {
        return;
    }
    if (!FileExists(path)) {
        RememberTranslation(*m_settings, m_doc.GetLorePath(), m_doc.GetTemplatePath(), {});
        return;
    }
    OpenTranslation(path);
}

void MainFrame::OpenTranslation(const std::string& path) {
    if (const Result<void> opened = m_doc.OpenTranslation(path); !opened) {
        m_doc.Ui().MessageBoxUtf8(opened.GetFailure().text, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (m_doc.GetTranslationPath() != path) {
        return; // the user kept the translation that was open
    }
    if (m_settings != nullptr && !m_doc.GetLorePath().empty()) {
        RememberTranslation(*m_settings, m_doc.GetLorePath(), m_doc.GetTemplatePath(), path);
    }
    m_tree->MarkTranslations();
    if (m_form != nullptr) {
        m_form->PutBack(); // its typing was stored before the file was opened
    }
}

void MainFrame::SwitchPane(bool forward) {
    // F6 goes between the tree and the form, and from the list back to the tree; Shift+F6 goes
    // the other way round all three.
    std::vector<wxWindow*> panes{m_tree};
    if (m_form != nullptr) {
        panes.push_back(m_form);
    }
    if (ProblemsShown() && (!forward || m_problems->IsDescendant(FindFocus()))) {
        panes.push_back(m_problems->List());
    }
    std::size_t at = 0; // the pane that holds the focus, else the tree's place
    for (wxWindow* focus = FindFocus(); focus != nullptr; focus = focus->GetParent()) {
        if (const auto it = std::find(panes.begin(), panes.end(), focus); it != panes.end()) {
            at = static_cast<std::size_t>(it - panes.begin());
            break;
        }
    }
    wxWindow* next = panes[(at + (forward ? 1 : panes.size() - 1)) % panes.size()];
    if (next == m_form && m_form->HasNode()) {
        // The form's first field, on every platform: Windows would go back to the field last
        // left, which may be one of another node.
        m_form->FocusField({});
    } else {
        next->SetFocus();
    }
}

bool MainFrame::ProblemsShown() const {
    return m_outer->IsSplit();
}

void MainFrame::ShowProblems(bool show) {
    if (show == ProblemsShown()) {
        return;
    }
    if (show) {
        m_problems->Show();
        m_outer->SplitHorizontally(m_splitter, m_problems, -m_problemsHeight);
    } else {
        m_problemsHeight = m_outer->GetClientSize().GetHeight() - m_outer->GetSashPosition();
        if (m_problems->IsDescendant(FindFocus())) {
            m_tree->SetFocus();
        }
        m_outer->Unsplit(m_problems);
    }
    if (m_settings != nullptr) {
        m_settings->SetInt(keys::kViewSection, keys::kProblemsShown, show ? 1 : 0);
    }
}

void MainFrame::SyncFindings() {
    const Document::FindingChanges changes = m_problems->Sync();
    if (!changes.all) {
        m_tree->Remark(changes.touched);
    }
    if (wxStatusBar* status = GetStatusBar()) {
        const wxString count = m_problems->CountText();
        if (status->GetStatusText(kFindingsPane) != count) {
            status->SetStatusText(count, kFindingsPane);
        }
    }
}

bool MainFrame::MoveSplitBar(const wxKeyEvent& event) {
    if (m_splitStart < 0) {
        return false;
    }
    const int key = event.GetKeyCode();
    if (key == WXK_LEFT || key == WXK_RIGHT) {
        const int step = event.ControlDown() ? 1 : 8;
        m_splitter->SetSashPosition(m_splitter->GetSashPosition() +
                                    (key == WXK_LEFT ? -step : step));
        return true;
    }
    if (key == WXK_ESCAPE) {
        m_splitter->SetSashPosition(m_splitStart);
    }
    m_splitStart = -1;
    SetStatusText("Ready", kMessagePane);
    return key == WXK_ESCAPE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
}

void MainFrame::ClearMessage() {
    if (GetStatusBar() != nullptr && m_splitStart < 0) {
        SetStatusText("Ready", kMessagePane);
    }
}

bool MainFrame::TryBefore(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (!m_routing && type == wxEVT_MENU && event.GetId() != Id(CommandId::WindowSplit)) {
        ClearMessage();
    }
    if (!m_routing && m_tree != nullptr && (type == wxEVT_MENU || type == wxEVT_UPDATE_UI)) {
        m_routing = true;
        bool handled = m_tree->ProcessWindowEventLocally(event);
        if (!handled && m_form != nullptr) {
            handled = m_form->ProcessWindowEventLocally(event);
        }
        m_routing = false;
        if (handled) {
            return true;
        }
    }
    return wxFrame::TryBefore(event);
}

FormPane* MainFrame::SwitchFormView(NodeType type) {
    if (type == m_formType && m_form != nullptr) {
        return m_form;
    }
    FormPane* next = type == NodeType::Template ? m_templateForm : m_bookForm;
    FormPane* previous = m_form;
    m_form = next;
    m_formType = type;
    next->Attach();
    if (previous != nullptr) {
        previous->Detach();
        m_splitter->ReplaceWindow(previous, next);
        previous->Hide();
    }
    next->Show();
    return next;
}

bool MainFrame::Show(bool show) {
    const bool changed = wxFrame::Show(show);
    if (show && m_templateForm != nullptr && !m_templateForm->IsShown()) {
        m_templateForm->Show();
        m_templateForm->Hide();
    }
    return changed;
}

void MainFrame::PrepareForms() {
    for (FormPane* form : {m_bookForm, m_templateForm}) {
        if (form != nullptr) {
            form->Prepare();
        }
    }
}

void MainFrame::OnClose(wxCloseEvent& event) {
    if (event.CanVeto() && !m_doc.CanCloseFrame()) {
        event.Veto();
        return;
    }
    Destroy();
}

void MainFrame::OnIdle(wxIdleEvent& event) {
    SyncFindings();
    const std::pair<StatusPane, std::pair<wxKeyCode, const char*>> indicators[] = {
        {kCapsPane, {WXK_CAPITAL, "CAP"}},
        {kNumPane, {WXK_NUMLOCK, "NUM"}},
        {kScrollPane, {WXK_SCROLL, "SCRL"}}};
    if (wxMenuBar* bar = GetMenuBar()) {
        const std::pair<int, wxString> steps[] = {
            {Id(CommandId::EditUndo), StepLabel("&Undo", m_doc.Data().UndoName(), "Ctrl+Z")},
            {Id(CommandId::EditRedo), StepLabel("&Redo", m_doc.Data().RedoName(), "Ctrl+Y")}};
        for (const auto& [id, label] : steps) {
            if (wxMenuItem* item = bar->FindItem(id);
                item != nullptr && item->GetItemLabel() != label) {
                item->SetItemLabel(label);
            }
        }
    }
    if (wxStatusBar* status = GetStatusBar()) {
        const wxString progress = Utf8ToWx(m_doc.TranslationProgress());
        if (status->GetStatusText(kTranslationPane) != progress) {
            status->SetStatusText(progress, kTranslationPane);
            int widths[kPaneCount];
            for (int pane = 0; pane < kPaneCount; ++pane) {
                widths[pane] = status->GetStatusWidth(pane);
            }
            widths[kTranslationPane] =
                progress.empty() ? 0 : GetTextExtent(progress).GetWidth() + 16;
            status->SetStatusWidths(kPaneCount, widths);
        }
        const wxString modified = m_doc.Data().IsModified() ? "Modified" : "";
        if (status->GetStatusText(kModifiedPane) != modified) {
            status->SetStatusText(modified, kModifiedPane);
        }
        for (const auto& [pane, key] : indicators) {
            const wxString text = wxGetKeyState(key.first) ? key.second : "";
            if (status->GetStatusText(pane) != text) {
                status->SetStatusText(text, pane);
            }
        }
    }
    event.Skip();
}

} // namespace tc

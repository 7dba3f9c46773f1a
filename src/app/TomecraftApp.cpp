#include "app/TomecraftApp.h"

#include "app/Console.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/WxDocumentHost.h"
#include "dialogs/OpenFilesDialog.h"
#include "document/Document.h"
#include "document/EditorCommandLine.h"
#include "platform/Product.h"
#include "platform/wx/WxSettingsStore.h"
#include "platform/wx/WxText.h"
#include "platform/wx/WxUserInterface.h"
#include "rules/CommandIds.h"

#include <wx/dialog.h>
#include <wx/dnd.h>
#include <wx/msgdlg.h>

#include <algorithm>

namespace tc {

TomecraftApp::TomecraftApp() = default;
TomecraftApp::~TomecraftApp() = default;

void RunStartup(MainFrame& frame) {
    wxCommandEvent about(wxEVT_MENU, Id(CommandId::AppAbout));
    frame.ProcessWindowEvent(about);
    wxCommandEvent open(wxEVT_MENU, Id(CommandId::FileOpen));
    frame.ProcessWindowEvent(open);
}

namespace {

class FilesDropTarget : public wxFileDropTarget {
public:
    explicit FilesDropTarget(TomecraftApp& app) : m_app(app) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        std::vector<std::string> files;
        for (const wxString& name : names) {
            files.push_back(Utf8FromWx(name));
        }
        // The drop ends first: the file manager waits for it, and the Open dialog is modal.
        m_app.CallAfter([&app = m_app, files] { app.TakeFiles(files); });
        return true;
    }

private:
    TomecraftApp& m_app;
};

} // namespace

bool TomecraftApp::OnInit() {
    // wx's own command-line parsing is not run: it knows neither our options nor /?.
    std::vector<std::string> args;
    for (int k = 1; k < argc; ++k) {
        args.emplace_back(argv[k].utf8_str());
    }
    const EditorStart start = ParseEditorCommandLine(args);
    if (start.action != EditorStart::Action::Run) {
        const bool error = start.action == EditorStart::Action::Refuse;
        if (!WriteForUser(start.text, error)) {
            wxMessageBox(wxString::FromUTF8(start.text), kAppTitle,
                         wxOK | (error ? wxICON_EXCLAMATION : wxICON_INFORMATION));
        }
        m_exitStatus = start.status;
        return true;
    }
    SetAppName(kAppTitle);
    SetVendorName(kCompanyName);
    m_instance = std::make_unique<SingleInstance>();
    if (m_instance->AnotherIsRunning(start.files)) {
        // The running instance has been raised; this one ends quietly and successfully.
        m_exitStatus = 0;
        return true;
    }
    m_settings = WxSettingsStore::ForCurrentUser();
    m_ui = std::make_unique<WxUserInterface>();
    m_host = std::make_unique<WxDocumentHost>(*m_settings, *m_ui);
    m_doc = std::make_unique<Document>(*m_ui, *m_host, *m_settings);
    auto* frame = new MainFrame(*m_doc, m_settings.get());
    m_frame = frame;
    m_host->SetFrame(frame);
    m_host->OfferFiles(start.files);
    frame->SetDropTarget(new FilesDropTarget(*this));
    m_ui->SetParent(frame);
    SetTopWindow(frame);
    frame->Show();
    frame->Update();
    m_instance->Listen([this](const std::vector<std::string>& files) {
        RaiseApplicationWindows();
        TakeFiles(files);
    });
    CallAfter([frame] { RunStartup(*frame); });
    return true;
}

void TomecraftApp::TakeFiles(const std::vector<std::string>& files) {
    if (files.empty() || m_frame == nullptr) {
        return;
    }
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* open = dynamic_cast<OpenFilesDialog*>(window);
            open != nullptr && open->IsModal()) {
            open->Prefill(files);
            return;
        }
    }
    m_host->OfferFiles(files);
    // Behind another dialog (the About box at start-up, a message) the next Open dialog takes
    // them; otherwise they start one, through the command so that typed edits are kept first.
    const bool dialogShown =
        std::any_of(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), [](wxWindow* window) {
            auto* dialog = dynamic_cast<wxDialog*>(window);
            return dialog != nullptr && dialog->IsModal();
        });
    if (!dialogShown && m_frame->IsEnabled()) {
        wxCommandEvent open(wxEVT_MENU, Id(CommandId::FileOpen));
        m_frame->ProcessWindowEvent(open);
    }
}

int TomecraftApp::OnRun() {
    return m_exitStatus ? *m_exitStatus : wxApp::OnRun();
}

int TomecraftApp::OnExit() {
    m_instance.reset();
    return wxApp::OnExit();
}

} // namespace tc

#include "app/CTomecraftApp.h"

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/SingleInstance.h"
#include "app/WxDocumentHost.h"
#include "document/CTomecraftDoc.h"
#include "document/EditorCommandLine.h"
#include "platform/Product.h"
#include "platform/wx/WxSettingsStore.h"
#include "platform/wx/WxUserInterface.h"

#include <iostream>

namespace tc {

CTomecraftApp::CTomecraftApp() = default;
CTomecraftApp::~CTomecraftApp() = default;

void RunStartup(CMainFrame& frame) {
    wxCommandEvent about(wxEVT_MENU, ID_APP_ABOUT);
    frame.ProcessWindowEvent(about);
    wxCommandEvent open(wxEVT_MENU, ID_FILE_OPEN);
    frame.ProcessWindowEvent(open);
}

bool CTomecraftApp::OnInit() {
    // The program takes no options of its own beyond --help and --version, so wx's
    // command-line parsing is not run.
    std::vector<std::string> args;
    for (int k = 1; k < argc; ++k) {
        args.emplace_back(argv[k].utf8_str());
    }
    if (const std::optional<int> status = HandleEditorCommandLine(args, std::cout, std::cerr)) {
        m_exitStatus = *status;
        return true;
    }
    SetAppName(kAppTitle);
    SetVendorName(kCompanyName);
    m_instance = std::make_unique<SingleInstance>();
    if (m_instance->AnotherIsRunning()) {
        // The running instance has been raised; this one ends quietly and successfully.
        m_exitStatus = 0;
        return true;
    }
    m_settings = WxSettingsStore::ForCurrentUser();
    m_ui = std::make_unique<WxUserInterface>();
    m_host = std::make_unique<WxDocumentHost>(*m_settings, *m_ui);
    m_doc = std::make_unique<CTomecraftDoc>(*m_ui, *m_host, *m_settings);
    auto* frame = new CMainFrame(*m_doc);
    m_host->SetFrame(frame);
    m_ui->SetParent(frame);
    SetTopWindow(frame);
    frame->Show();
    frame->Update();
    m_instance->Listen(RaiseApplicationWindows);
    CallAfter([frame] { RunStartup(*frame); });
    return true;
}

int CTomecraftApp::OnRun() {
    return m_exitStatus ? *m_exitStatus : wxApp::OnRun();
}

int CTomecraftApp::OnExit() {
    m_instance.reset();
    return wxApp::OnExit();
}

} // namespace tc

// The application: one instance per user, the settings root, the document and the main window,
// then the About box and the Open dialog.
#pragma once

#include <wx/app.h>

#include <memory>
#include <optional>

namespace tc {

class CMainFrame;
class CTomecraftDoc;
class SingleInstance;
class WxDocumentHost;
class WxSettingsStore;
class WxUserInterface;

class CTomecraftApp : public wxApp {
public:
    CTomecraftApp();
    ~CTomecraftApp() override;

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

private:
    std::unique_ptr<SingleInstance> m_instance;
    // Set when the program ends without running: another instance was raised, or the command
    // line asked only for help or the version.
    std::optional<int> m_exitStatus;
    std::unique_ptr<WxSettingsStore> m_settings;
    std::unique_ptr<WxUserInterface> m_ui;
    std::unique_ptr<WxDocumentHost> m_host;
    std::unique_ptr<CTomecraftDoc> m_doc;
};

// The start of a run once the main window shows: the About box, then the Open command.
void RunStartup(CMainFrame& frame);

} // namespace tc

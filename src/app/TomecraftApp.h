// The application: one instance per user, the settings root, the document and the main window,
// then the About box and the Open dialog.
#pragma once

#include <wx/app.h>
#include <wx/weakref.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tc {

class MainFrame;
class Document;
class SingleInstance;
class WxDocumentHost;
class WxSettingsStore;
class WxUserInterface;

class TomecraftApp : public wxApp {
public:
    TomecraftApp();
    ~TomecraftApp() override;

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

    // Files named on a later start or dropped on the main window: the Open dialog shows them
    // now, or the next one does when another dialog is in the way.
    void TakeFiles(const std::vector<std::string>& files);

private:
    std::unique_ptr<SingleInstance> m_instance;
    wxWeakRef<MainFrame> m_frame; // gone once the window closes
    // Set when the program ends without running: another instance was raised, or the command
    // line asked only for help or the version.
    std::optional<int> m_exitStatus;
    std::unique_ptr<WxSettingsStore> m_settings;
    std::unique_ptr<WxUserInterface> m_ui;
    std::unique_ptr<WxDocumentHost> m_host;
    std::unique_ptr<Document> m_doc;
};

// The start of a run once the main window shows: the About box, then the Open command.
void RunStartup(MainFrame& frame);

} // namespace tc

// The document's dialogs and exit, as the desktop editor runs them.
#pragma once

#include "document/DocumentHost.h"
#include "platform/SettingsStore.h"
#include "platform/UserInterface.h"

#include <string>
#include <vector>

class wxFrame;

namespace tc {

class WxDocumentHost : public DocumentHost {
public:
    WxDocumentHost(SettingsStore& settings, UserInterface& ui) : m_settings(settings), m_ui(ui) {}

    void SetFrame(wxFrame* frame) { m_frame = frame; }
    // The next Open dialog starts with these files in its fields.
    void OfferFiles(std::vector<std::string> files) { m_offeredFiles = std::move(files); }

    std::optional<OpenPaths> RunOpenDialog() override;
    std::optional<std::string> RunNewNodeDialog(const std::string& caption,
                                                const LoreData& data) override;
    std::optional<std::string> RunBackupLocationDialog() override;
    std::optional<std::string> RunFindDialog(const std::string& last) override;
    void ShowStatus(const std::string& text) override;
    void SendExit() override;

private:
    SettingsStore& m_settings;
    UserInterface& m_ui;
    wxFrame* m_frame = nullptr;
    std::vector<std::string> m_offeredFiles;
};

} // namespace tc

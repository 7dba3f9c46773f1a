#include "app/WxDocumentHost.h"

#include "dialogs/BackupLocationDialog.h"
#include "dialogs/NewNodeDialog.h"
#include "dialogs/OpenFilesDialog.h"

#include "platform/wx/WxText.h"

#include <wx/frame.h>
#include <wx/textdlg.h>

#include <utility>

namespace tc {

std::optional<OpenPaths> WxDocumentHost::RunOpenDialog() {
    OpenFilesDialog dialog(m_frame, m_settings, m_ui);
    if (!m_offeredFiles.empty()) {
        dialog.Prefill(std::exchange(m_offeredFiles, {}));
    }
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return OpenPaths{dialog.Rules().lorePath, dialog.Rules().templatePath};
}

std::optional<std::string> WxDocumentHost::RunNewNodeDialog(const std::string& caption,
                                                            const LoreData& data) {
    NewNodeDialog dialog(m_frame, &data, m_ui, caption);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.NodeName();
}

std::optional<std::string> WxDocumentHost::RunBackupLocationDialog() {
    BackupLocationDialog dialog(m_frame, m_settings, m_ui);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.Rules().backupPath;
}

std::optional<std::string> WxDocumentHost::RunFindDialog(const std::string& last) {
    wxTextEntryDialog dialog(m_frame, "Find what:", "Find", Utf8ToWx(last));
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return Utf8FromWx(dialog.GetValue()); // a translation may be in any script
}

void WxDocumentHost::ShowStatus(const std::string& text) {
    if (m_frame != nullptr) {
        m_frame->SetStatusText(text.empty() ? wxString("Ready") : ToWx(text), 0);
    }
}

void WxDocumentHost::SendExit() {
    if (m_frame != nullptr) {
        m_frame->Close();
    }
}

} // namespace tc

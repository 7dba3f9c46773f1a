#include "app/WxDocumentHost.h"

#include "dialogs/CBackupLocationDlg.h"
#include "dialogs/CNewNodeDlg.h"
#include "dialogs/COpenFilesDlg.h"

#include "platform/wx/WxText.h"

#include <wx/frame.h>
#include <wx/textdlg.h>

#include <utility>

namespace tc {

std::optional<OpenPaths> WxDocumentHost::RunOpenDialog() {
    COpenFilesDlg dialog(m_frame, m_settings, m_ui);
    if (!m_offeredFiles.empty()) {
        dialog.Prefill(std::exchange(m_offeredFiles, {}));
    }
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return OpenPaths{dialog.Rules().m_strLorePath, dialog.Rules().m_strTemplatePath};
}

std::optional<std::string> WxDocumentHost::RunNewNodeDialog(const std::string& caption,
                                                            const LoreData& data) {
    CNewNodeDlg dialog(m_frame, &data, m_ui, caption);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.NodeName();
}

std::optional<std::string> WxDocumentHost::RunBackupLocationDialog() {
    CBackupLocationDlg dialog(m_frame, m_settings, m_ui);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.Rules().m_strBackupPath;
}

std::optional<std::string> WxDocumentHost::RunFindDialog(const std::string& last) {
    wxTextEntryDialog dialog(m_frame, "Find what:", "Find", ToWx(last));
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return FromWx(dialog.GetValue());
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

#include "app/WxDocumentHost.h"

#include "dialogs/CBackupLocationDlg.h"
#include "dialogs/CNewNodeDlg.h"
#include "dialogs/COpenFilesDlg.h"

#include <wx/frame.h>

namespace tc {

std::optional<OpenPaths> WxDocumentHost::RunOpenDialog() {
    COpenFilesDlg dialog(m_frame, m_settings, m_ui);
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

void WxDocumentHost::SendExit() {
    if (m_frame != nullptr) {
        m_frame->Close();
    }
}

} // namespace tc

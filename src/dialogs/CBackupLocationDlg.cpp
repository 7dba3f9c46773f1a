#include "dialogs/CBackupLocationDlg.h"

#include "dialogs/DialogParts.h"
#include "platform/UserInterface.h"
#include "platform/wx/WxText.h"

#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/stattext.h>

namespace tc {

CBackupLocationDlg::CBackupLocationDlg(wxWindow* parent, SettingsStore& settings, UserInterface& ui,
                                       FolderChooser chooseFolder)
    : wxDialog(parent, wxID_ANY, "Backup Location"), m_settings(settings), m_ui(ui),
      m_chooseFolder(std::move(chooseFolder)) {
    if (!m_chooseFolder) {
        m_chooseFolder = [this] {
            wxDirDialog dialog(this, "Select folder where backup files should be stored:", "",
                               wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
            return dialog.ShowModal() == wxID_OK ? PathFromWx(dialog.GetPath()) : std::string();
        };
    }
    const auto du = [this](int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); };
    const auto size = [this](int w, int h) { return ConvertDialogToPixels(wxSize(w, h)); };
    auto* intro = new wxStaticText(
        this, wxID_ANY,
        "By default, a backup of each file is made in the same location as the file being "
        "edited.  However, this can cause issues.  If you prefer to create the backup files in "
        "a different location, then enter that location below:",
        du(5, 5), size(235, 25));
    intro->Wrap(size(235, 25).GetWidth());
    new wxStaticText(
        this, wxID_ANY,
        "&Location to store backup copy of lore.gas and trs_book_lore.gas:", du(5, 40));
    m_cbBackupPaths = new HistoryCombo(this, BackupLocationRules::kFolderList, du(5, 50),
                                       size(215, 14), m_rules.m_cbBackupPaths);
    CreateBrowseButton(this, 1080, du(225, 50))->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        OnBrowseFolder();
    });
    auto* ok = new wxButton(this, wxID_OK, "OK", du(135, 70), size(50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", du(191, 70), size(50, 14));
    ok->SetDefault();
    SetClientSize(size(247, 90));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);

    m_rules.LoadBackupHistory(m_settings);
    m_cbBackupPaths->ShowList();
    m_cbBackupPaths->SetFocus();
    CentreOnParent();
}

void CBackupLocationDlg::OnBrowseFolder() {
    m_rules.OnBrowse(m_chooseFolder());
    m_cbBackupPaths->ShowList();
}

bool CBackupLocationDlg::OnOK() {
    return CloseUnlessRefused(this, m_ui, m_rules.OnOk(m_settings));
}

} // namespace tc

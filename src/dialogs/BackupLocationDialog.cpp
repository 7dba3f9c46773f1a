#include "dialogs/BackupLocationDialog.h"

#include "dialogs/DialogParts.h"
#include "platform/UserInterface.h"
#include "platform/wx/WxText.h"
#include "rules/ControlIds.h"

#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/stattext.h>

namespace tc {

BackupLocationDialog::BackupLocationDialog(wxWindow* parent, SettingsStore& settings,
                                           UserInterface& ui, FolderChooser chooseFolder)
    : wxDialog(parent, wxID_ANY, "Backup Location"), m_settings(settings), m_ui(ui),
      m_chooseFolder(std::move(chooseFolder)) {
    if (!m_chooseFolder) {
        m_chooseFolder = [this] {
            wxDirDialog dialog(this, "Select folder where backup files should be stored:", "",
                               wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
            return dialog.ShowModal() == wxID_OK ? Utf8FromWx(dialog.GetPath()) : std::string();
        };
    }
    auto* intro = new wxStaticText(
        this, wxID_ANY,
        "By default, a backup of each file is made in the same location as the file being "
        "edited.  However, this can cause issues.  If you prefer to create the backup files in "
        "a different location, then enter that location below:",
        DuPoint(this, 5, 5), DuSize(this, 235, 25));
    intro->Wrap(DuSize(this, 235, 25).GetWidth());
    new wxStaticText(
        this, wxID_ANY,
        "&Location to store backup copy of lore.gas and trs_book_lore.gas:", DuPoint(this, 5, 40));
    m_backupPathsField =
        new HistoryCombo(this, Id(ControlId::BackupFolderList), DuPoint(this, 5, 50),
                         DuSize(this, 215, 14), m_rules.backupPaths);
    CreateBrowseButton(this, Id(ControlId::BackupBrowseButton), DuPoint(this, 225, 50))
        ->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseFolder(); });
    AddOkCancel(this, {135, 70}, {191, 70}, {247, 90}, [this] { OnOK(); });

    m_rules.LoadBackupHistory(m_settings);
    m_backupPathsField->ShowList();
    m_backupPathsField->SetFocus();
    CentreOnParent();
}

void BackupLocationDialog::OnBrowseFolder() {
    m_rules.OnBrowse(m_chooseFolder());
    m_backupPathsField->ShowList();
}

bool BackupLocationDialog::OnOK() {
    return CloseUnlessRefused(this, m_ui, m_rules.OnOk(m_settings));
}

} // namespace tc

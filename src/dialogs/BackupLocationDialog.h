// The Backup Location dialog: chooses the folder for backup copies.
#pragma once

#include "rules/BackupLocationRules.h"

#include <wx/dialog.h>

#include <functional>

namespace tc {

class HistoryCombo;
class UserInterface;

class BackupLocationDialog : public wxDialog {
public:
    // `chooseFolder` stands in for the folder chooser in tests; by default a wxDirDialog runs.
    using FolderChooser = std::function<std::string()>;

    BackupLocationDialog(wxWindow* parent, SettingsStore& settings, UserInterface& ui,
                         FolderChooser chooseFolder = {});

    BackupLocationRules& Rules() { return m_rules; }
    bool OnOK();
    void OnBrowseFolder();

    HistoryCombo* m_backupPathsField;

private:
    SettingsStore& m_settings;
    UserInterface& m_ui;
    FolderChooser m_chooseFolder;
    BackupLocationRules m_rules;
};

} // namespace tc

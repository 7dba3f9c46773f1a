#include "rules/BackupLocationRules.h"

#include "document/SettingsKeys.h"
#include "platform/Paths.h"

#include <algorithm>

namespace tc {

namespace {

bool SamePathEntry(const std::string& entry, std::string_view path) {
    return SamePath(entry, path);
}

// Puts the folder in the list (below the fixed entry when it is new) and selects it.
void SelectFolder(ComboList& list, const std::string& folder) {
    int index = list.Find(folder, SamePathEntry);
    if (index < 0) {
        list.InsertAt(1, folder);
        index = 1;
    }
    list.Select(index);
}

} // namespace

void BackupLocationRules::LoadBackupHistory(const SettingsStore& settings) {
    const int selected = settings.GetInt(keys::kBackupSection, keys::kSelected, 0);
    const int count = settings.GetInt(keys::kBackupSection, keys::kPathCount, 0);
    backupPaths.Add(kSameLocation);
    for (int i = 0; i < count; ++i) {
        std::string folder =
            settings.GetString(keys::kBackupSection, NumberedName(keys::kBackupPath, i), "");
        if (!folder.empty()) {
            backupPaths.Add(std::move(folder));
        }
    }
    backupPaths.Select(selected);
}

void BackupLocationRules::SaveBackupHistory(SettingsStore& settings) const {
    settings.SetInt(keys::kBackupSection, keys::kSelected, backupPaths.Selection());
    // The folders follow the fixed entry, so the one selected at k >= 1 is stored as k - 1.
    const auto& entries = backupPaths.Entries();
    const int folders = std::max(0, backupPaths.Count() - 1);
    const int count = std::min(folders, keys::kHistoryLimit);
    if (count != 0) {
        settings.SetInt(keys::kBackupSection, keys::kPathCount, count);
    }
    for (int i = 0; i < count; ++i) {
        const std::string& folder = entries[static_cast<std::size_t>(i) + 1];
        if (!folder.empty() && folder != kSameLocation) {
            settings.SetString(keys::kBackupSection, NumberedName(keys::kBackupPath, i), folder);
        }
    }
}

void BackupLocationRules::OnBrowse(const std::string& chosenFolder) {
    if (chosenFolder.empty()) {
        return;
    }
    backupPath = WithFolderSeparator(UserPath(chosenFolder));
    SelectFolder(backupPaths, backupPath);
}

DialogVerdict BackupLocationRules::OnOk(SettingsStore& settings) {
    const std::string& typed = backupPaths.EditText();
    backupPath = typed.substr(std::min(typed.find_first_not_of(" \t"), typed.size()));
    if (backupPath == kSameLocation) {
        backupPath.clear();
    } else if (!backupPath.empty()) {
        backupPath = UserPath(backupPath);
        if (!PathExists(backupPath)) {
            return DialogVerdict::Refuse(
                "Specified backup path is not found.  Please select existing folder.",
                ControlId::BackupFolderList);
        }
        backupPath = WithFolderSeparator(backupPath);
        SelectFolder(backupPaths, backupPath);
    }
    SaveBackupHistory(settings);
    return DialogVerdict::Accept();
}

} // namespace tc

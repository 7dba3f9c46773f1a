// The Backup Location dialog without its window: the folder history, the browse result and the
// OK checks that choose where backup copies go.
#pragma once

#include "platform/SettingsStore.h"
#include "rules/ComboList.h"
#include "rules/DialogVerdict.h"

#include <string>

namespace tc {

class BackupLocationRules {
public:
    static constexpr const char* kSameLocation = "(Create backup in same location as file)";

    void LoadBackupHistory(const SettingsStore& settings);
    void SaveBackupHistory(SettingsStore& settings) const;

    // The folder chosen with the browse button; an empty path means nothing was chosen.
    void OnBrowse(const std::string& chosenFolder);

    // Checks the typed folder; on success stores the history and fills backupPath (empty
    // for backups beside the file).
    DialogVerdict OnOk(SettingsStore& settings);

    std::string backupPath;
    ComboList backupPaths{ComboList::Order::SortedIgnoringCase, 1};
};

} // namespace tc

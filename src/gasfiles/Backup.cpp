#include "gasfiles/Backup.h"

#include "platform/FileSystem.h"

namespace tc {

std::string BackupName(const std::string& path, const std::string& folder,
                       const std::string& backupFileName) {
    if (!folder.empty()) {
        return folder + backupFileName;
    }
    return path.substr(0, path.size() < 3 ? 0 : path.size() - 3) + "tcb";
}

std::string LoreBackupName(const std::string& path, const std::string& folder) {
    return BackupName(path, folder, "lore.tcb");
}

std::string TemplateBackupName(const std::string& path, const std::string& folder) {
    return BackupName(path, folder, "trs_book_lore.tcb");
}

FileCause MoveToBackup(const std::string& path, const std::string& backupName) {
    if (!FileExists(path)) {
        return FileCause::None;
    }
    if (SameFile(path, backupName)) {
        // Deleting the "old backup" would delete the file itself.
        return FileCause::BadPath;
    }
    if (FileExists(backupName)) {
        RemoveFile(backupName);
    }
    return MoveFile(path, backupName);
}

} // namespace tc

#include "gasfiles/Backup.h"

#include "platform/FileOps.h"
#include "platform/FileSystem.h"

#include <cerrno>

namespace tc {

namespace {

// Where a second name cannot be made, a copy does the job.
bool NeedsCopy(int linkError) {
    return linkError == EXDEV || linkError == EPERM || linkError == EMLINK ||
           linkError == ENOTSUP || linkError == EOPNOTSUPP || linkError == ENOSYS;
}

} // namespace

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

FileCause KeepBackup(const std::string& realPath, const std::string& backupName, bool copy) {
    if (SamePlace(realPath, backupName)) {
        return FileCause::BadPath; // the "backup" is the file itself
    }
    if (OneFileTwoNames(realPath, backupName)) {
        return FileCause::None; // a save stopped after its backup step: the backup stands
    }
    RemoveLeftoverTemps(backupName);
    std::string name;
    int error =
        copy ? EXDEV
             : MakeTempBeside(
                   backupName, [&](const std::string& n) { return LinkFile(realPath, n); }, name);
    if (NeedsCopy(error)) {
        error = MakeTempBeside(
            backupName, [&](const std::string& n) { return CopyToNewFile(realPath, n); }, name);
    }
    if (error != 0) {
        return CauseOfError(error);
    }
    TempFile temp(name);
    if ((error = RenameFile(name, backupName)) != 0) {
        return CauseOfError(error);
    }
    temp.Keep();
    SyncFolder(FolderOf(backupName));
    return FileCause::None;
}

} // namespace tc

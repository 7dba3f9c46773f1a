#include "gasfiles/Backup.h"

#include "platform/FileOps.h"
#include "platform/FileSystem.h"
#include "platform/FsPath.h"

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

std::string InPlaceMarkerOf(const std::string& realPath) {
    const std::filesystem::path path = FsPath(realPath);
    return Utf8Path(path.parent_path() /
                    FsPath("." + Utf8Path(path.filename()) + ".tomecraft-inplace"));
}

FileCause PendingBackup::Prepare(const std::string& realPath, int previous,
                                 const std::string& backupName, bool copy) {
    m_kept = true;
    if (SamePlace(realPath, backupName)) {
        return FileCause::BadPath; // the "backup" is the file itself
    }
    if (OneFileTwoNames(realPath, backupName)) {
        return FileCause::None; // a save stopped after its backup step: the backup stands
    }
    // An empty previous file never replaces a backup that holds something: after an
    // interruption the backup may be the only whole copy left.
    FileInfo older;
    if (StampOf(previous).size == 0 && InspectFile(backupName, older) == 0 &&
        older.stamp.size > 0) {
        return FileCause::None;
    }
    FileInfo marker;
    if (InspectFile(InPlaceMarkerOf(realPath), marker) == 0 && marker.stamp.exists) {
        return FileCause::None;
    }
    RemoveLeftoverTemps(backupName);
    m_backupName = backupName;
    m_folder = FolderOf(backupName);
    std::string name;
    int error =
        copy ? EXDEV
             : MakeTempBeside(
                   backupName, [&](const std::string& n) { return LinkFile(realPath, n); }, name);
    m_linked = error == 0;
    if (NeedsCopy(error)) {
        error = MakeTempBeside(
            backupName, [&](const std::string& n) { return CopyToNewFile(previous, n); }, name);
    }
    if (error != 0) {
        return CauseOfError(error);
    }
    m_temp.emplace(std::move(name));
    m_kept = false;
    return FileCause::None;
}

int PendingBackup::Commit() {
    if (!m_temp) {
        return 0;
    }
    if (const int error = RenameFile(m_temp->Path(), m_backupName)) {
        return error;
    }
    m_temp->Keep();
    m_temp.reset();
    SyncFolder(m_folder);
    return 0;
}

} // namespace tc

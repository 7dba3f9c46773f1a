// The backup copy a save keeps of the previous version of a game file.
#pragma once

#include "platform/FileCause.h"
#include "platform/FileOps.h"

#include <optional>

#include <string>

namespace tc {

// Beside the file (its last three characters become "tcb") when `folder` is empty, otherwise
// `folder` followed directly by `backupFileName`.
std::string BackupName(const std::string& path, const std::string& folder,
                       const std::string& backupFileName);
std::string LoreBackupName(const std::string& path, const std::string& folder);
std::string TemplateBackupName(const std::string& path, const std::string& folder);

// Where the whole new version of a file with other hard links waits while the file is written
// over in place. While it exists, the file itself may be cut short: its backup is the whole
// previous version and is not replaced by it.
std::string InPlaceMarkerOf(const std::string& realPath);

// The previous version of a file on its way to the backup name: first made under a temporary name
// in the backup's folder (a second name where possible; a durable copy of the open file
// `previous` across file systems, or always when `copy` is set), then given the backup name in
// one step. Until then the older backup stays whole, and the file itself is never touched. An
// empty file, or one that an interrupted in-place write may have left cut short, never replaces
// a backup.
class PendingBackup {
public:
    // FileCause::None when the copy stands ready (or nothing needs doing).
    FileCause Prepare(const std::string& realPath, int previous, const std::string& backupName,
                      bool copy);
    // Replaces the older backup; 0 or the errno of the failure. Allocates nothing.
    int Commit();
    // The copy is a second name of the file (it shares whatever is written to the file later).
    bool Linked() const { return m_linked; }
    // The backup that stands was kept rather than replaced.
    bool Kept() const { return m_kept; }
    const std::string& Folder() const { return m_folder; }

private:
    std::optional<TempFile> m_temp;
    std::string m_backupName;
    std::string m_folder;
    bool m_linked = false;
    bool m_kept = true;
};

} // namespace tc

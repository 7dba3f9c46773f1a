// The backup copy a save keeps of the previous version of a game file.
#pragma once

#include "platform/FileCause.h"

#include <string>

namespace tc {

// Beside the file (its last three characters become "tcb") when `folder` is empty, otherwise
// `folder` followed directly by `backupFileName`.
std::string BackupName(const std::string& path, const std::string& folder,
                       const std::string& backupFileName);
std::string LoreBackupName(const std::string& path, const std::string& folder);
std::string TemplateBackupName(const std::string& path, const std::string& folder);

// Makes `backupName` hold the file now at `realPath`, replacing an older backup in one step:
// until it succeeds the older backup stays whole, and `realPath` itself is never touched. A
// second name (hard link) where possible; a durable copy across file systems, or always when
// `copy` is set. FileCause::None on success.
FileCause KeepBackup(const std::string& realPath, const std::string& backupName, bool copy);

} // namespace tc

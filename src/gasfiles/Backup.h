// The backup step before a game file is overwritten.
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

// Moves the file at `path` to `backupName`, replacing an older backup. FileCause::None when the
// previous version is now in the backup or there was no previous version; otherwise the cause,
// and the file at `path` is untouched and must not be overwritten.
FileCause MoveToBackup(const std::string& path, const std::string& backupName);

} // namespace tc

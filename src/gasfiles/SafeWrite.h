// The write step both game files share: backup first, then the new text.
#pragma once

#include "gasfiles/FileReport.h"
#include "platform/TextFile.h"
#include "platform/UserInterface.h"

#include <functional>
#include <string>

namespace tc {

// Moves the file at `path` to `backupName` and writes what `emit` produces to `path`, under the
// wait cursor. False, after the open-failure report, when the previous version cannot be moved
// aside (the file is then not overwritten) or `path` cannot be opened. Throws FileError when a
// write fails midway; the backup then still holds the previous version.
bool WriteWithBackup(const std::string& path, const std::string& backupName, FileAccess access,
                     UserInterface& ui, const std::function<void(TextSink&)>& emit);

} // namespace tc

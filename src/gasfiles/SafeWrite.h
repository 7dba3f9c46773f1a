// How both game files are saved: never a partial file under the real name, never the last good
// copy lost, and nothing replaced that would not read back as it was meant.
#pragma once

#include "gasfiles/FileReport.h"
#include "platform/FileOps.h"
#include "platform/TextFile.h"
#include "platform/UserInterface.h"

#include <functional>
#include <string>

namespace tc {

struct SaveRequest {
    std::string path; // as the user named it; a symbolic link is followed
    std::string backupName;
    FileAccess access = FileAccess::WriteLore;
    std::function<void(TextSink&)> emit;
    // Reads the written file back: empty when it holds what was meant, else what differs.
    std::function<std::string(const std::string& writtenPath)> readBack;
    // The version that was read, if known: a different file found there is replaced only when
    // the user agrees. Updated to the written version.
    FileStamp* stamp = nullptr;
};

// Writes the new text to a temporary file beside the real one and syncs it, reads it back,
// keeps the previous version as the backup copy, then renames the new file over the real name.
// The new file keeps the previous one's mode, owner and group; a file with other hard links
// keeps its identity (rewritten in place once its backup copy is on disk). False, after a
// message, when the save did not happen; the real file and the older backup are then as they
// were. Throws FileError when a write fails midway (the real file is then untouched too).
bool SaveFile(const SaveRequest& request, UserInterface& ui);

} // namespace tc

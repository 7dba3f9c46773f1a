// How the game files are saved: never a partial file under the real name, never the last good
// copy lost, nothing replaced that would not read back as it was meant, and a pair saved as a
// unit.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "gasfiles/FileReport.h"
#include "platform/FileOps.h"
#include "platform/TextFile.h"

#include <functional>
#include <span>
#include <string>

namespace tc {

// Asks the user whether a file that another program changed since it was read may be replaced
// (`question` is Windows-1252); true for yes. Where there is nobody to ask (the command line),
// none is given and such a file is left as it is.
using AskToReplace = std::function<bool(const std::string& question)>;

struct SaveRequest {
    std::string path; // as the user named it; a symbolic link is followed
    std::string backupName;
    FileAccess access = FileAccess::WriteLore;
    std::function<void(TextSink&)> emit;
    // Each "\n" that emit writes becomes CR LF on disk; false: its bytes go to disk as they are.
    bool crlf = true;
    // Reads the written file back: empty when it holds what was meant, else what differs.
    std::function<std::string(const std::string& writtenPath)> readBack;
    // The version that was read, if known: a different file found there is replaced only when
    // the user agrees. Updated to the written version.
    FileStamp* stamp = nullptr;
    // Set when the file on disk holds what was meant, whether written or already so.
    bool saved = false;
};

// Saves the files as a unit. Each is written to a temporary file beside itself and synced, read
// back, checked against the version that was read, and its previous version made ready under a
// temporary name beside its backup, before any file is replaced; a file whose bytes would not
// change is not written at all. Then each backup and file takes its name in one step (a file
// with other hard links is written over in place once its backup copy is on disk, keeping its
// identity). The new file keeps the previous one's mode, owner and group. False when not every
// file was saved: `messages` then gets one that says why and which file holds which version. A
// save that succeeds may also add one, about a change another program made meanwhile.
bool SaveFiles(std::span<SaveRequest> requests, Diagnostics& messages,
               const AskToReplace& ask = nullptr);
bool SaveFile(SaveRequest& request, Diagnostics& messages, const AskToReplace& ask = nullptr);

} // namespace tc

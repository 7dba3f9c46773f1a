#include "gasfiles/SafeWrite.h"

#include "gasfiles/Backup.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <new>

namespace tc {

namespace {

void Warn(UserInterface& ui, const std::string& text) {
    ui.MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

bool Refuse(UserInterface& ui, FileAccess access, FileCause cause, const std::string& path) {
    Warn(ui, OpenFailureReport(access, cause, path));
    return false;
}

bool MayReplace(const FileStamp& found, const SaveRequest& request, UserInterface& ui) {
    if (request.stamp == nullptr || !request.stamp->known || found == *request.stamp) {
        return true;
    }
    const std::string question =
        request.path +
        "\n\nhas been changed by another program since Tomecraft read it.  Replace it with "
        "the data shown in Tomecraft?";
    return ui.MessageBox(question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
}

bool Save(const SaveRequest& request, UserInterface& ui) {
    FileInfo previous;
    if (const int error = InspectFile(request.path, previous)) {
        return Refuse(ui, request.access, CauseOfError(error), request.path);
    }
    if (previous.stamp.exists && !previous.writable) {
        return Refuse(ui, request.access, FileCause::AccessDenied, request.path);
    }
    RemoveLeftoverTemps(previous.realPath);

    UniqueFd fd;
    std::string name;
    if (const int error = MakeTempBeside(
            previous.realPath, [&](const std::string& n) { return CreateNewFile(n, fd); }, name)) {
        return Refuse(ui, request.access, CauseOfError(error), request.path);
    }
    TempFile temp(name);
    {
        TextWriter writer(std::move(fd), request.path);
        request.emit(writer);
        if (previous.stamp.exists) {
            if (const int error = TakeModeAndOwner(writer.Fd(), previous, request.path)) {
                throw FileError(CauseOfError(error), request.path);
            }
        }
        writer.Finish();
    }
    if (const std::string problem = request.readBack(temp.Path()); !problem.empty()) {
        Warn(ui, request.path + "\n\nwas not saved: " + problem +
                     "\n\nThe file on disk was not changed.");
        return false;
    }

    // Looked at as late as possible, so that a version another program saved meanwhile is not
    // pushed aside unasked.
    if (const int error = InspectFile(request.path, previous)) {
        return Refuse(ui, request.access, CauseOfError(error), request.path);
    }
    if (!MayReplace(previous.stamp, request, ui)) {
        return false;
    }
    FileInfo written;
    InspectFile(temp.Path(), written);
    // Other names of the file are shared with someone else, except a backup that a stopped
    // save left as a second name.
    const bool keepIdentity =
        previous.links > (OneFileTwoNames(previous.realPath, request.backupName) ? 2u : 1u);
    if (previous.stamp.exists) {
        if (const FileCause cause = KeepBackup(previous.realPath, request.backupName, keepIdentity);
            cause != FileCause::None) {
            return Refuse(ui, request.access, cause, request.backupName);
        }
    }
    if (keepIdentity) {
        int error = 0;
        try {
            error = CopyInPlace(temp.Path(), previous.realPath);
        } catch (const std::bad_alloc&) {
            error = ENOMEM;
        }
        if (error != 0) {
            // Rewritten in place, the file may now be cut short: say where the whole one is.
            Warn(ui, CauseText(CauseOfError(error), request.path) + "\n\n" + request.path +
                         " was not written in full.  Its previous version is in " +
                         request.backupName + ".");
            return false;
        }
        InspectFile(previous.realPath, written);
    } else if (const int error = RenameFile(temp.Path(), previous.realPath)) {
        throw FileError(CauseOfError(error), request.path);
    } else {
        temp.Keep();
        SyncFolder(FolderOf(previous.realPath));
    }
    if (request.stamp != nullptr) {
        *request.stamp = written.stamp;
    }
    return true;
}

} // namespace

bool SaveFile(const SaveRequest& request, UserInterface& ui) {
    BusyCursor busy(ui);
    try {
        return Save(request, ui);
    } catch (const std::bad_alloc&) {
        Warn(ui, "There is not enough memory to save " + request.path +
                     ".\n\nThe file on disk was not changed.");
        return false;
    }
}

} // namespace tc

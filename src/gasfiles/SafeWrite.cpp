#include "gasfiles/SafeWrite.h"

#include "gasfiles/Backup.h"

namespace tc {

bool WriteWithBackup(const std::string& path, const std::string& backupName, FileAccess access,
                     UserInterface& ui, const std::function<void(TextSink&)>& emit) {
    BusyCursor busy(ui);
    if (const FileCause cause = MoveToBackup(path, backupName); cause != FileCause::None) {
        ui.MessageBox(OpenFailureReport(access, cause, backupName), MsgButtons::Ok,
                      MsgIcon::Exclamation);
        return false;
    }
    OpenedWriter opened = OpenForWriting(path);
    if (!opened.writer) {
        ui.MessageBox(OpenFailureReport(access, opened.cause, path), MsgButtons::Ok,
                      MsgIcon::Exclamation);
        return false;
    }
    emit(*opened.writer);
    opened.writer->Close();
    return true;
}

} // namespace tc

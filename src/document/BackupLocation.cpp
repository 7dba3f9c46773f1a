#include "document/BackupLocation.h"

#include "document/SettingsKeys.h"

namespace tc {

std::string LoadBackupLocation(const SettingsStore& settings) {
    const int selected = settings.GetInt(keys::kBackupSection, keys::kSelected, 0);
    if (selected == 0) {
        return {};
    }
    return settings.GetString(keys::kBackupSection, NumberedName(keys::kBackupPath, selected - 1),
                              "");
}

} // namespace tc

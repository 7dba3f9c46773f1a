// Where backup copies go when a run starts, as the settings the Backup Location dialog keeps
// name it.
#pragma once

#include "platform/SettingsStore.h"

#include <string>

namespace tc {

// The backup folder the settings name for the start of a run; empty for beside the file.
std::string LoadBackupLocation(const SettingsStore& settings);

} // namespace tc

// File-system steps the editor needs besides reading and writing text.
#pragma once

#include "platform/FileCause.h"

#include <string>

namespace tc {

bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
bool SameFile(const std::string& a, const std::string& b);

// Removes a file; false when there was nothing to remove or it could not be removed.
bool RemoveFile(const std::string& path);

// Moves `from` to `to`, replacing `to`. When a plain rename cannot cross file systems, copies
// and then deletes, so that `to` always ends up holding what `from` held. Returns
// FileCause::None on success, FileCause::FileNotFound when `from` does not exist.
FileCause MoveFile(const std::string& from, const std::string& to);

} // namespace tc

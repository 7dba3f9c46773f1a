// File-system steps the editor needs besides reading and writing text.
#pragma once

#include "platform/FileCause.h"

#include <string>

namespace tc {

bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
bool SameFile(const std::string& a, const std::string& b);

} // namespace tc

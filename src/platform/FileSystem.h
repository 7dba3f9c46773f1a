// File-system steps the editor needs besides reading and writing text.
#pragma once

#include "platform/FileCause.h"

#include <string>

namespace tc {

bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
// The two paths lead to one place, links in their folders followed; also for files that do not
// exist yet.
bool SamePlace(const std::string& a, const std::string& b);
// Two existing names of one file (hard or symbolic links).
bool OneFileTwoNames(const std::string& a, const std::string& b);
// Either of the above.
bool SameFile(const std::string& a, const std::string& b);

} // namespace tc

// The message shown when one of the game files cannot be opened.
#pragma once

#include "platform/FileCause.h"

#include <string>

namespace tc {

enum class FileAccess { ReadAny, WriteLore, WriteTemplates };

std::string OpenFailureReport(FileAccess access, FileCause cause, const std::string& path);

} // namespace tc

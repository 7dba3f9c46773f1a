// The message shown when one of the game files cannot be opened.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "platform/FileCause.h"
#include "platform/FileOps.h"

#include <string>

namespace tc {

enum class FileAccess { ReadAny, WriteLore, WriteTemplates, WriteLanguage };

std::string OpenFailureReport(FileAccess access, FileCause cause, const std::string& path,
                              PathShown as = PathShown::Cp1252);

// Reads the whole file at `path` into `bytes`. False, with the open-failure report added to
// `found`, when it cannot be opened. `stamp`, when given, receives the version read (or the
// missing-file stamp). Throws FileError when the read fails midway.
bool ReadWholeFile(const std::string& path, std::string& bytes, Diagnostics& found,
                   FileStamp* stamp);

} // namespace tc

// Reading and writing the lore content file, lore.gas.
#pragma once

#include "model/CLoreBook.h"
#include "platform/TextFile.h"
#include "platform/UserInterface.h"

#include <memory>
#include <string>
#include <vector>

namespace tc {

using BookList = std::vector<std::unique_ptr<CLoreBook>>;

// Appends the books of the file to `books` in the order their sections close. Messages about
// malformed sections go to `ui`. Throws FileError when the source fails mid-read.
void ParseLoreFile(ByteSource& source, BookList& books, UserInterface& ui);

// False, after the open-failure report, when the file cannot be opened.
bool ReadLoreFile(const std::string& path, BookList& books, UserInterface& ui);

// The whole file as written, with "\n" line ends (the writer puts CR LF on disk).
void EmitLoreFile(const BookList& books, TextSink& out);

// Moves the old file to its backup, then writes every book. False, after a report, when the
// backup or the open fails; the old file is then left where it was. Throws FileError when the
// write fails midway.
bool WriteLoreFile(const std::string& path, const std::string& backupFolder, const BookList& books,
                   UserInterface& ui);

} // namespace tc

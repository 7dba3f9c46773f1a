// Reading and writing the lore content file, lore.gas.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "gasfiles/SafeWrite.h"
#include "model/LoreBook.h"
#include "platform/TextFile.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tc {

using BookList = std::vector<std::unique_ptr<LoreBook>>;

// Appends the books of the file to `books` in the order their sections close, and the messages
// about malformed sections to `found`, naming the file `path`. Throws FileError when the source
// fails mid-read.
void ParseLoreFile(ByteSource& source, BookList& books, Diagnostics& found,
                   const std::string& path = "");
// As above, handing each book to `take` as its section closes.
using BookSink = std::function<void(std::unique_ptr<LoreBook>)>;
void ParseLoreFile(ByteSource& source, const BookSink& take, Diagnostics& found,
                   const std::string& path = "");

// False, with the open-failure report in `found`, when the file cannot be opened. `stamp`, when
// given, receives the version of the file that was read. With `notes`, `found` also gets a
// note for each change a save of what was read would make to the file.
bool ReadLoreFile(const std::string& path, BookList& books, Diagnostics& found,
                  FileStamp* stamp = nullptr, bool notes = true);

// The whole file as written, with "\n" line ends (the writer puts CR LF on disk).
void EmitLoreFile(const BookList& books, TextSink& out);
// Its parts in turn: the head up to the books, each book, and the end.
void EmitLoreHead(TextSink& out);
void EmitLoreBook(const LoreBook& book, TextSink& out);
void EmitLoreTail(TextSink& out);

// Saves every book as SaveFile does, the previous file becoming lore.tcb. False, with a message,
// when nothing was replaced. `stamp`: as in SaveRequest.
bool WriteLoreFile(const std::string& path, const std::string& backupFolder, const BookList& books,
                   Diagnostics& messages, FileStamp* stamp = nullptr,
                   const AskToReplace& ask = nullptr);
// The save of the lore file, for saving it together with the template file; `books` must
// outlive it.
SaveRequest LoreSaveRequest(const std::string& path, const std::string& backupFolder,
                            const BookList& books, FileStamp* stamp);

} // namespace tc

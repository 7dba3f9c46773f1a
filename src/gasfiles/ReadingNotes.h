// Notes for every change a save of what was read would make to the file beyond its layout:
// what it would drop, join, cut, change or add. The file is read plainly, what Save would write
// is read the same way, and the two are compared node by node, key by key.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"

#include <string>
#include <string_view>

namespace tc {

// `fileBytes` is the file as read, `books` all that the reader made of it. Linear in the size of
// the file, but for sorting the keys within each section. A node that the file holds just as
// Save writes it, where the reader found it, is passed over unless `everyNode`; the notes are
// the same either way.
void AddLoreReadingNotes(std::string_view fileBytes, const BookList& books, const std::string& path,
                         Diagnostics& found, bool everyNode = false);
void AddTemplateReadingNotes(std::string_view fileBytes, const TemplateList& templates,
                             const std::string& path, Diagnostics& found, bool everyNode = false);

} // namespace tc

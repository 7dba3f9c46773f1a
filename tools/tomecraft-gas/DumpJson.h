// The JSON that `dump` prints, written an element at a time (docs/dump-format.md).
#pragma once

#include "document/Document.h"

#include <ostream>
#include <string>
#include <vector>

namespace tc::cli {

// The version of the layout; raised when a key changes meaning or goes.
constexpr int kDumpFormat = 1;

void WriteDumpJson(const Document& doc, const std::vector<std::string>& messages,
                   std::ostream& out);

// Appends `cp1252` (or, with `utf8`, a UTF-8 text) as a JSON string in UTF-8, quotes included.
void AppendJsonString(std::string& out, std::string_view cp1252, bool utf8 = false);

} // namespace tc::cli

// Reading and writing the template file, trs_book_lore.gas.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "gasfiles/SafeWrite.h"
#include "model/Template.h"
#include "platform/TextFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

using TemplateList = std::vector<std::unique_ptr<Template>>;

// The trimmed text between the first `opening` and the first `closing` after it; a missing ";"
// lets the value run to the end of the line. Empty when either is missing.
std::string ExtractBetween(std::string_view line, std::string_view opening,
                           std::string_view closing);

// Appends the templates of the file to `templates` in the order their sections close, then lets
// each of them inherit the numbers its section left out from its loaded parent. Messages about
// malformed sections go to `found`, naming the file `path`. Throws FileError when the source
// fails mid-read.
void ParseTemplateFile(ByteSource& source, TemplateList& templates, Diagnostics& found,
                       const std::string& path = "");

// As ReadLoreFile, for the template file.
bool ReadTemplateFile(const std::string& path, TemplateList& templates, Diagnostics& found,
                      FileStamp* stamp = nullptr, bool notes = true);

// The comment line at the top of a written file, without its "//".
std::string TemplateFileHeader();

// The whole file as written, with "\n" line ends; each template repeats only what differs from
// its loaded parent.
void EmitTemplateFile(const TemplateList& templates, TextSink& out);
// Its parts in turn: the head, then each template with the one it specializes (or none).
void EmitTemplateHead(TextSink& out);
void EmitTemplate(const Template& t, const Template* parent, TextSink& out);

// As WriteLoreFile, for the template file and its backup trs_book_lore.tcb.
bool WriteTemplateFile(const std::string& path, const std::string& backupFolder,
                       const TemplateList& templates, Diagnostics& messages,
                       FileStamp* stamp = nullptr, const AskToReplace& ask = nullptr);
// As LoreSaveRequest, for the template file.
SaveRequest TemplateSaveRequest(const std::string& path, const std::string& backupFolder,
                                const TemplateList& templates, FileStamp* stamp);

} // namespace tc

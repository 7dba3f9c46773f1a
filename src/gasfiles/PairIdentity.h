// The lore file and the template file of a pair must be two files: a save writes each of them
// and moves each to its own backup, so sharing a file (or a backup) would overwrite one
// collection with the other.
#pragma once

#include <string>

namespace tc {

// Empty when the two paths name two different files, neither of which is the other's backup
// copy and whose backups differ; otherwise the message to show. `backupFolder` is where the
// backups go (empty: beside each file). Links are followed; where paths ignore case, so does
// the comparison.
// The template file's name ("trs_book_lore.gas", ignoring case) also ends in "lore.gas": a lore
// file is never one of these.
bool IsTemplateFileName(const std::string& path);

std::string PairProblem(const std::string& lorePath, const std::string& templatePath,
                        const std::string& backupFolder = "");

} // namespace tc

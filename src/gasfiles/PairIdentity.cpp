#include "gasfiles/PairIdentity.h"

#include "gasfiles/Backup.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace tc {

namespace {

std::string Refusal(const std::string& what, const std::string& a, const std::string& b) {
    return what + "\n\nLore book file: " + a + "\nTemplate file: " + b +
           "\n\nPlease choose two different files.";
}

} // namespace

bool IsTemplateFileName(const std::string& path) {
    return EndsWithNoCase(path, "trs_book_lore.gas");
}

std::string PairProblem(const std::string& lorePath, const std::string& templatePath,
                        const std::string& backupFolder) {
    if (SameFile(lorePath, templatePath)) {
        return Refusal("The lore book file and the template file are the same file.", lorePath,
                       templatePath);
    }
    const std::string loreBackup = LoreBackupName(lorePath, backupFolder);
    const std::string templateBackup = TemplateBackupName(templatePath, backupFolder);
    if (SameFile(loreBackup, templatePath) || SameFile(templateBackup, lorePath)) {
        return Refusal("One of the two files is the backup copy of the other.", lorePath,
                       templatePath);
    }
    if (SameFile(loreBackup, templateBackup)) {
        return Refusal("The two files would share one backup copy, " + loreBackup + ".", lorePath,
                       templatePath);
    }
    return {};
}

} // namespace tc

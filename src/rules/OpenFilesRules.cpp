#include "rules/OpenFilesRules.h"

#include "document/SettingsKeys.h"
#include "gasfiles/PairIdentity.h"
#include "platform/FsPath.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <algorithm>
#include <filesystem>

namespace tc {

namespace {

struct FileRules {
    const char* requiredName;
    const char* wrongNameMessage;
    const char* countName;
    const char* pathName;
};

const FileRules& RulesOf(OpenFilesRules::Which which) {
    static const FileRules lore{"lore.gas",
                                "Please select only the lore book content (lore.gas) file!  Any "
                                "other file will not be parsed correctly.",
                                keys::kLoreCount, keys::kLorePath};
    static const FileRules templates{"trs_book_lore.gas",
                                     "Please select only the lore book template "
                                     "(trs_book_lore.gas) file!  Any other file will not be "
                                     "parsed correctly.",
                                     keys::kTemplateCount, keys::kTemplatePath};
    return which == OpenFilesRules::Which::Lore ? lore : templates;
}

constexpr OpenFilesRules::Which kBoth[] = {OpenFilesRules::Which::Lore,
                                           OpenFilesRules::Which::Templates};

bool SamePathEntry(const std::string& entry, std::string_view path) {
    return SamePath(entry, path);
}

OpenFilesRules::Which KindOf(std::string_view path) {
    return EndsWithNoCase(FileNameOf(path), "trs_book_lore.gas") ? OpenFilesRules::Which::Templates
                                                                 : OpenFilesRules::Which::Lore;
}

std::string_view FolderOf(std::string_view path) {
    return path.substr(0, path.size() - FileNameOf(path).size());
}

// The other file of the pair in the same folder, as it is named on disk (on a file system that
// respects case, "Trs_Book_Lore.gas" is found too); empty when there is none.
std::string PartnerOnDisk(std::string_view path, OpenFilesRules::Which partner) {
    const std::string_view name =
        partner == OpenFilesRules::Which::Lore ? "lore.gas" : "trs_book_lore.gas";
    const std::string folder(FolderOf(path));
    if (folder.empty()) {
        return {};
    }
    const std::string exact = folder + std::string(name);
    std::error_code ec;
    if (std::filesystem::is_regular_file(FsPath(exact), ec)) {
        return exact;
    }
    for (std::filesystem::directory_iterator it(FsPath(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = Utf8Path(it->path().filename());
        if (EqualsNoCase(entry, name) && it->is_regular_file(ec)) {
            return folder + entry;
        }
    }
    return {};
}

} // namespace

OpenFilesRules::OpenFilesRules() = default;

void OpenFilesRules::LoadPathHistory(const SettingsStore& settings) {
    for (Which which : kBoth) {
        const FileRules& rules = RulesOf(which);
        ComboList& list = List(which);
        const int count = settings.GetInt(keys::kOpenSection, rules.countName, 0);
        for (int i = 0; i < count; ++i) {
            std::string path =
                settings.GetString(keys::kOpenSection, NumberedName(rules.pathName, i), "");
            if (!path.empty()) {
                list.Add(std::move(path));
            }
        }
        list.Select(0);
    }
    // The lore history is in name order and the template history in order of use: their first
    // entries may come from two folders, a mix that Enter would open.
    const std::string& lore = lorePaths.EditText();
    if (!lore.empty()) {
        const int partner = templatePaths.Find(lore, [](const std::string& entry, auto path) {
            return SamePath(FolderOf(entry), FolderOf(path));
        });
        if (partner >= 0) {
            templatePaths.Select(partner);
        }
    }
}

void OpenFilesRules::Prefill(const std::vector<std::string>& files) {
    std::optional<std::string> given[2];
    for (const std::string& file : files) {
        std::optional<std::string>& field = given[KindOf(file) == Which::Lore ? 0 : 1];
        if (!field) {
            field = file;
        }
    }
    if (!given[0] && !given[1]) {
        return;
    }
    for (Which which : kBoth) {
        const int mine = which == Which::Lore ? 0 : 1;
        std::string path = given[mine] ? *given[mine] : PartnerOnDisk(*given[1 - mine], which);
        List(which).SetEditText(UserPath(path));
    }
}

void OpenFilesRules::SavePathHistory(SettingsStore& settings) const {
    for (Which which : kBoth) {
        const FileRules& rules = RulesOf(which);
        const ComboList& list = which == Which::Lore ? lorePaths : templatePaths;
        const int count = std::min(list.Count(), keys::kHistoryLimit);
        settings.SetInt(keys::kOpenSection, rules.countName, count);
        for (int i = 0; i < count; ++i) {
            if (!list.At(i).empty()) {
                settings.SetString(keys::kOpenSection, NumberedName(rules.pathName, i), list.At(i));
            }
        }
    }
}

std::optional<std::string> OpenFilesRules::OnBrowse(Which which, const std::string& chosenPath) {
    if (chosenPath.empty()) {
        return std::nullopt;
    }
    const FileRules& rules = RulesOf(which);
    const std::string path = UserPath(chosenPath);
    if (!EqualsNoCase(FileNameOf(path), rules.requiredName)) {
        return std::string(rules.wrongNameMessage);
    }
    ComboList& list = List(which);
    int index = list.Find(path, SamePathEntry);
    if (index < 0) {
        list.InsertAt(0, path);
        index = 0;
    }
    list.Select(index);
    return std::nullopt;
}

DialogVerdict OpenFilesRules::OnOk(SettingsStore& settings) {
    lorePath = lorePaths.EditText();
    templatePath = templatePaths.EditText();
    if (lorePath.empty()) {
        return DialogVerdict::Refuse(
            "You must provide the full path and file name of the lore book content file.",
            ControlId::LorePathList);
    }
    if (templatePath.empty()) {
        return DialogVerdict::Refuse(
            "You must provide the full path and file name of the lore templates file.",
            ControlId::TemplatePathList);
    }
    lorePath = UserPath(lorePath);
    templatePath = UserPath(templatePath);
    if (!PathExists(lorePath) || !EndsWithNoCase(lorePath, "lore.gas") ||
        IsTemplateFileName(lorePath)) {
        return DialogVerdict::Refuse(
            "Specified lore book content file not found or incorrect name.",
            ControlId::LorePathList);
    }
    if (!PathExists(templatePath) || !EndsWithNoCase(templatePath, "trs_book_lore.gas")) {
        return DialogVerdict::Refuse("Specified lore template file not found or incorrect name.",
                                     ControlId::TemplatePathList);
    }
    // "trs_book_lore.gas" also ends in "lore.gas": one file chosen twice would have each save
    // write both collections over it.
    if (const std::string problem = PairProblem(lorePath, templatePath); !problem.empty()) {
        return DialogVerdict::Refuse(problem, ControlId::LorePathList);
    }
    for (Which which : kBoth) {
        const std::string& path = which == Which::Lore ? lorePath : templatePath;
        ComboList& list = List(which);
        if (list.Find(path, SamePathEntry) < 0) {
            list.InsertAt(0, path);
        }
    }
    SavePathHistory(settings);
    return DialogVerdict::Accept();
}

} // namespace tc

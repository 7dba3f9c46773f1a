#include "rules/TranslationBox.h"

#include "document/Translation.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace tc {

TranslationBox TranslationBoxOf(const LanguageFile* file, const Node* node) {
    if (file == nullptr) {
        return {false, "No translation open: File \u203A Open Translation\u2026"};
    }
    const std::string language = LanguageDisplayName(file->LanguageId());
    const TranslationState state =
        node == nullptr ? TranslationState::Nothing : StateOf(*file, *node);
    if (state == TranslationState::Nothing) {
        return {false, language + ": nothing to translate"};
    }
    return {true, language + ": " + StateText(state)};
}

DialogVerdict ChooseLanguageFile(const std::string& typed,
                                 const std::vector<FolderLanguage>& languages, int chosen,
                                 std::string& file) {
    const std::string path(TrimWhite(typed));
    if (path.empty()) {
        return DialogVerdict::Refuse("Please enter a language file, or a language folder and "
                                     "one of its languages.",
                                     ControlId::LanguagePathField);
    }
    if (IsFolder(path)) {
        if (languages.empty()) {
            return DialogVerdict::Refuse("This folder holds no language file: none of its .gas "
                                         "files starts with a [t:0x0407,n:text] section.",
                                         ControlId::LanguagePathField);
        }
        if (chosen < 0 || chosen >= static_cast<int>(languages.size())) {
            return DialogVerdict::Refuse("Please choose one of the folder's languages.",
                                         ControlId::LanguageList);
        }
        file = languages[static_cast<std::size_t>(chosen)].path;
        return DialogVerdict::Accept();
    }
    if (!FileExists(path)) {
        return DialogVerdict::Refuse("There is no such language file or folder.",
                                     ControlId::LanguagePathField);
    }
    file = path;
    return DialogVerdict::Accept();
}

} // namespace tc

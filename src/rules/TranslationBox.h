// What the Translation box under each form says about the node the form shows.
#pragma once

#include "gasfiles/LanguageFile.h"
#include "gasfiles/LanguageFolder.h"
#include "model/Node.h"
#include "rules/DialogVerdict.h"

#include <string>
#include <vector>

namespace tc {

struct TranslationBox {
    bool enabled = false; // the translation can be typed
    std::string state;    // UTF-8: "German: Missing"
};

// With no language file open, or for a node without an English text (or none), the box is
// greyed and says why.
TranslationBox TranslationBoxOf(const LanguageFile* file, const Node* node);

// The OK of the Open Translation dialog: the language file that `typed` names, or for a folder
// (whose `languages` the dialog lists) the file of the `chosen` one.
DialogVerdict ChooseLanguageFile(const std::string& typed,
                                 const std::vector<FolderLanguage>& languages, int chosen,
                                 std::string& file);

} // namespace tc

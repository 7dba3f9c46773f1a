// The Open dialog without its window: the two path histories, the browse results and the OK
// checks that choose the lore content file and the template file.
#pragma once

#include "platform/SettingsStore.h"
#include "rules/ComboList.h"
#include "rules/DialogVerdict.h"

#include <optional>
#include <string>
#include <vector>

namespace tc {

class OpenFilesRules {
public:
    // Control ids of the two lists.

    enum class Which { Lore, Templates };

    OpenFilesRules();

    // Loads both histories and preselects the first lore path and, where the template history
    // holds one from the same folder, its partner.
    void LoadPathHistory(const SettingsStore& settings);
    void SavePathHistory(SettingsStore& settings) const;

    // The file chosen with a browse button; an empty path means nothing was chosen. Returns the
    // message to show when the file has the wrong name (the list is then unchanged).
    std::optional<std::string> OnBrowse(Which which, const std::string& chosenPath);

    // Puts files named on the command line or dropped on the window into the fields: a file
    // whose name ends in trs_book_lore.gas into the template field, any other into the lore
    // field, the first of each kind. A field that gets none takes the given file's partner from
    // the same folder when it exists there, and is emptied otherwise. OK still checks them.
    void Prefill(const std::vector<std::string>& files);

    // Checks the typed paths in order; on success records them in both histories, stores the
    // histories and fills the results.
    DialogVerdict OnOk(SettingsStore& settings);

    ComboList& List(Which which) { return which == Which::Lore ? lorePaths : templatePaths; }

    std::string lorePath;
    std::string templatePath;
    ComboList templatePaths{ComboList::Order::Insertion};
    ComboList lorePaths{ComboList::Order::SortedIgnoringCase};
};

} // namespace tc

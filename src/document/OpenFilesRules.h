// The Open dialog without its window: the two path histories, the browse results and the OK
// checks that choose the lore content file and the template file.
#pragma once

#include "document/ComboList.h"
#include "document/DialogVerdict.h"
#include "platform/SettingsStore.h"

#include <optional>
#include <string>

namespace tc {

class OpenFilesRules {
public:
    // Control ids of the two lists.
    static constexpr int kTemplateList = 1066;
    static constexpr int kLoreList = 1067;

    enum class Which { Lore, Templates };

    OpenFilesRules();

    void LoadPathHistory(const SettingsStore& settings);
    void SavePathHistory(SettingsStore& settings) const;

    // The file chosen with a browse button; an empty path means nothing was chosen. Returns the
    // message to show when the file has the wrong name (the list is then unchanged).
    std::optional<std::string> OnBrowse(Which which, const std::string& chosenPath);

    // Checks the typed paths in order; on success records them in both histories, stores the
    // histories and fills the results.
    DialogVerdict OnOk(SettingsStore& settings);

    ComboList& List(Which which) {
        return which == Which::Lore ? m_cbLorePaths : m_cbTemplatePaths;
    }

    std::string m_strLorePath;
    std::string m_strTemplatePath;
    ComboList m_cbTemplatePaths{ComboList::Order::Insertion};
    ComboList m_cbLorePaths{ComboList::Order::SortedIgnoringCase};
};

} // namespace tc

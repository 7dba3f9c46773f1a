// The New Node dialog's check of the name typed for a new lore book or template.
#pragma once

#include "model/LoreData.h"
#include "rules/DialogVerdict.h"

#include <string>

namespace tc {

class NewNodeRules {
public:
    // `data` null switches the uniqueness checks off.
    explicit NewNodeRules(const LoreData* data) : m_data(data) {}

    // Blanks become underscores; the name may repeat no book key and no template name, and
    // holds nothing the game files would not give back as a name.
    DialogVerdict OnOk(const std::string& typed);

    std::string m_nodeName;

private:
    const LoreData* m_data;
};

} // namespace tc

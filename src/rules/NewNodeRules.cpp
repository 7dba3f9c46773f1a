#include "rules/NewNodeRules.h"

#include "rules/BraceCheck.h"

#include <algorithm>

namespace tc {

DialogVerdict NewNodeRules::OnOk(const std::string& typed) {
    m_nodeName = typed;
    if (m_nodeName.empty()) {
        return DialogVerdict::Refuse("A name is required to create a new node!", kNameEdit);
    }
    std::replace(m_nodeName.begin(), m_nodeName.end(), ' ', '_');
    // What the forms would refuse to store under this name.
    for (DialogVerdict verdict :
         {RefuseBraces(m_nodeName, "name", kNameEdit),
          RefuseCharacters(m_nodeName, "name", "[]", "the game files end a name there.", kNameEdit),
          RefuseCommentStart(m_nodeName, "name", kNameEdit)}) {
        if (!verdict.accepted) {
            return verdict;
        }
    }
    if (m_data != nullptr && (!m_data->IsBookKeyUnique(m_nodeName, nullptr) ||
                              !m_data->IsTemplateNameUnique(m_nodeName, nullptr))) {
        return DialogVerdict::Refuse(
            "Name is required to be unique.  This name already exists.  Please enter a new name.",
            kNameEdit);
    }
    return DialogVerdict::Accept();
}

} // namespace tc

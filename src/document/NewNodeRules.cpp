#include "document/NewNodeRules.h"

#include "document/BraceCheck.h"

#include <algorithm>

namespace tc {

DialogVerdict NewNodeRules::OnOk(const std::string& typed) {
    m_strNodeName = typed;
    if (m_strNodeName.empty()) {
        return DialogVerdict::Refuse("A name is required to create a new node!", kNameEdit);
    }
    std::replace(m_strNodeName.begin(), m_strNodeName.end(), ' ', '_');
    // What the forms would refuse to store under this name.
    for (DialogVerdict verdict : {RefuseBraces(m_strNodeName, "name", kNameEdit),
                                  RefuseCharacters(m_strNodeName, "name", "[]",
                                                   "the game files end a name there.", kNameEdit),
                                  RefuseCommentStart(m_strNodeName, "name", kNameEdit)}) {
        if (!verdict.accepted) {
            return verdict;
        }
    }
    if (m_pDoc != nullptr && (!m_pDoc->IsBookKeyUnique(m_strNodeName, nullptr) ||
                              !m_pDoc->IsTemplateNameUnique(m_strNodeName, nullptr))) {
        return DialogVerdict::Refuse(
            "Name is required to be unique.  This name already exists.  Please enter a new name.",
            kNameEdit);
    }
    return DialogVerdict::Accept();
}

} // namespace tc

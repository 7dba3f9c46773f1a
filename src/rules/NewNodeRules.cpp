#include "rules/NewNodeRules.h"

#include "rules/BraceCheck.h"

#include <algorithm>

namespace tc {

DialogVerdict NewNodeRules::OnOk(const std::string& typed) {
    m_nodeName = typed;
    if (m_nodeName.empty()) {
        return DialogVerdict::Refuse("A name is required to create a new node!",
                                     ControlId::NewNodeNameField);
    }
    std::replace(m_nodeName.begin(), m_nodeName.end(), ' ', '_');
    // What the forms would refuse to store under this name.
    for (DialogVerdict verdict :
         {RefuseBraces(m_nodeName, "name", ControlId::NewNodeNameField),
          RefuseCharacters(m_nodeName, "name", "[]", "the game files end a name there.",
                           ControlId::NewNodeNameField),
          RefuseCommentStart(m_nodeName, "name", ControlId::NewNodeNameField)}) {
        if (!verdict.accepted) {
            return verdict;
        }
    }
    if (m_data != nullptr && (!m_data->IsBookKeyUnique(m_nodeName, nullptr) ||
                              !m_data->IsTemplateNameUnique(m_nodeName, nullptr))) {
        return DialogVerdict::Refuse(
            "Name is required to be unique.  This name already exists.  Please enter a new name.",
            ControlId::NewNodeNameField);
    }
    return DialogVerdict::Accept();
}

} // namespace tc

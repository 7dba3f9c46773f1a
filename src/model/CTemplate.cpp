#include "model/CTemplate.h"

#include "platform/Text.h"

namespace tc {

bool IsBaseName(std::string_view name) {
    return StartsWith(name, "base_");
}

void CTemplate::SetInventoryWidth(std::string_view text) {
    m_nInventoryWidth = ParseLeadingInt(text);
}

void CTemplate::SetInventoryHeight(std::string_view text) {
    m_nInventoryHeight = ParseLeadingInt(text);
}

void CTemplate::SetGoldValue(std::string_view text) {
    m_nGoldValue = ParseLeadingInt(text);
}

void CTemplate::SetScreenName(std::string_view text) {
    m_strScreenName = text;
    m_strDoc = ToLower(text);
    if (StartsWith(m_strDoc, "the ")) {
        m_strDoc.erase(0, 4);
    }
}

void CTemplate::SetName(std::string_view name) {
    TCObject::SetName(name);
    if (IsBaseName(m_strName)) {
        m_strDoc = ToLower(m_strName);
    }
}

bool CTemplate::IsTreasureBased() const {
    return Contains(m_strSpecializes, "treasure");
}

} // namespace tc

#include "model/Template.h"

#include "platform/Text.h"

namespace tc {

bool IsBaseName(std::string_view name) {
    return StartsWith(name, "base_");
}

void Template::SetInventoryWidth(std::string_view text) {
    m_inventoryWidth = ParseLeadingInt(text);
}

void Template::SetInventoryHeight(std::string_view text) {
    m_inventoryHeight = ParseLeadingInt(text);
}

void Template::SetGoldValue(std::string_view text) {
    m_goldValue = ParseLeadingInt(text);
}

void Template::SetScreenName(std::string_view text) {
    m_screenName = text;
    m_docString = ToLower(text);
    if (StartsWith(m_docString, "the ")) {
        m_docString.erase(0, 4);
    }
}

void Template::SetName(std::string_view name) {
    Node::SetName(name);
    if (IsBaseName(m_name)) {
        m_docString = ToLower(m_name);
    }
}

bool Template::IsTreasureBased() const {
    return Contains(m_specializes, "treasure");
}

} // namespace tc

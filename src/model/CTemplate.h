// One item template of the template file: the object that makes a lore book readable.
#pragma once

#include "model/TCObject.h"

namespace tc {

class CTemplate : public TCObject {
public:
    CTemplate() = default;

    int GetInventoryWidth() const { return m_nInventoryWidth; }
    int GetInventoryHeight() const { return m_nInventoryHeight; }
    int GetGoldValue() const { return m_nGoldValue; }
    // Numbers are parsed from text the way atoi does.
    void SetInventoryWidth(std::string_view text);
    void SetInventoryHeight(std::string_view text);
    void SetGoldValue(std::string_view text);

    std::string GetDoc() const { return m_strDoc; }
    std::string GetCategoryName() const { return m_strCategoryName; }
    std::string GetModel() const { return m_strModel; }
    std::string GetInventoryIcon() const { return m_strInventoryIcon; }
    std::string GetLoreKey() const { return m_strLoreKey; }
    std::string_view GetLoreKeyView() const { return m_strLoreKey; }
    std::string GetTexture() const { return m_strTexture; }
    std::string GetScreenName() const { return m_strScreenName; }
    std::string_view GetScreenNameView() const { return m_strScreenName; }
    std::string GetSpecializes() const { return m_strSpecializes; }

    void SetModel(std::string_view text) { m_strModel = text; }
    void SetInventoryIcon(std::string_view text) { m_strInventoryIcon = text; }
    void SetLoreKey(std::string_view text) { m_strLoreKey = text; }
    void SetTexture(std::string_view text) { m_strTexture = text; }
    void SetSpecializes(std::string_view text) { m_strSpecializes = text; }

    // Also derives the doc text: the lower-cased title without a leading "the ".
    void SetScreenName(std::string_view text);
    // A name beginning with "base_" also becomes the doc text, lower-cased.
    void SetName(std::string_view name) override;

    // A template based on the game's treasure template has no parent among the loaded ones.
    bool IsTreasureBased() const;

    bool operator==(const CTemplate&) const = default;

private:
    int m_nInventoryWidth = 1;
    int m_nInventoryHeight = 2;
    int m_nGoldValue = 1;
    std::string m_strDoc;
    std::string m_strCategoryName = "lorebook";
    std::string m_strModel;
    std::string m_strInventoryIcon;
    std::string m_strLoreKey;
    std::string m_strTexture;
    std::string m_strScreenName;
    std::string m_strSpecializes;
};

// Whether a template name marks a base template (case-sensitive, as the game's files use it).
bool IsBaseName(std::string_view name);

} // namespace tc

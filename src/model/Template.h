// One item template of the template file: the object that makes a lore book readable.
#pragma once

#include "model/Node.h"

namespace tc {

class Template : public Node {
public:
    Template() = default;

    int GetInventoryWidth() const { return m_inventoryWidth; }
    int GetInventoryHeight() const { return m_inventoryHeight; }
    int GetGoldValue() const { return m_goldValue; }
    // Numbers are parsed from text the way atoi does.
    void SetInventoryWidth(std::string_view text);
    void SetInventoryHeight(std::string_view text);
    void SetGoldValue(std::string_view text);

    std::string GetDoc() const { return m_docString; }
    std::string GetCategoryName() const { return m_categoryName; }
    std::string GetModel() const { return m_model; }
    std::string GetInventoryIcon() const { return m_inventoryIcon; }
    std::string GetLoreKey() const { return m_loreKey; }
    std::string_view GetLoreKeyView() const { return m_loreKey; }
    std::string GetTexture() const { return m_texture; }
    std::string GetScreenName() const { return m_screenName; }
    std::string_view GetScreenNameView() const { return m_screenName; }
    std::string GetSpecializes() const { return m_specializes; }

    void SetModel(std::string_view text) { m_model = text; }
    void SetInventoryIcon(std::string_view text) { m_inventoryIcon = text; }
    void SetLoreKey(std::string_view text) { m_loreKey = text; }
    void SetTexture(std::string_view text) { m_texture = text; }
    void SetSpecializes(std::string_view text) { m_specializes = text; }

    // Also derives the doc text: the lower-cased title without a leading "the ".
    void SetScreenName(std::string_view text);
    // A name beginning with "base_" also becomes the doc text, lower-cased.
    void SetName(std::string_view name) override;

    // A template based on the game's treasure template has no parent among the loaded ones.
    bool IsTreasureBased() const;

    bool operator==(const Template&) const = default;

private:
    int m_inventoryWidth = 1;
    int m_inventoryHeight = 2;
    int m_goldValue = 1;
    std::string m_docString;
    std::string m_categoryName = "lorebook";
    std::string m_model;
    std::string m_inventoryIcon;
    std::string m_loreKey;
    std::string m_texture;
    std::string m_screenName;
    std::string m_specializes;
};

// Whether a template name marks a base template (case-sensitive, as the game's files use it).
bool IsBaseName(std::string_view name);

} // namespace tc

#include "rules/FieldControl.h"

#include <span>
#include <utility>

namespace tc {

ControlId FieldControl(NodeType type, std::string_view key) {
    static constexpr std::pair<std::string_view, ControlId> kBook[] = {
        {"description", ControlId::TextField},
        {"comment", ControlId::CommentField},
        {"to", ControlId::TranslationField}, // the language file's
    };
    static constexpr std::pair<std::string_view, ControlId> kTemplate[] = {
        {"screen_name", ControlId::TextField},
        {"lore_key", ControlId::LoreKeyList},
        {"specializes", ControlId::SpecializesList},
        {"gold_value", ControlId::GoldValueField},
        {"inventory_icon", ControlId::InventoryIconField},
        {"inventory_width", ControlId::InventoryWidthField},
        {"inventory_height", ControlId::InventoryHeightField},
        {"model", ControlId::ModelField},
        {"texture", ControlId::TextureField},
        {"comment", ControlId::CommentField},
        {"to", ControlId::TranslationField},
    };
    using Fields = std::span<const std::pair<std::string_view, ControlId>>;
    for (const auto& [name, control] :
         type == NodeType::Template ? Fields(kTemplate) : Fields(kBook)) {
        if (name == key) {
            return control;
        }
    }
    return ControlId::NameField;
}

} // namespace tc

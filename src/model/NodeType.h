// The two kinds of node and what the editor shows for each.
#pragma once

#include <cstdint>
#include <string>

namespace tc {

using NodeType = std::uint16_t;

constexpr NodeType NODE_TEMPLATE = 0;
constexpr NodeType NODE_LOREBOOK = 1;

// The form that edits a node of a type; the GUI maps it onto its form classes.
enum class FormViewClass { TCTemplateFormView, TCLoreBookFormView };

bool IsNodeType(int type);
// Both accept only NODE_TEMPLATE and NODE_LOREBOOK and throw std::out_of_range otherwise.
std::string GetNodeTypeName(NodeType type);
FormViewClass GetFormViewClass(NodeType type);

} // namespace tc

// The two kinds of node and their names.
#pragma once

#include <cstdint>
#include <string>

namespace tc {

using NodeType = std::uint16_t;

constexpr NodeType NODE_TEMPLATE = 0;
constexpr NodeType NODE_LOREBOOK = 1;

bool IsNodeType(int type);
// Accepts only NODE_TEMPLATE and NODE_LOREBOOK and throws std::out_of_range otherwise.
std::string GetNodeTypeName(NodeType type);

} // namespace tc

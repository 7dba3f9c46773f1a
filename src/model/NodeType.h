// The two kinds of node and their names.
#pragma once

#include <cstdint>
#include <string>

namespace tc {

enum class NodeType : std::uint16_t { Template = 0, LoreBook = 1 };

bool IsNodeType(NodeType type);
// Accepts only the two kinds above and throws std::out_of_range otherwise.
std::string GetNodeTypeName(NodeType type);

} // namespace tc

#include "model/NodeType.h"

#include <array>
#include <stdexcept>

namespace tc {

namespace {

constexpr std::array<const char*, 2> kNodeTypeNames = {"Template", "Lore Book"};

} // namespace

bool IsNodeType(NodeType type) {
    return type == NodeType::Template || type == NodeType::LoreBook;
}

std::string GetNodeTypeName(NodeType type) {
    if (!IsNodeType(type)) {
        throw std::out_of_range("unknown node type");
    }
    return kNodeTypeNames[static_cast<std::size_t>(type)];
}

} // namespace tc

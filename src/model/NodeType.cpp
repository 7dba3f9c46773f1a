#include "model/NodeType.h"

#include <array>
#include <stdexcept>

namespace tc {

namespace {

constexpr std::array<const char*, 2> kNodeTypeNames = {"Template", "Lore Book"};

} // namespace

bool IsNodeType(int type) {
    return type == NODE_TEMPLATE || type == NODE_LOREBOOK;
}

std::string GetNodeTypeName(NodeType type) {
    if (!IsNodeType(type)) {
        throw std::out_of_range("unknown node type");
    }
    return kNodeTypeNames[type];
}

} // namespace tc

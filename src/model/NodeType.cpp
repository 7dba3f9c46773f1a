#include "model/NodeType.h"

#include <array>
#include <stdexcept>

namespace tc {

namespace {

struct NodeTypeRow {
    const char* displayName;
    FormViewClass formView;
};

constexpr std::array<NodeTypeRow, 2> kNodeTypes = {{
    {"Template", FormViewClass::TCTemplateFormView},
    {"Lore Book", FormViewClass::TCLoreBookFormView},
}};

const NodeTypeRow& RowOf(NodeType type) {
    if (!IsNodeType(type)) {
        throw std::out_of_range("unknown node type");
    }
    return kNodeTypes[type];
}

} // namespace

bool IsNodeType(int type) {
    return type == NODE_TEMPLATE || type == NODE_LOREBOOK;
}

std::string GetNodeTypeName(NodeType type) {
    return RowOf(type).displayName;
}

FormViewClass GetFormViewClass(NodeType type) {
    return RowOf(type).formView;
}

} // namespace tc

#include "model/Node.h"

#include "platform/Text.h"

namespace tc {

void Node::SetName(std::string_view name) {
    m_name = name;
}

void Node::SetComment(std::string_view text) {
    if (StartsWith(text, "//")) {
        text.remove_prefix(2);
    }
    m_comment = TrimLeftWhite(text);
}

} // namespace tc

#include "model/TCObject.h"

#include "platform/Text.h"

namespace tc {

void TCObject::SetName(std::string_view name) {
    m_strName = name;
}

void TCObject::SetComment(std::string_view text) {
    if (StartsWith(text, "//")) {
        text.remove_prefix(2);
    }
    m_strComment = TrimLeftWhite(text);
}

} // namespace tc

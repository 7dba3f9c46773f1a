#include "document/FindNode.h"

#include "model/CLoreBook.h"
#include "model/CTemplate.h"
#include "platform/Text.h"

#include <algorithm>

namespace tc {

namespace {

bool Holds(const TCObject& node, std::string_view lowered) {
    if (ContainsNoCase(node.GetNameView(), lowered) ||
        ContainsNoCase(node.GetCommentView(), lowered)) {
        return true;
    }
    if (const auto* book = dynamic_cast<const CLoreBook*>(&node)) {
        return ContainsNoCase(book->GetTextView(), lowered);
    }
    if (const auto* tmpl = dynamic_cast<const CTemplate*>(&node)) {
        return ContainsNoCase(tmpl->GetScreenName(), lowered);
    }
    return false;
}

} // namespace

FoundNode FindNode(const std::vector<const TCObject*>& order, const TCObject* from,
                   std::string_view text, bool forward) {
    const std::size_t count = order.size();
    if (count == 0) {
        return {};
    }
    const std::string lowered = ToLower(text);
    const auto at = std::find(order.begin(), order.end(), from);
    // The position the search starts from, as if just before the first (or after the last).
    const std::size_t start = at == order.end() ? (forward ? count - 1 : 0)
                                                : static_cast<std::size_t>(at - order.begin());
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t k = forward ? (start + step) % count : (start + count - step) % count;
        if (Holds(*order[k], lowered)) {
            const bool wrapped = at != order.end() && (forward ? k <= start : k >= start);
            return {order[k], wrapped};
        }
    }
    return {};
}

} // namespace tc

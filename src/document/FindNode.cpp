#include "document/FindNode.h"

#include "document/Translation.h"
#include "model/LoreBook.h"
#include "model/Template.h"
#include "platform/NoCaseFinder.h"

#include <algorithm>

namespace tc {

namespace {

bool Holds(const Node& node, const NoCaseFinder& part,
           const std::unordered_set<std::string_view>* translated) {
    if (part.In(node.GetNameView()) || part.In(node.GetCommentView())) {
        return true;
    }
    if (translated != nullptr && !translated->empty() && translated->contains(EnglishOf(node))) {
        return true;
    }
    // The type tells the class: no cast to try on each of a hundred thousand nodes.
    if (node.GetType() == NodeType::LoreBook) {
        return part.In(static_cast<const LoreBook&>(node).GetTextView());
    }
    return part.In(static_cast<const Template&>(node).GetScreenNameView());
}

// Asks the memory for what a search will read soon. Nodes and their texts lie where the reader
// happened to allocate them, so in the tree's order each one would otherwise wait for memory.
void Prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

void PrefetchTexts(const Node& node) {
    Prefetch(node.GetNameView().data());
    Prefetch(node.GetCommentView().data());
    if (node.GetType() == NodeType::LoreBook) {
        Prefetch(static_cast<const LoreBook&>(node).GetTextView().data());
    }
}

} // namespace

FoundNode FindNode(const std::vector<const Node*>& order, const Node* from, std::string_view text,
                   bool forward, const std::unordered_set<std::string_view>* translated) {
    const std::size_t count = order.size();
    if (count == 0) {
        return {};
    }
    const NoCaseFinder part(text);
    const auto at = std::find(order.begin(), order.end(), from);
    // The position the search starts from, as if just before the first (or after the last).
    const std::size_t start = at == order.end() ? (forward ? count - 1 : 0)
                                                : static_cast<std::size_t>(at - order.begin());
    for (std::size_t step = 1; step <= count; ++step) {
        const auto nth = [&](std::size_t ahead) {
            const std::size_t distance = step + ahead; // at most count + 2
            return forward ? (start + distance) % count : (start + 3 * count - distance) % count;
        };
        const std::size_t k = nth(0);
        // The node two ahead is fetched now, so that its texts can be fetched one step ahead.
        Prefetch(order[nth(2)]);
        PrefetchTexts(*order[nth(1)]);
        if (Holds(*order[k], part, translated)) {
            const bool wrapped = at != order.end() && (forward ? k <= start : k >= start);
            return {order[k], wrapped};
        }
    }
    return {};
}

} // namespace tc

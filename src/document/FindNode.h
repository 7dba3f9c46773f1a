// Edit › Find: the next node, in the tree's order, whose name, book text, screen name, comment
// or translation holds a text, ignoring case.
#pragma once

#include "model/Node.h"

#include <string_view>
#include <unordered_set>
#include <vector>

namespace tc {

struct FoundNode {
    const Node* node = nullptr; // null when no node holds the text
    bool wrapped = false;       // the search passed the end (or the start) to find it
};

// Searches `order` after `from` (before it when not `forward`), wrapping around, `from` itself
// last; from the first (or last) node when `from` is null or not in `order`. `text` is
// Windows-1252; a node whose book text or title is among `translated` holds it too.
FoundNode FindNode(const std::vector<const Node*>& order, const Node* from, std::string_view text,
                   bool forward, const std::unordered_set<std::string_view>* translated = nullptr);

} // namespace tc

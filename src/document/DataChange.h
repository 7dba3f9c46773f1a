// What one step of the data's history did to a node, so that the tree and the form can follow.
#pragma once

#include "model/Node.h"

namespace tc {

struct DataChange {
    enum class Kind { Stored, Added, Removed };
    Kind kind = Kind::Stored;
    const Node* node = nullptr; // alive whatever the kind: the history keeps removed nodes
    // The step was undone or redone, rather than made now by whoever asked for it.
    bool fromHistory = false;
    // A store changed the node's name.
    bool renamed = false;
    // The step changed the translation of the node's English text (and so of every node that
    // shares the text), or the entry that held its old text.
    bool translation = false;
};

} // namespace tc

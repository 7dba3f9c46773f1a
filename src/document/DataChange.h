// What one step of the data's history did to a node, so that the tree and the form can follow.
#pragma once

#include "model/Node.h"

namespace tc {

struct DataChange {
    enum class Kind { Stored, Added, Removed };
    Kind kind = Kind::Stored;
    Node* node = nullptr; // alive whatever the kind: the history keeps removed nodes
};

} // namespace tc

// What is found about the nodes of a pair, node by node, as a list of findings makes its rows.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "model/Node.h"

#include <vector>

namespace tc {

class NodeFindings {
public:
    // The nodes that have findings, in no particular order.
    virtual std::vector<const Node*> Concerned() const = 0;
    // Adds what is found about the node (nothing for a node not concerned).
    virtual void About(const Node* node, Diagnostics& out) const = 0;

protected:
    ~NodeFindings() = default;
};

using FindingSources = std::vector<const NodeFindings*>;

} // namespace tc

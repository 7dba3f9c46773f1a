// Which control of a form shows a key of the game files, so that a finding about a key can put
// the caret where the user mends it.
#pragma once

#include "model/NodeType.h"
#include "rules/ControlIds.h"

#include <string_view>

namespace tc {

// The control for `key` in the form of `type`; the name's control for the name (an empty key)
// and for a key no control shows.
ControlId FieldControl(NodeType type, std::string_view key);

} // namespace tc

// The game files count braces to find where a section ends, and the readers do the same: a brace
// inside a name or value would end a section early and take the sections after it with it.
#pragma once

#include "document/DialogVerdict.h"

#include <string_view>

namespace tc {

// Refuses a value that holds a brace, naming the field; accepts any other.
DialogVerdict RefuseBraces(std::string_view value, std::string_view field, int control);

} // namespace tc

#include "document/BraceCheck.h"

#include <string>

namespace tc {

DialogVerdict RefuseBraces(std::string_view value, std::string_view field, int control) {
    if (value.find_first_of("{}") == std::string_view::npos) {
        return DialogVerdict::Accept();
    }
    return DialogVerdict::Refuse("The " + std::string(field) +
                                     " cannot hold the braces '{' or '}': the game files use them "
                                     "to mark where each section ends.  Please remove them!",
                                 control);
}

} // namespace tc

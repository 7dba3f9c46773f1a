// What the form refuses because the game files (and so the readers) would not give it back: a
// brace ends a section early and takes the sections after it with it, a bracket ends a name, a
// quote or semicolon ends a value, "//" or "/*" outside quotes starts a comment, a typed
// backslash-n becomes a line break, and a number past the integer range is cut to its end.
#pragma once

#include "rules/DialogVerdict.h"

#include <string_view>

namespace tc {

// Refuses a value that holds a brace, naming the field; accepts any other.
DialogVerdict RefuseBraces(std::string_view value, std::string_view field, ControlId control);

// Refuses a value holding any of `characters`, naming the field, the character and the words
// around it, and saying `why` the files cannot keep it.
DialogVerdict RefuseCharacters(std::string_view value, std::string_view field,
                               std::string_view characters, std::string_view why,
                               ControlId control);

// Refuses a value written without quotes that holds "//" or "/*", which the game files take for
// the start of a comment.
DialogVerdict RefuseCommentStart(std::string_view value, std::string_view field, ControlId control);

// Refuses a book text holding a backslash followed by "n", which the game reads as a line break.
DialogVerdict RefuseTypedLineBreak(std::string_view text, std::string_view field,
                                   ControlId control);

// Refuses a number that the integer the files are read into cannot hold.
DialogVerdict RefuseOutOfRange(std::string_view number, std::string_view field, ControlId control);

} // namespace tc

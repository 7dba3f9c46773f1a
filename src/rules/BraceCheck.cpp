#include "rules/BraceCheck.h"

#include "platform/Text.h"

#include <algorithm>
#include <climits>
#include <string>

namespace tc {

namespace {

// The value itself when short, else the part around `at`, so the user sees where it stands.
std::string Around(std::string_view value, std::size_t at, std::size_t length) {
    constexpr std::size_t kSide = 24;
    const std::size_t from = at > kSide ? at - kSide : 0;
    const std::size_t to = std::min(value.size(), at + length + kSide);
    std::string shown = from > 0 ? "..." : "";
    shown.append(value.substr(from, to - from));
    if (to < value.size()) {
        shown += "...";
    }
    return ReplaceAll(shown, "\r\n", " ");
}

DialogVerdict Holds(std::string_view value, std::string_view field, std::string_view what,
                    std::size_t at, std::string_view why, ControlId control) {
    return DialogVerdict::Refuse("The " + std::string(field) + " holds " + std::string(what) +
                                     " in '" + Around(value, at, what.size()) + "'; " +
                                     std::string(why) + "  Please change it!",
                                 control);
}

} // namespace

DialogVerdict RefuseBraces(std::string_view value, std::string_view field, ControlId control) {
    if (value.find_first_of("{}") == std::string_view::npos) {
        return DialogVerdict::Accept();
    }
    return DialogVerdict::Refuse("The " + std::string(field) +
                                     " cannot hold the braces '{' or '}': the game files use them "
                                     "to mark where each section ends.  Please remove them!",
                                 control);
}

DialogVerdict RefuseCharacters(std::string_view value, std::string_view field,
                               std::string_view characters, std::string_view why,
                               ControlId control) {
    const std::size_t at = value.find_first_of(characters);
    if (at == std::string_view::npos) {
        return DialogVerdict::Accept();
    }
    return Holds(value, field, value.substr(at, 1), at, why, control);
}

DialogVerdict RefuseCommentStart(std::string_view value, std::string_view field,
                                 ControlId control) {
    const std::size_t at = std::min(value.find("//"), value.find("/*"));
    if (at == std::string_view::npos) {
        return DialogVerdict::Accept();
    }
    return Holds(value, field, value.substr(at, 2), at,
                 "the game files take it for the start of a comment.", control);
}

DialogVerdict RefuseTypedLineBreak(std::string_view text, std::string_view field,
                                   ControlId control) {
    const std::size_t at = text.find("\\n");
    if (at == std::string_view::npos) {
        return DialogVerdict::Accept();
    }
    return Holds(text, field, "\\n", at, "the game shows that as a line break.", control);
}

DialogVerdict RefuseOutOfRange(std::string_view number, std::string_view field, ControlId control) {
    std::string_view digits = TrimWhite(number);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    long long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            break;
        }
    }
    if (negative ? -value >= INT_MIN : value <= INT_MAX) {
        return DialogVerdict::Accept();
    }
    return DialogVerdict::Refuse(
        "The " + std::string(field) + " " + std::string(TrimWhite(number)) + " lies beyond " +
            (negative ? std::to_string(INT_MIN) : std::to_string(INT_MAX)) +
            ", the furthest a number in the game files can go.  Please enter a smaller number!",
        control);
}

} // namespace tc

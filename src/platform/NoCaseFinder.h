// A text to look for ignoring case (as ToLowerChar folds it), prepared once to search many texts
// fast: Find goes through every book of a world in one key press.
#pragma once

#include <string>
#include <string_view>

namespace tc {

class NoCaseFinder {
public:
    explicit NoCaseFinder(std::string_view part);

    // Whether `text` holds the part; every text holds an empty one.
    bool In(std::string_view text) const;

private:
    bool MatchesAt(const char* start) const;
    bool SlowIn(std::string_view text) const;

    std::string m_lowered;
    // The rarest byte of the part whose every case differs from it in bit 0x20 alone: the scan
    // looks for it, 16 bytes at a time where the processor allows.
    std::size_t m_anchor = 0;
    bool m_quick = false;
};

} // namespace tc

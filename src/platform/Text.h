// Text helpers for the 8-bit Windows-1252 strings the game files use.
#pragma once

#include <string>
#include <string_view>

namespace tc {

// Space, tab, CR, LF, vertical tab and form feed.
bool IsWhite(char c);

std::string_view TrimWhite(std::string_view text);
std::string_view TrimLeftWhite(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);
// Substring search that skips ahead with memchr; the files' lines can be megabytes long.
std::size_t FindText(std::string_view text, std::string_view part, std::size_t from = 0);
bool Contains(std::string_view text, std::string_view part);
bool Contains(std::string_view text, char c);

// Lower case for ASCII and the Windows-1252 letter pairs; the one place that decides what
// "ignoring case" means.
char ToLowerChar(char c);
std::string ToLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
// <0, 0 or >0 as `a` sorts before, with or after `b` ignoring case (on unsigned bytes).
int CompareNoCase(std::string_view a, std::string_view b);

// Like the C runtime's atoi: leading white space, an optional sign, then decimal digits up to
// the first other character; 0 when there are none. Saturates instead of overflowing.
int ParseLeadingInt(std::string_view text);

// Every non-overlapping occurrence of `from`, scanning left to right.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

std::string Cp1252ToUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t codePoint);
// Whether every byte belongs to a well-formed UTF-8 character.
bool IsUtf8(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view text);
// A path (UTF-8) put into a message (Windows-1252 text, like everything the user is shown).
inline std::string PathInText(std::string_view path) {
    return Utf8ToCp1252(path);
}
// ToLower for UTF-8 text such as a path or a translation: the same letter pairs, and the Greek
// and Cyrillic capitals, whole characters at a time; other characters and bytes that are not
// UTF-8 stay as they are.
std::string ToLowerUtf8(std::string_view text);

} // namespace tc

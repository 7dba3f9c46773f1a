#include "platform/Text.h"

#include <algorithm>

#include <array>
#include <climits>
#include <cstdint>
#include <cstring>

namespace tc {

namespace {

// Unicode code points of the bytes 0x80..0x9F; the five unassigned ones map to themselves,
// as the Windows conversion does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

int ByteOfCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return '?';
}

// One UTF-8 character at `i`: its code point and length, or length 0 where the bytes are not
// UTF-8.
struct Utf8Char {
    char32_t codePoint;
    std::size_t length;
};

Utf8Char DecodeUtf8(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size()) {
        return {0, 0};
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto cont = static_cast<unsigned char>(text[i + k]);
        if ((cont & 0xC0) != 0x80) {
            return {0, 0};
        }
        cp = (cp << 6) | (cont & 0x3F);
    }
    return {cp, length};
}

} // namespace

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        if (c.length == 0) {
            return false;
        }
        i += c.length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimLeftWhite(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsWhite(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::string_view TrimWhite(std::string_view text) {
    text = TrimLeftWhite(text);
    std::size_t end = text.size();
    while (end > 0 && IsWhite(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::size_t FindText(std::string_view text, std::string_view part, std::size_t from) {
    if (part.empty()) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    while (from + part.size() <= text.size()) {
        const void* hit = std::memchr(text.data() + from, part[0], text.size() - from);
        if (hit == nullptr) {
            break;
        }
        from = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        // A plain loop: the parts are a few characters, too short to pay for a memcmp call.
        std::size_t k = 1;
        while (k < part.size() && text[from + k] == part[k]) {
            ++k;
        }
        if (k == part.size()) {
            return from;
        }
        ++from;
    }
    return std::string_view::npos;
}

bool Contains(std::string_view text, std::string_view part) {
    return FindText(text, part) != std::string_view::npos;
}

bool Contains(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

char ToLowerChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') {
        return static_cast<char>(byte + ('a' - 'A'));
    }
    switch (byte) {
    case 0x8A: // S caron
    case 0x8C: // OE
    case 0x8E: // Z caron
        return static_cast<char>(byte + 0x10);
    case 0x9F: // Y diaeresis
        return static_cast<char>(0xFF);
    default:
        break;
    }
    // A grave .. Thorn, except the multiplication sign.
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) {
        return static_cast<char>(byte + 0x20);
    }
    return c;
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = ToLowerChar(c);
    }
    return out;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < common; ++k) {
        const auto x = static_cast<unsigned char>(ToLowerChar(a[k]));
        const auto y = static_cast<unsigned char>(ToLowerChar(b[k]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLowerChar(a[i]) != ToLowerChar(b[i])) {
            return false;
        }
    }
    return true;
}

int ParseLeadingInt(std::string_view text) {
    text = TrimLeftWhite(text);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) {
            value = static_cast<std::int64_t>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit; !from.empty() && (hit = FindText(text, from, start)) != text.npos;) {
        out.append(text, start, hit - start);
        out.append(to);
        start = hit + from.size();
    }
    out.append(text, start);
    return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        out += c.length != 0 ? static_cast<char>(ByteOfCodePoint(c.codePoint)) : '?';
        i += c.length != 0 ? c.length : 1;
    }
    return out;
}

namespace {

// The capitals of the Greek and Cyrillic alphabets, which translations use most beside Latin.
char32_t LowerGreekOrCyrillic(char32_t c) {
    if ((c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) || (c >= 0x0410 && c <= 0x042F)) {
        return c + 0x20;
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return c + 0x50;
    }
    switch (c) {
    case 0x0386:
        return 0x03AC;
    case 0x0388:
    case 0x0389:
    case 0x038A:
        return c + 0x25;
    case 0x038C:
        return 0x03CC;
    case 0x038E:
    case 0x038F:
        return c + 0x3F;
    default:
        return c;
    }
}

} // namespace

std::string ToLowerUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        const std::size_t length = c.length != 0 ? c.length : 1;
        const int byte = c.length != 0 ? ByteOfCodePoint(c.codePoint) : '?';
        if (byte != '?') {
            const char lower = ToLowerChar(static_cast<char>(byte));
            AppendUtf8(out, CodePointOf(static_cast<unsigned char>(lower)));
        } else if (c.length != 0) {
            AppendUtf8(out, LowerGreekOrCyrillic(c.codePoint));
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

} // namespace tc

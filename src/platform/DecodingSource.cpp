#include "platform/DecodingSource.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstring>

namespace tc {

namespace {

constexpr std::size_t kChunk = 1 << 16;

} // namespace

bool DecodingSource::Start() {
    m_started = true;
    // Enough bytes to see a byte-order mark, however the inner source trickles them.
    char head[3];
    std::size_t got = 0;
    while (got < sizeof head) {
        const std::size_t count = m_inner.Read(head + got, sizeof head - got);
        if (count == 0) {
            break;
        }
        got += count;
    }
    const std::string_view start(head, got);
    if (start.starts_with("\xEF\xBB\xBF")) {
        m_encoding = TextEncoding::Utf8WithMark;
    } else if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        m_encoding = TextEncoding::Utf16;
        m_bigEndian = start[0] == '\xFE';
        m_raw.assign(start.substr(2));
    } else {
        m_raw.assign(start);
    }
    return true;
}

void DecodingSource::DecodeUtf16(const char* bytes, std::size_t count) {
    m_raw.append(bytes, count);
    std::string utf8;
    std::size_t at = 0;
    for (; at + 1 < m_raw.size(); at += 2) {
        const auto b0 = static_cast<unsigned char>(m_raw[at]);
        const auto b1 = static_cast<unsigned char>(m_raw[at + 1]);
        const auto unit = static_cast<char16_t>(m_bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
        if (unit >= 0xD800 && unit < 0xDC00) {
            m_highSurrogate = unit;
            continue;
        }
        char32_t cp = unit;
        if (unit >= 0xDC00 && unit < 0xE000) {
            cp = m_highSurrogate != 0
                     ? 0x10000 + ((char32_t(m_highSurrogate) - 0xD800) << 10) + (unit - 0xDC00)
                     : U'?';
        }
        m_highSurrogate = 0;
        AppendUtf8(utf8, cp);
    }
    m_raw.erase(0, at);
    const std::string cp1252 = Utf8ToCp1252(utf8);
    m_replaced = m_replaced || std::count(cp1252.begin(), cp1252.end(), '?') >
                                   std::count(utf8.begin(), utf8.end(), '?');
    m_decoded.erase(0, m_decodedAt);
    m_decodedAt = 0;
    m_decoded += cp1252;
}

void DecodingSource::NoteUtf8(const char* bytes, std::size_t count) {
    // A lead byte followed by as many continuation bytes as it announces: Windows-1252 text
    // rarely holds such a pair ("Ã©"), UTF-8 text with letters beyond ASCII always does.
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    for (std::size_t k = 0; !m_utf8 && k + 1 < count; ++k) {
        const unsigned char lead = byte(k);
        const std::size_t follow = lead >= 0xC2 && lead <= 0xDF   ? 1
                                   : lead >= 0xE0 && lead <= 0xEF ? 2
                                   : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                                  : 0;
        bool continued = follow > 0 && k + follow < count;
        for (std::size_t j = 1; continued && j <= follow; ++j) {
            continued = (byte(k + j) & 0xC0) == 0x80;
        }
        m_utf8 = continued;
    }
}

std::size_t DecodingSource::Read(char* buffer, std::size_t size) {
    if (!m_started) {
        Start();
    }
    if (m_encoding != TextEncoding::Utf16) {
        std::size_t count = 0;
        if (!m_raw.empty()) {
            count = std::min(size, m_raw.size());
            std::memcpy(buffer, m_raw.data(), count);
            m_raw.erase(0, count);
        } else {
            count = m_inner.Read(buffer, size);
        }
        NoteUtf8(buffer, count);
        return count;
    }
    while (m_decodedAt == m_decoded.size()) {
        char chunk[kChunk];
        const std::size_t count = m_inner.Read(chunk, sizeof chunk);
        if (count == 0 && m_raw.empty()) {
            return 0;
        }
        DecodeUtf16(chunk, count);
        if (count == 0) {
            m_raw.clear(); // a last odd byte is no character
        }
    }
    const std::size_t count = std::min(size, m_decoded.size() - m_decodedAt);
    std::memcpy(buffer, m_decoded.data() + m_decodedAt, count);
    m_decodedAt += count;
    return count;
}

} // namespace tc

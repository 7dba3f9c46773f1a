// Game files are Windows-1252 text, but editors save them with a UTF-8 byte-order mark or as
// UTF-16. This source hands the readers Windows-1252 bytes whatever the file was.
#pragma once

#include "platform/TextFile.h"

#include <string>

namespace tc {

enum class TextEncoding { Cp1252, Utf8WithMark, Utf16 };

class DecodingSource : public ByteSource {
public:
    explicit DecodingSource(ByteSource& inner) : m_inner(inner) {}
    std::size_t Read(char* buffer, std::size_t size) override;

    // Known once the first Read has returned.
    TextEncoding Encoding() const { return m_encoding; }
    // A UTF-16 character that Windows-1252 cannot hold was read as '?'.
    bool Replaced() const { return m_replaced; }
    // Letters were found written as UTF-8, which the readers take byte by byte.
    bool SawUtf8() const { return m_utf8; }

private:
    bool Start();
    void DecodeUtf16(const char* bytes, std::size_t count);
    void NoteUtf8(const char* bytes, std::size_t count);

    ByteSource& m_inner;
    bool m_started = false;
    TextEncoding m_encoding = TextEncoding::Cp1252;
    bool m_bigEndian = false;
    bool m_replaced = false;
    bool m_utf8 = false;
    std::string m_raw;     // bytes read but not yet handed on
    std::string m_decoded; // UTF-16 turned into Windows-1252, waiting to be read
    std::size_t m_decodedAt = 0;
    char16_t m_highSurrogate = 0;
};

} // namespace tc

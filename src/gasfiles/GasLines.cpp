#include "gasfiles/GasLines.h"

#include "platform/Text.h"

namespace tc {

bool GasLines::Next() {
    while (m_reader.Next(m_line)) {
        ++m_number;
        m_line = TrimWhite(m_line);
        if (!m_line.empty()) {
            m_contentLines += IsComment() ? 0 : 1;
            return true;
        }
    }
    return false;
}

std::string GasLines::EncodingNote(const std::string& fileName) const {
    if (m_decoder.Encoding() != TextEncoding::Utf16) {
        return {};
    }
    std::string note = fileName +
                       " is saved as UTF-16 text.  Tomecraft reads it as Windows-1252 text and "
                       "will save it that way.";
    if (m_decoder.Replaced()) {
        note += "  Characters that Windows-1252 cannot hold were read as '?'.";
    }
    return note;
}

} // namespace tc

#include "gasfiles/GasLines.h"

#include "platform/Text.h"

namespace tc {

std::string_view CutBlockComments(std::string_view line, bool& inBlock, std::string& scratch) {
    if (!inBlock && line.find("/*") == line.npos) {
        return line;
    }
    scratch.clear();
    bool quoted = false;
    std::size_t k = 0;
    while (k < line.size()) {
        if (inBlock) {
            const std::size_t end = line.find("*/", k);
            if (end == line.npos) {
                break;
            }
            inBlock = false;
            k = end + 2;
            scratch += ' ';
            continue;
        }
        const char c = line[k];
        if (!quoted && c == '/' && k + 1 < line.size() && line[k + 1] == '/') {
            scratch.append(line.substr(k));
            break;
        }
        if (!quoted && c == '/' && k + 1 < line.size() && line[k + 1] == '*') {
            inBlock = true;
            k += 2;
            continue;
        }
        quoted = c == '"' ? !quoted : quoted;
        scratch += c;
        ++k;
    }
    return scratch;
}

bool GasLines::Next() {
    while (m_reader.Next(m_line)) {
        ++m_number;
        m_line = TrimWhite(CutBlockComments(m_line, m_inBlock, m_scratch));
        if (!m_line.empty()) {
            m_contentLines += IsComment() ? 0 : 1;
            return true;
        }
    }
    return false;
}

std::string GasLines::EncodingNote(const std::string& fileName) const {
    if (m_decoder.Encoding() != TextEncoding::Utf16) {
        // Only letters written as UTF-8 read wrongly; a mark before plain ASCII costs nothing.
        if (!m_decoder.SawUtf8()) {
            return {};
        }
        return fileName +
               (m_decoder.Encoding() == TextEncoding::Utf8WithMark ? " is saved as UTF-8 text."
                                                                   : " holds UTF-8 text.") +
               "  Tomecraft reads it as Windows-1252 text, so a letter beyond ASCII shows as two "
               "or three characters (\xC3\xA9 for \xE9), and saves it that way.";
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

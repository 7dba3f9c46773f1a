#include "gasfiles/GasLines.h"

#include "platform/Text.h"

namespace tc {

bool GasLines::Next() {
    while (m_reader.Next(m_line)) {
        ++m_number;
        m_line = TrimWhite(m_line);
        if (!m_line.empty()) {
            return true;
        }
    }
    return false;
}

} // namespace tc

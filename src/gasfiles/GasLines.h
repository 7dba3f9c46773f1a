// How both game-file readers see a line: trimmed, counted, blank or comment.
#pragma once

#include "platform/TextFile.h"

#include <string>
#include <string_view>

namespace tc {

class GasLines {
public:
    explicit GasLines(ByteSource& source) : m_reader(source) {}

    // The next line that is not blank, trimmed; false at the end of the file.
    bool Next();

    std::string_view Line() const { return m_line; }
    // The physical line number of Line(), counting from 1, blank and comment lines included.
    int Number() const { return m_number; }
    bool IsComment() const { return m_line.substr(0, 2) == "//"; }

private:
    LineReader m_reader;
    std::string_view m_line;
    int m_number = 0;
};

} // namespace tc

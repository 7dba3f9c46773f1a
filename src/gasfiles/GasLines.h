// How both game-file readers see a line: trimmed, counted, blank or comment, block comments cut.
#pragma once

#include "platform/DecodingSource.h"
#include "platform/TextFile.h"

#include <string>
#include <string_view>

namespace tc {

// `line` without what /* ... */ block comments cover; `inBlock` carries an open block comment
// from line to line. Markers inside double quotes and after a "//" do not count. Returns `line`
// itself when nothing is cut, else a view of `scratch`.
std::string_view CutBlockComments(std::string_view line, bool& inBlock, std::string& scratch);

class GasLines {
public:
    explicit GasLines(ByteSource& source) : m_decoder(source), m_reader(m_decoder) {}

    // The next line that is not blank, trimmed; false at the end of the file.
    bool Next();

    std::string_view Line() const { return m_line; }
    // The physical line number of Line(), counting from 1, blank and comment lines included.
    int Number() const { return m_number; }
    bool IsComment() const { return m_line.substr(0, 2) == "//"; }
    // Lines that were neither blank nor comments, so far.
    int ContentLines() const { return m_contentLines; }

    // After the last line: the message to show when the file was not Windows-1252 text, naming
    // it as `fileName`; empty when there is nothing to say.
    std::string EncodingNote(const std::string& fileName) const;

private:
    DecodingSource m_decoder;
    LineReader m_reader;
    int m_contentLines = 0;
    bool m_inBlock = false;
    std::string m_scratch;
    std::string_view m_line;
    int m_number = 0;
};

} // namespace tc

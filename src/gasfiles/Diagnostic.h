// What reading a game file found to say: data, so that the editor, the command-line tool and a
// problems list each show it their own way.
#pragma once

#include "model/NodeType.h"

#include <string>
#include <vector>

namespace tc {

enum class Severity { Error, Warning, Note };

struct Diagnostic {
    // The reading messages the editor shows as message boxes, in order; a note of a change a
    // save would make, and a finding about the pair as it stands, are listed, never boxed.
    enum class Kind { Message, ReadingNote, Finding };

    Kind kind = Kind::Message;
    Severity severity = Severity::Warning;
    std::string path; // UTF-8, as the user named the file
    int line = 0;     // physical line from 1; 0 for the file as a whole
    std::string text; // UTF-8: file texts quoted in it are already converted from Windows-1252
    // The node it concerns, if any: its kind and its name as the model holds it (Windows-1252).
    bool hasNode = false;
    NodeType nodeType = NodeType::LoreBook;
    std::string nodeName;
    std::string field; // the key concerned, when one is (Windows-1252)
};

using Diagnostics = std::vector<Diagnostic>;

class Node;

// Adds one of a reader's own messages, which the editor shows as a message box: `cp1252Text` is
// Windows-1252, as the file's words in it are; `node`, when given, is what it concerns.
void AddReaderMessage(Diagnostics& found, const std::string& path, int line,
                      const std::string& cp1252Text, const Node* node = nullptr);

// A finding (UTF-8 `text`) at `path`:`line`, about `node` when one is given.
Diagnostic FindingAt(Severity severity, const std::string& path, int line, std::string text,
                     const Node* node = nullptr);

std::size_t CountReadingNotes(const Diagnostics& found);

// "FILE:LINE: warning: TEXT", LINE left out when 0; UTF-8.
std::string DiagnosticLine(const Diagnostic& d);

// The order diagnostics are listed in: the file `firstPath` first, then each file by line, and
// on one line by kind (message, reading note, finding), node and text.
bool ListedBefore(const Diagnostic& a, const Diagnostic& b, const std::string& firstPath);

} // namespace tc

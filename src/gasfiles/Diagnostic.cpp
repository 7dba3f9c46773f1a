#include "gasfiles/Diagnostic.h"

#include <algorithm>

namespace tc {

std::size_t CountReadingNotes(const Diagnostics& found) {
    return static_cast<std::size_t>(std::count_if(found.begin(), found.end(), [](const auto& d) {
        return d.kind == Diagnostic::Kind::ReadingNote;
    }));
}

std::string DiagnosticLine(const Diagnostic& d) {
    static constexpr const char* kSeverity[] = {"error", "warning", "note"};
    std::string out = d.path + ":";
    if (d.line > 0) {
        out += std::to_string(d.line) + ":";
    }
    return out + " " + kSeverity[static_cast<int>(d.severity)] + ": " + d.text;
}

} // namespace tc

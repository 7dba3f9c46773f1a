#include "gasfiles/Diagnostic.h"

#include "model/Node.h"
#include "platform/Text.h"

#include <algorithm>
#include <tuple>

namespace tc {

namespace {

Diagnostic About(Diagnostic::Kind kind, Severity severity, const std::string& path, int line,
                 std::string text, const Node* node) {
    Diagnostic d;
    d.kind = kind;
    d.severity = severity;
    d.path = path;
    d.line = line;
    d.text = std::move(text);
    if (node != nullptr) {
        d.hasNode = true;
        d.nodeType = node->GetType();
        d.nodeName = node->GetName();
    }
    return d;
}

} // namespace

void AddReaderMessage(Diagnostics& found, const std::string& path, int line,
                      const std::string& cp1252Text, const Node* node) {
    found.push_back(About(Diagnostic::Kind::Message, Severity::Warning, path, line,
                          Cp1252ToUtf8(cp1252Text), node));
}

Diagnostic FindingAt(Severity severity, const std::string& path, int line, std::string text,
                     const Node* node) {
    return About(Diagnostic::Kind::Finding, severity, path, line, std::move(text), node);
}

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

bool ListedBefore(const Diagnostic& a, const Diagnostic& b, const std::string& firstPath) {
    const auto key = [&firstPath](const Diagnostic& d) {
        return std::tuple<bool, const std::string&, int, Diagnostic::Kind, const std::string&,
                          const std::string&>(d.path != firstPath, d.path, d.line, d.kind,
                                              d.nodeName, d.text);
    };
    return key(a) < key(b);
}

} // namespace tc

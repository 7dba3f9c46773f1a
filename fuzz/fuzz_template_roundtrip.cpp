// Whatever a template file holds, a save that its read-back check lets through writes a file
// that reads back to what was meant and formats to the same bytes again, and in which the
// reading notes find nothing that a save would change; passing over the nodes that a file
// holds as written gives the notes that reading every node gives.
#include "gasfiles/ReadBack.h"
#include "gasfiles/ReadingNotes.h"
#include "gasfiles/TemplateFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

tc::TemplateList Read(std::string_view bytes) {
    tc::Diagnostics ui;
    tc::MemorySource source(bytes);
    tc::TemplateList templates;
    tc::ParseTemplateFile(source, templates, ui);
    return templates;
}

// The notes as one text: where, what and of which node.
std::string NotesOf(std::string_view bytes, const tc::TemplateList& read, bool everyNode) {
    tc::Diagnostics notes;
    tc::AddTemplateReadingNotes(bytes, read, "trs_book_lore.gas", notes, everyNode);
    std::string all;
    for (const tc::Diagnostic& d : notes) {
        all += tc::DiagnosticLine(d) + "|" + d.nodeName + "|" + d.field + "\n";
    }
    return all;
}

std::string Written(const tc::TemplateList& templates) {
    tc::StringSink sink;
    tc::EmitTemplateFile(templates, sink);
    return sink.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tc::TemplateList first = Read(bytes);
    if (NotesOf(bytes, first, false) != NotesOf(bytes, first, true)) {
        std::abort(); // passing over nodes the file holds as written changed the notes
    }
    const std::string once = Written(first);
    const tc::TemplateList second = Read(once);
    if (!tc::FirstTemplateDifference(first, second).empty()) {
        return 0; // the save would refuse this, with a message
    }
    if (Written(second) != once) {
        std::abort();
    }
    // A blank first line keeps the full comparison from being skipped as for Save's own output.
    tc::Diagnostics notes;
    tc::AddTemplateReadingNotes("\n" + once, second, "trs_book_lore.gas", notes);
    if (!notes.empty()) {
        std::abort();
    }
    return 0;
}

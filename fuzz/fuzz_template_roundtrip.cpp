// Whatever a template file holds, a save that its read-back check lets through writes a file
// that reads back to what was meant and formats to the same bytes again, and in which the
// reading notes find nothing that a save would change.
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

std::string Written(const tc::TemplateList& templates) {
    tc::StringSink sink;
    tc::EmitTemplateFile(templates, sink);
    return sink.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tc::TemplateList first =
        Read(std::string_view(reinterpret_cast<const char*>(data), size));
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

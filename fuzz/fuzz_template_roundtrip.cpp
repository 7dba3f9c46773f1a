// Whatever a template file holds, a save that its read-back check lets through writes a file
// that reads back to what was meant; formatting twice is a fixed point (the first format may
// give the first template the file's header line as its comment).
#include "gasfiles/ReadBack.h"
#include "gasfiles/TemplateFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

tc::TemplateList Read(std::string_view bytes) {
    tc::QuietUi ui;
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
    const std::string twice = Written(second);
    const tc::TemplateList third = Read(twice);
    if (!tc::FirstTemplateDifference(second, third).empty() || Written(third) != twice) {
        std::abort();
    }
    return 0;
}

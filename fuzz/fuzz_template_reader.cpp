// Any bytes must read without a crash, a hang or a sanitizer report, and writing what was read
// must not fail either.
#include "gasfiles/TemplateFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tc::Diagnostics ui;
    tc::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    tc::TemplateList templates;
    tc::ParseTemplateFile(source, templates, ui);
    tc::StringSink written;
    tc::EmitTemplateFile(templates, written);
    return 0;
}

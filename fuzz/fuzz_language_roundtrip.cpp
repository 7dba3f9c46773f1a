// Whatever a language file holds, writing it back unchanged gives its bytes; and a file read
// without a word of complaint, with every entry changed (texts, quotes, backslashes, line
// breaks, the stale mark) and one added, reads back to exactly those entries.
#include "gasfiles/LanguageFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tc::Diagnostics found;
    tc::Result<tc::LanguageFile> read = tc::LanguageFile::Parse(bytes, "de.gas", found);
    if (!read) {
        return 0;
    }
    tc::LanguageFile file = std::move(read).TakeValue();
    if (file.Text() != bytes) {
        std::abort(); // an unchanged file must be written back byte for byte
    }
    if (!found.empty()) {
        return 0;
    }
    for (std::size_t k = 0; k < file.Size(); ++k) {
        if (file.Translates(k)) {
            tc::LanguageEntry entry = file.Entry(k);
            entry.from += k % 2 == 0 ? "\r\n\"x\\" : "";
            entry.to += "\xce\xb1\"\\\n";
            entry.stale = !entry.stale;
            file.Set(k, entry);
        }
    }
    file.Append({"added\r\n\"", "\xd0\xb4", true});
    tc::Diagnostics again;
    const tc::Result<tc::LanguageFile> back = tc::LanguageFile::Parse(file.Text(), "de.gas", again);
    if (!back || back.GetValue().Size() != file.Size()) {
        std::abort(); // a change lost an entry or made one
    }
    for (std::size_t k = 0; k < file.Size(); ++k) {
        if (file.Translates(k) && !(back.GetValue().Entry(k) == file.Entry(k))) {
            std::abort(); // an entry does not read back as it was written
        }
    }
    return 0;
}

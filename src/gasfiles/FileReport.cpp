#include "gasfiles/FileReport.h"

#include "platform/Text.h"
#include "platform/TextFile.h"

namespace tc {

namespace {

const char* ActionOf(FileAccess access) {
    switch (access) {
    case FileAccess::WriteLore:
        return "writing the lore book file!";
    case FileAccess::WriteTemplates:
        return "writing the lore template file!";
    case FileAccess::WriteLanguage:
        return "writing the language file!";
    case FileAccess::ReadAny:
        break;
    }
    // Both readers use this text, the template reader included.
    return "reading the lore book file!";
}

} // namespace

std::string OpenFailureReport(FileAccess access, FileCause cause, const std::string& path,
                              PathShown as) {
    // The class name already ends in a colon, so the message has two in a row.
    std::string report =
        "CTomecraftDoc:: error " + std::to_string(static_cast<int>(cause)) + " " + ActionOf(access);
    report += "\n\nFile: " + (as == PathShown::Utf8 ? path : PathInText(path));
    report += "\n\nText: " + CauseText(cause, path, as).substr(0, 254);
    return report;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, Diagnostics& found,
                   FileStamp* stamp) {
    OpenedSource opened = OpenForReading(path);
    if (!opened.source) {
        if (stamp != nullptr && opened.cause == FileCause::FileNotFound) {
            *stamp = kMissingFile;
        }
        Diagnostic report;
        report.path = path;
        report.text = OpenFailureReport(FileAccess::ReadAny, opened.cause, path, PathShown::Utf8);
        found.push_back(std::move(report));
        return false;
    }
    if (stamp != nullptr) {
        *stamp = opened.source->Stamp();
    }
    constexpr std::size_t kChunk = 1 << 20;
    for (;;) {
        const std::size_t had = bytes.size();
        bytes.resize(had + kChunk);
        const std::size_t count = opened.source->Read(bytes.data() + had, kChunk);
        bytes.resize(had + count);
        if (count == 0) {
            return true;
        }
    }
}

} // namespace tc

#include "gasfiles/FileReport.h"

#include "platform/Text.h"

namespace tc {

namespace {

const char* ActionOf(FileAccess access) {
    switch (access) {
    case FileAccess::WriteLore:
        return "writing the lore book file!";
    case FileAccess::WriteTemplates:
        return "writing the lore template file!";
    case FileAccess::ReadAny:
        break;
    }
    // Both readers use this text, the template reader included.
    return "reading the lore book file!";
}

} // namespace

std::string OpenFailureReport(FileAccess access, FileCause cause, const std::string& path) {
    // The class name already ends in a colon, so the message has two in a row.
    std::string report =
        "CTomecraftDoc:: error " + std::to_string(static_cast<int>(cause)) + " " + ActionOf(access);
    report += "\n\nFile: " + PathInText(path);
    report += "\n\nText: " + CauseText(cause, path).substr(0, 254);
    return report;
}

} // namespace tc

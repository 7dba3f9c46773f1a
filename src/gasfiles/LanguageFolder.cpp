#include "gasfiles/LanguageFolder.h"

#include "gasfiles/LanguageFile.h"
#include "platform/FsPath.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <system_error>

namespace tc {

namespace {

// The id of a `[t:0x0407,n:text]` line; 0 for any other section header.
unsigned TextSectionOf(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') {
        return 0;
    }
    return TextSectionId(line.substr(1, line.size() - 2));
}

} // namespace

unsigned LanguageOfFile(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    std::string line;
    bool inComment = false;
    bool first = true;
    // The header comes after a few comment lines at most: the file's entries are never read.
    while (std::getline(in, line)) {
        std::string_view text = TrimWhite(line);
        if (first && StartsWith(text, "\xEF\xBB\xBF")) {
            text = TrimWhite(text.substr(3));
        }
        first = false;
        if (inComment) {
            const std::size_t end = text.find("*/");
            if (end == text.npos) {
                continue;
            }
            inComment = false;
            text = TrimWhite(text.substr(end + 2));
        }
        if (StartsWith(text, "/*") && text.find("*/", 2) == text.npos) {
            inComment = true;
            continue;
        }
        if (text.empty() || StartsWith(text, "//") || StartsWith(text, "/*")) {
            continue;
        }
        if (const std::size_t comment = text.find("//"); comment != text.npos) {
            text = TrimWhite(text.substr(0, comment));
        }
        return text.front() == '[' ? TextSectionOf(text) : 0;
    }
    return 0;
}

std::vector<FolderLanguage> LanguagesInFolder(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(FsPath(folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = Utf8Path(it->path().filename());
        if (EndsWithNoCase(name, ".gas") && it->is_regular_file(error)) {
            files.push_back(Utf8Path(it->path()));
        }
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        const int order = CompareNoCase(FileNameOf(a), FileNameOf(b));
        return order != 0 ? order < 0 : a < b;
    });
    std::map<unsigned, std::string> first;
    for (const std::string& file : files) {
        if (const unsigned id = LanguageOfFile(file); id != 0) {
            first.emplace(id, file);
        }
    }
    std::vector<FolderLanguage> found;
    for (const auto& [id, path] : first) {
        found.push_back({id, path});
    }
    std::sort(found.begin(), found.end(), [](const FolderLanguage& a, const FolderLanguage& b) {
        return LanguageDisplayName(a.id) < LanguageDisplayName(b.id);
    });
    return found;
}

} // namespace tc

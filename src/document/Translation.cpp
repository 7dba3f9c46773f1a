#include "document/Translation.h"

#include "platform/Text.h"

#include <unordered_set>

namespace tc {

std::string_view EnglishOf(const Node& node) {
    if (node.GetType() == NodeType::LoreBook) {
        return static_cast<const LoreBook&>(node).GetTextView();
    }
    return static_cast<const Template&>(node).GetScreenNameView();
}

TranslationState StateOf(const LanguageFile& file, const Node& node) {
    const std::string_view english = EnglishOf(node);
    if (english.empty()) {
        return TranslationState::Nothing;
    }
    const std::size_t at = file.Find(english);
    if (at == LanguageFile::npos || file.Entry(at).to.empty()) {
        return TranslationState::Missing;
    }
    return file.Entry(at).stale ? TranslationState::Stale : TranslationState::Translated;
}

std::string TranslationOf(const LanguageFile& file, const Node& node) {
    const std::string_view english = EnglishOf(node);
    const std::size_t at = english.empty() ? LanguageFile::npos : file.Find(english);
    return at == LanguageFile::npos ? std::string() : file.Entry(at).to;
}

std::string StateText(TranslationState state) {
    switch (state) {
    case TranslationState::Translated:
        return "Translated";
    case TranslationState::Missing:
        return "Missing";
    case TranslationState::Stale:
        return "Stale: the English text changed since this was written";
    case TranslationState::Nothing:
        break;
    }
    return {};
}

std::string ProgressText(unsigned languageId, const TranslationCounts& counts) {
    const auto part = [](std::size_t done, std::size_t all, const char* one, const char* many) {
        return std::to_string(done) + " of " + std::to_string(all) + " " + (all == 1 ? one : many);
    };
    return LanguageDisplayName(languageId) + ": " +
           part(counts.booksDone, counts.books, "book", "books") + ", " +
           part(counts.titlesDone, counts.titles, "title", "titles");
}

namespace {

// The first words of a text for a message: its first line, at most 40 characters, in UTF-8.
std::string Excerpt(std::string_view cp1252) {
    std::string_view text = cp1252.substr(0, cp1252.find_first_of("\r\n"));
    const bool cut = text.size() > 40 || text.size() < cp1252.size();
    text = text.substr(0, 40);
    return "\"" + Cp1252ToUtf8(text) + (cut ? "…\"" : "\"");
}

} // namespace

void DescribeTranslation(const LanguageFile& file, const Node& node, TranslationState state,
                         const TranslationPaths& paths, Diagnostics& out) {
    const bool book = node.GetType() == NodeType::LoreBook;
    const std::string what = LanguageDisplayName(file.LanguageId()) +
                             (book ? " text of " : " title of ") + Cp1252ToUtf8(node.GetNameView());
    const std::size_t before = out.size();
    if (state == TranslationState::Missing) {
        out.push_back(FindingAt(Severity::Warning, book ? paths.lore : paths.templates,
                                node.GetSourceLine(),
                                what + " is missing: " + Excerpt(EnglishOf(node)), &node));
    } else if (state == TranslationState::Stale) {
        out.push_back(FindingAt(Severity::Warning, paths.language,
                                file.LineOf(file.Find(EnglishOf(node))),
                                what + " is stale: the English text changed since", &node));
    }
    if (out.size() > before) {
        out.back().field = "to"; // the translation box mends it
    }
}

std::unordered_set<std::string_view> TextsTranslatedWith(const LanguageFile& file,
                                                         std::string_view utf8Text) {
    std::unordered_set<std::string_view> texts;
    const std::string wanted = ToLowerUtf8(utf8Text);
    if (wanted.empty()) {
        return texts;
    }
    for (std::size_t k = 0; k < file.Size(); ++k) {
        const LanguageEntry& entry = file.Entry(k);
        if (Contains(ToLowerUtf8(entry.to), wanted) && file.Find(entry.from) == k) {
            texts.insert(entry.from);
        }
    }
    return texts;
}

LanguageFile ExtractMissing(const LoreData& data, const LanguageFile* file, unsigned languageId) {
    LanguageFile out(languageId);
    std::unordered_set<std::string_view> written;
    for (const NodeType type : {NodeType::LoreBook, NodeType::Template}) {
        for (const Node* node : data.ByName(type)) {
            const std::string_view english = EnglishOf(*node);
            const bool missing = file == nullptr
                                     ? !english.empty()
                                     : StateOf(*file, *node) == TranslationState::Missing;
            if (missing && written.insert(english).second) {
                out.Append({std::string(english), {}, false});
            }
        }
    }
    return out;
}

} // namespace tc

// What a language file says about the nodes of a pair: which English text of a node it
// translates, whether that translation is there and current, and how far the language is done.
#pragma once

#include "gasfiles/Diagnostic.h"
#include "gasfiles/LanguageFile.h"
#include "model/LoreData.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tc {

// The text of a node that a language file translates: a book's text, a template's book title.
std::string_view EnglishOf(const Node& node);

enum class TranslationState {
    Nothing, // the node has no English text
    Missing, // no entry, or one with an empty translation
    Stale,   // the English text changed since the translation was written
    Translated,
};
TranslationState StateOf(const LanguageFile& file, const Node& node);
// The node's translation (UTF-8), or empty.
std::string TranslationOf(const LanguageFile& file, const Node& node);
// "Translated", "Missing", "Stale: the English text changed since this was written", or empty.
std::string StateText(TranslationState state);

struct TranslationCounts {
    std::size_t books = 0; // with a text
    std::size_t booksDone = 0;
    std::size_t titles = 0; // templates with a book title
    std::size_t titlesDone = 0;
    std::size_t missing = 0; // books and titles together
};
// "German: 134 of 200 books, 40 of 60 titles".
std::string ProgressText(unsigned languageId, const TranslationCounts& counts);

// Where the findings about translations point: a missing one at the node's line in its own
// file, a stale one at its entry in the language file.
struct TranslationPaths {
    std::string lore;
    std::string templates;
    std::string language;
};
// Adds the warning about a node whose translation is missing or stale.
void DescribeTranslation(const LanguageFile& file, const Node& node, TranslationState state,
                         const TranslationPaths& paths, Diagnostics& out);

// The English texts whose translation holds `utf8Text`, ignoring case (for Find).
std::unordered_set<std::string_view> TextsTranslatedWith(const LanguageFile& file,
                                                         std::string_view utf8Text);

// A language file with an empty entry for every English text that `file` (if any) does not
// translate yet, each text once, in tree order.
LanguageFile ExtractMissing(const LoreData& data, const LanguageFile* file, unsigned languageId);

} // namespace tc

#include "document/RememberedTranslations.h"

#include "document/SettingsKeys.h"
#include "platform/Paths.h"

#include <algorithm>
#include <vector>

namespace tc {

namespace {

struct Remembered {
    std::string lore;
    std::string templates;
    std::string language;
};

std::vector<Remembered> Load(const SettingsStore& settings) {
    using namespace keys;
    std::vector<Remembered> list;
    const int count =
        std::clamp(settings.GetInt(kTranslationSection, kPairCount, 0), 0, kTranslationLimit);
    for (int k = 0; k < count; ++k) {
        Remembered entry{
            settings.GetString(kTranslationSection, NumberedName(kPairLore, k), ""),
            settings.GetString(kTranslationSection, NumberedName(kPairTemplates, k), ""),
            settings.GetString(kTranslationSection, NumberedName(kPairLanguage, k), "")};
        if (!entry.lore.empty() && !entry.templates.empty() && !entry.language.empty()) {
            list.push_back(std::move(entry));
        }
    }
    return list;
}

bool IsPair(const Remembered& entry, const std::string& lore, const std::string& templates) {
    return SamePath(entry.lore, lore) && SamePath(entry.templates, templates);
}

} // namespace

std::string RememberedTranslation(const SettingsStore& settings, const std::string& lorePath,
                                  const std::string& templatePath) {
    for (const Remembered& entry : Load(settings)) {
        if (IsPair(entry, lorePath, templatePath)) {
            return entry.language;
        }
    }
    return {};
}

void RememberTranslation(SettingsStore& settings, const std::string& lorePath,
                         const std::string& templatePath, const std::string& languagePath) {
    using namespace keys;
    std::vector<Remembered> list = Load(settings);
    std::erase_if(list,
                  [&](const Remembered& entry) { return IsPair(entry, lorePath, templatePath); });
    if (!languagePath.empty()) {
        list.insert(list.begin(), {lorePath, templatePath, languagePath});
    }
    list.resize(std::min<std::size_t>(list.size(), kTranslationLimit));
    const int before = settings.GetInt(kTranslationSection, kPairCount, 0);
    for (int k = 0; k < static_cast<int>(list.size()); ++k) {
        settings.SetString(kTranslationSection, NumberedName(kPairLore, k), list[k].lore);
        settings.SetString(kTranslationSection, NumberedName(kPairTemplates, k), list[k].templates);
        settings.SetString(kTranslationSection, NumberedName(kPairLanguage, k), list[k].language);
    }
    // A pair forgotten leaves its last place empty, which Load skips.
    for (int k = static_cast<int>(list.size()); k < std::min(before, kTranslationLimit); ++k) {
        settings.SetString(kTranslationSection, NumberedName(kPairLanguage, k), "");
    }
    settings.SetInt(kTranslationSection, kPairCount, static_cast<int>(list.size()));
}

} // namespace tc

// The language file last opened beside each pair, kept in the settings so that opening the pair
// again opens its translation too. The most recent pairs are kept, newest first.
#pragma once

#include "platform/SettingsStore.h"

#include <string>

namespace tc {

// The language file remembered for the pair; empty for none.
std::string RememberedTranslation(const SettingsStore& settings, const std::string& lorePath,
                                  const std::string& templatePath);
// Remembers `languagePath` for the pair (empty forgets the pair), as the newest.
void RememberTranslation(SettingsStore& settings, const std::string& lorePath,
                         const std::string& templatePath, const std::string& languagePath);

} // namespace tc

// Where the editor keeps its settings: sections and value names of the settings store.
#pragma once

namespace tc::keys {

inline constexpr const char* kOpenSection = "Open";
inline constexpr const char* kLoreCount = "LoreCount";
inline constexpr const char* kLorePath = "LorePath"; // numbered from 0
inline constexpr const char* kTemplateCount = "TemplateCount";
inline constexpr const char* kTemplatePath = "TemplatePath"; // numbered from 0

inline constexpr const char* kBackupSection = "Backup";
inline constexpr const char* kSelected = "Selected";
inline constexpr const char* kPathCount = "PathCount";
inline constexpr const char* kBackupPath = "BackupPath"; // numbered from 0

inline constexpr const char* kViewSection = "View";
inline constexpr const char* kProblemsShown = "Problems"; // 1 or 0

// The language file last opened beside each pair, newest first.
inline constexpr const char* kTranslationSection = "Translations";
inline constexpr const char* kPairCount = "PairCount";
inline constexpr const char* kPairLore = "Lore";           // numbered from 0
inline constexpr const char* kPairTemplates = "Templates"; // numbered from 0
inline constexpr const char* kPairLanguage = "Language";   // numbered from 0
inline constexpr int kTranslationLimit = 20;

// A history keeps at most this many paths.
inline constexpr int kHistoryLimit = 10;

} // namespace tc::keys

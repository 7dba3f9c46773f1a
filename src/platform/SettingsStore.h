// The per-user settings store: named integer and string values in sections below one root.
#pragma once

#include <string>
#include <string_view>

namespace tc {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A value that is missing (or not readable as the asked type) gives `fallback`.
    virtual int GetInt(std::string_view section, std::string_view name, int fallback) const = 0;
    virtual std::string GetString(std::string_view section, std::string_view name,
                                  std::string_view fallback) const = 0;

    virtual void SetInt(std::string_view section, std::string_view name, int value) = 0;
    virtual void SetString(std::string_view section, std::string_view name,
                           std::string_view value) = 0;
};

// Value names of a numbered list: "LorePath" and 3 give "LorePath3".
std::string NumberedName(std::string_view stem, int index);

} // namespace tc

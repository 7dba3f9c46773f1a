// A settings store that lives in memory: for tests, and wherever nothing may persist.
#pragma once

#include "platform/SettingsStore.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace tc {

class MemorySettings : public SettingsStore {
public:
    using Key = std::pair<std::string, std::string>; // section, name
    using Value = std::variant<int, std::string>;

    int GetInt(std::string_view section, std::string_view name, int fallback) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view fallback) const override;
    void SetInt(std::string_view section, std::string_view name, int value) override;
    void SetString(std::string_view section, std::string_view name,
                   std::string_view value) override;

    const std::map<Key, Value>& Values() const { return m_values; }

private:
    const Value* Find(std::string_view section, std::string_view name) const;

    std::map<Key, Value> m_values;
};

} // namespace tc

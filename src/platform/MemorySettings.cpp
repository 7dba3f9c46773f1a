#include "platform/MemorySettings.h"

namespace tc {

const MemorySettings::Value* MemorySettings::Find(std::string_view section,
                                                  std::string_view name) const {
    const auto it = m_values.find({std::string(section), std::string(name)});
    return it == m_values.end() ? nullptr : &it->second;
}

int MemorySettings::GetInt(std::string_view section, std::string_view name, int fallback) const {
    const Value* value = Find(section, name);
    return value != nullptr && std::holds_alternative<int>(*value) ? std::get<int>(*value)
                                                                   : fallback;
}

std::string MemorySettings::GetString(std::string_view section, std::string_view name,
                                      std::string_view fallback) const {
    const Value* value = Find(section, name);
    return value != nullptr && std::holds_alternative<std::string>(*value)
               ? std::get<std::string>(*value)
               : std::string(fallback);
}

void MemorySettings::SetInt(std::string_view section, std::string_view name, int value) {
    m_values[{std::string(section), std::string(name)}] = value;
}

void MemorySettings::SetString(std::string_view section, std::string_view name,
                               std::string_view value) {
    m_values[{std::string(section), std::string(name)}] = std::string(value);
}

} // namespace tc

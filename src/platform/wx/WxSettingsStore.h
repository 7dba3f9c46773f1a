// The settings store on wxConfig: the registry key Software\Brindlemoor\Tomecraft on Windows,
// an XDG config file (~/.config/Tomecraft/Tomecraft.conf) elsewhere. The values it keeps are
// paths, so strings cross in the file system's encoding.
#pragma once

#include "platform/SettingsStore.h"

#include <memory>

class wxConfigBase;

namespace tc {

class WxSettingsStore : public SettingsStore {
public:
    explicit WxSettingsStore(std::unique_ptr<wxConfigBase> config);
    ~WxSettingsStore() override;

    // The current user's settings under "Brindlemoor" / "Tomecraft".
    static std::unique_ptr<WxSettingsStore> ForCurrentUser();

    int GetInt(std::string_view section, std::string_view name, int fallback) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view fallback) const override;
    void SetInt(std::string_view section, std::string_view name, int value) override;
    void SetString(std::string_view section, std::string_view name,
                   std::string_view value) override;

private:
    std::unique_ptr<wxConfigBase> m_config;
};

} // namespace tc

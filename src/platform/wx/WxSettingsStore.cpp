#include "platform/wx/WxSettingsStore.h"

#include "platform/Product.h"
#include "platform/wx/WxText.h"

#include <wx/config.h>
#include <wx/stdpaths.h>
#ifndef _WIN32
#include <wx/fileconf.h>
#include <wx/filename.h>
#endif

namespace tc {

namespace {

wxString KeyOf(std::string_view section, std::string_view name) {
    return "/" + Utf8ToWx(std::string(section)) + "/" + Utf8ToWx(std::string(name));
}

} // namespace

WxSettingsStore::WxSettingsStore(std::unique_ptr<wxConfigBase> config)
    : m_config(std::move(config)) {}

WxSettingsStore::~WxSettingsStore() {
    if (m_config) {
        m_config->Flush();
    }
}

std::unique_ptr<WxSettingsStore> WxSettingsStore::ForCurrentUser() {
#ifdef _WIN32
    return std::make_unique<WxSettingsStore>(std::make_unique<wxConfig>(kAppTitle, kCompanyName));
#else
    // $XDG_CONFIG_HOME/Tomecraft/Tomecraft.conf. wxFileConfig writes the file but does not make
    // its folder.
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const wxString folder = wxStandardPaths::Get().GetUserConfigDir() + "/" + kAppTitle;
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return std::make_unique<WxSettingsStore>(
        std::make_unique<wxFileConfig>(kAppTitle, kCompanyName, folder + "/" + kAppTitle + ".conf",
                                       wxEmptyString, wxCONFIG_USE_LOCAL_FILE));
#endif
}

int WxSettingsStore::GetInt(std::string_view section, std::string_view name, int fallback) const {
    long value = fallback;
    return m_config->Read(KeyOf(section, name), &value, fallback) ? static_cast<int>(value)
                                                                  : fallback;
}

std::string WxSettingsStore::GetString(std::string_view section, std::string_view name,
                                       std::string_view fallback) const {
    wxString value;
    if (!m_config->Read(KeyOf(section, name), &value)) {
        return std::string(fallback);
    }
    return Utf8FromWx(value);
}

void WxSettingsStore::SetInt(std::string_view section, std::string_view name, int value) {
    m_config->Write(KeyOf(section, name), static_cast<long>(value));
    m_config->Flush();
}

void WxSettingsStore::SetString(std::string_view section, std::string_view name,
                                std::string_view value) {
    m_config->Write(KeyOf(section, name), Utf8ToWx(std::string(value)));
    m_config->Flush();
}

} // namespace tc

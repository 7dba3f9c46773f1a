#include "TestSupport.h"

#include "platform/wx/WxSettingsStore.h"
#include "platform/wx/WxText.h"

#include <gtest/gtest.h>
#include <wx/fileconf.h>

namespace tc {
namespace {

std::unique_ptr<WxSettingsStore> StoreIn(const std::string& file) {
    return std::make_unique<WxSettingsStore>(std::make_unique<wxFileConfig>(
        "Tomecraft", "Brindlemoor", Utf8ToWx(file), wxEmptyString, wxCONFIG_USE_LOCAL_FILE));
}

TEST(WxSettingsStore, ValuesSurviveAReopenAndMissingOnesGiveTheDefault) {
    test::TempDir dir;
    const std::string file = dir / "Tomecraft.conf";
    {
        auto store = StoreIn(file);
        EXPECT_EQ(store->GetInt("Backup", "Selected", 7), 7);
        EXPECT_EQ(store->GetString("Open", "LorePath0", "none"), "none");
        store->SetInt("Backup", "Selected", -1);
        store->SetInt("Open", "LoreCount", 2);
        store->SetString("Open", "LorePath0", "/data/Welt \xC3\xBC/lore.gas"); // UTF-8 path
    }
    auto reopened = StoreIn(file);
    EXPECT_EQ(reopened->GetInt("Backup", "Selected", 0), -1);
    EXPECT_EQ(reopened->GetInt("Open", "LoreCount", 0), 2);
    EXPECT_EQ(reopened->GetString("Open", "LorePath0", ""), "/data/Welt \xC3\xBC/lore.gas");
    EXPECT_NE(test::ReadBytes(file).find("[Open]"), std::string::npos);
}

} // namespace
} // namespace tc

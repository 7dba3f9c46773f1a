// The dialogs' wiring, by real clicks and keys: typing, OK, browsing with scripted choosers.
#include "GuiHarness.h"

#include "dialogs/AboutDialog.h"
#include "dialogs/BackupLocationDialog.h"
#include "dialogs/DialogParts.h"
#include "dialogs/HyperLink.h"
#include "dialogs/OpenFilesDialog.h"
#include "platform/Paths.h"

namespace tc::test {
namespace {

// Each dialog refuses what is typed first, then takes what its scripted chooser browses to
// and stores its history on OK.
TEST(PathDialogs, CheckWhatIsTypedAndStoreTheHistoriesOnOk) {
    TempDir dir;
    WriteBytes(dir / "lore.gas", "");
    WriteBytes(dir / "trs_book_lore.gas", "");
    ScriptedUi ui;
    MemorySettings settings;
    RealInput input;
    std::vector<OpenFilesRules::Which> browsed;
    OpenFilesDialog open(nullptr, settings, ui, [&](OpenFilesRules::Which which) {
        browsed.push_back(which);
        return which == OpenFilesRules::Which::Lore ? dir / "other.gas" : dir / "trs_book_lore.gas";
    });
    open.Show();
    input.Settle();
    input.Retype(open.m_templatePathsField, dir / "trs_book_lore.gas");
    input.Click(open.FindWindow(wxID_OK));
    ASSERT_EQ(ui.Texts().size(), 1u) << "no lore file";
    EXPECT_TRUE(settings.Values().empty());
    // The chooser picks a wrong lore file, then the template file, which is selected.
    input.Click(open.FindWindow(Id(ControlId::LoreBrowseButton)));
    EXPECT_EQ(ui.Texts().size(), 2u);
    EXPECT_EQ(open.m_lorePathsField->GetCount(), 0u);
    input.Click(open.FindWindow(Id(ControlId::TemplateBrowseButton)));
    EXPECT_EQ(open.m_templatePathsField->GetValue(), Utf8ToWx(dir / "trs_book_lore.gas"));
    input.Retype(open.m_lorePathsField, dir / "lore.gas");
    input.Click(open.FindWindow(wxID_OK));
    EXPECT_EQ(open.GetReturnCode(), wxID_OK);
    EXPECT_EQ(open.Rules().lorePath, UserPath(dir / "lore.gas"));
    EXPECT_EQ(settings.GetString("Open", "LorePath0", ""), UserPath(dir / "lore.gas"));
    EXPECT_EQ(browsed.size(), 2u);

    ui.shown.clear();
    BackupLocationDialog backup(nullptr, settings, ui, [&] { return dir.Path(); });
    EXPECT_EQ(backup.m_backupPathsField->GetValue(), "(Create backup in same location as file)");
    backup.Show();
    input.Settle();
    input.Retype(backup.m_backupPathsField, dir / "missing");
    input.Click(backup.FindWindow(wxID_OK));
    EXPECT_EQ(ui.Texts().size(), 1u);
    input.Click(backup.FindWindow(Id(ControlId::BackupBrowseButton)));
    EXPECT_EQ(backup.m_backupPathsField->GetSelection(), 1);
    input.Click(backup.FindWindow(wxID_OK));
    EXPECT_EQ(backup.GetReturnCode(), wxID_OK);
    EXPECT_EQ(backup.Rules().backupPath, WithFolderSeparator(dir.Path()));
    EXPECT_EQ(settings.GetInt("Backup", "Selected", 0), 1);
}

TEST(AboutDialog, ALinkClickOrKeyOpensItsTargetAndSaysSoWhenNothingCould) {
    ScriptedUi ui;
    AboutDialog about(nullptr, ui);
    EXPECT_EQ(about.GetTitle(), "About Tomecraft");
    EXPECT_EQ(about.m_webLink->GetLabel(), "brindlemoor.org/tomecraft");
    auto* bare = new HyperLink(&about, ui, wxID_ANY, "example.org", wxPoint(4, 4), wxDefaultSize);
    about.Show();
    RealInput input;
    input.Settle();
    const struct {
        HyperLink* link;
        bool opens;
        const char* target;
    } cases[] = {
        {about.m_emailLink, true, "mailto:tomecraft@brindlemoor.org?subject=Tomecraft"},
        {about.m_webLink, false, "https://brindlemoor.org/tomecraft"},
        {bare, true, "example.org"}, // without a target the text is opened
    };
    std::vector<wxString> opened;
    bool opens = true;
    for (const auto& c : cases) {
        c.link->m_open = [&](const wxString& target) {
            opened.push_back(target);
            return opens;
        };
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        ui.shown.clear();
        opened.clear();
        opens = c.opens;
        input.Click(c.link);
        EXPECT_EQ(opened, std::vector<wxString>{c.target});
        EXPECT_EQ(ui.Texts().size(), c.opens ? 0u : 1u);
        for (const std::string& text : ui.Texts()) {
            EXPECT_NE(text.find(c.target), std::string::npos);
        }
    }
    // Tab from OK reaches each link in turn; Enter opens one (the dialog stays), Space the next.
    opened.clear();
    opens = true;
    about.FindWindow(wxID_OK)->SetFocus();
    input.Settle();
    for (const int key : {int(WXK_TAB), int(WXK_RETURN), int(WXK_TAB), int(' ')}) {
        input.Key(key);
    }
    EXPECT_EQ(opened, (std::vector<wxString>{cases[0].target, cases[1].target}));
    EXPECT_TRUE(about.IsShown());
}

} // namespace
} // namespace tc::test

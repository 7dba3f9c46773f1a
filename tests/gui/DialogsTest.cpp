// The dialogs' wiring, by real clicks and keys: typing, OK, browsing with scripted choosers.
#include "GuiHarness.h"

#include "dialogs/AboutDialog.h"
#include "dialogs/BackupLocationDialog.h"
#include "dialogs/DialogParts.h"
#include "dialogs/HyperLink.h"
#include "dialogs/OpenFilesDialog.h"
#include "platform/Paths.h"

#include <wx/listctrl.h>

namespace tc::test {
namespace {

// Shows the dialog, if it is not yet, and clicks one of its buttons with the mouse or types
// `text` over what one of its fields holds.
void Click(wxWindow* dialog, int id, wxWindow* field = nullptr, const std::string& text = "") {
    if (!dialog->IsShown()) {
        dialog->Show();
        Pump();
    }
    field != nullptr ? RealInput().Retype(field, text) : RealInput().Click(dialog->FindWindow(id));
}
void Retype(wxWindow* dialog, wxWindow* field, const std::string& text) {
    Click(dialog, 0, field, text);
}

TEST(OpenDialog, ChecksWhatIsTypedAndStoresTheHistoriesOnOk) {
    TempDir dir;
    WriteBytes(dir / "lore.gas", "");
    WriteBytes(dir / "trs_book_lore.gas", "");
    ScriptedUi ui;
    MemorySettings settings;
    std::vector<OpenFilesRules::Which> browsed;
    OpenFilesDialog dialog(nullptr, settings, ui, [&](OpenFilesRules::Which which) {
        browsed.push_back(which);
        return which == OpenFilesRules::Which::Lore ? dir / "other.gas" : dir / "trs_book_lore.gas";
    });
    Retype(&dialog, dialog.m_templatePathsField, dir / "trs_book_lore.gas");
    Click(&dialog, wxID_OK);
    ASSERT_EQ(ui.Texts().size(), 1u) << "no lore file";
    EXPECT_TRUE(settings.Values().empty());
    // Browsing: the chooser picks a wrong lore file, then the template file, which is selected.
    Click(&dialog, Id(ControlId::LoreBrowseButton));
    EXPECT_EQ(ui.Texts().size(), 2u);
    EXPECT_EQ(dialog.m_lorePathsField->GetCount(), 0u);
    Click(&dialog, Id(ControlId::TemplateBrowseButton));
    EXPECT_EQ(dialog.m_templatePathsField->GetValue(), PathToWx(dir / "trs_book_lore.gas"));
    Retype(&dialog, dialog.m_lorePathsField, dir / "lore.gas");
    Click(&dialog, wxID_OK);
    EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
    EXPECT_EQ(dialog.Rules().lorePath, UserPath(dir / "lore.gas"));
    EXPECT_EQ(settings.GetString("Open", "LorePath0", ""), UserPath(dir / "lore.gas"));
    EXPECT_EQ(browsed.size(), 2u);
}

TEST(BackupLocationDialog, BrowsesAndReturnsTheFolder) {
    TempDir dir;
    ScriptedUi ui;
    MemorySettings settings;
    BackupLocationDialog dialog(nullptr, settings, ui, [&] { return dir.Path(); });
    EXPECT_EQ(dialog.m_backupPathsField->GetValue(), "(Create backup in same location as file)");
    Retype(&dialog, dialog.m_backupPathsField, dir / "missing");
    Click(&dialog, wxID_OK);
    EXPECT_EQ(ui.Texts().size(), 1u);
    Click(&dialog, Id(ControlId::BackupBrowseButton));
    EXPECT_EQ(dialog.m_backupPathsField->GetSelection(), 1);
    Click(&dialog, wxID_OK);
    EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
    EXPECT_EQ(dialog.Rules().backupPath, WithFolderSeparator(dir.Path()));
    EXPECT_EQ(settings.GetInt("Backup", "Selected", 0), 1);
}

TEST(AboutDialog, ALinkClickOrKeyOpensItsTargetAndSaysSoWhenNothingCould) {
    ScriptedUi ui;
    AboutDialog about(nullptr, ui);
    EXPECT_EQ(about.GetTitle(), "About Tomecraft");
    EXPECT_EQ(about.m_webLink->GetLabel(), "brindlemoor.org/tomecraft");
    auto* bare = new HyperLink(&about, ui, wxID_ANY, "example.org", wxPoint(4, 4), wxDefaultSize);
    about.Show();
    Pump();
    struct Case {
        HyperLink* link;
        bool opens;
        const char* target;
    };
    const Case cases[] = {
        {about.m_emailLink, true, "mailto:tomecraft@brindlemoor.org?subject=Tomecraft"},
        {about.m_webLink, false, "https://brindlemoor.org/tomecraft"},
        {bare, true, "example.org"}, // without a target the text is opened
    };
    RealInput input;
    std::vector<wxString> opened;
    bool opens = true;
    for (const Case& c : cases) {
        c.link->m_open = [&](const wxString& target) {
            opened.push_back(target);
            return opens;
        };
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        ui.shown.clear();
        opened.clear();
        opens = c.opens;
        input.Click(c.link);
        EXPECT_EQ(opened, std::vector<wxString>{c.target});
        EXPECT_EQ(ui.Texts().size(), c.opens ? 0u : 1u);
        if (!c.opens && !ui.Texts().empty()) {
            EXPECT_NE(ui.Texts().front().find(c.target), std::string::npos);
        }
    }
    // Tab from OK reaches each link in turn; Enter opens one (the dialog stays), Space the next.
    opened.clear();
    opens = true;
    about.FindWindow(wxID_OK)->SetFocus();
    Pump();
    for (const int key : {int(WXK_TAB), int(WXK_RETURN), int(WXK_TAB), int(' ')}) {
        input.Key(key);
    }
    EXPECT_EQ(opened, (std::vector<wxString>{cases[0].target, cases[1].target}));
    EXPECT_TRUE(about.IsShown());
}

} // namespace
} // namespace tc::test

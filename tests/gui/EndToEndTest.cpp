// A whole editing session through the real windows and dialogs: open the sample pair, write a
// book and a book template for it, rename a book, delete a template, choose a backup folder,
// save; the written files and their backups must equal the golden files.
#include "GuiHarness.h"
#include "RealInput.h"

#include "app/CTomecraftApp.h"
#include "dialogs/CBackupLocationDlg.h"
#include "dialogs/CNewNodeDlg.h"
#include "dialogs/COpenFilesDlg.h"
#include "dialogs/DialogParts.h"
#include "platform/wx/WxText.h"
#include "views/TCLoreBookFormView.h"
#include "views/TCTemplateFormView.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <functional>

namespace tc::test {
namespace {

// Runs the real dialogs, filled in by the session's next step instead of a person.
class SessionHost : public DocumentHost {
public:
    SessionHost(SettingsStore& settings, UserInterface& ui) : m_settings(settings), m_ui(ui) {}

    std::optional<OpenPaths> RunOpenDialog() override {
        COpenFilesDlg dialog(nullptr, m_settings, m_ui);
        dialog.m_cbLorePaths->SetValue(PathToWx(lorePath));
        dialog.m_cbTemplatePaths->SetValue(PathToWx(templatePath));
        if (!dialog.OnOK()) {
            return std::nullopt;
        }
        return OpenPaths{dialog.Rules().m_strLorePath, dialog.Rules().m_strTemplatePath};
    }
    std::optional<std::string> RunNewNodeDialog(const std::string& caption,
                                                const LoreData& data) override {
        CNewNodeDlg dialog(nullptr, &data, m_ui, caption);
        dialog.m_editName->SetValue(ToWx(nextName));
        return dialog.OnOK() ? std::optional(dialog.NodeName()) : std::nullopt;
    }
    std::optional<std::string> RunBackupLocationDialog() override {
        CBackupLocationDlg dialog(nullptr, m_settings, m_ui, [this] { return backupFolder; });
        wxCommandEvent browse(wxEVT_BUTTON, 1080);
        dialog.FindWindow(1080)->ProcessWindowEvent(browse);
        return dialog.OnOK() ? std::optional(dialog.Rules().m_strBackupPath) : std::nullopt;
    }
    std::optional<std::string> RunFindDialog(const std::string&) override { return std::nullopt; }
    void ShowStatus(const std::string&) override {}
    void SendExit() override { ++exits; }

    std::string lorePath, templatePath, nextName, backupFolder;
    int exits = 0;

private:
    SettingsStore& m_settings;
    UserInterface& m_ui;
};

void Press(wxButton* button) {
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
    Pump();
}

void PressEnter(wxTextCtrl* edit) {
    wxCommandEvent enter(wxEVT_TEXT_ENTER, edit->GetId());
    enter.SetEventObject(edit);
    edit->ProcessWindowEvent(enter);
    Pump();
}

void Choose(LongChoice* choice, const std::string& entry) {
    for (int k = 0; k < choice->GetCount(); ++k) {
        if (choice->GetString(k) == ToWx(entry)) {
            choice->Choose(k);
        }
    }
    Pump();
}

TEST(EndToEnd, ASessionWritesTheExpectedFilesAndBackups) {
    TempDir dir;
    std::filesystem::create_directory(dir / "pair");
    std::filesystem::create_directory(dir / "backups");
    const std::string lore = dir / "pair/lore.gas";
    const std::string templates = dir / "pair/trs_book_lore.gas";
    CopySamplePair(lore, templates);
    const std::string originalLore = ReadBytes(lore);
    const std::string originalTemplates = ReadBytes(templates);

    ScriptedUi ui;
    MemorySettings settings;
    SessionHost host(settings, ui);
    host.lorePath = lore;
    host.templatePath = templates;
    host.backupFolder = dir / "backups";
    CTomecraftDoc doc(ui, host, settings);
    auto* frame = new CMainFrame(doc);
    int abouts = 0;
    frame->m_runAbout = [&] { ++abouts; };
    frame->Show();
    Pump();
    TomecraftTreeView& tree = *frame->Tree();

    // Start: the About box, then the Open dialog with the sample pair.
    RunStartup(*frame);
    Pump();
    ASSERT_EQ(abouts, 1);
    ASSERT_EQ(doc.GetBooks().size(), 4u);

    // A new book, its text typed with Ctrl+Enter between the lines, stored with Enter.
    host.nextName = "the lost verse";
    SendCommand(frame, ID_NEW_LOREBOOK);
    auto* bookForm = dynamic_cast<TCLoreBookFormView*>(frame->CurrentForm());
    ASSERT_NE(bookForm, nullptr);
    ASSERT_EQ(bookForm->m_editLoreKey->GetValue(), "the_lost_verse");
    bookForm->m_editText->SetValue("Lost, the \"verse\" of old,");
    bookForm->m_editText->SetFocus();
    Pump();
    bookForm->m_editText->SetInsertionPointEnd();
    RealInput input;
    input.Key(WXK_RETURN, wxMOD_CONTROL);
    bookForm->m_editText->AppendText("found again in gold.");
    bookForm->m_editComment->SetValue("// kept in the abbey library");
    input.Key(WXK_RETURN);
    EXPECT_TRUE(ui.shown.empty()) << (ui.shown.empty() ? "" : ui.shown[0].text);

    // A book template for it, on the base book template.
    host.nextName = "book_lost_verse";
    SendCommand(frame, ID_NEW_TEMPLATE);
    auto* templateForm = dynamic_cast<TCTemplateFormView*>(frame->CurrentForm());
    ASSERT_NE(templateForm, nullptr);
    Choose(templateForm->m_cbSpecializes, "base_book_lore");
    templateForm->m_editBookTitle->SetValue("The Lost Verse");
    Choose(templateForm->m_cbLoreKey, "the_lost_verse");
    Press(templateForm->m_btnUpdate);
    EXPECT_TRUE(ui.shown.empty()) << (ui.shown.empty() ? "" : ui.shown[0].text);

    // Rename a book with Enter in its key.
    tree.SelectItem(FindItem(tree, "ferry_song"));
    Pump();
    bookForm = dynamic_cast<TCLoreBookFormView*>(frame->CurrentForm());
    ASSERT_NE(bookForm, nullptr);
    bookForm->m_editLoreKey->SetValue("ferry ballad");
    PressEnter(bookForm->m_editLoreKey);

    // Delete a template.
    tree.SelectItem(FindItem(tree, "book_warden_oath"));
    Pump();
    ui.answers = {MsgAnswer::Yes};
    SendCommand(frame, ID_DELETE_NODE);

    // A backup folder, then Save.
    SendCommand(frame, ID_BACKUP_LOCATION);
    SendCommand(frame, ID_FILE_SAVE);

    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Delete book_warden_oath?"});
    EXPECT_FALSE(doc.IsModified());
    if (std::getenv("TOMECRAFT_UPDATE_GOLDEN") != nullptr) {
        WriteBytes(DataPath("session_lore.gas"), ReadBytes(lore));
        WriteBytes(DataPath("session_trs_book_lore.gas"), ReadBytes(templates));
    }
    EXPECT_EQ(ReadBytes(lore), ReadBytes(DataPath("session_lore.gas")));
    EXPECT_EQ(ReadBytes(templates), ReadBytes(DataPath("session_trs_book_lore.gas")));
    EXPECT_EQ(ReadBytes(dir / "backups/lore.tcb"), originalLore);
    EXPECT_EQ(ReadBytes(dir / "backups/trs_book_lore.tcb"), originalTemplates);
    EXPECT_FALSE(std::filesystem::exists(dir / "pair/lore.tcb"));

    frame->Destroy();
    Pump();
}

} // namespace
} // namespace tc::test

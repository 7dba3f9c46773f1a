// A whole editing session through the real windows with real mouse and keys: open the sample
// pair, write a book and a book template for it, rename a book, delete a template, choose a
// backup folder, save; the written files and their backups must equal the golden files.
#include "GuiHarness.h"

#include "app/TomecraftApp.h"
#include "app/WxDocumentHost.h"
#include "document/Translation.h"

#include <wx/choice.h>
#include <wx/stattext.h>

#include <cstdlib>

namespace tc::test {
namespace {

// Types into the modal dialog that comes up next and clicks its OK button.
WhenModal Answer(RealInput& input, std::vector<std::pair<ControlId, std::string>> fields) {
    return WhenModal([&input, fields](wxDialog& dialog) {
        for (const auto& [id, text] : fields) {
            input.Retype(dialog.FindWindow(Id(id)), text);
        }
        input.Click(dialog.FindWindow(wxID_OK));
    });
}

// The editor's own dialogs, answered with real input.
class EndToEnd : public GuiTest {
protected:
    DocumentHost& Host() override { return real; }
    WxDocumentHost real{settings, ui};
};

TEST_F(EndToEnd, ASessionWritesTheExpectedFilesAndBackups) {
    std::filesystem::create_directory(dir / "backups");
    CopySamplePair(lore, templates);
    real.SetFrame(frame);
    int abouts = 0;
    frame->m_runAbout = [&] { ++abouts; };
    const auto bookForm = [&] { return dynamic_cast<LoreBookForm*>(Form()); };
    const auto templateForm = [&] { return dynamic_cast<TemplateForm*>(Form()); };
    // Start: two groups, the tree on three tenths, the About box, then the Open dialog.
    EXPECT_EQ(frame->GetTitle(), "Tomecraft");
    EXPECT_EQ(frame->Splitter()->GetSashPosition(),
              static_cast<int>(frame->GetClientSize().GetWidth() * 0.3));
    {
        WhenModal open = Answer(
            input, {{ControlId::LorePathList, lore}, {ControlId::TemplatePathList, templates}});
        RunStartup(*frame);
        input.Settle();
    }
    ASSERT_EQ(abouts, 1);
    EXPECT_EQ(Labels(Tree().m_booksRoot),
              (std::vector<std::string>{"abbey_founding", "ferry_song", "ledger_of_osric",
                                        "Warden_Oath"}));
    EXPECT_EQ(Labels(Tree().m_templatesRoot).front(), "base_book_lore");
    EXPECT_EQ(Tree().GetItemImage(Item("ferry_song")), TreeView::kBook);
    EXPECT_EQ(Tree().GetItemImage(Item("base_book_lore")), TreeView::kTemplate);
    EXPECT_EQ(Tree().GetSelection(), Tree().m_booksRoot);
    EXPECT_FALSE(Form()->HasNode());
    // A group shows an empty, gray form and cannot be deleted.
    input.ClickItem(&Tree(), Tree().m_templatesRoot);
    ASSERT_NE(templateForm(), nullptr);
    EXPECT_FALSE(templateForm()->m_nameField->IsEnabled());
    EXPECT_FALSE(Tree().CreateContextMenu()->IsEnabled(Id(CommandId::DeleteNode)));
    // A new book, its text typed with Ctrl+Enter between the lines, stored with Enter.
    // Its name is typed in lower case; one taken, by a book or a template, is refused.
    WhenModal newBook([this](wxDialog& dialog) {
        wxWindow* name = dialog.FindWindow(Id(ControlId::NewNodeNameField));
        for (const char* typed : {"Ferry Song", "The Lost Verse"}) {
            input.Retype(name, typed);
            EXPECT_EQ(dynamic_cast<wxTextCtrl*>(name)->GetValue(), wxString(typed).Lower());
            input.Click(dialog.FindWindow(wxID_OK));
        }
    });
    input.Key('B', wxMOD_CONTROL);
    ASSERT_NE(bookForm(), nullptr);
    ASSERT_EQ(bookForm()->m_loreKeyField->GetValue(), "the_lost_verse");
    input.TypeAtEnd(bookForm()->m_textField, "Lost, the \"verse\" of old,");
    input.Key(WXK_RETURN, wxMOD_CONTROL);
    input.Type("found again in gold.");
    input.TypeAtEnd(bookForm()->m_commentField, "// kept in the abbey library");
    input.Key(WXK_RETURN);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Name is required to be unique.  This name "
                                                   "already exists.  Please enter a new name."});
    ui.shown.clear();
    // A book template for it, on the base book template, stored with the Update button.
    WhenModal newTemplate = Answer(input, {{ControlId::NewNodeNameField, "book_lost_verse"}});
    input.Key('T', wxMOD_CONTROL);
    ASSERT_NE(templateForm(), nullptr);
    ChooseByKeys(input, templateForm()->m_nameField, templateForm()->m_specializesField,
                 "base_book_lore");
    input.Click(templateForm()->m_bookTitleField);
    input.Type("The Lost Verse");
    ChooseByKeys(input, templateForm()->m_bookTitleField, templateForm()->m_loreKeyChoice,
                 "the_lost_verse");
    input.Click(templateForm()->m_updateButton);
    EXPECT_TRUE(ui.shown.empty()) << (ui.shown.empty() ? "" : ui.shown[0].text);
    // Rename a book with Enter in its key: its item moves to its place and stays selected.
    input.ClickItem(&Tree(), Item("ferry_song"));
    ASSERT_NE(bookForm(), nullptr);
    input.Retype(bookForm()->m_loreKeyField, "ferry ballad");
    input.Key(WXK_RETURN);
    EXPECT_EQ(Labels(Tree().m_booksRoot),
              (std::vector<std::string>{"abbey_founding", "ferry_ballad", "ledger_of_osric",
                                        "the_lost_verse", "Warden_Oath"}));
    EXPECT_EQ(Selected(), "ferry_ballad");
    // Delete a template by the context menu: its neighbour is shown.
    DeleteByContextMenu("book_warden_oath");
    for (int wait = 0; wait < 100 && ui.shown.empty(); ++wait) {
        input.Settle();
    }
    ASSERT_NE(templateForm(), nullptr);
    EXPECT_NE(templateForm()->m_nameField->GetValue(), "book_warden_oath");
    // A backup folder from the File menu, then Save.
    WhenModal backup = Answer(input, {{ControlId::BackupFolderList, dir / "backups"}});
    input.Menu('F', 'B');
    input.Key('S', wxMOD_CONTROL);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Delete book_warden_oath?"});
    EXPECT_FALSE(doc->Data().IsModified());
    if (std::getenv("TOMECRAFT_UPDATE_GOLDEN") != nullptr) {
        WriteBytes(DataPath("session_lore.gas"), ReadBytes(lore));
        WriteBytes(DataPath("session_trs_book_lore.gas"), ReadBytes(templates));
    }
    EXPECT_EQ(ReadBytes(lore), ReadBytes(DataPath("session_lore.gas")));
    EXPECT_EQ(ReadBytes(templates), ReadBytes(DataPath("session_trs_book_lore.gas")));
    EXPECT_EQ(ReadBytes(dir / "backups/lore.tcb"), ReadBytes(SamplePath("lore.gas")));
    EXPECT_EQ(ReadBytes(dir / "backups/trs_book_lore.tcb"),
              ReadBytes(SamplePath("trs_book_lore.gas")));
    EXPECT_FALSE(std::filesystem::exists(dir / "lore.tcb"));
}

// Translating through the real windows: the language folder beside the pair chosen in File >
// Open Translation, a missing book's text typed in Cyrillic and Greek, Update, Undo, Redo and
// Save. The language file keeps every byte but the new entry's, its backup holds it as it was,
// and opening the pair again opens it again.
TEST_F(EndToEnd, ATranslationTypedInAnyScriptIsSavedBesideTheOldFile) {
    CopySamplePair(lore, templates);
    std::filesystem::create_directory(dir / "language");
    const std::string german = dir / "language/german.gas";
    const std::string sample = ReadBytes(SamplePath("language/german.gas"));
    WriteBytes(german, sample);
    real.SetFrame(frame);
    const auto openPair = [&] {
        WhenModal open = Answer(
            input, {{ControlId::LorePathList, lore}, {ControlId::TemplatePathList, templates}});
        input.Key('O', wxMOD_CONTROL);
    };
    openPair();
    WhenModal language([&](wxDialog& dialog) {
        input.Retype(dialog.FindWindow(Id(ControlId::LanguagePathField)), dir / "language");
        auto* list = dynamic_cast<wxChoice*>(dialog.FindWindow(Id(ControlId::LanguageList)));
        EXPECT_EQ(list->GetStringSelection(), "German (german.gas)");
        input.Click(dialog.FindWindow(wxID_OK));
    });
    input.Menu('F', 'T');
    const auto progress = [&] { return frame->GetStatusBar()->GetStatusText(3).ToStdString(); };
    EXPECT_EQ(progress(), "German: 2 of 4 books, 2 of 4 titles");
    const wxColour amber(170, 95, 0);
    EXPECT_EQ(Tree().GetItemTextColour(Item("ledger_of_osric")), amber) << "stale";
    EXPECT_FALSE(Tree().GetItemTextColour(Item("ferry_song")).IsOk()) << "translated";

    // A title's translation shows in its one-line box, in the script it was written in.
    const auto state = [&] {
        return Utf8FromWx(Form()->FindWindow(Id(ControlId::TranslationState))->GetLabel());
    };
    input.ClickItem(&Tree(), Item("book_warden_oath"));
    EXPECT_EQ(state(), "German: Translated");
    EXPECT_EQ(Utf8FromWx(Edit(ControlId::TranslationField)->GetValue()),
              "Der Eid des W\u00e4chters");

    const std::string typed =
        "\u0421\u0442\u043e\u0440\u043e\u0436 \u0438 \u03a6\u03a5\u039b\u0391\u039e";
    // The first problem listed is the missing text, which F8 shows with the caret in its box.
    input.Key(WXK_F8);
    EXPECT_EQ(Selected(), "abbey_founding");
    EXPECT_EQ(wxWindow::FindFocus(), Edit(ControlId::TranslationField));
    EXPECT_EQ(Tree().GetItemTextColour(Item("abbey_founding")), amber);
    EXPECT_EQ(state(), "German: Missing");
    input.Type(typed);
    input.Click(Form()->FindWindow(Id(ControlId::UpdateButton)));
    const auto shows = [&](const std::string& translation, const char* stateText,
                           const char* counts) {
        EXPECT_EQ(Utf8FromWx(Edit(ControlId::TranslationField)->GetValue()), translation);
        EXPECT_EQ(state(), stateText);
        EXPECT_EQ(progress(), counts);
        EXPECT_EQ(Tree().GetItemTextColour(Item("abbey_founding")).IsOk(), translation.empty());
    };
    shows(typed, "German: Translated", "German: 3 of 4 books, 2 of 4 titles");
    input.Key('Z', wxMOD_CONTROL);
    shows("", "German: Missing", "German: 2 of 4 books, 2 of 4 titles");
    input.Key('Y', wxMOD_CONTROL);
    shows(typed, "German: Translated", "German: 3 of 4 books, 2 of 4 titles");
    input.Key('S', wxMOD_CONTROL);
    EXPECT_TRUE(ui.shown.empty()) << (ui.shown.empty() ? "" : ui.shown[0].text);

    // The new entry goes before the section's end; all else stays as it was.
    std::string expected = sample;
    const std::string english(EnglishOf(*Tree().NodeOf(Item("abbey_founding"))));
    expected.insert(sample.rfind("}"), "\t[0x0000]\r\n\t{\r\n\t\tfrom = \"" + english +
                                           "\";\r\n\t\tto = \"" + typed + "\";\r\n\t}\r\n");
    EXPECT_EQ(ReadBytes(german), expected);
    EXPECT_EQ(ReadBytes(dir / "language/german.tcb"), sample);

    // The pair opened again brings its translation; once the file is gone, it is forgotten
    // without a word.
    openPair();
    EXPECT_EQ(doc->GetTranslationPath(), german);
    EXPECT_EQ(progress(), "German: 3 of 4 books, 2 of 4 titles");
    std::filesystem::remove(german);
    openPair();
    EXPECT_EQ(doc->Data().Translation(), nullptr);
    EXPECT_EQ(progress(), "");
    EXPECT_TRUE(ui.shown.empty());
}

} // namespace
} // namespace tc::test

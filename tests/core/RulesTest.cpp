// What the dialogs and the forms decide without windows: the Open, Backup Location and New Node
// dialogs against real files and folders and an in-memory settings store, the lore book form and
// the template form against the data.
#include "TestSupport.h"

#include "document/BackupLocation.h"
#include "document/EditorCommandLine.h"
#include "document/RememberedTranslations.h"
#include "platform/Paths.h"
#include "rules/BackupLocationRules.h"
#include "rules/LoreBookFormRules.h"
#include "rules/NewNodeRules.h"
#include "rules/OpenFilesRules.h"
#include "rules/TemplateFormRules.h"
#include "rules/TranslationBox.h"

namespace tc::test {
namespace {

using Which = OpenFilesRules::Which;
using Strings = std::vector<std::string>;

TEST(ComboList, KeepsOrderSelectionAndEditText) {
    ComboList sorted(ComboList::Order::SortedIgnoringCase, 1);
    for (const char* entry : {"(fixed)", "/b", "/A", "!first", "/a"}) {
        sorted.Add(entry);
    }
    EXPECT_EQ(sorted.Entries(), (Strings{"(fixed)", "!first", "/A", "/a", "/b"}));
    sorted.Select(2);
    EXPECT_EQ(sorted.EditText(), "/A");
    sorted.InsertAt(1, "/z");
    EXPECT_EQ(sorted.Selection(), 3) << "the selected entry stays selected";
    sorted.SetEditText("/A");
    EXPECT_EQ(sorted.Selection(), 3);
    sorted.SetEditText("/typed");
    EXPECT_EQ(sorted.Selection(), -1);
    sorted.Select(99);
    EXPECT_EQ(sorted.EditText(), "");

    ComboList inOrder(ComboList::Order::Insertion);
    inOrder.Add("b");
    inOrder.Add("a");
    EXPECT_EQ(inOrder.Entries(), (Strings{"b", "a"}));
}

TEST(Paths, FollowThePlatformsRules) {
    EXPECT_EQ(FileNameOf("/data/Lore.gas"), "Lore.gas");
    EXPECT_TRUE(EndsWithNoCase("/data/MyLore.GAS", "lore.gas"));
    EXPECT_EQ(WithFolderSeparator("/backups"), std::string("/backups") + kFolderSeparator);
    EXPECT_EQ(WithFolderSeparator("/backups/"), "/backups/");
    if (kPathsIgnoreCase) {
        EXPECT_EQ(UserPath("D:\\Data\\Lore.gas"), "d:\\data\\lore.gas");
        EXPECT_TRUE(SamePath("C:\\A", "c:\\a"));
    } else {
        EXPECT_EQ(UserPath("/Data/Lore.gas"), "/Data/Lore.gas");
        EXPECT_FALSE(SamePath("/Data", "/data"));
        EXPECT_EQ(FileNameOf("/odd\\name"), "odd\\name");
    }
}

// A lore content file and a template file in a scratch folder.
struct PairOnDisk {
    TempDir dir;
    std::string lore = dir / "Lore.gas";
    std::string templates = dir / "trs_book_lore.gas";
    PairOnDisk() {
        WriteBytes(lore, "");
        WriteBytes(templates, "");
    }
};

// Stores `paths` as the numbered list `name`0, `name`1.. of `section` with its count (the
// paths' own unless given); an empty path is left out.
void Store(MemorySettings& settings, const std::string& section, const std::string& name,
           const Strings& paths, int count = -1) {
    const std::string countKey =
        name == "BackupPath" ? "PathCount" : name.substr(0, name.size() - 4) + "Count";
    settings.SetInt(section, countKey, count < 0 ? static_cast<int>(paths.size()) : count);
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (!paths[k].empty()) {
            settings.SetString(section, NumberedName(name, static_cast<int>(k)), paths[k]);
        }
    }
}

OpenFilesRules Loaded(const SettingsStore& settings) {
    OpenFilesRules rules;
    rules.LoadPathHistory(settings);
    return rules;
}

TEST(OpenFilesRules, LoadsBothHistoriesAndBrowsingSelectsTheSamePathOrAddsIt) {
    MemorySettings settings;
    EXPECT_EQ(Loaded(settings).lorePaths.Count(), 0);
    EXPECT_EQ(Loaded(settings).lorePaths.EditText(), "");

    // Number 1 is missing: no gap.
    Store(settings, "Open", "LorePath", {"/z/lore.gas", "", "/A/lore.gas", "/stale/lore.gas"}, 3);
    Store(settings, "Open", "TemplatePath",
          {"/z/trs_book_lore.gas", "/a/trs_book_lore.gas", "/A/trs_book_lore.gas"});
    OpenFilesRules rules = Loaded(settings);
    EXPECT_EQ(rules.lorePaths.Entries(), (Strings{"/A/lore.gas", "/z/lore.gas"}));
    EXPECT_EQ(rules.lorePaths.EditText(), "/A/lore.gas");
    EXPECT_EQ(rules.templatePaths.Entries(),
              (Strings{"/z/trs_book_lore.gas", "/a/trs_book_lore.gas", "/A/trs_book_lore.gas"}));
    EXPECT_EQ(rules.templatePaths.EditText(), UserPath("/A/trs_book_lore.gas"))
        << "the preselected lore file's partner from its own folder, not the last one used";
    settings.SetString("Open", "LorePath2", "/B/lore.gas");
    EXPECT_EQ(Loaded(settings).templatePaths.EditText(), "/z/trs_book_lore.gas")
        << "without a partner the last one used";

    MemorySettings browsed;
    Store(browsed, "Open", "LorePath", {"/a/lore.gas", "/a/lore.gas.d/lore.gas"});
    rules = Loaded(browsed);
    EXPECT_EQ(rules.OnBrowse(Which::Lore, "/a/mylore.gas"),
              "Please select only the lore book content (lore.gas) file!  Any other file will "
              "not be parsed correctly.");
    EXPECT_EQ(rules.OnBrowse(Which::Templates, "/a/lore.gas"),
              "Please select only the lore book template (trs_book_lore.gas) file!  Any other "
              "file will not be parsed correctly.");
    EXPECT_EQ(rules.lorePaths.Count(), 2);
    EXPECT_EQ(rules.OnBrowse(Which::Lore, ""), std::nullopt);
    EXPECT_EQ(rules.OnBrowse(Which::Lore, "/a/lore.gas.d/lore.gas"), std::nullopt);
    EXPECT_EQ(rules.lorePaths.Selection(), 1);
    EXPECT_EQ(rules.OnBrowse(Which::Lore, "/a/Lore.gas"), std::nullopt); // the name ignores case
    EXPECT_EQ(rules.lorePaths.Selection(), 0);
    EXPECT_EQ(rules.lorePaths.EditText(), UserPath("/a/Lore.gas"));
    EXPECT_EQ(rules.lorePaths.Count(), kPathsIgnoreCase ? 2 : 3);
    EXPECT_TRUE(browsed.GetString("Open", "LorePath2", "").empty()) << "browsing stores nothing";
}

TEST(OpenFilesRules, OkChecksRunInOrderThenKeepTenPathsNeverRepeated) {
    PairOnDisk pair;
    WriteBytes(pair.dir / "mylore.gas", "");
    WriteBytes(pair.dir / "lore.txt", "");
    std::filesystem::create_directory(pair.dir / "folder.lore.gas");
    MemorySettings settings;
    OpenFilesRules rules = Loaded(settings);
    const auto ok = [&](const std::string& lorePath, const std::string& templatePath) {
        rules.lorePaths.SetEditText(lorePath);
        rules.templatePaths.SetEditText(templatePath);
        return rules.OnOk(settings);
    };
    const std::string noLore = "Specified lore book content file not found or incorrect name.";
    const struct {
        std::string lore, templates, message;
        ControlId focus;
    } refused[] = {
        {"", pair.templates,
         "You must provide the full path and file name of the lore book content file.",
         ControlId::LorePathList},
        {pair.lore, "", "You must provide the full path and file name of the lore templates file.",
         ControlId::TemplatePathList},
        {pair.dir / "missing/lore.gas", pair.dir / "missing/trs_book_lore.gas", noLore,
         ControlId::LorePathList},
        {pair.dir / "lore.txt", pair.templates, noLore, ControlId::LorePathList},
        {pair.lore, pair.lore, "Specified lore template file not found or incorrect name.",
         ControlId::TemplatePathList},
        {pair.templates, pair.templates, noLore, ControlId::LorePathList}, // not both of the pair
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.lore + " / " + row.templates);
        const DialogVerdict verdict = ok(row.lore, row.templates);
        EXPECT_FALSE(verdict.accepted);
        EXPECT_EQ(verdict.message, row.message);
        EXPECT_EQ(verdict.focusControl, row.focus);
    }
    EXPECT_TRUE(settings.Values().empty());

    // Only the end of the path is tested: a longer file name and a folder both pass.
    EXPECT_TRUE(ok(pair.dir / "mylore.gas", pair.templates).accepted);
    EXPECT_TRUE(ok(pair.dir / "folder.lore.gas", pair.templates).accepted);
    EXPECT_TRUE(ok(pair.lore, pair.templates).accepted);
    EXPECT_EQ(rules.lorePath, UserPath(pair.lore));
    EXPECT_EQ(settings.GetInt("Open", "LoreCount", -1), 3);
    EXPECT_EQ(settings.GetInt("Open", "TemplateCount", -1), 1);
    EXPECT_EQ(settings.GetString("Open", "LorePath0", ""), UserPath(pair.lore));

    MemorySettings full;
    Strings old;
    for (int i = 0; i < 12; ++i) {
        old.push_back("/old" + std::to_string(i) + "/trs_book_lore.gas");
    }
    Store(full, "Open", "TemplatePath", old, 10);
    rules = Loaded(full);
    rules.lorePaths.SetEditText(pair.lore);
    rules.templatePaths.SetEditText(pair.templates);
    ASSERT_TRUE(rules.OnOk(full).accepted);
    EXPECT_EQ(full.GetInt("Open", "TemplateCount", 0), 10);
    EXPECT_EQ(full.GetString("Open", "TemplatePath0", ""), UserPath(pair.templates));
    EXPECT_EQ(full.GetString("Open", "TemplatePath1", ""), old[0]);
    EXPECT_EQ(full.GetString("Open", "TemplatePath9", ""), old[8]);
    EXPECT_EQ(full.GetString("Open", "TemplatePath10", ""), old[10]) << "stale values stay";

    // Pressing OK on a listed path that is not the first adds nothing and moves nothing.
    PairOnDisk other;
    rules = Loaded(full);
    rules.lorePaths.Select(0);
    rules.templatePaths.SetEditText(other.templates);
    ASSERT_TRUE(rules.OnOk(full).accepted);
    rules = Loaded(full);
    rules.lorePaths.Select(0);
    rules.templatePaths.Select(1);
    ASSERT_TRUE(rules.OnOk(full).accepted);
    EXPECT_EQ(full.GetInt("Open", "LoreCount", 0), 1);
    EXPECT_EQ(full.GetString("Open", "TemplatePath0", ""), UserPath(other.templates));
    EXPECT_EQ(full.GetString("Open", "TemplatePath1", ""), UserPath(pair.templates));
    EXPECT_EQ(full.GetString("Open", "TemplatePath2", ""), old[0]);
}

BackupLocationRules LoadedBackup(const SettingsStore& settings) {
    BackupLocationRules rules;
    rules.LoadBackupHistory(settings);
    return rules;
}

TEST(BackupLocationRules, FoldersAreCheckedStoredNewestFirstAndSelectedOrBrowsed) {
    TempDir dir;
    const std::string folder = dir / "Backups";
    std::filesystem::create_directory(folder);
    MemorySettings settings;
    BackupLocationRules rules = LoadedBackup(settings);
    EXPECT_EQ(rules.backupPaths.Entries(), Strings{"(Create backup in same location as file)"});
    EXPECT_EQ(rules.backupPaths.Selection(), 0) << "without settings, beside the file";

    rules.backupPaths.SetEditText(dir / "missing");
    DialogVerdict verdict = rules.OnOk(settings);
    EXPECT_EQ(verdict.message,
              "Specified backup path is not found.  Please select existing folder.");
    EXPECT_EQ(verdict.focusControl, ControlId::BackupFolderList);
    EXPECT_TRUE(settings.Values().empty());
#ifndef _WIN32 // Windows itself drops the blanks at the end of a name
    rules.backupPaths.SetEditText(folder + " ");
    EXPECT_FALSE(rules.OnOk(settings).accepted) << "trailing blanks stay part of the path";
#endif
    rules.backupPaths.SetEditText(" \t" + folder);
    ASSERT_TRUE(rules.OnOk(settings).accepted);
    const std::string expected = WithFolderSeparator(UserPath(folder));
    EXPECT_EQ(rules.backupPath, expected);
    EXPECT_EQ(settings.GetInt("Backup", "Selected", -9), 1);
    EXPECT_EQ(settings.GetInt("Backup", "PathCount", -9), 1);
    EXPECT_EQ(settings.GetString("Backup", "BackupPath0", ""), expected);
    EXPECT_EQ(LoadBackupLocation(settings), expected);

    // Typing it again adds no second entry; the fixed entry means beside the file.
    rules = LoadedBackup(settings);
    EXPECT_EQ(rules.backupPaths.EditText(), expected);
    rules.backupPaths.SetEditText(folder);
    ASSERT_TRUE(rules.OnOk(settings).accepted);
    EXPECT_EQ(rules.backupPaths.Count(), 2);
    rules.backupPaths.Select(0);
    ASSERT_TRUE(rules.OnOk(settings).accepted);
    EXPECT_EQ(rules.backupPath, "");
    EXPECT_EQ(settings.GetInt("Backup", "Selected", -9), 0);
    EXPECT_EQ(LoadBackupLocation(settings), "");

    // Ten folders are kept and the newest comes first.
    MemorySettings full;
    Strings ten;
    for (int i = 0; i < 10; ++i) {
        ten.push_back("/b" + std::to_string(9 - i) + "/");
    }
    Store(full, "Backup", "BackupPath", ten);
    full.SetInt("Backup", "Selected", 12);
    rules = LoadedBackup(full);
    EXPECT_EQ(rules.backupPaths.Selection(), -1) << "an index beyond the list";
    EXPECT_EQ(LoadBackupLocation(full), "");
    EXPECT_EQ(rules.backupPaths.At(1), "/b0/") << "loaded in sorted order";
    rules.backupPaths.SetEditText(dir.Path());
    ASSERT_TRUE(rules.OnOk(full).accepted);
    EXPECT_EQ(full.GetInt("Backup", "PathCount", 0), 10);
    EXPECT_EQ(full.GetString("Backup", "BackupPath0", ""),
              WithFolderSeparator(UserPath(dir.Path())));
    EXPECT_EQ(full.GetString("Backup", "BackupPath1", ""), "/b0/");
    EXPECT_EQ(full.GetString("Backup", "BackupPath9", ""), "/b8/");
    EXPECT_EQ(full.GetInt("Backup", "Selected", 0), 1);

    // Browsing selects the same folder or adds it, and stores nothing.
    MemorySettings browsed;
    Store(browsed, "Backup", "BackupPath", {"/data/old/"});
    rules = LoadedBackup(browsed);
    rules.OnBrowse("/data");
    EXPECT_EQ(rules.backupPaths.Entries(), (Strings{"(Create backup in same location as file)",
                                                    WithFolderSeparator("/data"), "/data/old/"}));
    EXPECT_EQ(rules.backupPaths.Selection(), 1);
    rules.OnBrowse("/data/old/");
    EXPECT_EQ(rules.backupPaths.Selection(), 2);
    EXPECT_EQ(rules.backupPaths.Count(), 3);
    EXPECT_TRUE(browsed.GetString("Backup", "BackupPath1", "").empty());
}

// Open Translation: a language folder lists each language its files name once, the first file
// by name; OK takes a file, or a folder and one of its languages; the choice is kept per pair.
TEST(OpenTranslationRules, AFolderListsItsLanguagesAndEachPairKeepsItsFile) {
    TempDir dir;
    const std::string folder = dir / "language";
    std::filesystem::create_directory(folder);
    const std::pair<const char*, const char*> files[] = {
        {"b_german.gas", "[t:0x0407,n:text]\r\n{\r\n}\r\n"},
        {"a_German.GAS",
         "\xEF\xBB\xBF// German\n/* two\nlines */\n  [T:0X407, n:Text] // de\n{\n}\n"},
        {"french.gas", "[t:0x040c,n:text]\n{"},
        {"lore.gas", "[lore]\n{\n}\n"},
        {"spanish.txt", "[t:0x0c0a,n:text]\n{\n}\n"},
    };
    for (const auto& [name, bytes] : files) {
        WriteBytes(folder + "/" + name, bytes);
    }
    const std::vector<FolderLanguage> found = LanguagesInFolder(folder);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].id, 0x040cu);
    EXPECT_EQ(FileNameOf(found[1].path), "a_German.GAS");

    const struct {
        std::string typed;
        int language;
        ControlId refused; // None: accepted
        std::string file;
    } rows[] = {
        {" ", 0, ControlId::LanguagePathField, ""},
        {dir.Path(), 0, ControlId::LanguagePathField, ""},
        {folder, -1, ControlId::LanguageList, ""},
        {folder, 1, ControlId::None, found[1].path},
        {folder + "/missing.gas", 0, ControlId::LanguagePathField, ""},
        {folder + "/french.gas", -1, ControlId::None, folder + "/french.gas"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        std::string chosen;
        const DialogVerdict verdict = ChooseLanguageFile(
            row.typed, row.typed == folder ? found : std::vector<FolderLanguage>{}, row.language,
            chosen);
        EXPECT_EQ(verdict.accepted, row.refused == ControlId::None) << verdict.message;
        EXPECT_EQ(verdict.focusControl, row.refused);
        EXPECT_EQ(chosen, row.file);
    }

    // Twenty pairs are kept, the newest first; a pair chosen again moves to the front.
    MemorySettings settings;
    for (int k = 0; k <= 21; ++k) {
        const std::string n = std::to_string(k % 21);
        RememberTranslation(settings, "/l" + n, "/t" + n, "/german" + std::to_string(k));
    }
    EXPECT_EQ(RememberedTranslation(settings, "/l0", "/t0"), "/german21");
    EXPECT_EQ(RememberedTranslation(settings, "/l1", "/t1"), "") << "the oldest went";
    EXPECT_EQ(RememberedTranslation(settings, "/l20", "/t20"), "/german20");
    EXPECT_EQ(RememberedTranslation(settings, "/l20", "/t19"), "") << "both files name a pair";
}

TEST(NewNodeRules, NamesMustBeGivenAndNewToBothCollections) {
    TestData data;
    data.AddBook("my_tome");
    data.AddTemplate("book_x");
    NewNodeRules rules(&data);
    DialogVerdict verdict = rules.OnOk("");
    EXPECT_EQ(verdict.message, "A name is required to create a new node!");
    EXPECT_EQ(verdict.focusControl, ControlId::NewNodeNameField);
    const std::string notUnique =
        "Name is required to be unique.  This name already exists.  Please enter a new name.";
    EXPECT_EQ(rules.OnOk("my tome").message, notUnique);
    EXPECT_EQ(rules.OnOk("book_x").message, notUnique) << "template names count for books too";
    EXPECT_TRUE(rules.OnOk("My tome").accepted);
    EXPECT_EQ(rules.m_nodeName, "My_tome");
    EXPECT_TRUE(rules.OnOk("   ").accepted);
    EXPECT_EQ(rules.m_nodeName, "___");
    for (const char* unreadable : {"a]b", "{a}", "my/*tome", "my//tome"}) {
        EXPECT_EQ(rules.OnOk(unreadable).message.rfind("The name ", 0), 0u) << unreadable;
    }
    EXPECT_TRUE(NewNodeRules(nullptr).OnOk("my tome").accepted);
}

// A start with arguments, a second start handing them over, or files dropped on the window:
// what the editor does, and what the Open dialog then shows after a previous run's history.
TEST(EditorCommandLine, OffersNamedOrDroppedFilesWithTheirPartnersAndAnswersOptions) {
    TempDir dir;
    const auto in = [&](const std::string& folder, const std::string& name) {
        return dir.Path() + kFolderSeparator + folder + kFolderSeparator + name;
    };
    for (const char* folder : {"pair", "alone", "caps", "other"}) {
        std::filesystem::create_directory(dir / folder);
    }
    const std::string lore = in("pair", "lore.gas"), trs = in("pair", "trs_book_lore.gas"),
                      alone = in("alone", "lore.gas"), other = in("other", "lore.gas"),
                      caps = in("caps", "LORE.GAS"), capsTrs = in("caps", "Trs_Book_Lore.gas");
    for (const std::string& file : {lore, trs, alone, caps, capsTrs, other}) {
        WriteBytes(file, "");
    }
    std::filesystem::create_directory(in("alone", "trs_book_lore.gas")); // a folder is no partner
    MemorySettings history;
    Store(history, "Open", "LorePath", {"/h/lore.gas"});
    Store(history, "Open", "TemplatePath", {"/h/trs_book_lore.gas"});
    const std::string odd = in("other", "a\\b\nlore.gas"); // crosses to the running editor whole

    using Action = EditorStart::Action;
    const struct {
        bool dropped; // names from a drop are files, whatever they look like
        Strings args;
        Action action;
        std::string lore, templates; // the Open dialog's fields, or the start of the text
    } cases[] = {
        {false, {}, Action::Run, "/h/lore.gas", "/h/trs_book_lore.gas"},
        {false, {"--version"}, Action::Print, "tomecraft 1.0.0\n", ""},
        {false, {"--help"}, Action::Print, "Usage: tomecraft [--help | --version] [LORE", ""},
        {false, {"/?"}, Action::Print, "Usage: tomecraft", ""},
        {false, {lore, "--frobnicate"}, Action::Refuse, "tomecraft: '--frob", ""},
        {false, {lore}, Action::Run, lore, trs},
        {false, {trs}, Action::Run, lore, trs},
        {false, {"lore.gas"}, Action::Run, lore, trs},
        {false, {alone}, Action::Run, alone, ""},
        {false, {caps}, Action::Run, caps, capsTrs},
        {false, {trs, other, alone}, Action::Run, other, trs},
        {false, {in("pair", "notes.txt")}, Action::Run, in("pair", "notes.txt"), trs},
        {false, {"--", "--help"}, Action::Run, in("pair", "--help"), trs},
        {true, {trs, lore}, Action::Run, lore, trs},
        {true, {odd}, Action::Run, odd, ""},
    };
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir / "pair");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.front());
        EditorStart start{Action::Run, c.args, "", 0};
        if (!c.dropped) {
            start = ParseEditorCommandLine(c.args);
        }
        EXPECT_EQ(start.action, c.action);
        if (c.action != Action::Run) {
            EXPECT_TRUE(start.text.starts_with(c.lore)) << start.text;
            EXPECT_EQ(start.status, c.action == Action::Print ? 0 : 2);
            continue;
        }
        OpenFilesRules rules = Loaded(history);
        rules.Prefill(SplitHandedFiles(JoinHandedFiles(start.files)));
        EXPECT_EQ(rules.lorePaths.EditText(), UserPath(c.lore));
        EXPECT_EQ(rules.templatePaths.EditText(), UserPath(c.templates));
    }
    std::filesystem::current_path(home);
}

TEST(LoreBookForm, UpdateChecksThenStoresAnyChangeAsOneStep) {
    TestData data;
    LoreBook* book = data.AddBook("tale", "old");
    data.AddBook("other");
    LoreBookFormRules form(data);
    EXPECT_EQ(form.Refresh().key, "");
    EXPECT_TRUE(form.Update({"", "", ""}).verdict.accepted) << "no book: nothing to do";

    form.SetBook(book);
    EXPECT_EQ(form.Refresh().text, "old");
    auto result = form.Update({"  ", "x", ""});
    EXPECT_EQ(result.verdict.message, "You must specify the lore key of this book!");
    EXPECT_EQ(result.verdict.focusControl, ControlId::NameField);
    EXPECT_EQ(form.Update({"other", "x", ""}).verdict.message,
              "Lore key must be unique!  Please select another lore key for this book!");
    // What the file would not give back is refused, saying what and where.
    const struct {
        std::string key, text;
        ControlId control;
        const char* message;
    } unreadable[] = {
        {"tale}", "x", ControlId::NameField, "The lore key cannot hold the braces"},
        {"tale]", "x", ControlId::NameField,
         "The lore key holds ] in 'tale]'; the game files end a book's name there.  Please "
         "change it!"},
        {"[tale", "x", ControlId::NameField, "The lore key holds [ in '[tale'"},
        {"book/*c", "x", ControlId::NameField,
         "The lore key holds /* in 'book/*c'; the game files take it for the start of a "
         "comment."},
        {"tale", "Saved to C:\\new\\temp", ControlId::TextField,
         "The book text holds \\n in 'Saved to C:\\new\\temp'; the game shows that as a "
         "line break.  Please change it!"},
        {"tale", std::string(40, 'a') + "\\n" + std::string(40, 'b'), ControlId::TextField,
         "The book text holds \\n in '...aaaaaaaaaaaaaaaaaaaaaaaa\\nbbbbbbbbbbbbbbbbbbbbbbbb...'"},
    };
    for (const auto& row : unreadable) {
        SCOPED_TRACE(row.key);
        result = form.Update({row.key, row.text, ""});
        EXPECT_EQ(result.verdict.focusControl, row.control);
        EXPECT_EQ(result.verdict.message.rfind(row.message, 0), 0u) << result.verdict.message;
    }
    result = form.Update({"renamed", "", ""});
    EXPECT_EQ(result.verdict.message, "You must specify the text (story) for this Book!");
    EXPECT_EQ(result.verdict.focusControl, ControlId::TextField);
    EXPECT_EQ(book->GetName(), "tale") << "a refused Update stores nothing";

    // Unchanged values make no step: the control gives the text back with "\n" line ends.
    book->SetText("one\r\ntwo");
    form.SetBook(book);
    auto shown = form.Refresh();
    shown.text = "one\ntwo";
    EXPECT_FALSE(form.Update(shown, FormStore::Typing).stored);
    EXPECT_FALSE(form.Update(shown).renamed);
    EXPECT_FALSE(data.IsModified());
    shown.comment = "note";
    form.Update(shown);
    EXPECT_EQ(data.UndoName(), "Update 'tale'") << "a comment alone counts";
    data.Undo();

    result = form.Update({"  my book ", "say \"hi\"\nnext\r\nlast\rend", "// in the tower"});
    ASSERT_TRUE(result.verdict.accepted);
    EXPECT_TRUE(result.renamed);
    EXPECT_EQ(book->GetName(), "my_book_");
    EXPECT_EQ(book->GetText(), "say 'hi'\r\nnext\r\nlast\r\nend");
    EXPECT_EQ(book->GetComment(), "in the tower");
    EXPECT_EQ(data.UndoName(), "Rename 'tale' to 'my_book_'");
    EXPECT_EQ(data.RedoName(), "");
    EXPECT_TRUE(data.IsModified(DataFile::Lore));
    EXPECT_FALSE(data.IsModified(DataFile::Templates));
    EXPECT_TRUE(form.Update({"OTHER", "x", ""}).verdict.accepted)
        << "keys differing in case are distinct";
    data.Undo();
    EXPECT_EQ(data.RedoName(), "Rename 'my_book_' to 'OTHER'");
}

struct TemplateWorld {
    TestData data;
    Template* base = data.AddTemplate("base_book", "treasure");
    Template* scroll = data.AddTemplate("base_scroll", "treasure");
    Template* book = data.AddTemplate("book_red", "base_book");
    TemplateWorld() {
        base->SetModel("m_book");
        base->SetTexture("t_book");
        base->SetInventoryIcon("i_book");
        scroll->SetModel("m_scroll");
        scroll->SetTexture("t_scroll");
        data.AddBook("red");
        data.AddBook("Blue");
        book->SetLoreKey("RED");
        book->SetScreenName("The Red Book");
    }
};

TEST(TemplateForm, RefreshFillsListsSelectsByExactNameAndFollowsTheBase) {
    TemplateWorld w;
    w.data.AddTemplate("Base_upper", "treasure");
    w.data.AddTemplate("base_book_long", "treasure");
    TemplateFormRules form(w.data);
    form.SetTemplate(w.book);
    EXPECT_EQ(
        form.specializesList.Entries(),
        (std::vector<std::string>{"(treasure)", "base_book", "base_book_long", "base_scroll"}));
    EXPECT_EQ(form.specializesList.Selection(), 1);
    EXPECT_EQ(form.loreKeyList.Entries(), (std::vector<std::string>{"(None)", "Blue", "red"}));
    EXPECT_EQ(form.loreKeyList.Selection(), 2) << "the key matches ignoring case";
    EXPECT_FALSE(form.m_readOnly);
    EXPECT_EQ(form.fields.model, "m_book") << "an empty field follows the base";

    form.SetTemplate(w.base);
    EXPECT_EQ(form.specializesList.Selection(), 0);
    EXPECT_EQ(form.specializesList.Find("base_book", [](auto& a, auto b) { return a == b; }), -1)
        << "a template is never offered as its own base";

    // Deleting a book names the templates that name it, as the form picks the book.
    const LoreBook* red = w.data.GetBooks().front();
    w.data.AddTemplate("book_red_2", "base_book")->SetLoreKey("red");
    EXPECT_EQ(w.data.DeleteQuestion(*red),
              "Delete red?\n\n2 templates name this book: book_red, book_red_2.");
    EXPECT_EQ(w.data.DeleteQuestion(*w.book), "Delete book_red?");

    // Keys that differ only in case are two books: the one named byte for byte wins.
    w.data.AddBook("Red");
    w.book->SetLoreKey("Red");
    EXPECT_EQ(w.data.DeleteQuestion(*red),
              "Delete red?\n\n1 template names this book: book_red_2.");
    for (const std::string key : {"Red", "red", "RED"}) {
        w.book->SetLoreKey(key);
        form.SetTemplate(w.book);
        EXPECT_EQ(form.loreKeyList.EditText(), key == "RED" ? "red" : key);
    }

    w.book->SetLoreKey("re"); // only a prefix of a loaded key
    form.SetTemplate(w.book);
    EXPECT_TRUE(form.m_readOnly);

    // The list follows renamed books, though it is kept from one template to the next.
    LoreBook renamed = *w.data.GetBooks().front();
    renamed.SetName("Amber");
    w.data.StoreBook(*w.data.GetBooks().front(), renamed);
    form.SetTemplate(w.book);
    EXPECT_EQ(form.loreKeyList.At(1), "Amber");
    EXPECT_EQ(form.loreKeyList.EditText(), "re");
    EXPECT_FALSE(form.EnableState().bookTitle);
    EXPECT_TRUE(form.EnableState().properties);

    form.SetTemplate(nullptr);
    EXPECT_FALSE(form.EnableState().name);
    EXPECT_EQ(form.fields.name, "");

    // A base change replaces only what followed the old base.
    form.SetTemplate(w.data.AddTemplate("book_new", ""));
    EXPECT_EQ(form.specializesList.Selection(), -1);
    EXPECT_FALSE(form.EnableState().properties) << "gray until a base is chosen";

    form.specializesList.Select(0);
    form.OnSelChangeSpecializes();
    EXPECT_EQ(form.fields.inventoryIcon, "b_gui_ig_i_it_lore-book");
    EXPECT_EQ(form.fields.model, "m_i_glb_book-magic");
    EXPECT_EQ(form.fields.texture, "b_i_glb_book-lore");

    form.specializesList.Select(1); // base_book replaces the defaults
    form.OnSelChangeSpecializes();
    EXPECT_EQ(form.fields.model, "m_book");
    form.fields.texture = "my_texture";
    form.specializesList.Select(3); // base_scroll: the inherited model follows, typing stays
    form.OnSelChangeSpecializes();
    EXPECT_EQ(form.fields.model, "m_scroll");
    EXPECT_EQ(form.fields.texture, "my_texture");
    EXPECT_EQ(form.LastBase(), w.scroll);

    w.data.DeleteNode(w.scroll);
    EXPECT_EQ(form.LastBase(), nullptr) << "never left pointing at a deleted template";
}

TEST(TemplateForm, UpdateRunsEveryCheckBeforeStoringAnything) {
    TemplateWorld w;
    TemplateFormRules form(w.data);
    form.SetTemplate(w.book);

    form.specializesList.Select(0);
    auto result = form.Update();
    EXPECT_EQ(result.verdict.message,
              "Tomecraft requires templates based on the 'treasure' template to be named "
              "starting with 'base_' as in 'base_lore_name.'");
    form.specializesList.Select(1);
    // Names the rules refuse, and what the file would not give back: refused, saying what and
    // where, storing nothing.
    using F = TemplateFormRules::Fields;
    const struct {
        std::string F::*field;
        const char* typed;
        ControlId control;
        const char* message;
    } refused[] = {
        {&F::name, "base_red", ControlId::NameField,
         "Tomecraft requires templates NOT based on the 'treasure' template to be named start the "
         "template with something other than 'base_' as in 'book_glb_name.'"},
        {&F::name, "base_scroll", ControlId::NameField,
         "Template name must be unique!  Please select another name for this template!"},
        {&F::name, " ", ControlId::NameField, "You must specify a name for this template!"},
        {&F::bookTitle, "A History {II}", ControlId::TextField,
         "The book title cannot hold the braces"},
        {&F::model, "m_{x}", ControlId::ModelField, "The model cannot hold the braces"},
        {&F::name, "book_{x}", ControlId::NameField, "The template name cannot hold the braces"},
        {&F::name, "book]red", ControlId::NameField,
         "The template name holds ] in 'book]red'; the game files end a template's name there."},
        {&F::bookTitle, "The \"Red\" Book", ControlId::TextField,
         "The book title holds \" in 'The \"Red\" Book'; the game files end the title there."},
        {&F::texture, "t_a;b", ControlId::TextureField,
         "The texture holds ; in 't_a;b'; the game files end the value there."},
        {&F::inventoryIcon, "i;", ControlId::InventoryIconField, "The inventory icon holds ;"},
        {&F::name, "book_w/*x", ControlId::NameField, "The template name holds /* in"},
        {&F::texture, "t//x", ControlId::TextureField, "The texture holds // in 't//x'"},
        {&F::goldValue, "99999999999", ControlId::GoldValueField,
         "The gold value 99999999999 lies beyond 2147483647, the furthest a number in the game "
         "files can go.  Please enter a smaller number!"},
        {&F::inventoryWidth, "-2147483649", ControlId::InventoryWidthField,
         "The inventory width -2147483649 lies beyond -2147483648"},
        {&F::inventoryHeight, "4294967296", ControlId::InventoryHeightField,
         "The inventory height 4294967296 lies beyond"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.typed);
        const std::string kept = form.fields.*row.field;
        form.fields.*row.field = row.typed;
        result = form.Update();
        EXPECT_EQ(result.verdict.focusControl, row.control);
        EXPECT_EQ(result.verdict.message.rfind(row.message, 0), 0u) << result.verdict.message;
        EXPECT_EQ(w.book->GetName(), "book_red");
        EXPECT_FALSE(w.data.IsModified());
        form.fields.*row.field = kept;
    }
    form.fields.goldValue = "2147483647";
    EXPECT_TRUE(form.Update().verdict.accepted) << "the largest number is taken";
    w.data.Undo();
    form.SetTemplate(w.book);

    form.fields.name = "book red tome";
    form.loreKeyList.Select(0);
    result = form.Update();
    EXPECT_EQ(result.verdict.focusControl, ControlId::LoreKeyList);
    EXPECT_FALSE(w.data.IsModified());

    form.loreKeyList.Select(1);
    form.fields.goldValue = "250";
    form.fields.inventoryWidth = "";
    result = form.Update();
    ASSERT_TRUE(result.verdict.accepted) << result.verdict.message;
    EXPECT_TRUE(result.renamed);
    EXPECT_EQ(w.book->GetName(), "book_red_tome");
    EXPECT_EQ(w.book->GetLoreKey(), "Blue");
    EXPECT_EQ(w.book->GetGoldValue(), 250) << "no range check";
    EXPECT_EQ(w.book->GetInventoryWidth(), 0);
    EXPECT_TRUE(w.data.IsModified(DataFile::Templates));
    EXPECT_FALSE(w.data.IsModified(DataFile::Lore));

    // A second Update without edits changes nothing.
    form.SetTemplate(w.book);
    form.fields.goldValue = "0250";
    EXPECT_FALSE(form.Update().renamed);
    w.data.Undo();
    EXPECT_FALSE(w.data.IsModified()) << "one step only";
}

// Leaving a form stores what was typed over and nothing else: a form that shows defaults, values
// through the base or a key matched ignoring case changes nothing unless typed into. The Update
// button stores what the form shows, but never a base or a key it could not show.
TEST(TemplateForm, LeavingStoresOnlyTheTypingAndUpdateWhatIsShown) {
    TemplateWorld w;
    Template* fresh = w.data.AddTemplate("base_plain", "treasure");
    w.base->SetSpecializes("treasure_chest");
    TemplateFormRules form(w.data);
    LoreBookFormRules bookForm(w.data);
    for (Template* tmpl : {fresh, w.base, w.scroll, w.book}) {
        SCOPED_TRACE(tmpl->GetName());
        const Template before = *tmpl;
        form.SetTemplate(tmpl);
        auto result = form.Update(FormStore::Typing);
        EXPECT_TRUE(result.verdict.accepted);
        EXPECT_FALSE(result.stored);
        EXPECT_FALSE(w.data.CanUndo());

        form.fields.comment = "typed";
        ASSERT_TRUE(form.Update(FormStore::Typing).stored);
        Template expected = before;
        expected.SetComment("typed");
        EXPECT_TRUE(*tmpl == expected) << "only the typing is stored";
        EXPECT_EQ(form.fields.comment, "typed");
        EXPECT_FALSE(form.Typed()) << "what is stored is what is shown";
        w.data.Undo();
    }
    LoreBook* empty = w.data.AddBook("new_book", "");
    bookForm.SetBook(empty);
    auto left = bookForm.Update({"new_book", "", ""}, FormStore::Typing);
    EXPECT_TRUE(left.verdict.accepted) << "an empty new book not typed into lets the user go";
    EXPECT_FALSE(left.stored);
    EXPECT_FALSE(bookForm.Update({"new_book", "", "typed"}, FormStore::Typing).verdict.accepted);
    EXPECT_FALSE(w.data.CanUndo());

    // The Update button stores what the form shows, defaults included, and then shows it as
    // stored.
    form.SetTemplate(fresh);
    form.fields.bookTitle = "Say \"hi\"";
    EXPECT_FALSE(form.Update().verdict.accepted);
    form.fields.bookTitle = "";
    ASSERT_TRUE(form.Update().stored);
    EXPECT_EQ(fresh->GetTexture(), TemplateFormRules::kDefaultTexture);
    const LoreBook* book = w.data.GetBooks().front();
    bookForm.SetBook(book);
    ASSERT_TRUE(bookForm.Update({"red", "Say \"hi\"", ""}).stored);
    EXPECT_EQ(bookForm.Refresh().text, "Say 'hi'");

    // It keeps a base outside the list and a key no book has.
    form.SetTemplate(w.base);
    ASSERT_TRUE(form.Update().verdict.accepted);
    EXPECT_EQ(w.base->GetSpecializes(), "treasure_chest");
    w.book->SetLoreKey("gone");
    form.SetTemplate(w.book);
    form.fields.bookTitle = "Changed";
    form.fields.comment = "note";
    ASSERT_TRUE(form.Update().verdict.accepted);
    EXPECT_EQ(w.book->GetLoreKey(), "gone");
    EXPECT_EQ(w.book->GetScreenName(), "The Red Book");
    EXPECT_EQ(w.book->GetComment(), "note");

    // With a language file open, both forms show the translation of the text or the title and
    // store it by the same rules: leaving stores it when typed over, Update whatever it shows
    // (which confirms a stale one); a changed text takes its translation along, stale.
    TemplateWorld t;
    LoreBook* red = t.data.AddBook("tale", "Red tale");
    auto german = std::make_unique<LanguageFile>(0x0407);
    german->Append({"Red tale", "Rote Sage", false});
    german->Append({"The Red Book", "Das rote Buch", true});
    german->Append({"text", "Text", true});
    const LoreBook* blue = t.data.GetBooks()[1];
    t.data.SetTranslation(std::move(german));
    const LanguageFile& file = *t.data.Translation();
    TemplateFormRules titleForm(t.data);
    LoreBookFormRules textForm(t.data);
    const struct {
        const Node* node;
        FormStore store;
        const char* translation; // typed into the box; null leaves what it shows
        const char* english;     // typed over the text or title; null leaves it
        const char* from;        // the entry looked at after the store
        const char* to;          // its translation then; null: no step is made
        bool stale;
    } rows[] = {
        {red, FormStore::Typing, "Rote\r\nSage\rneu", nullptr, "Red tale", "Rote\nSage\nneu",
         false},
        {red, FormStore::Everything, nullptr, "Red tale, retold", "Red tale, retold", "Rote Sage",
         true},
        {red, FormStore::Typing, "Sage", "Red tale, retold", "Red tale, retold", "Sage", false},
        {blue, FormStore::Typing, nullptr, nullptr, "text", nullptr, true},
        {blue, FormStore::Everything, nullptr, nullptr, "text", "Text", false},
        {t.book, FormStore::Typing, nullptr, nullptr, "The Red Book", nullptr, true},
        {t.book, FormStore::Everything, nullptr, nullptr, "The Red Book", "Das rote Buch", false},
        {t.book, FormStore::Typing, "Das Rote Buch", nullptr, "The Red Book", "Das Rote Buch",
         false},
        {t.base, FormStore::Typing, "Kein Titel", nullptr, "The Red Book", nullptr, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.node->GetNameView()) + " " +
                     (row.translation ? row.translation : "-"));
        if (row.node->GetType() == NodeType::LoreBook) {
            textForm.SetBook(static_cast<const LoreBook*>(row.node));
            auto typed = textForm.Refresh();
            EXPECT_EQ(typed.translation, row.node == red ? "Rote Sage" : "Text");
            typed.translation = row.translation ? row.translation : typed.translation;
            typed.text = row.english ? row.english : typed.text;
            EXPECT_TRUE(textForm.Update(typed, row.store).verdict.accepted);
        } else {
            titleForm.SetTemplate(static_cast<const Template*>(row.node));
            EXPECT_EQ(titleForm.fields.translation, row.node == t.book ? "Das rote Buch" : "");
            titleForm.fields.translation =
                row.translation ? row.translation : titleForm.fields.translation;
            EXPECT_TRUE(titleForm.Update(row.store).verdict.accepted);
        }
        const std::size_t at = file.Find(row.from);
        ASSERT_NE(at, LanguageFile::npos);
        EXPECT_EQ(file.Entry(at).stale, row.stale);
        EXPECT_EQ(t.data.CanUndo(), row.to != nullptr);
        if (row.to != nullptr) {
            EXPECT_EQ(file.Entry(at).to, row.to);
            EXPECT_TRUE(t.data.IsModified(DataFile::Translation));
            t.data.Undo();
        }
        EXPECT_FALSE(t.data.IsModified());
        EXPECT_EQ(file.Entry(file.Find("Red tale")).to, "Rote Sage");
    }
}

} // namespace
} // namespace tc::test

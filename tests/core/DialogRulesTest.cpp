// The rules of the Open, Backup Location and New Node dialogs, against real files and folders
// and an in-memory settings store.
#include "TestSupport.h"

#include "document/BackupLocation.h"
#include "document/EditorCommandLine.h"
#include "platform/MemorySettings.h"
#include "platform/Paths.h"
#include "rules/BackupLocationRules.h"
#include "rules/NewNodeRules.h"
#include "rules/OpenFilesRules.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tc {
namespace {

using test::TempDir;
using test::WriteBytes;
using Which = OpenFilesRules::Which;

TEST(ComboList, KeepsOrderSelectionAndEditText) {
    ComboList sorted(ComboList::Order::SortedIgnoringCase, 1);
    sorted.Add("(fixed)");
    sorted.Add("/b");
    sorted.Add("/A");
    sorted.Add("!first");
    sorted.Add("/a");
    EXPECT_EQ(sorted.Entries(), (std::vector<std::string>{"(fixed)", "!first", "/A", "/a", "/b"}));
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
    EXPECT_EQ(inOrder.Entries(), (std::vector<std::string>{"b", "a"}));
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

// A lore content file and a template file in a scratch folder, plus the odd cases.
struct PairOnDisk {
    TempDir dir;
    std::string lore = dir / "Lore.gas";
    std::string templates = dir / "trs_book_lore.gas";
    PairOnDisk() {
        WriteBytes(lore, "");
        WriteBytes(templates, "");
    }
};

OpenFilesRules Loaded(const SettingsStore& settings) {
    OpenFilesRules rules;
    rules.LoadPathHistory(settings);
    return rules;
}

TEST(OpenFilesRules, LoadsBothHistoriesInTheirOwnOrder) {
    MemorySettings settings;
    EXPECT_EQ(Loaded(settings).lorePaths.Count(), 0);
    EXPECT_EQ(Loaded(settings).lorePaths.EditText(), "");

    settings.SetInt("Open", "LoreCount", 3);
    settings.SetString("Open", "LorePath0", "/z/lore.gas");
    settings.SetString("Open", "LorePath2", "/A/lore.gas"); // number 1 is missing: no gap
    settings.SetString("Open", "LorePath3", "/stale/lore.gas");
    settings.SetInt("Open", "TemplateCount", 3);
    settings.SetString("Open", "TemplatePath0", "/z/trs_book_lore.gas");
    settings.SetString("Open", "TemplatePath1", "/a/trs_book_lore.gas");
    settings.SetString("Open", "TemplatePath2", "/A/trs_book_lore.gas");
    OpenFilesRules rules = Loaded(settings);
    EXPECT_EQ(rules.lorePaths.Entries(), (std::vector<std::string>{"/A/lore.gas", "/z/lore.gas"}));
    EXPECT_EQ(rules.lorePaths.EditText(), "/A/lore.gas");
    EXPECT_EQ(rules.templatePaths.Entries(),
              (std::vector<std::string>{"/z/trs_book_lore.gas", "/a/trs_book_lore.gas",
                                        "/A/trs_book_lore.gas"}));
    EXPECT_EQ(rules.templatePaths.EditText(), UserPath("/A/trs_book_lore.gas"))
        << "the preselected lore file's partner from its own folder, not the last one used";
    settings.SetString("Open", "LorePath2", "/B/lore.gas");
    rules = Loaded(settings);
    EXPECT_EQ(rules.templatePaths.EditText(), "/z/trs_book_lore.gas")
        << "without a partner the last one used";
}

TEST(OpenFilesRules, OkChecksRunInOrderAndStoreNothingWhenRefused) {
    PairOnDisk pair;
    WriteBytes(pair.dir / "mylore.gas", "");
    std::filesystem::create_directory(pair.dir / "folder.lore.gas");
    MemorySettings settings;
    OpenFilesRules rules = Loaded(settings);

    const auto ok = [&](const std::string& lorePath, const std::string& templatePath) {
        rules.lorePaths.SetEditText(lorePath);
        rules.templatePaths.SetEditText(templatePath);
        return rules.OnOk(settings);
    };
    DialogVerdict verdict = ok("", pair.templates);
    EXPECT_EQ(verdict.message,
              "You must provide the full path and file name of the lore book content file.");
    EXPECT_EQ(verdict.focusControl, ControlId::LorePathList);
    verdict = ok(pair.lore, "");
    EXPECT_EQ(verdict.message,
              "You must provide the full path and file name of the lore templates file.");
    EXPECT_EQ(verdict.focusControl, ControlId::TemplatePathList);
    verdict = ok(pair.dir / "missing/lore.gas", pair.dir / "missing/trs_book_lore.gas");
    EXPECT_EQ(verdict.message, "Specified lore book content file not found or incorrect name.");
    WriteBytes(pair.dir / "lore.txt", "");
    verdict = ok(pair.dir / "lore.txt", pair.templates);
    EXPECT_EQ(verdict.message, "Specified lore book content file not found or incorrect name.");
    verdict = ok(pair.lore, pair.lore);
    EXPECT_EQ(verdict.message, "Specified lore template file not found or incorrect name.");
    EXPECT_EQ(verdict.focusControl, ControlId::TemplatePathList);
    verdict = ok(pair.templates, pair.templates);
    EXPECT_FALSE(verdict.accepted) << "one file cannot be both of the pair";
    EXPECT_NE(verdict.message, "");
    EXPECT_EQ(verdict.focusControl, ControlId::LorePathList);
    EXPECT_TRUE(settings.Values().empty());

    // Only the end of the path is tested: a longer file name and a folder both pass.
    EXPECT_TRUE(ok(pair.dir / "mylore.gas", pair.templates).accepted);
    EXPECT_TRUE(ok(pair.dir / "folder.lore.gas", pair.templates).accepted);
    EXPECT_TRUE(ok(pair.lore, pair.templates).accepted);
    EXPECT_EQ(rules.lorePath, UserPath(pair.lore));
    EXPECT_EQ(settings.GetInt("Open", "LoreCount", -1), 3);
    EXPECT_EQ(settings.GetInt("Open", "TemplateCount", -1), 1);
    EXPECT_EQ(settings.GetString("Open", "LorePath0", ""), UserPath(pair.lore));
}

TEST(OpenFilesRules, HistoriesKeepTenAndNeverRepeatAPath) {
    PairOnDisk pair;
    MemorySettings settings;
    settings.SetInt("Open", "TemplateCount", 10);
    for (int i = 0; i < 12; ++i) {
        settings.SetString("Open", NumberedName("TemplatePath", i),
                           "/old" + std::to_string(i) + "/trs_book_lore.gas");
    }
    OpenFilesRules rules = Loaded(settings);
    rules.lorePaths.SetEditText(pair.lore);
    rules.templatePaths.SetEditText(pair.templates);
    ASSERT_TRUE(rules.OnOk(settings).accepted);
    EXPECT_EQ(settings.GetInt("Open", "TemplateCount", 0), 10);
    EXPECT_EQ(settings.GetString("Open", "TemplatePath0", ""), UserPath(pair.templates));
    EXPECT_EQ(settings.GetString("Open", "TemplatePath1", ""), "/old0/trs_book_lore.gas");
    EXPECT_EQ(settings.GetString("Open", "TemplatePath9", ""), "/old8/trs_book_lore.gas");
    EXPECT_EQ(settings.GetString("Open", "TemplatePath10", ""), "/old10/trs_book_lore.gas")
        << "stale values are left alone";

    // Pressing OK on a listed path that is not the first adds nothing and moves nothing.
    PairOnDisk other;
    OpenFilesRules second = Loaded(settings);
    second.lorePaths.Select(0);
    second.templatePaths.SetEditText(other.templates);
    ASSERT_TRUE(second.OnOk(settings).accepted);
    OpenFilesRules third = Loaded(settings);
    third.lorePaths.Select(0);
    third.templatePaths.Select(1);
    ASSERT_TRUE(third.OnOk(settings).accepted);
    EXPECT_EQ(settings.GetInt("Open", "LoreCount", 0), 1);
    EXPECT_EQ(settings.GetString("Open", "TemplatePath0", ""), UserPath(other.templates));
    EXPECT_EQ(settings.GetString("Open", "TemplatePath1", ""), UserPath(pair.templates));
    EXPECT_EQ(settings.GetString("Open", "TemplatePath2", ""), "/old0/trs_book_lore.gas");
}

TEST(OpenFilesRules, BrowsingSelectsTheSamePathOrAddsIt) {
    PairOnDisk pair;
    MemorySettings settings;
    settings.SetInt("Open", "LoreCount", 2);
    settings.SetString("Open", "LorePath0", "/a/lore.gas");
    settings.SetString("Open", "LorePath1", "/a/lore.gas.d/lore.gas");
    OpenFilesRules rules = Loaded(settings);

    EXPECT_EQ(rules.OnBrowse(Which::Lore, pair.dir / "mylore.gas"),
              "Please select only the lore book content (lore.gas) file!  Any other file will "
              "not be parsed correctly.");
    EXPECT_EQ(rules.OnBrowse(Which::Templates, pair.lore),
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
    EXPECT_TRUE(settings.GetString("Open", "LorePath2", "").empty()) << "browsing stores nothing";
}

BackupLocationRules LoadedBackup(const SettingsStore& settings) {
    BackupLocationRules rules;
    rules.LoadBackupHistory(settings);
    return rules;
}

TEST(BackupLocationRules, TypedFoldersAreCheckedStoredAndSelected) {
    TempDir dir;
    const std::string folder = dir / "Backups";
    std::filesystem::create_directory(folder);
    MemorySettings settings;
    BackupLocationRules rules = LoadedBackup(settings);
    EXPECT_EQ(rules.backupPaths.Entries(),
              std::vector<std::string>{"(Create backup in same location as file)"});
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

    // Typing it again adds no second entry.
    BackupLocationRules again = LoadedBackup(settings);
    EXPECT_EQ(again.backupPaths.EditText(), expected);
    again.backupPaths.SetEditText(folder);
    ASSERT_TRUE(again.OnOk(settings).accepted);
    EXPECT_EQ(again.backupPaths.Count(), 2);

    // Choosing the fixed entry means beside the file.
    again.backupPaths.Select(0);
    ASSERT_TRUE(again.OnOk(settings).accepted);
    EXPECT_EQ(again.backupPath, "");
    EXPECT_EQ(settings.GetInt("Backup", "Selected", -9), 0);
    EXPECT_EQ(LoadBackupLocation(settings), "");
}

TEST(BackupLocationRules, TenFoldersAreKeptAndTheNewestComesFirst) {
    TempDir dir;
    MemorySettings settings;
    settings.SetInt("Backup", "Selected", 12);
    settings.SetInt("Backup", "PathCount", 10);
    for (int i = 0; i < 10; ++i) {
        settings.SetString("Backup", NumberedName("BackupPath", i),
                           "/b" + std::to_string(9 - i) + "/");
    }
    BackupLocationRules rules = LoadedBackup(settings);
    EXPECT_EQ(rules.backupPaths.Selection(), -1) << "an index beyond the list";
    EXPECT_EQ(rules.backupPaths.At(1), "/b0/") << "loaded in sorted order";

    rules.backupPaths.SetEditText(dir.Path());
    ASSERT_TRUE(rules.OnOk(settings).accepted);
    EXPECT_EQ(settings.GetInt("Backup", "PathCount", 0), 10);
    EXPECT_EQ(settings.GetString("Backup", "BackupPath0", ""),
              WithFolderSeparator(UserPath(dir.Path())));
    EXPECT_EQ(settings.GetString("Backup", "BackupPath1", ""), "/b0/");
    EXPECT_EQ(settings.GetString("Backup", "BackupPath9", ""), "/b8/");
    EXPECT_EQ(settings.GetInt("Backup", "Selected", 0), 1);
}

TEST(BackupLocationRules, BrowsingSelectsTheSameFolderOrAddsIt) {
    MemorySettings settings;
    settings.SetInt("Backup", "PathCount", 1);
    settings.SetString("Backup", "BackupPath0", "/data/old/");
    BackupLocationRules rules = LoadedBackup(settings);
    rules.OnBrowse("/data");
    EXPECT_EQ(rules.backupPaths.Entries(),
              (std::vector<std::string>{"(Create backup in same location as file)",
                                        WithFolderSeparator("/data"), "/data/old/"}));
    EXPECT_EQ(rules.backupPaths.Selection(), 1);
    rules.OnBrowse("/data/old/");
    EXPECT_EQ(rules.backupPaths.Selection(), 2);
    EXPECT_EQ(rules.backupPaths.Count(), 3);
    EXPECT_TRUE(settings.GetString("Backup", "BackupPath1", "").empty());
}

TEST(NewNodeRules, NamesMustBeGivenAndNewToBothCollections) {
    test::TestData data;
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

    NewNodeRules noDocument(nullptr);
    EXPECT_TRUE(noDocument.OnOk("my tome").accepted);
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
    for (const auto& file :
         {in("pair", "lore.gas"), in("pair", "trs_book_lore.gas"), in("alone", "lore.gas"),
          in("caps", "LORE.GAS"), in("caps", "Trs_Book_Lore.gas"), in("other", "lore.gas")}) {
        WriteBytes(file, "");
    }
    std::filesystem::create_directory(in("alone", "trs_book_lore.gas")); // a folder is no partner
    MemorySettings history;
    history.SetInt("Open", "LoreCount", 1);
    history.SetString("Open", "LorePath0", "/h/lore.gas");
    history.SetInt("Open", "TemplateCount", 1);
    history.SetString("Open", "TemplatePath0", "/h/trs_book_lore.gas");
    const std::string odd = in("other", "a\\b\nlore.gas"); // crosses to the running editor whole

    using Action = EditorStart::Action;
    struct Case {
        bool dropped; // names from a drop are files, whatever they look like
        std::vector<std::string> args;
        Action action;
        std::string lore, templates; // the Open dialog's fields, or the start of the text
    };
    const Case cases[] = {
        {false, {}, Action::Run, "/h/lore.gas", "/h/trs_book_lore.gas"},
        {false, {"--version"}, Action::Print, "tomecraft 1.0.0\n", ""},
        {false, {"--help"}, Action::Print, "Usage: tomecraft [--help | --version] [LORE", ""},
        {false, {"/?"}, Action::Print, "Usage: tomecraft", ""},
        {false, {in("pair", "lore.gas"), "--frobnicate"}, Action::Refuse, "tomecraft: '--frob", ""},
        {false,
         {in("pair", "lore.gas")},
         Action::Run,
         in("pair", "lore.gas"),
         in("pair", "trs_book_lore.gas")},
        {false,
         {in("pair", "trs_book_lore.gas")},
         Action::Run,
         in("pair", "lore.gas"),
         in("pair", "trs_book_lore.gas")},
        {false, {"lore.gas"}, Action::Run, in("pair", "lore.gas"), in("pair", "trs_book_lore.gas")},
        {false, {in("alone", "lore.gas")}, Action::Run, in("alone", "lore.gas"), ""},
        {false,
         {in("caps", "LORE.GAS")},
         Action::Run,
         in("caps", "LORE.GAS"),
         in("caps", "Trs_Book_Lore.gas")},
        {false,
         {in("pair", "trs_book_lore.gas"), in("other", "lore.gas"), in("alone", "lore.gas")},
         Action::Run,
         in("other", "lore.gas"),
         in("pair", "trs_book_lore.gas")},
        {false,
         {in("pair", "notes.txt")},
         Action::Run,
         in("pair", "notes.txt"),
         in("pair", "trs_book_lore.gas")},
        {false,
         {"--", "--help"},
         Action::Run,
         in("pair", "--help"),
         in("pair", "trs_book_lore.gas")},
        {true,
         {in("pair", "trs_book_lore.gas"), in("pair", "lore.gas")},
         Action::Run,
         in("pair", "lore.gas"),
         in("pair", "trs_book_lore.gas")},
        {true, {odd}, Action::Run, odd, ""},
    };
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir / "pair");
    for (const Case& c : cases) {
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

} // namespace
} // namespace tc

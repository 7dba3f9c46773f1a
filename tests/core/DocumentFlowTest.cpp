// The document's command flows, driven through scripted dialogs, panes and answers.
#include "TestSupport.h"

#include "platform/FileSystem.h"

namespace tc::test {
namespace {

// The form and the tree, scripted.
class FakePanes : public FormViewInterface, public TreeViewInterface {
public:
    bool WindowExists() const override { return exists; }
    bool CommitEdits(bool) override {
        ++commits;
        if (onCommit) {
            onCommit();
        }
        return accept;
    }
    void PutBack() override {}
    const Node* ShownNode() const override { return nullptr; }
    void RebuildTree(unsigned groups) override {
        EXPECT_EQ(groups, 0xFFFFu);
        ++rebuilds;
        if (onRebuild) {
            onRebuild();
        }
    }
    void Follow(const DataChange& change) override { followed.push_back(change); }
    std::vector<const Node*> NodesInOrder() const override { return {}; }
    const Node* SelectedNode() const override { return nullptr; }
    void SelectNode(const Node*) override {}

    bool exists = true;
    bool accept = true;
    int commits = 0;
    int rebuilds = 0;
    std::function<void()> onCommit, onRebuild;
    std::vector<DataChange> followed;
};

// A document on a copy of the sample pair, with every pane and dialog scripted.
class DocumentFlow : public testing::Test, protected PairFolder, protected Editor {
protected:
    DocumentFlow() {
        CopySamplePair(lore, templates);
        doc.AttachFormView(&panes);
        doc.AttachTreeView(&panes);
        host.openResult = OpenPaths{lore, templates};
    }

    // Opens the pair the Open dialog names: read, sorted and shown, with nothing to say.
    void OpenSample() {
        doc.OnFileOpen();
        EXPECT_EQ(doc.GetLorePath(), host.openResult->lorePath);
        EXPECT_EQ(doc.Data().GetBooks()[0]->GetName(), "Warden_Oath");
        EXPECT_EQ(doc.Data().GetTemplates()[0]->GetName(), "base_book_lore");
        EXPECT_EQ(panes.rebuilds, 1);
        EXPECT_FALSE(doc.Data().IsModified());
        EXPECT_TRUE(ui.shown.empty());
        host.openRuns = panes.rebuilds = panes.commits = 0;
    }

    // Stores a change in the first book or template, as the forms do.
    void Edit(DataFile file, const std::string& text = "edited") {
        if (file == DataFile::Lore) {
            const LoreBook& book = *doc.Data().GetBooks()[0];
            LoreBook values = book;
            values.SetText(text);
            doc.Data().StoreBook(book, values);
        } else {
            const Template& tmpl = *doc.Data().GetTemplates()[0];
            Template values = tmpl;
            values.SetComment(text);
            doc.Data().StoreTemplate(tmpl, values);
        }
    }

    std::vector<std::string> Questions() const {
        std::vector<std::string> questions;
        for (const auto& m : ui.shown) {
            if (m.buttons == MsgButtons::YesNoCancel) {
                EXPECT_EQ(m.icon, MsgIcon::Question);
                questions.push_back(m.text);
            }
        }
        return questions;
    }

    FakePanes panes;
};

// Open and closing ask before losing changes: Cancel stops, No goes on without saving, Yes saves
// first.
TEST_F(DocumentFlow, TheSaveQuestionIsHonouredBeforeOpenAndClose) {
    OpenSample();
    EXPECT_TRUE(doc.CanCloseFrame());
    EXPECT_TRUE(Questions().empty()) << "nothing to ask without changes";
    host.openResult.reset(); // a cancelled Open dialog keeps the data
    const std::function<bool()> actions[] = {[&] {
                                                 const int before = host.openRuns;
                                                 doc.OnFileOpen();
                                                 return host.openRuns > before;
                                             },
                                             [&] { return doc.CanCloseFrame(); }};
    const struct {
        MsgAnswer answer;
        bool goesOn;
        bool saves;
    } cases[] = {{MsgAnswer::Cancel, false, false},
                 {MsgAnswer::No, true, false},
                 {MsgAnswer::Yes, true, true}};
    int edit = 0;
    for (const auto& action : actions) {
        for (const auto& c : cases) {
            std::filesystem::remove(dir / "lore.tcb");
            ui.shown.clear();
            Edit(DataFile::Lore, "edited " + std::to_string(++edit));
            ui.answers = {c.answer};
            EXPECT_EQ(action(), c.goesOn);
            EXPECT_EQ(Questions(), std::vector<std::string>{"Save changes to current data?"});
            EXPECT_EQ(doc.Data().IsModified(DataFile::Lore), !c.saves);
            EXPECT_EQ(FileExists(dir / "lore.tcb"), c.saves);
            EXPECT_FALSE(FileExists(dir / "trs_book_lore.tcb"));
        }
    }
    EXPECT_EQ(host.exits, 0);
}

// A cancelled Open ends the program only when nothing is loaded; a file that cannot be opened
// still lets the other load.
TEST_F(DocumentFlow, CancellingOpenEndsTheProgramOnlyWhenNothingIsLoaded) {
    host.openResult.reset();
    doc.OnFileOpen();
    EXPECT_EQ(host.exits, 1);
    EXPECT_TRUE(ui.shown.empty());

    // Files without books or templates leave nothing loaded either.
    const std::string sampleTemplates = ReadBytes(templates);
    WriteBytes(lore, "");
    WriteBytes(templates, "");
    host.openResult = OpenPaths{lore, templates};
    doc.OnFileOpen();
    host.openResult.reset();
    doc.OnFileOpen();
    EXPECT_EQ(host.exits, 2);

    WriteBytes(templates, sampleTemplates);
    host.openResult = OpenPaths{dir / "gone/lore.gas", templates};
    panes.rebuilds = 0;
    ui.shown.clear();
    doc.OnFileOpen();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(
        ui.shown[0].text.starts_with("CTomecraftDoc:: " + ErrorOf(kMissingFolder) + "reading"))
        << ui.shown[0].text;
    EXPECT_TRUE(doc.Data().GetBooks().empty());
    EXPECT_EQ(doc.Data().GetTemplates().size(), 6u);
    EXPECT_EQ(panes.rebuilds, 1);
    EXPECT_EQ(doc.GetLorePath(), dir / "gone/lore.gas") << "Save creates the file there";
    host.openResult.reset();
    doc.OnFileOpen();
    EXPECT_EQ(host.exits, 2);
    EXPECT_EQ(doc.Data().GetTemplates().size(), 6u);
}

TEST_F(DocumentFlow, AnErrorMidReadStopsTheFlowButKeepsWhatWasReadAndTheTreeSound) {
#ifdef _WIN32
    GTEST_SKIP() << "needs /proc/self/mem, a file that fails in mid-read";
#else
    OpenSample();
    // Books in the file's order, which the sorts would change.
    WriteBytes(lore, ReadBytes(DataPath("handedited_lore.gas")));
    // Reading this file fails after it has been opened, like a disk going bad.
    host.openResult = OpenPaths{lore, "/proc/self/mem"};
    panes.onRebuild = [this] { EXPECT_TRUE(ui.shown.empty()) << "the tree is sound first"; };
    doc.OnFileOpen();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text,
              "A hardware I/O error was reported while accessing /proc/self/mem.");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Exclamation);
    ASSERT_EQ(doc.Data().GetBooks().size(), 4u);
    EXPECT_EQ(doc.Data().GetBooks()[0]->GetName(), "abbey_founding") << "the sorts did not run";
    EXPECT_TRUE(doc.Data().GetTemplates().empty());
    EXPECT_EQ(panes.rebuilds, 1) << "the tree drops the destroyed nodes";
#endif
}

// Save, Open and closing store the form's typing first, whatever the flags; Save writes only
// the file that changed, and what is stored even when the form refuses its typing.
TEST_F(DocumentFlow, SaveWritesOnlyWhatChangedAndTypedEditsAreCommittedFirst) {
    OpenSample();
    doc.OnFileSave();
    EXPECT_FALSE(FileExists(dir / "lore.tcb"));
    EXPECT_FALSE(FileExists(dir / "trs_book_lore.tcb"));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(panes.commits, 1);

    const std::string templatesBefore = ReadBytes(templates);
    panes.onCommit = [&] { Edit(DataFile::Lore, "typed"); };
    doc.OnFileSave();
    EXPECT_NE(ReadBytes(lore).find("\"typed\""), std::string::npos);
    EXPECT_TRUE(FileExists(dir / "lore.tcb"));
    EXPECT_FALSE(FileExists(dir / "trs_book_lore.tcb"));
    EXPECT_EQ(ReadBytes(templates), templatesBefore);
    EXPECT_FALSE(doc.Data().IsModified(DataFile::Lore));

    panes.onCommit = nullptr;
    Edit(DataFile::Templates);
    ui.shown.clear();
    ui.answers = {MsgAnswer::Cancel};
    doc.OnFileOpen();
    EXPECT_EQ(panes.commits, 3);
    panes.accept = false; // a refused form stops Open and closing
    doc.OnFileOpen();
    EXPECT_EQ(host.openRuns, 0);
    EXPECT_EQ(Questions().size(), 1u);
    EXPECT_FALSE(doc.CanCloseFrame());
    doc.OnFileSave();
    EXPECT_FALSE(doc.Data().IsModified(DataFile::Templates));
    EXPECT_TRUE(FileExists(dir / "trs_book_lore.tcb"));

    // A form whose window is gone is not asked.
    panes.exists = false;
    panes.commits = 0;
    EXPECT_TRUE(doc.CanCloseFrame());
    EXPECT_EQ(panes.commits, 0);
}

TEST_F(DocumentFlow, ASaveThatFailsKeepsTheWindowAndTheData) {
#ifdef _WIN32
    GTEST_SKIP() << "the open pair's lock files keep its folder on Windows";
#endif
    const std::string folder = dir / "pair";
    std::filesystem::create_directory(folder);
    host.openResult = OpenPaths{folder + "/lore.gas", folder + "/trs_book_lore.gas"};
    CopySamplePair(host.openResult->lorePath, host.openResult->templatePath);
    OpenSample();
    Edit(DataFile::Lore);
    std::filesystem::remove_all(folder); // the pair's folder goes while it is open
    ui.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(doc.CanCloseFrame());
    EXPECT_TRUE(doc.Data().IsModified(DataFile::Lore));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_TRUE(ui.shown[1].text.starts_with("CTomecraftDoc:: " + ErrorOf(kMissingFolder) +
                                             "writing the lore book"));

    ui.answers = {MsgAnswer::Yes};
    doc.OnFileOpen();
    EXPECT_EQ(host.openRuns, 0) << "Open must not clear changes it failed to save";
    EXPECT_EQ(doc.Data().GetBooks().size(), 4u);
}

// The New Node and Backup Location dialogs: their captions, and what a cancelled one leaves.
TEST_F(DocumentFlow, DialogsAreNamedAndACancelledOneChangesNothing) {
    OpenSample();
    host.newNodeName = "aardvark";
    const Node* tmpl = doc.NewNode(NodeType::Template);
    const Node* book = doc.NewNode(NodeType::LoreBook);
    EXPECT_EQ(doc.Data().GetTemplates().back(), tmpl);
    EXPECT_EQ(doc.Data().GetBooks().back(), book) << "appended, not sorted in";
    host.newNodeName.reset();
    EXPECT_EQ(doc.NewNode(NodeType::LoreBook), nullptr);
    EXPECT_EQ(doc.NewNode(static_cast<NodeType>(5)), nullptr);
    EXPECT_EQ(host.captions,
              (std::vector<std::string>{"New Template", "New Lore Book", "New Lore Book"}))
        << "no dialog for an unknown type";
    EXPECT_EQ(doc.Data().UndoName(), "New 'aardvark'") << "no step for a cancelled dialog";

    settings.SetInt("Backup", "Selected", 2);
    settings.SetString("Backup", "BackupPath1", "/second/");
    EXPECT_EQ(Document(ui, host, settings).GetBackupPath(), "/second/");
    host.backupResult.reset();
    doc.SetBackupPath("/kept/");
    doc.OnBackupLocation();
    EXPECT_EQ(doc.GetBackupPath(), "/kept/");
    doc.SetBackupPath("");
    Edit(DataFile::Lore);
    doc.OnFileSave();
    EXPECT_EQ(settings.Values().size(), 2u) << "the document never writes settings";
}

} // namespace
} // namespace tc::test

// What the user sees, and what is left on disk, when the files misbehave. Whatever fails during
// a save, and whatever the file is (a link, private, shared), the real name holds a whole version
// and the backup a whole earlier one.
#include "TestSupport.h"

#include "gasfiles/Backup.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"
#include "platform/SystemFiles.h"
#include "tools/tomecraft-gas/GasCommands.h"

#include <cerrno>
#include <iostream>
#include <new>
#include <sstream>
#include <sys/stat.h>

namespace tc::test {
namespace {

namespace fs = std::filesystem;

// Fails the `failAt`-th file step (counting from 0), or lets `budget` bytes reach the disk.
class Injector : public FaultInjector {
public:
    enum class How { Errno, OutOfMemory };

    int Before(FileStep step, const std::string&) override {
        if (steps++ != failAt) {
            return 0;
        }
        if (how == How::OutOfMemory) {
            throw std::bad_alloc();
        }
        return step == FileStep::Write ? ENOSPC : EIO;
    }
    std::size_t Allow(std::size_t wanted) override {
        const std::size_t allowed = std::min(wanted, budget);
        budget -= allowed;
        return allowed;
    }

    long failAt = -1;
    How how = How::Errno;
    std::size_t budget = SIZE_MAX;
    long steps = 0;
};

BookList Books(int count, const std::string& flavour) {
    BookList books;
    for (int k = 0; k < count; ++k) {
        books.push_back(std::make_unique<LoreBook>());
        books.back()->SetName("book_" + std::to_string(k));
        books.back()->SetComment("Volume " + std::to_string(k));
        books.back()->SetText(flavour + " " + std::string(900 + k % 300, 'a' + k % 26) +
                              "\r\n\r\nThe end.");
    }
    return books;
}

std::string Emitted(const BookList& books) {
    StringSink sink;
    EmitLoreFile(books, sink);
    return Crlf(sink.Text());
}

// A folder on another file system than the temporary folder, where there is one.
std::string OtherFileSystem() {
    struct stat temp {
    }, shm{};
    const bool other = stat(std::filesystem::temp_directory_path().string().c_str(), &temp) == 0 &&
                       stat("/dev/shm", &shm) == 0 && temp.st_dev != shm.st_dev;
    return other ? "/dev/shm" : std::filesystem::temp_directory_path().string();
}

// Where the previous file and its backup live; a pair is two files saved as a unit.
enum class Layout { BackupBeside, BackupOnOtherFileSystem, HardLinkedFile, Pair };

struct Scene {
    struct File {
        std::string path;
        std::string backup;
        BookList meant;
        std::string previous;
    };

    explicit Scene(Layout layout, int books = 60) : layout(layout) {
        if (layout == Layout::BackupOnOtherFileSystem) {
            backupFolder = OtherFileSystem() + "/tomecraft-save-test-" +
                           std::to_string(sys::ProcessId()) + "/";
            fs::create_directories(backupFolder);
        }
        Add("lore.gas", Books(books, "meant"), Books(books - 10, "previous"));
        if (layout == Layout::Pair) {
            Add("second_lore.gas", Books(books / 5, "second meant"),
                Books(books / 6, "second previous"));
        }
        if (layout == Layout::HardLinkedFile) {
            fs::create_hard_link(files[0].path, dir / "shared.gas");
        }
    }
    ~Scene() {
        if (!backupFolder.empty()) {
            fs::remove_all(backupFolder);
        }
    }
    void Add(const std::string& name, BookList meant, const BookList& previous) {
        const std::string backupName = name.substr(0, name.size() - 3) + "tcb";
        File& file = files.emplace_back(
            File{dir / name, backupFolder.empty() ? dir / backupName : backupFolder + backupName,
                 std::move(meant), Emitted(previous)});
        WriteBytes(file.path, file.previous);
        WriteBytes(file.backup, older);
    }
    bool Save(UserInterface& ui) {
        std::vector<SaveRequest> requests;
        for (const File& file : files) {
            requests.push_back(LoreSaveRequest(file.path, backupFolder, file.meant, nullptr));
        }
        return test::Save(ui, std::move(requests));
    }
    std::set<std::string> Expected() const {
        std::set<std::string> names;
        for (const File& file : files) {
            names.insert(fs::path(file.path).filename().string());
            if (backupFolder.empty()) {
                names.insert(fs::path(file.backup).filename().string());
            }
        }
        if (layout == Layout::HardLinkedFile) {
            names.insert("shared.gas");
        }
        return names;
    }

    Layout layout;
    TempDir dir;
    std::string backupFolder;
    std::string older = Emitted(Books(40, "oldest"));
    std::vector<File> files;
};

// Saves over the scene with `injector` in place and checks what is on disk and what was said:
// each file holds its whole previous version, or the new one where the message says so, or
// (written over in place and stopped) the message says where the whole versions are. The next
// save, undisturbed, then leaves every file new and every backup holding the previous version.
void SaveAndCheck(Scene& scene, Injector& injector, const std::string& at) {
    SCOPED_TRACE(at);
    ScriptedUi ui;
    SetFaultInjector(&injector);
    const bool saved = scene.Save(ui);
    SetFaultInjector(nullptr);
    std::string told;
    for (const auto& shown : ui.shown) {
        told += shown.text + "\n";
    }
    EXPECT_TRUE(saved || !told.empty()) << "a failed save always says so";
    const bool nothingChanged = told.find("was not changed") != std::string::npos ||
                                told.find("Nothing was saved") != std::string::npos;
    std::set<std::string> expected = scene.Expected();
    for (const Scene::File& file : scene.files) {
        const std::string now = ReadBytes(file.path);
        const std::string backup = ReadBytes(file.backup);
        const std::string marker = InPlaceMarkerOf(file.path);
        if (saved) {
            EXPECT_EQ(now, Emitted(file.meant));
            EXPECT_EQ(backup, file.previous);
        } else if (now == file.previous && !fs::exists(marker)) {
            EXPECT_TRUE(backup == scene.older || backup == file.previous);
            EXPECT_TRUE(told.find("Disk full") == told.npos || nothingChanged ||
                        told.find(file.path + " still holds") != told.npos)
                << "a full disk says what was written: " << told;
        } else {
            EXPECT_FALSE(nothingChanged) << told;
            if (now == Emitted(file.meant) && !fs::exists(marker)) {
                EXPECT_TRUE(Has(told, file.path + " now holds the new version"));
            } else {
                EXPECT_TRUE(Has(told, file.path +
                                          " was not written in full.  Its previous version is in " +
                                          file.backup + ", the new one in " + marker));
                EXPECT_EQ(ReadBytes(marker), Emitted(file.meant));
                expected.insert(fs::path(marker).filename().string());
            }
            EXPECT_EQ(backup, file.previous);
        }
    }
    if (!scene.backupFolder.empty()) {
        EXPECT_EQ(Entries(scene.backupFolder).size(), scene.files.size()) << "no temporary file";
    }
    EXPECT_EQ(Entries(scene.dir.Path()), expected);
    if (scene.layout == Layout::HardLinkedFile) {
        EXPECT_EQ(ReadBytes(scene.dir / "shared.gas"), ReadBytes(scene.files[0].path))
            << "the file keeps its identity";
    }

    ScriptedUi next;
    ASSERT_TRUE(scene.Save(next));
    for (const Scene::File& file : scene.files) {
        EXPECT_EQ(ReadBytes(file.path), Emitted(file.meant));
        EXPECT_EQ(ReadBytes(file.backup), file.previous) << "the next save keeps the whole copy";
    }
    EXPECT_EQ(Entries(scene.dir.Path()), scene.Expected());
}

TEST(DurableSave, NoFailureAtAnyStepCostsAWholeVersion) {
    for (Layout layout : {Layout::BackupBeside, Layout::BackupOnOtherFileSystem,
                          Layout::HardLinkedFile, Layout::Pair}) {
        const std::string name = "layout " + std::to_string(static_cast<int>(layout));
        Injector counter;
        {
            Scene scene(layout);
            SaveAndCheck(scene, counter, name + ", no failure");
        }
        ASSERT_GE(counter.steps, 8);
        for (long step = 0; step < counter.steps; ++step) {
            for (Injector::How how : {Injector::How::Errno, Injector::How::OutOfMemory}) {
                Scene scene(layout);
                Injector injector;
                injector.failAt = step;
                injector.how = how;
                SaveAndCheck(scene, injector,
                             name + ", step " + std::to_string(step) +
                                 (how == Injector::How::OutOfMemory ? ", out of memory" : ""));
            }
        }
        // A disk that fills up at every 4 KB boundary of the new files and of the backup copies.
        std::size_t total = 0;
        for (const Scene::File& file : Scene(layout).files) {
            total += Emitted(file.meant).size() + file.previous.size();
        }
        for (std::size_t budget = 0; budget < total; budget += 4096) {
            Scene scene(layout);
            Injector injector;
            injector.budget = budget;
            SaveAndCheck(scene, injector, name + ", disk full after " + std::to_string(budget));
        }
    }
}

TEST(DurableSave, LinksModesAndOwnersAreKept) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX modes, owners and symbolic links; Windows keeps the read-only attribute "
                    "(see WhatWouldNotReadBack)";
#else
    TempDir dir;
    ScriptedUi ui;
    const BookList meant = Books(3, "new");
    // A symbolic link: the file it points to is replaced and the link stays a link.
    fs::create_directory(dir / "real");
    WriteBytes(dir / "real/lore.gas", "previous");
    fs::create_symlink("real/lore.gas", dir / "lore.gas");
    ASSERT_TRUE(Save(ui, {LoreSaveRequest(dir / "lore.gas", "", meant, nullptr)}));
    EXPECT_TRUE(fs::is_symlink(dir / "lore.gas"));
    EXPECT_EQ(ReadBytes(dir / "real/lore.gas"), Emitted(meant));
    EXPECT_FALSE(fs::is_symlink(dir / "lore.tcb"));
    EXPECT_EQ(ReadBytes(dir / "lore.tcb"), "previous");

    // A file with a second name is written over in place, its backup is a copy: both keep it.
    for (const mode_t mode : {0600, 0640, 0664}) {
        const std::string name = dir / ("mode" + std::to_string(mode));
        WriteBytes(name + "_lore.gas", "previous");
        chmod((name + "_lore.gas").c_str(), mode);
        if (mode != 0600) {
            fs::create_hard_link(name + "_lore.gas", name + ".link");
        }
        ASSERT_TRUE(Save(ui, {LoreSaveRequest(name + "_lore.gas", "", meant, nullptr)}));
        for (const std::string& file : {name + "_lore.gas", name + "_lore.tcb"}) {
            struct stat st {};
            stat(file.c_str(), &st);
            EXPECT_EQ(st.st_mode & 07777, mode) << file;
        }
    }

    // A file nobody may write stays as it is, even for the superuser.
    const std::string readOnly = dir / "readonly_lore.gas";
    WriteBytes(readOnly, "previous");
    chmod(readOnly.c_str(), 0444);
    EXPECT_FALSE(Save(ui, {LoreSaveRequest(readOnly, "", meant, nullptr)}));
    EXPECT_EQ(ReadBytes(readOnly), "previous");
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_TRUE(Has(ui.shown.back().text, "Access to " + readOnly + " was denied."));

    if (geteuid() == 0) {
        const std::string owned = dir / "owned_lore.gas";
        WriteBytes(owned, "previous");
        ASSERT_EQ(chown(owned.c_str(), 65534, 65534), 0);
        ASSERT_TRUE(Save(ui, {LoreSaveRequest(owned, "", meant, nullptr)}));
        struct stat st {};
        stat(owned.c_str(), &st);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
#endif
}

TEST(DurableSave, WhatWouldNotReadBackIsNotSaved) {
    TempDir dir;
    const std::string templates = dir / "trs_book_lore.gas";
    WriteBytes(templates, "previous");
    TemplateList list;
    for (const char* name : {"base_history", "book_history_1", "book_history_2"}) {
        list.push_back(std::make_unique<Template>());
        list.back()->SetName(name);
    }
    list[0]->SetSpecializes("treasure");
    list[1]->SetSpecializes("base_history");
    list[2]->SetSpecializes("base_history");
    list[1]->SetScreenName("Greilyn: A History {II}");
    ScriptedUi ui;
    EXPECT_FALSE(Save(ui, {TemplateSaveRequest(templates, "", list, nullptr)}));
    EXPECT_EQ(ReadBytes(templates), "previous");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(
        Has(ui.shown[0].text, "the template \"book_history_2\" and what follows it would be lost"));
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"trs_book_lore.gas"});

    list[1]->SetScreenName("Greilyn: A History, part II");
    EXPECT_TRUE(Save(ui, {TemplateSaveRequest(templates, "", list, nullptr)}));

    BookList books = Books(2, "x");
    books[1]->SetText("She said \"no\".");
    EXPECT_FALSE(Save(ui, {LoreSaveRequest(dir / "lore.gas", "", books, nullptr)}));
    EXPECT_TRUE(Has(ui.shown.back().text, "the book \"book_1\" would read back with the text"));
    EXPECT_FALSE(fs::exists(dir / "lore.gas"));
}

TEST(DurableSave, AFileChangedByAnotherProgramIsReplacedOnlyWhenTheUserSaysSo) {
    TempDir dir;
    const std::string lore = dir / "lore.gas";
    WriteBytes(lore, "[lore]\n{\n}\n");
    ScriptedUi ui;
    BookList books;
    FileStamp stamp;
    Diagnostics found;
    ASSERT_TRUE(ReadLoreFile(lore, books, found, &stamp));
    books = Books(1, "mine");
    WriteBytes(lore, "[lore]\n{\n[theirs]\n{\n}\n}\n");

    ui.answers = {MsgAnswer::No};
    EXPECT_FALSE(Save(ui, {LoreSaveRequest(lore, "", books, &stamp)}));
    EXPECT_EQ(ReadBytes(lore), "[lore]\n{\n[theirs]\n{\n}\n}\n");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].buttons, MsgButtons::YesNo);

    ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(Save(ui, {LoreSaveRequest(lore, "", books, &stamp)}));
    EXPECT_EQ(ReadBytes(dir / "lore.tcb"), "[lore]\n{\n[theirs]\n{\n}\n}\n");
    // The stamp now stands for what was written: the next save asks nothing. A change landing
    // after its last check is not lost, and the message says where it is: in the backup where
    // the file can be replaced while held open, otherwise left in the file.
    ui.shown.clear();
    ChangeDuringSave late;
    late.path = lore, late.step = FileStep::Rename;
    const std::string theirs = ReadBytes(lore) + "// theirs\r\n";
    books = Books(2, "mine again");
    SetFaultInjector(&late);
    const bool saved = Save(ui, {LoreSaveRequest(lore, "", books, &stamp)});
    SetFaultInjector(nullptr);
    EXPECT_EQ(saved, ReplacesOpenFiles());
    EXPECT_EQ(ReadBytes(lore), saved ? Emitted(books) : theirs);
    EXPECT_EQ(ReadBytes(dir / "lore.tcb"), theirs);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(Has(ui.shown[0].text, saved
                                          ? "the other program's version is in " + dir / "lore.tcb"
                                          : "so it was left as that program wrote it"));
}

// Saves killed at random points, each run starting from what the last one left and writing a
// version of its own, on a file with another hard link, which is written over in place: it
// always has a whole copy (itself, its backup, or the new version waiting beside it), and the
// next save takes it up. Files replaced by a rename are covered by the failure at every step.
TEST(DurableSave, KilledSavesInAChainNeverLeaveAPartialFile) {
#ifdef _WIN32
    GTEST_SKIP() << "needs fork; the fault-injection test covers every step of a save there";
#else
#ifdef TOMECRAFT_SANITIZED
    GTEST_SKIP() << "a test of process deaths, not of memory: ten times slower under the "
                    "sanitizers for nothing more";
#endif
    Scene scene(Layout::HardLinkedFile,
                2000);           // about 2 MB, so that a kill lands in the middle of a write
    std::set<std::size_t> whole; // every version ever saved, by hash
    for (const Scene::File& file : scene.files) {
        whole.insert(std::hash<std::string>{}(file.previous));
    }
    auto fullRun = std::chrono::steady_clock::duration::max();
    std::mt19937 random(20261207);
    int killed = 0;
    int kept = 0;
    int run = 0;
    // Three whole runs to time a save, then runs killed at random points until six kills
    // have landed mid-save: a save that finished first times the next kills afresh, as a
    // machine that was busy at the start makes the first timing too long.
    for (; run < 3 + 40 && (run < 3 + 10 || killed < 6); ++run) {
        for (Scene::File& file : scene.files) {
            file.meant = Books(static_cast<int>(file.meant.size()), "run " + std::to_string(run));
            whole.insert(std::hash<std::string>{}(Emitted(file.meant)));
        }
        // Every other kill aims at the end, where the renames and in-place writes are.
        const auto delay =
            run < 3 ? std::chrono::microseconds::max()
                    : std::chrono::microseconds(static_cast<long>(
                          std::chrono::duration<double, std::micro>(fullRun).count() *
                          std::uniform_real_distribution<double>(run % 2 ? 0.6 : 0.1,
                                                                 run % 2 ? 1.1 : 0.8)(random)));
        const auto start = std::chrono::steady_clock::now();
        const int status = RunInChild(
            [&] {
                ScriptedUi ui;
                return scene.Save(ui) ? 0 : 1;
            },
            delay);
        if (status == 0) {
            fullRun = std::min(fullRun, std::chrono::steady_clock::now() - start);
        }
        if (run < 3) {
            ASSERT_EQ(status, 0);
            continue;
        }
        killed += status == 200 + SIGKILL ? 1 : 0;
        bool allWhole = true;
        for (const Scene::File& file : scene.files) {
            const auto isWhole = [&](const std::string& path) {
                return fs::exists(path) &&
                       whole.contains(std::hash<std::string>{}(ReadBytes(path)));
            };
            const bool ok =
                isWhole(file.path) || (isWhole(InPlaceMarkerOf(file.path)) && isWhole(file.backup));
            EXPECT_TRUE(ok) << "run " << run;
            allWhole = allWhole && ok;
        }
        kept += allWhole ? 1 : 0;
    }
    std::cout << "[          ] " << killed << " of " << run - 3
              << " runs killed mid-save, a whole copy of every file kept " << kept << "/" << run - 3
              << ", a full run takes "
              << std::chrono::duration_cast<std::chrono::milliseconds>(fullRun).count() << " ms\n";
    EXPECT_GE(killed, 6);
    // The next save clears what the killed ones left.
    ScriptedUi ui;
    ASSERT_TRUE(scene.Save(ui));
    EXPECT_EQ(Entries(scene.dir.Path()), scene.Expected());
#endif
}

// New books with text: the lore file is then modified.
void AddBooks(Document& doc, int count) {
    for (int k = 0; k < count; ++k) {
        const auto& book = static_cast<const LoreBook&>(
            *doc.Data().AddNode(NodeType::LoreBook, "book_" + std::to_string(k)));
        LoreBook values = book;
        values.SetText(std::string(200, 'x'));
        doc.Data().StoreBook(book, values);
    }
}

TEST(OpenFailure, ReportNamesTheCauseTheFileAndItsText) {
    TempDir dir;
    ScriptedUi ui;
    BookList books;
    TemplateList templates;
    const std::string missing = dir / "missing.gas";
    Diagnostics found;
    EXPECT_FALSE(ReadLoreFile(missing, books, found));
    EXPECT_FALSE(ReadTemplateFile(dir.Path(), templates, found));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].text, "CTomecraftDoc:: error 2 reading the lore book file!\n\nFile: " +
                                 missing + "\n\nText: " + missing + " was not found.");
    EXPECT_EQ(found[0].kind, Diagnostic::Kind::Message);
    EXPECT_EQ(found[1].text,
              "CTomecraftDoc:: error 16 reading the lore book file!\n\nFile: " + dir.Path() +
                  "\n\nText: " + dir.Path() + " is a folder, not a file.");

    ui.shown.clear();
    EXPECT_FALSE(
        Save(ui, {TemplateSaveRequest(dir / "no/such/trs_book_lore.gas", "", templates, nullptr)}));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].text.starts_with("CTomecraftDoc:: " + ErrorOf(kMissingFolder) +
                                             "writing the lore template file!\n\nFile: "));

    // The text part is cut to 254 characters.
    found.clear();
    ReadLoreFile("/" + std::string(300, 'p') + "/lore.gas", books, found);
    ASSERT_EQ(found.size(), 1u);
    const std::string& text = found[0].text;
    EXPECT_EQ(text.size() - (text.find("\n\nText: ") + 8), 254u);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST(Backup, APreviousVersionThatCannotBeMovedIsNotOverwritten) {
    TempDir dir;
    Editor editor;
    auto& [ui, host, settings, doc] = editor;
    AddBooks(doc, 2);
    const std::string lore = dir / "lore.gas";
    WriteBytes(lore, "precious");

    doc.SetBackupPath(dir / "missing-folder/");
    EXPECT_FALSE(doc.WriteLoreFile(lore));
    EXPECT_TRUE(doc.Data().IsModified(DataFile::Lore));
    EXPECT_EQ(ReadBytes(lore), "precious");
    ASSERT_EQ(ui.shown.size(), 1u);
    const std::string backup = dir / "missing-folder/lore.tcb";
    EXPECT_EQ(ui.shown[0].text, "CTomecraftDoc:: " + ErrorOf(kMissingFolder) +
                                    "writing the lore book file!\n\nFile: " + backup +
                                    "\n\nText: " + CauseText(kMissingFolder, backup));

    // A file whose backup name is its own name would be deleted by the backup step.
    const std::string named = dir / "lore.tcb";
    WriteBytes(named, "also precious");
    doc.SetBackupPath("");
    EXPECT_FALSE(doc.WriteLoreFile(named));
    EXPECT_EQ(ReadBytes(named), "also precious");
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST(Backup, UnwritableFoldersAreReportedAndNothingIsLost) {
#ifdef _WIN32
    GTEST_SKIP() << "needs an ordinary POSIX user and folder modes";
#else
    TempDir dir;
    const std::string lore = dir / "lore.gas";
    WriteBytes(lore, "precious");
    WriteBytes(dir / "secret.gas", "[lore]\n");
    chmod((dir / "secret.gas").c_str(), 0000);
    std::filesystem::create_directory(dir / "locked");
    chmod((dir / "locked").c_str(), 0555);
    chmod(dir.Path().c_str(), 0555);
    // Root may write anywhere, so the check runs as an ordinary user in a child process.
    const int status = RunInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            return 10;
        }
        Editor editor;
        auto& [ui, host, settings, doc] = editor;
        AddBooks(doc, 1);
        if (doc.WriteLoreFile(lore) || !doc.Data().IsModified(DataFile::Lore)) {
            return 11;
        }
        const bool denied =
            ui.shown.size() == 1 &&
            ui.shown[0].text.find("Access to " + lore + " was denied.") != std::string::npos;
        if (!denied) {
            return 12;
        }
        ui.shown.clear();
        if (doc.WriteTemplateFile(dir / "locked/trs_book_lore.gas") || ui.shown.size() != 1 ||
            ui.shown[0].text.find("error 5 writing") == std::string::npos) {
            return 13;
        }
        return 0;
    });
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(lore), "precious");
#endif
}

TEST(PairLocks, OneProgramAtATimeWorksOnAFile) {
    TempDir dir;
    const std::string lore = dir / "lore.gas";
    const std::string templates = dir / "trs_book_lore.gas";
    const std::string otherTemplates = dir / "other_trs_book_lore.gas";
    for (const std::string& path : {lore, templates, otherTemplates}) {
        WriteBytes(path, "");
    }
    // A lock file left by a program that was killed holds no lock.
    WriteBytes(FileLock::LockPathOf(lore), "Tomecraft (process 1, long gone)");

    PairLock first;
    ASSERT_EQ(first.Take(lore, templates, "Tomecraft"), "");
    EXPECT_EQ(first.Take(lore, templates, "Tomecraft"), "") << "the same pair again";
    PairLock second;
    const std::string refusal = second.Take(lore, otherTemplates, "tomecraft-gas format");
    EXPECT_TRUE(Has(refusal, lore + "\n\nis open in Tomecraft (process " +
                                 std::to_string(sys::ProcessId())));
    EXPECT_FALSE(fs::exists(FileLock::LockPathOf(otherTemplates)))
        << "a refused pair takes neither lock";

    std::ostringstream out, err;
    EXPECT_EQ(cli::RunGasTool({"format", lore, templates}, out, err), 1);
    EXPECT_TRUE(Has(err.str(), "is open in Tomecraft"));

    // Moving to another template file keeps the lore lock and gives the old template file back.
    ASSERT_EQ(first.Take(lore, otherTemplates, "Tomecraft"), "");
    EXPECT_EQ(second.Take(templates, dir / "x_lore.gas", "x").find("is open"), std::string::npos);
    second.Release();
    // A refused change keeps what was held.
    ASSERT_EQ(second.Take(dir / "third_lore.gas", templates, "Tomecraft"), "");
    EXPECT_NE(first.Take(lore, templates, "Tomecraft"), "");
    EXPECT_NE(PairLock().Take(lore, dir / "y_trs_book_lore.gas", "x"), "");
    first.Release();
    second.Release();
    EXPECT_EQ(Entries(dir.Path()),
              (std::set<std::string>{"lore.gas", "trs_book_lore.gas", "other_trs_book_lore.gas"}));
}

} // namespace
} // namespace tc::test

// What the user sees, and what is left on disk, when the files misbehave.
#include "TestSupport.h"

#include "document/Document.h"
#include "document/HeadlessHost.h"
#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"
#include "platform/FileSystem.h"
#include "platform/MemorySettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace tc {
namespace {

using test::ErrorOf;
using test::kMissingFolder;
using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;
using test::WriteLoreFile;
using test::WriteTemplateFile;

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
    EXPECT_FALSE(WriteTemplateFile(dir / "no/such/trs_book_lore.gas", "", templates, ui));
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
    ScriptedUi ui;
    HeadlessHost host;
    const MemorySettings settings;
    Document doc(ui, host, settings);
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
    const int status = test::RunInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            return 10;
        }
        ScriptedUi ui;
        HeadlessHost host;
        const MemorySettings settings;
        Document doc(ui, host, settings);
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

} // namespace
} // namespace tc

// What the user sees, and what is left on disk, when the files misbehave.
#include "TestSupport.h"

#include "document/CTomecraftDoc.h"
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

// New books with text: the lore file is then modified.
void AddBooks(CTomecraftDoc& doc, int count) {
    for (int k = 0; k < count; ++k) {
        auto& book =
            static_cast<CLoreBook&>(*doc.AddNode(NODE_LOREBOOK, "book_" + std::to_string(k)));
        CLoreBook values = book;
        values.SetText(std::string(200, 'x'));
        doc.StoreBook(book, values);
    }
}

TEST(OpenFailure, ReportNamesTheCauseTheFileAndItsText) {
    TempDir dir;
    ScriptedUi ui;
    BookList books;
    TemplateList templates;
    const std::string missing = dir / "missing.gas";
    EXPECT_FALSE(ReadLoreFile(missing, books, ui));
    EXPECT_FALSE(ReadTemplateFile(dir.Path(), templates, ui));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].text, "CTomecraftDoc:: error 2 reading the lore book file!\n\nFile: " +
                                    missing + "\n\nText: " + missing + " was not found.");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(ui.shown[1].text,
              "CTomecraftDoc:: error 5 reading the lore book file!\n\nFile: " + dir.Path() +
                  "\n\nText: Access to " + dir.Path() + " was denied.");

    ui.shown.clear();
    EXPECT_FALSE(WriteTemplateFile(dir / "no/such/trs_book_lore.gas", "", templates, ui));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].text.starts_with("CTomecraftDoc:: " + ErrorOf(kMissingFolder) +
                                             "writing the lore template file!\n\nFile: "));
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST(OpenFailure, TextPartIsCutTo254Characters) {
    ScriptedUi ui;
    BookList books;
    const std::string longPath = "/" + std::string(300, 'p') + "/lore.gas";
    ReadLoreFile(longPath, books, ui);
    ASSERT_EQ(ui.shown.size(), 1u);
    const std::string& text = ui.shown[0].text;
    EXPECT_EQ(text.size() - (text.find("\n\nText: ") + 8), 254u);
}

TEST(Backup, APreviousVersionThatCannotBeMovedIsNotOverwritten) {
    TempDir dir;
    ScriptedUi ui;
    HeadlessHost host;
    const MemorySettings settings;
    CTomecraftDoc doc(ui, host, settings);
    AddBooks(doc, 2);
    const std::string lore = dir / "lore.gas";
    WriteBytes(lore, "precious");

    doc.m_strBackupPath = dir / "missing-folder/";
    EXPECT_FALSE(doc.WriteLoreFile(lore));
    EXPECT_TRUE(doc.IsModified(DataFile::Lore));
    EXPECT_EQ(ReadBytes(lore), "precious");
    ASSERT_EQ(ui.shown.size(), 1u);
    const std::string backup = dir / "missing-folder/lore.tcb";
    EXPECT_EQ(ui.shown[0].text, "CTomecraftDoc:: " + ErrorOf(kMissingFolder) +
                                    "writing the lore book file!\n\nFile: " + backup +
                                    "\n\nText: " + CauseText(kMissingFolder, backup));

    // A file whose backup name is its own name would be deleted by the backup step.
    const std::string named = dir / "lore.tcb";
    WriteBytes(named, "also precious");
    doc.m_strBackupPath.clear();
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
        CTomecraftDoc doc(ui, host, settings);
        AddBooks(doc, 1);
        if (doc.WriteLoreFile(lore) || !doc.IsModified(DataFile::Lore)) {
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

// A source that fails like a disk going bad after some bytes.
class FailingSource : public ByteSource {
public:
    FailingSource(std::string bytes, std::size_t failAt)
        : m_bytes(std::move(bytes)), m_failAt(failAt) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        if (m_pos >= m_failAt) {
            throw FileError(FileCause::HardIO, "/disk/lore.gas");
        }
        const std::size_t count = std::min(size, m_failAt - m_pos);
        m_bytes.copy(buffer, count, m_pos);
        m_pos += count;
        return count;
    }

private:
    std::string m_bytes;
    std::size_t m_failAt;
    std::size_t m_pos = 0;
};

TEST(ReadFailure, StopsTheReadAndKeepsWhatWasRead) {
    std::string text = "[lore]\n{\n";
    for (int k = 0; k < 2000; ++k) {
        text += "[book_" + std::to_string(k) + "]\n{\ndescription = \"text\";\n}\n";
    }
    ScriptedUi ui;
    BookList books;
    FailingSource source(text, text.size() / 2);
    try {
        ParseLoreFile(source, books, ui);
        FAIL() << "the read error must reach the caller";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "A hardware I/O error was reported while accessing /disk/lore.gas.");
    }
    EXPECT_GT(books.size(), 100u);
    EXPECT_LT(books.size(), 2000u);
}

} // namespace
} // namespace tc

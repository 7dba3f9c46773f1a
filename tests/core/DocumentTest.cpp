#include "TestSupport.h"

#include "document/CTomecraftDoc.h"
#include "document/HeadlessHost.h"
#include "platform/FileSystem.h"
#include "platform/MemorySettings.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

using test::ReadBytes;
using test::SamplePath;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

struct SamplePair {
    TempDir dir;
    std::string lore = dir / "lore.gas";
    std::string templates = dir / "trs_book_lore.gas";

    SamplePair() {
        WriteBytes(lore, ReadBytes(SamplePath("lore.gas")));
        WriteBytes(templates, ReadBytes(SamplePath("trs_book_lore.gas")));
    }
};

TEST(Document, ReadPairSortsBothCollectionsAndSetsNoFlag) {
    SamplePair pair;
    ScriptedUi ui;
    HeadlessHost host;
    const MemorySettings settings;
    CTomecraftDoc doc(ui, host, settings);
    doc.m_bBooksModified = true;
    ASSERT_TRUE(doc.ReadPair(pair.lore, pair.templates));
    EXPECT_FALSE(doc.m_bBooksModified);
    EXPECT_EQ(doc.m_strLorePath, pair.lore);
    ASSERT_EQ(doc.m_arrBooks.size(), 4u);
    EXPECT_EQ(doc.m_arrBooks[0]->GetName(), "Warden_Oath");
    EXPECT_EQ(doc.m_arrBooks[1]->GetName(), "abbey_founding");
    ASSERT_EQ(doc.m_arrTemplates.size(), 6u);
    EXPECT_EQ(doc.m_arrTemplates[0]->GetName(), "base_book_lore");
    EXPECT_EQ(doc.m_arrTemplates[1]->GetName(), "base_scroll_lore");
    EXPECT_EQ(doc.m_arrTemplates[2]->GetName(), "book_abbey_founding");
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Document, AFileThatCannotBeOpenedDoesNotStopTheOther) {
    SamplePair pair;
    ScriptedUi ui;
    HeadlessHost host;
    const MemorySettings settings;
    CTomecraftDoc doc(ui, host, settings);
    EXPECT_FALSE(doc.ReadPair(pair.dir / "nope.gas", pair.templates));
    EXPECT_TRUE(doc.m_arrBooks.empty());
    EXPECT_EQ(doc.m_arrTemplates.size(), 6u);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(doc.m_strLorePath, pair.dir / "nope.gas");
}

TEST(Document, SaveWritesOnlyTheChangedFileAndOnlyItsBackup) {
    SamplePair pair;
    ScriptedUi ui;
    HeadlessHost host;
    const MemorySettings settings;
    CTomecraftDoc doc(ui, host, settings);
    doc.ReadPair(pair.lore, pair.templates);
    const std::string templatesBefore = ReadBytes(pair.templates);

    doc.WriteModified(); // nothing modified: nothing happens
    EXPECT_FALSE(FileExists(pair.dir / "lore.tcb"));

    doc.m_arrBooks[0]->SetText("changed");
    doc.m_bBooksModified = true;
    doc.WriteModified();
    EXPECT_FALSE(doc.m_bBooksModified);
    EXPECT_TRUE(FileExists(pair.dir / "lore.tcb"));
    EXPECT_FALSE(FileExists(pair.dir / "trs_book_lore.tcb"));
    EXPECT_EQ(ReadBytes(pair.templates), templatesBefore);
    EXPECT_NE(ReadBytes(pair.lore).find("description = \"changed\";"), std::string::npos);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST(Document, InheritedNumbersSurviveAnOpenAndASave) {
    SamplePair pair;
    ScriptedUi ui;
    HeadlessHost host;
    const MemorySettings settings;
    CTomecraftDoc doc(ui, host, settings);
    doc.ReadPair(pair.lore, pair.templates);
    doc.m_bTemplatesModified = true;
    doc.WriteModified();
    const std::string written = ReadBytes(pair.templates);
    // book_ferry_song inherits gold 0 and height 1 from its scroll base: nothing to repeat.
    const std::size_t ferry = written.find("[t:template,n:book_ferry_song]");
    ASSERT_NE(ferry, std::string::npos);
    const std::string section = written.substr(ferry, written.find("\r\n}\r\n", ferry) - ferry);
    EXPECT_EQ(section.find("gold_value"), std::string::npos) << section;
    EXPECT_EQ(section.find("inventory_height"), std::string::npos) << section;
    EXPECT_NE(section.find("can_sell = FALSE;"), std::string::npos) << section;

    // A second open and save changes nothing.
    doc.ReadPair(pair.lore, pair.templates);
    doc.m_bTemplatesModified = true;
    doc.WriteModified();
    EXPECT_EQ(ReadBytes(pair.templates), written);
}

} // namespace
} // namespace tc

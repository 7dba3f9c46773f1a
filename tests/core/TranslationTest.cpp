// The game's language files: kept byte for byte, both encodings, and translations that follow
// the English text through the history.
#include "TestSupport.h"

#include "document/FindingRows.h"
#include "document/TranslationStates.h"
#include "gasfiles/LanguageFile.h"
#include "tools/tomecraft-gas/GasCommands.h"

#include <sstream>

namespace tc::test {
namespace {

LanguageFile Parsed(const std::string& bytes, Diagnostics* found = nullptr) {
    Diagnostics ignored;
    Result<LanguageFile> file = LanguageFile::Parse(bytes, "de.gas", found ? *found : ignored);
    EXPECT_TRUE(file.HasValue()) << bytes;
    return file ? std::move(file).TakeValue() : LanguageFile(0);
}

std::string Entry(const std::string& from, const std::string& to, const std::string& le = "\n") {
    return "\t[0x0000]" + le + "\t{" + le + "\t\tfrom = \"" + from + "\";" + le + "\t\tto = \"" +
           to + "\";" + le + "\t}" + le;
}

std::string Section(const std::string& entries, const std::string& le = "\n") {
    return "[t:0x0407,n:text]" + le + "{" + le + entries + "}" + le;
}

// Files as people and other tools write them: whatever they hold reads and writes back as it was.
TEST(LanguageFile, WhatIsNotChangedIsWrittenBackByteForByte) {
    const std::string files[] = {
        Section(Entry("a", "b")),
        Section(Entry("one\r\ntwo", "eins\r\nzwei", "\r\n"), "\r\n"),
        "// head\n/* block\n comment */\n[other]\n{\n x = 1;\n}\n" +
            Section("  // stale\n" + Entry("a", "b") +
                    "\t[0x0001] { from=\"x\"; unknown = 7;\n"
                    "\t\t[nested] { to = \"no\"; } to = \"y\"; } // tail\n") +
            "trailing words",
        Section(Entry("no end", "open") + "\t]\n\t[0x0000]\n\t{\n\t\tfrom = \"only\";\n\t}\n"),
        Section("\t[0x0000]\n\t{\n\t\tfrom = \"a\";\n\t\tto = \"unterminated\n}\n"),
        "[t:0x0419,n:text]\r{\r" + Entry("r", "\xd1\x80", "\r") + "}",
    };
    for (const std::string& bytes : files) {
        SCOPED_TRACE(bytes);
        const LanguageFile file = Parsed(bytes);
        EXPECT_EQ(file.Text(), bytes);
    }
}

TEST(LanguageFile, TwoEncodingsEachReadAndWrittenAsTheGameTakesThem) {
    // The English text in Windows-1252 (é, and a byte it leaves undefined), the translation in
    // UTF-8 (Cyrillic and Greek); a book's line break is a real one in the file.
    const std::string from = "Caf\xe9\r\n\x81 end";
    const std::string to = "\xd0\x9a\xd0\xb0\xd1\x84\xd0\xb5 \xce\xba\xce\xb1\xcf\x86\xce\xad";
    LanguageFile file(0x0407);
    file.Append({from, to, false});
    file.Append({"quote \" and \\", "\"\xce\xb1\"\nzwei", true});
    const std::string written = file.Text();
    EXPECT_TRUE(Has(written, "from = \"Caf\xe9\r\n\x81 end\";"));
    EXPECT_TRUE(Has(written, "to = \"" + to + "\";"));
    EXPECT_TRUE(Has(written, "// stale\r\n\t[0x0000]"));
    const LanguageFile back = Parsed(written);
    ASSERT_EQ(back.Size(), 2U);
    EXPECT_EQ(back.Entry(0), file.Entry(0));
    EXPECT_EQ(back.Entry(1), file.Entry(1));
    EXPECT_EQ(back.Find(from), 0U); // the book's text, CR LF and all, finds its entry
    EXPECT_EQ(back.LanguageId(), 0x0407U);
    // A file with LF line ends matches the same text.
    EXPECT_EQ(Parsed(Section(Entry("a\nb", "x"))).Find("a\r\nb"), 0U);
}

TEST(LanguageFile, AChangedEntryIsTheOnlyChangeInTheFile) {
    // The kept English text has a line end of its own, which a writer would not make.
    const std::string before =
        "// mine\r\n" +
        Section(Entry("a\nb", "old", "\r\n") + "\t// mine too\r\n" + Entry("b", "keep", "\r\n"),
                "\r\n");
    LanguageFile file = Parsed(before);
    file.Set(0, {"a\r\nb", "new \xce\xb1", true});
    file.Append({"c", "", false});
    std::string expected = before;
    expected.replace(expected.find("\t[0x0000]"), 0, "\t// stale\r\n");
    expected.replace(expected.find("\"old\""), 5, "\"new \xce\xb1\"");
    expected.replace(expected.rfind("}"), 0, Entry("c", "", "\r\n"));
    EXPECT_EQ(file.Text(), expected);
}

TEST(LanguageFile, RepeatsAndMalformedEntriesAreReportedWithTheirLines) {
    Diagnostics found;
    const LanguageFile file = Parsed(
        Section(Entry("a", "x") + Entry("a", "x") + Entry("a", "y") + Entry("b", "") +
                Entry("b", "z") + "\t[0x0000]\n\t{\n\t\tto = \"t\";\n\t}\n" + Entry("c", "\xe9")),
        &found);
    std::vector<std::string> lines;
    for (const Diagnostic& d : found) {
        lines.push_back(std::to_string(d.line) + ": " + d.text);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "8: duplicate entry: the entry on line 3 has the same text and "
                         "translation",
                         "13: conflicting translations: the entry on line 3 gives the same text "
                         "another translation",
                         "28: the entry has no \"from\": it translates nothing",
                         "35: the translation is not UTF-8: it is read as Windows-1252"}));
    EXPECT_EQ(file.Entry(file.Find("b")).to, "z"); // the first that translates
    EXPECT_EQ(file.Entry(6).to, "\xc3\xa9");
    Diagnostics none;
    EXPECT_FALSE(LanguageFile::Parse("[lore]\n{\n}\n", "x.gas", none).HasValue());
}

// A pair with a German translation, as the editor holds it.
struct Translated : ::testing::Test {
    TestData data;
    LoreBook* oath = data.AddBook("oath", "Keep the gate.\r\nKeep the road.");
    LoreBook* song = data.AddBook("song", "Row.");
    Template* title = data.AddTemplate("book_oath");
    std::string read =
        Section(Entry("Keep the gate.\r\nKeep the road.", "Hüte das Tor.") + Entry("Oath", "Eid"));

    void SetUp() override {
        title->SetScreenName("Oath");
        data.SetTranslation(std::make_unique<LanguageFile>(Parsed(read)));
    }
    const LanguageFile& File() const { return *data.Translation(); }
    LoreBook With(const LoreBook& book, const std::string& text) {
        LoreBook values = book;
        values.SetText(text);
        return values;
    }
};

TEST_F(Translated, AChangedTextTakesItsTranslationAlongAsStaleAndUndoPutsTheBytesBack) {
    TranslationStates states(File(), {});
    states.Reset(data);
    EXPECT_EQ(ProgressText(0x0407, states.Counts()), "German: 1 of 2 books, 1 of 1 title");
    const std::string shown = TranslationOf(File(), *oath);
    ASSERT_TRUE(data.StoreBook(*oath, With(*oath, "Keep the gate."), &shown));
    EXPECT_EQ(StateOf(File(), *oath), TranslationState::Stale);
    EXPECT_TRUE(Has(File().Text(), "// stale\n\t[0x0000]\n\t{\n\t\tfrom = \"Keep the gate.\";"));
    EXPECT_TRUE(data.IsModified(DataFile::Translation));
    EXPECT_EQ(data.UndoName(), "Update 'oath'");
    // Storing it again, as it is, confirms it; typing a new one stores that.
    const std::string stale = TranslationOf(File(), *oath);
    ASSERT_TRUE(data.StoreBook(*oath, *oath, &stale));
    EXPECT_EQ(StateOf(File(), *oath), TranslationState::Translated);
    EXPECT_FALSE(Has(File().Text(), "stale"));
    const std::string typed = "\xd0\xa1\xd1\x82\xd0\xbe\xd1\x80\xd0\xbe\xd0\xb6";
    ASSERT_TRUE(data.StoreBook(*song, *song, &typed));
    EXPECT_EQ(data.UndoName(), "Translate 'song'");
    EXPECT_EQ(TranslationOf(File(), *song), typed);
    EXPECT_FALSE(data.StoreBook(*song, *song, &typed)); // nothing changes: no step
}

TEST_F(Translated, ATextSharedWithAnotherNodeKeepsItsEntryAndTheChangedOneGetsACopy) {
    data.StoreBook(*song, With(*song, "Keep the gate.\r\nKeep the road."));
    const std::size_t entries = File().Size();
    data.StoreBook(*oath, With(*oath, "Changed."), nullptr);
    EXPECT_EQ(File().Size(), entries + 1);
    EXPECT_EQ(StateOf(File(), *song), TranslationState::Translated);
    EXPECT_EQ(StateOf(File(), *oath), TranslationState::Stale);
    // A title follows its template's screen name the same way.
    Template renamed = *title;
    renamed.SetScreenName("The Oath");
    data.StoreTemplate(*title, renamed);
    EXPECT_EQ(TranslationOf(File(), *title), "Eid");
    EXPECT_EQ(StateOf(File(), *title), TranslationState::Stale);
    data.Undo();
    data.Undo();
    EXPECT_EQ(File().Size(), entries);
    EXPECT_EQ(StateOf(File(), *title), TranslationState::Translated);
}

// The editor's side: the language file beside the pair, read again when opened again, its
// findings listed with the pair's at the lines that mend them. (Typing and saving one: the GUI
// scenario.)
TEST(TranslationFile, OpenedAgainAndListedWhereEachFindingIsMended) {
    PairFolder pair;
    CopySamplePair(pair.lore, pair.templates);
    const std::string german = pair.dir / "german.gas";
    const std::string before = ReadBytes(SamplePath("language/german.gas"));
    WriteBytes(german, before);
    Editor editor;
    Document& doc = editor.doc;
    ASSERT_TRUE(doc.ReadPair(pair.lore, pair.templates).GetValue());
    ASSERT_TRUE(doc.OpenTranslation(german));
    ASSERT_TRUE(doc.OpenTranslation(german)); // again: read anew under the lock it holds
    EXPECT_EQ(doc.TranslationProgress(), "German: 2 of 4 books, 2 of 4 titles");
    FindingRows rows;
    rows.Reset(doc.ListedFindings(), doc.ListedDiagnostics(), pair.lore);
    std::vector<std::string> listed;
    for (std::size_t k = 0; k < rows.Size(); ++k) {
        if (Has(rows[k].finding.text, "German")) {
            listed.push_back(FsPath(rows[k].finding.path).filename().string() + ":" +
                             std::to_string(rows[k].finding.line));
        }
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"lore.gas:24", "german.gas:21",
                                                "trs_book_lore.gas:60", "trs_book_lore.gas:87"}));
}

std::string RunTranslations(const std::vector<std::string>& args, int& status) {
    std::ostringstream out, err;
    status = cli::RunGasTool(args, out, err);
    return out.str() + err.str();
}

TEST(TranslationsTool, CountsAsTheEditorAndExtractsWhatIsMissing) {
    TempDir dir;
    CopySamplePair(dir / "lore.gas", dir / "trs_book_lore.gas");
    // The sample with a second translation of a title: a conflict, listed once.
    const std::string german = dir / "german.gas";
    std::string sample = ReadBytes(SamplePath("language/german.gas"));
    sample.insert(sample.rfind("}"), Entry("Ferryman's Song", "F\xc3\xa4hrmannslied", "\r\n"));
    WriteBytes(german, sample);
    int status = 0;
    const std::string report = RunTranslations(
        {"translations", dir / "lore.gas", dir / "trs_book_lore.gas", german}, status);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(report.starts_with("German: 2 of 4 books, 2 of 4 titles\n")) << report;
    EXPECT_TRUE(Has(report, (dir / "lore.gas") +
                                ":24: warning: German text of abbey_founding is missing: \"In "
                                "the year of the long frost the monks \xe2\x80\xa6\"\n"));
    EXPECT_TRUE(Has(report, german + ":21: warning: German text of ledger_of_osric is stale"));
    const std::string conflict = ": warning: conflicting translations: the entry on line 31";
    EXPECT_TRUE(Has(report, conflict));
    EXPECT_EQ(report.find(conflict), report.rfind(conflict));
    const std::string out = dir / "missing.gas";
    RunTranslations({"translations", "--extract", out, "--lang", "fr", dir / "lore.gas",
                     dir / "trs_book_lore.gas", german},
                    status);
    const LanguageFile extracted = Parsed(ReadBytes(out));
    EXPECT_EQ(extracted.LanguageId(), 0x040cU);
    std::vector<std::string> froms;
    for (std::size_t k = 0; k < extracted.Size(); ++k) {
        froms.push_back(extracted.Entry(k).from.substr(0, 15) + "=" + extracted.Entry(k).to);
    }
    EXPECT_EQ(froms, (std::vector<std::string>{
                         "In the year of =", "The Founding of=", "Ledger of Osric="}));
}

} // namespace
} // namespace tc::test

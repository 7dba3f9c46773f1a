#include "TestSupport.h"

#include "document/CTomecraftDoc.h"
#include "platform/FileSystem.h"
#include "platform/FsPath.h"
#include "platform/MemorySettings.h"
#include "platform/Text.h"
#include "tools/tomecraft-gas/DumpJson.h"
#include "tools/tomecraft-gas/GasCommands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <sstream>

namespace tc {
namespace {

using test::Crlf;
using test::DataPath;
using test::ErrorOf;
using test::kMissingFolder;
using test::ReadBytes;
using test::SamplePath;
using test::TempDir;
using test::WriteBytes;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunGasTool(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(GasTool, UsageErrorsAndHelp) {
    EXPECT_EQ(RunTool({}).status, 2);
    EXPECT_EQ(RunTool({"frobnicate", "a", "b"}).status, 2);
    EXPECT_EQ(RunTool({"dump", "only-one"}).status, 2);
    EXPECT_EQ(RunTool({"dump", "a", "b", "c"}).status, 2);
    EXPECT_EQ(RunTool({"check", "--backup-dir", "x", "a", "b"}).status, 2);
    EXPECT_EQ(RunTool({"format", "a", "b", "--backup-dir"}).status, 2);
    EXPECT_EQ(RunTool({"format", "--backup-dir=", "lore.gas", "trs_book_lore.gas"}).status, 2);
    EXPECT_EQ(RunTool({"dump", "--frobnicate", "lore.gas", "trs_book_lore.gas"}).status, 2);
    for (const auto& args : {std::vector<std::string>{"--version"}, {"dump", "--version"}}) {
        const ToolRun version = RunTool(args);
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, "tomecraft-gas 1.0.0\n");
    }
    // After "--" a name that begins with "-" is a file.
    const ToolRun dashed = RunTool({"dump", "--", "-lore.gas", "-trs_book_lore.gas"});
    EXPECT_EQ(dashed.status, 1);
    EXPECT_NE(dashed.out.find("-lore.gas was not found."), std::string::npos);
    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tomecraft-gas COMMAND"), std::string::npos);
    const ToolRun formatHelp = RunTool({"format", "--help"});
    EXPECT_EQ(formatHelp.status, 0);
    EXPECT_NE(formatHelp.out.find("--backup-dir DIR"), std::string::npos);
}

// Pairs whose save would write one collection over the other, or back a file up over another.
TEST(GasTool, RefusesPairsThatAreNotTwoFiles) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#else
    TempDir dir;
    const std::string lore = dir / "lore.gas";
    const std::string templates = dir / "trs_book_lore.gas";
    WriteBytes(lore, "[lore]\n{\n}\n");
    WriteBytes(templates, "");
    std::filesystem::create_symlink(lore, dir / "linked_trs_book_lore.gas");
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink(dir.Path(), dir / "sub/up");
    const std::vector<std::vector<std::string>> refused = {
        {"format", lore, lore},
        {"format", lore, dir / "lore.tcb"},
        {"format", dir / "l", dir / "t"},
        {"format", templates, templates},
        {"format", lore, dir / "linked_trs_book_lore.gas"},
        {"dump", dir / "sub/up/lore.gas", lore},
        {"format", "--backup-dir", dir.Path(), templates, dir / "sub/up/trs_book_lore.gas"},
    };
    for (const auto& args : refused) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args[1] << " " << args[2];
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(ReadBytes(lore), "[lore]\n{\n}\n");
    EXPECT_FALSE(FileExists(dir / "lore.tcb"));
    EXPECT_EQ(RunTool({"format", templates, dir / "sub/trs_book_lore.gas"}).status, 1)
        << "a lore file named trs_book_lore.gas is still a lore file";
#endif
}

TEST(GasTool, DumpShowsWhatTheEditorReadsInUtf8) {
    const ToolRun run = RunTool({"dump", SamplePath("lore.gas"), SamplePath("trs_book_lore.gas")});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_TRUE(json["messages"].empty());
    ASSERT_EQ(json["books"].size(), 4u);
    EXPECT_EQ(json["books"][1]["name"], "abbey_founding");
    EXPECT_EQ(json["books"][1]["comment"], "The founding of the abbey");
    EXPECT_NE(json["books"][1]["text"].get<std::string>().find("abbey.\r\n\r\nThey"),
              std::string::npos);
    EXPECT_EQ(json["books"][3]["text"],
              "Osric owes three crowns to the caf\xC3\xA9. Paid in full \xE2\x80\x93 almost.");
    const auto& ferry = json["templates"][3];
    EXPECT_EQ(ferry["name"], "book_ferry_song");
    EXPECT_EQ(ferry["doc"], "ferryman's song");
    EXPECT_EQ(ferry["gold_value"], 0);
    EXPECT_EQ(ferry["inventory_height"], 1);
}

// Any bytes a file holds come out of dump as the JSON string of their text.
TEST(GasTool, DumpEscapesEveryByteAsJsonReadsItBack) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(round % 40), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(byte(rng));
        }
        std::string json;
        cli::AppendJsonString(json, bytes);
        ASSERT_EQ(nlohmann::json::parse(json).get<std::string>(), Cp1252ToUtf8(bytes));
    }
}

// Paths are UTF-8 and file texts Windows-1252: a message holding both garbles neither.
TEST(GasTool, DumpListsEveryMessageInOrder) {
    TempDir dir;
    const std::string folder = dir / "\xC5\x81ukasz"; // "Łukasz" in UTF-8
    std::filesystem::create_directory(FsPath(folder));
    WriteBytes(folder + "/trs_book_lore.gas", "[t:template,n:open\n");
    const ToolRun run =
        RunTool({"dump", folder + "/missing_lore.gas", folder + "/trs_book_lore.gas"});
    ASSERT_EQ(run.status, 1) << "a file could not be read, yet the JSON shows what was";
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["format"], 1);
    ASSERT_EQ(json["messages"].size(), 3u);
    EXPECT_TRUE(json["messages"][0].get<std::string>().starts_with("CTomecraftDoc:: error 2"));
#ifndef _WIN32 // under Wine the folder's name comes out encoded twice: not yet understood
    EXPECT_NE(json["messages"][0].get<std::string>().find("/\xC5\x81ukasz/missing_lore.gas"),
              std::string::npos)
        << json["messages"][0];
#endif
    EXPECT_TRUE(json["messages"][1].get<std::string>().starts_with(
        "TRS_BOOK_LORE.GAS invalid [template section] on line 1"));
    EXPECT_EQ(json["messages"][2], "TRS_BOOK_LORE.GAS missing closing '}' for untitled_1\n\n");
    EXPECT_EQ(json["templates"][0]["name"], "untitled_1");
}

// A hand-edited pair: format lists what a save would change and writes nothing; forced, it
// writes the sample pair (which is the same world as Save writes it) and backs up the originals.
// Saved in the editor after one edit, the file is what format --force makes of the original
// with that edit.
TEST(GasTool, FormatWritesBothFilesWithBackupsAndIsIdempotent) {
    TempDir dir;
    const std::string lore = dir / "lore.gas";
    const std::string templates = dir / "trs_book_lore.gas";
    const std::string originalLore = ReadBytes(DataPath("handedited_lore.gas"));
    WriteBytes(lore, originalLore);
    WriteBytes(templates, ReadBytes(DataPath("handedited_trs_book_lore.gas")));

    ToolRun run = RunTool({"format", lore, templates});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(lore + ":12: warning: saving joins the lines of description"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(lore), originalLore);
    run = RunTool({"check", lore, templates});
    EXPECT_NE(run.out.find(lore + ":1: warning: saving drops the comment \"Lore of the"),
              std::string::npos)
        << run.out;
    run = RunTool({"format", "--force", lore, templates});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir / "lore.tcb"), originalLore);
    EXPECT_EQ(ReadBytes(lore), ReadBytes(SamplePath("lore.gas")));
    EXPECT_EQ(ReadBytes(templates), ReadBytes(SamplePath("trs_book_lore.gas")));

    std::filesystem::create_directory(dir / "bak");
    const std::string formattedLore = ReadBytes(lore);
    const std::string formattedTemplates = ReadBytes(templates);
    run = RunTool({"format", "--backup-dir", dir / "bak", lore, templates});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(lore), formattedLore);
    EXPECT_EQ(ReadBytes(templates), formattedTemplates);
    EXPECT_EQ(ReadBytes(dir / "lore.tcb"), originalLore);

    // The editor: open the hand-edited pair, edit one book, Save, "Yes".
    TempDir edited;
    const std::string editedLore = edited / "lore.gas";
    WriteBytes(editedLore, originalLore);
    WriteBytes(edited / "trs_book_lore.gas", ReadBytes(DataPath("handedited_trs_book_lore.gas")));
    test::ScriptedUi ui;
    test::ScriptedHost host;
    const MemorySettings settings;
    CTomecraftDoc doc(ui, host, settings);
    host.openResult = OpenPaths{editedLore, edited / "trs_book_lore.gas"};
    doc.OnFileOpen();
    EXPECT_EQ(host.status, "Saving will change 2 places in lore.gas and 7 in "
                           "trs_book_lore.gas: View \x9B Reading Notes");
    CLoreBook& abbey = *doc.GetBooks()[1];
    ASSERT_EQ(abbey.GetName(), "abbey_founding");
    CLoreBook values = abbey;
    values.SetText("edited");
    doc.StoreBook(abbey, values);
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    doc.OnFileSave();
    EXPECT_EQ(ReadBytes(editedLore), originalLore) << "No keeps the file";
    doc.OnFileSave();
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text,
              "Save anyway? The changes are listed under View \x9B Reading Notes.");
    const std::size_t from = originalLore.find("description = \"In the");
    const std::size_t to = originalLore.find("\";", from) + 2;
    WriteBytes(lore, originalLore.substr(0, from) + "description = \"edited\";" +
                         originalLore.substr(to));
    ASSERT_EQ(RunTool({"format", "--force", lore, templates}).status, 0);
    EXPECT_EQ(ReadBytes(editedLore), ReadBytes(lore));
}

// Format writes nothing when a file cannot be read or backed up. The editor shows what reading
// reported before anyone saves; a pipeline has nobody to read it, so format writes nothing then
// either, unless forced. Binary garbage, or a file from another program, reads as nothing:
// rewriting it as an empty collection would throw it away.
TEST(GasTool, FormatWritesNothingUnlessEverythingWasReadCleanly) {
    const struct {
        std::optional<std::string> lore; // none: no such file
        std::vector<std::string> options;
        std::string error;
        bool forceWrites;
    } cases[] = {
        {std::nullopt, {}, "was not found.", false},
        {"[lore]\n{\n}\n",
         {"--force", "--backup-dir", "nowhere"},
         ErrorOf(kMissingFolder) + "writing the lore book file!",
         false},
        {Crlf("[lore]\n{\nbroken_name]\n{\ndescription = \"x\";\n}\n}\n"),
         {},
         "missing '[' or ']' on line 3",
         true},
        {std::string("\x7F"
                     "ELF\x02\x01\x01\x00garbage",
                     15),
         {},
         "LORE.GAS has no [lore] section",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        TempDir dir;
        const std::string lore = dir / "lore.gas";
        const std::string templates = dir / "trs_book_lore.gas";
        if (c.lore) {
            WriteBytes(lore, *c.lore);
        }
        const std::string templateBytes = ReadBytes(SamplePath("trs_book_lore.gas"));
        WriteBytes(templates, templateBytes);
        std::vector<std::string> args = {"format"};
        for (const std::string& option : c.options) {
            args.push_back(option == "nowhere" ? dir / option : option);
        }
        args.insert(args.end(), {lore, templates});
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(FileExists(lore), c.lore.has_value());
        EXPECT_EQ(ReadBytes(lore), c.lore.value_or(""));
        EXPECT_EQ(ReadBytes(templates), templateBytes);
        EXPECT_FALSE(FileExists(dir / "lore.tcb") || FileExists(dir / "trs_book_lore.tcb"));
        if (c.forceWrites) {
            const ToolRun forced = RunTool({"format", "--force", lore, templates});
            EXPECT_EQ(forced.status, 0) << forced.err;
            EXPECT_EQ(ReadBytes(dir / "lore.tcb"), *c.lore);
        }
    }
}

TEST(GasTool, CheckReportsNamingErrorsAndDanglingReferences) {
    TempDir dir;
    WriteBytes(dir / "lore.gas", Crlf("[lore]\n{\n[a]\n{\n}\n[a]\n{\n}\n[b]\n{\n}\n}\n"));
    WriteBytes(dir / "trs_book_lore.gas",
               Crlf("[t:template,n:base_ok]\n{\nspecializes = treasure;\n}\n"
                    "[t:template,n:loot]\n{\nspecializes = treasure;\n}\n"
                    "[t:template,n:base_wrong]\n{\nspecializes = base_ok;\n}\n"
                    "[t:template,n:book]\n{\nspecializes = BASE_OK;\n"
                    "screen_name = \"Book\";\n}\n"
                    "[t:template,n:book2]\n{\nspecializes = gone;\n"
                    "lore_key = A;\n}\n"
                    "[t:template,n:book3]\n{\nspecializes = base_ok;\n"
                    "lore_key = c;\n}\n"
                    "[t:template,n:book3]\n{\nspecializes = base_ok;\n}\n"));
    const ToolRun run = RunTool({"check", dir / "lore.gas", dir / "trs_book_lore.gas"});
    EXPECT_EQ(run.status, 1);
    const std::string lore = dir / "lore.gas:";
    const std::string templates = dir / "trs_book_lore.gas:";
    EXPECT_NE(run.out.find(lore + "3: warning: saving adds description = \"\"\n"),
              std::string::npos);
    EXPECT_TRUE(run.out.starts_with(
        lore + "6: error: duplicate book key \"a\" (2 times)\n" + templates +
        "28: error: duplicate template name \"book3\" (2 times)\n" + templates +
        "9: error: template \"base_wrong\" begins with \"base_\" but does not "
        "specialize treasure\n" +
        templates + "13: error: template \"book\" has a screen name but no lore key\n" + templates +
        "18: warning: template \"book2\" specializes \"gone\", which names no loaded "
        "template\n" +
        templates +
        "23: warning: template \"book3\" has lore key \"c\", which names no loaded "
        "book\n" +
        templates +
        "5: error: template \"loot\" specializes treasure but its name does not begin "
        "with \"base_\"\n"));

    const ToolRun clean =
        RunTool({"check", SamplePath("lore.gas"), SamplePath("trs_book_lore.gas")});
    EXPECT_EQ(clean.status, 0) << clean.out;
    EXPECT_EQ(clean.out, "");
}

} // namespace
} // namespace tc

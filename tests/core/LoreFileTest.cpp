#include "TestSupport.h"

#include "gasfiles/LoreFile.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

using test::Crlf;
using test::ScriptedUi;

struct LoreRead {
    BookList books;
    std::vector<std::string> messages;

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& b : books) {
            names.push_back(b->GetName());
        }
        return names;
    }
};

LoreRead ReadLore(const std::string& text) {
    Diagnostics found;
    MemorySource source(text);
    LoreRead result;
    ParseLoreFile(source, result.books, found);
    result.messages = test::MessageTexts(found);
    return result;
}

TEST(LoreReader, NeedsARootSectionOutsideComments) {
    EXPECT_TRUE(ReadLore("[book]\n{\ndescription = \"x\";\n}\n").books.empty());
    const auto commented = ReadLore("//      [lore]\n[book]\n{\n}\n");
    EXPECT_TRUE(commented.books.empty());
    EXPECT_EQ(
        commented.messages,
        std::vector<std::string>{"LORE.GAS has no [lore] section, so no books were read from it."});
    EXPECT_EQ(ReadLore("[LORE] {\n[a]\n{\n}\n}\n").Names(), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(ReadLore("").messages.empty()) << "an empty file is an empty world";
    EXPECT_TRUE(ReadLore("// only comments\n\n").messages.empty());
    EXPECT_EQ(ReadLore(std::string("\x00\x01\x7F\x45LF\x02", 8)).messages.size(), 1u);
}

// Other editors save with a byte-order mark, as UTF-16, or with CR alone ending each line.
TEST(LoreReader, TakesTheEncodingsAndLineEndsOfOtherEditors) {
    const std::string text = "[lore]\n{\n// caf\xE9\n[a]\n{\ndescription = \"x\";\n}\n}\n";
    const auto utf16 = [](const std::string& ascii, bool bigEndian, const std::u16string& extra) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        std::u16string units;
        for (unsigned char c : ascii) {
            units += static_cast<char16_t>(c);
        }
        units.insert(units.find(u'"') + 1, extra);
        for (char16_t unit : units) {
            const char hi = static_cast<char>(unit >> 8);
            const char lo = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
        }
        return bytes;
    };
    // "é", "€" and a character outside Windows-1252 (U+0141) and outside the BMP (U+1F600).
    const std::u16string extra = {0x00E9, 0x20AC, 0x0141, 0xD83D, 0xDE00};
    for (const std::string& variant :
         {"\xEF\xBB\xBF" + text, Crlf(text), ReplaceAll(text, "\n", "\r"),
          ReplaceAll(text, "\n", "\r\r\n")}) {
        const auto read = ReadLore(variant);
        ASSERT_EQ(read.Names(), std::vector<std::string>{"a"}) << variant;
        EXPECT_EQ(read.books[0]->GetComment(), "caf\xE9");
        EXPECT_TRUE(read.messages.empty());
    }
    for (bool bigEndian : {false, true}) {
        const auto read = ReadLore(utf16(Crlf(text), bigEndian, extra));
        ASSERT_EQ(read.Names(), std::vector<std::string>{"a"});
        EXPECT_EQ(read.books[0]->GetText(), "\xE9\x80??x");
        EXPECT_EQ(read.messages,
                  std::vector<std::string>{
                      "LORE.GAS is saved as UTF-16 text.  Tomecraft reads it as Windows-1252 text "
                      "and will save it that way.  Characters that Windows-1252 cannot hold were "
                      "read as '?'."});
    }
}

TEST(LoreReader, ReadsNamesTextsAndCommentsAsTheFileHoldsThem) {
    const auto read = ReadLore(Crlf("[lore]\n{\n"
                                    "  // first\n"
                                    "\t// second comment \n"
                                    "\t[ spaced ]\n\t{\n"
                                    "\t\tdescription = \"one\\ntwo\";\n"
                                    "\t\tother = \"ignored\";\n"
                                    "\t\tdescription = \"last wins\";\n"
                                    "\t}\n"
                                    "\t[][]\n\t{\n\t}\n"
                                    "\t]empty[\n\t{\n\t}\n"
                                    "\t[plain]\n\t{\n\t\tdescription = \"a\\nb\\\\nc\";\n\t}\n"
                                    // a text may run over lines, which join without separators
                                    "[tale]\n{\ndescription = \"Once upon\n   a time   \n"
                                    "// not text\nthere was\";\n}\n"
                                    // a closing brace anywhere closes the book
                                    "[a]\n{\ndescription = \"curly } text\";\n"
                                    "[b] { description = \"same line\"; }\n}\n"
                                    "}\n"
                                    "[after_root]\n{\n}\n"));
    ASSERT_EQ(read.Names(), (std::vector<std::string>{" spaced ", "", "", "plain", "tale", "a", "b",
                                                      "after_root"}));
    EXPECT_EQ(read.books[0]->GetText(), "last wins");
    EXPECT_EQ(read.books[0]->GetComment(), "second comment") << "lines are trimmed first";
    EXPECT_EQ(read.books[1]->GetText(), "");
    EXPECT_EQ(read.books[3]->GetText(), "a\r\nb\\\r\nc");
    EXPECT_EQ(read.books[4]->GetText(), "Once upona timethere was");
    EXPECT_EQ(read.books[4]->GetComment(), "not text");
    EXPECT_EQ(read.books[5]->GetText(), "curly } text");
    EXPECT_EQ(read.books[6]->GetText(), "") << "the header line is only tested for the brace";
    EXPECT_TRUE(read.messages.empty());
}

TEST(LoreReader, MalformedHeadersAndMissingBracesAreReportedNotLost) {
    std::string text = "[lore]\n{\n";
    for (int line = 3; line < 12; ++line) {
        text += "\n";
    }
    text += "  [broken  \n{\ndescription = \"kept\";\n}\n"; // line 12
    text += "// last comment\n[open]\n{\ndescription = \"unfinished";
    const auto read = ReadLore(text);
    ASSERT_EQ(read.Names(), (std::vector<std::string>{"untitled_12", "open"}));
    EXPECT_EQ(read.books[0]->GetText(), "kept");
    EXPECT_EQ(read.books[1]->GetText(), "unfinished");
    EXPECT_EQ(read.books[1]->GetComment(), "last comment");
    ASSERT_EQ(read.messages.size(), 2u);
    EXPECT_EQ(read.messages[0],
              "LORE.GAS missing '[' or ']' on line 12:\n\n[broken\n\nBook will be assigned a "
              "generic name to prevent data loss.  Please correct name before saving!");
    EXPECT_EQ(read.messages[1], "LORE.GAS missing closing '}' for open\n\n");
}

// The layout itself is pinned by the sample pair's golden output.
TEST(LoreWriter, EscapesLineEndsAndKeepsCommentsAsTheyAre) {
    BookList books;
    books.push_back(std::make_unique<LoreBook>());
    books.back()->SetName("tale");
    books.back()->SetComment("// about \\n the tale");
    books.back()->SetText("one\r\ntwo\\n");
    StringSink sink;
    EmitLoreFile(books, sink);
    EXPECT_TRUE(sink.Text().ends_with("[lore]\n{\n\t// about \\n the tale\n\t[tale]\n\t{\n"
                                      "\t\tdescription = \"one\\ntwo\\n\";\n\t}\n}\n"));
}

} // namespace
} // namespace tc

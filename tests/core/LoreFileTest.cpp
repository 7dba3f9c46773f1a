#include "TestSupport.h"

#include "gasfiles/LoreFile.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

// What a read gives: each book as name|comment|text on a line, then each message after "! ".
std::string ReadLore(const std::string& text) {
    Diagnostics found;
    MemorySource source(text);
    BookList books;
    ParseLoreFile(source, books, found);
    std::string read;
    for (const auto& b : books) {
        read += b->GetName() + "|" + b->GetComment() + "|" + b->GetText() + "\n";
    }
    for (const std::string& message : MessageTexts(found)) {
        read += "! " + message + "\n";
    }
    return read;
}

// Bytes of `ascii` as UTF-16 with its byte-order mark, `extra` put in after the first quote.
std::string Utf16(const std::string& ascii, bool bigEndian, const std::u16string& extra) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    std::u16string units;
    for (unsigned char c : ascii) {
        units += static_cast<char16_t>(c);
    }
    units.insert(units.find(u'"') + 1, extra);
    for (char16_t unit : units) {
        const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}

// Other editors save with a byte-order mark, as UTF-16, or with CR alone ending each line; a
// missing root, malformed headers and missing braces are reported, and no book is lost.
TEST(LoreReader, ReadsWhatTheFileHoldsAndReportsWhatIsWrong) {
    const std::string noRoot = "! LORE.GAS has no [lore] section, so no books were read from it.\n";
    const std::string text = "[lore]\n{\n// caf\xE9\n[a]\n{\ndescription = \"x\";\n}\n}\n";
    // "é", "€" and a character outside Windows-1252 (U+0141) and outside the BMP (U+1F600).
    const std::u16string extra = {0x00E9, 0x20AC, 0x0141, 0xD83D, 0xDE00};
    const std::string fromUtf16 =
        "a|caf\xE9|\xE9\x80??x\n! LORE.GAS is saved as UTF-16 text.  Tomecraft reads it as "
        "Windows-1252 text and will save it that way.  Characters that Windows-1252 cannot hold "
        "were read as '?'.\n";
    const struct Case {
        std::string text, read;
    } cases[] = {
        {"[book]\n{\ndescription = \"x\";\n}\n", noRoot},
        {"//      [lore]\n[book]\n{\n}\n", noRoot},
        {"[LORE] {\n[a]\n{\n}\n}\n", "a||\n"},
        {"", ""}, // an empty file is an empty world
        {"// only comments\n\n", ""},
        {std::string("\x00\x01\x7F\x45LF\x02", 8), noRoot},
        {"\xEF\xBB\xBF" + text, "a|caf\xE9|x\n"},
        {Crlf(text), "a|caf\xE9|x\n"},
        {ReplaceAll(text, "\n", "\r"), "a|caf\xE9|x\n"},
        {ReplaceAll(text, "\n", "\r\r\n"), "a|caf\xE9|x\n"},
        {Utf16(Crlf(text), false, extra), fromUtf16},
        {Utf16(Crlf(text), true, extra), fromUtf16},
        // Lines are trimmed first; the last description wins; a text may run over lines, which
        // join without separators; a closing brace anywhere closes the book; the header line is
        // only tested for the brace.
        {Crlf("[lore]\n{\n  // first\n\t// second comment \n\t[ spaced ]\n\t{\n"
              "\t\tdescription = \"one\\ntwo\";\n\t\tother = \"ignored\";\n"
              "\t\tdescription = \"last wins\";\n\t}\n\t[][]\n\t{\n\t}\n\t]empty[\n\t{\n\t}\n"
              "\t[plain]\n\t{\n\t\tdescription = \"a\\nb\\\\nc\";\n\t}\n"
              "[tale]\n{\ndescription = \"Once upon\n   a time   \n// not text\nthere was\";\n}\n"
              "[a]\n{\ndescription = \"curly } text\";\n[b] { description = \"same line\"; }\n}\n"
              "}\n[after_root]\n{\n}\n"),
         " spaced |second comment|last wins\n||\n||\nplain||a\r\nb\\\r\nc\n"
         "tale|not text|Once upona timethere was\na||curly } text\nb||\nafter_root||\n"},
        // A block comment hides what it holds; mixed line ends all end lines.
        {"[lore]\n{\n/* [old]\n{\ndescription = \"o\";\n} */\n[a] /* x */\n{\n}\n}\n", "a||\n"},
        {"[lore]\r{\r\t[book_a]\r\t{\r\t\tdescription = "
         "\"a\";\r\t}\n\t[book_b]\n\t{\n\t\tdescription = "
         "\"b\";\n\t}\n}\n",
         "book_a||a\nbook_b||b\n"},
        {"[lore]\n{\n" + std::string(9, '\n') + "  [broken  \n{\ndescription = \"kept\";\n}\n" +
             "// last comment\n[open]\n{\ndescription = \"unfinished",
         "untitled_12||kept\nopen|last comment|unfinished\n"
         "! LORE.GAS missing '[' or ']' on line 12:\n\n[broken\n\nBook will be assigned a generic "
         "name to prevent data loss.  Please correct name before saving!\n"
         "! LORE.GAS missing closing '}' for open\n\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadLore(c.text), c.read);
    }
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
} // namespace tc::test

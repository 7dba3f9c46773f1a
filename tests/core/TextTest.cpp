#include "platform/Text.h"
#include "platform/FileCause.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tc {
namespace {

TEST(Text, CaseFoldingCoversAsciiAndWindows1252Letters) {
    EXPECT_EQ(ToLower("BASE_Book"), "base_book");
    EXPECT_EQ(ToLower("\xC9\xD6\x8A\x9F"), "\xE9\xF6\x9A\xFF"); // É Ö Š Ÿ
    EXPECT_EQ(ToLower("\xD7"), "\xD7");                         // the multiplication sign
    EXPECT_TRUE(EqualsNoCase("Caf\xC9", "caf\xE9"));
    EXPECT_FALSE(EqualsNoCase("base_a", "base_ab"));
    // A path in UTF-8: whole characters fold; one outside the code page (\u0141) or a stray
    // byte is kept, so lowering never breaks a multi-byte character.
    EXPECT_EQ(ToLowerUtf8("C:\\Users\\\xC5\x81UKASZ\\\xC3\x89T\xC3\x89\xFF"),
              "c:\\users\\\xC5\x81ukasz\\\xC3\xA9t\xC3\xA9\xFF");
}

TEST(Text, TrimAndReplace) {
    EXPECT_EQ(TrimWhite(" \t\v\f x y \r\n"), "x y");
    EXPECT_EQ(TrimLeftWhite("  x "), "x ");
    EXPECT_EQ(ReplaceAll("a\\nb\\\\nc", "\\n", "\r\n"), "a\r\nb\\\r\nc");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
}

TEST(Text, Windows1252ConvertsToUtf8AndBack) {
    const std::string cp1252 = "caf\xE9 \x80 \x96 \x81";
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    EXPECT_EQ(utf8, "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x93 \xC2\x81");
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?"); // no such character in the code page
    EXPECT_EQ(Utf8ToCp1252("\xFF"), "?");
}

TEST(FileCause, TextsNameThePathOrAnUnnamedFile) {
    EXPECT_EQ(CauseText(FileCause::FileNotFound, "/x/lore.gas"), "/x/lore.gas was not found.");
    EXPECT_EQ(CauseText(FileCause::AccessDenied, ""), "Access to an unnamed file was denied.");
    EXPECT_EQ(CauseText(FileCause::BadSeek, "f"), "Seek failed on f");
    EXPECT_EQ(CauseText(FileCause::DiskFull, "f"), "Disk full while accessing f.");
    EXPECT_EQ(CauseText(CauseOfError(EROFS), "f"), "f is on a read-only file system.");
    EXPECT_EQ(CauseText(FileCause::None, "f"), "No error occurred.");
    EXPECT_EQ(CauseText(FileCause::EndOfFile, "f"),
              "An attempt was made to access f past its end.");
}

} // namespace
} // namespace tc

#include "platform/Text.h"
#include "platform/FileCause.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

TEST(Text, CaseFoldingCoversAsciiAndWindows1252Letters) {
    EXPECT_EQ(ToLower("BASE_Book"), "base_book");
    EXPECT_EQ(ToLower("\xC9\xD6\x8A\x9F"), "\xE9\xF6\x9A\xFF"); // É Ö Š Ÿ
    EXPECT_EQ(ToLower("\xD7"), "\xD7");                         // the multiplication sign
    EXPECT_TRUE(EqualsNoCase("Caf\xC9", "caf\xE9"));
    EXPECT_FALSE(EqualsNoCase("base_a", "base_ab"));
}

TEST(Text, LeadingIntegerParsesLikeAtoi) {
    EXPECT_EQ(ParseLeadingInt(" 3x"), 3);
    EXPECT_EQ(ParseLeadingInt("abc"), 0);
    EXPECT_EQ(ParseLeadingInt("\t-42;"), -42);
    EXPECT_EQ(ParseLeadingInt("+7"), 7);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("- 5"), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), -2147483647 - 1);
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
    EXPECT_EQ(CauseText(FileCause::None, "f"), "No error occurred.");
    EXPECT_EQ(CauseText(FileCause::EndOfFile, "f"),
              "An attempt was made to access f past its end.");
}

TEST(FileCause, SystemErrorsMapOntoCauses) {
    EXPECT_EQ(CauseFromErrno(ENOENT), FileCause::FileNotFound);
    EXPECT_EQ(CauseFromErrno(ENOTDIR), FileCause::BadPath);
    EXPECT_EQ(CauseFromErrno(EMFILE), FileCause::TooManyOpenFiles);
    EXPECT_EQ(CauseFromErrno(EACCES), FileCause::AccessDenied);
    EXPECT_EQ(CauseFromErrno(EBADF), FileCause::InvalidFile);
    EXPECT_EQ(CauseFromErrno(EIO), FileCause::HardIO);
    EXPECT_EQ(CauseFromErrno(ENOSPC), FileCause::DiskFull);
    EXPECT_EQ(CauseFromErrno(EFBIG), FileCause::DiskFull);
    EXPECT_EQ(CauseFromErrno(EXDEV), FileCause::Generic);
}

} // namespace
} // namespace tc

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

TEST(Nodes, CommentLosesItsMarkerAndLeadingBlanksOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"//  old text ", "old text "}, {"  // x", "// x"}, {"////x", "//x"}, {"//\t\r\n", ""}};
    for (const auto& [given, kept] : cases) {
        LoreBook book;
        book.SetComment(given);
        EXPECT_EQ(book.GetComment(), kept) << given;
    }
}

TEST(Nodes, DocTextFollowsTheLaterOfScreenNameAndBaseNameAndNumbersAreParsed) {
    Template tmpl;
    // {screen name or "" , name or "", doc after the change}
    const std::tuple<const char*, const char*, const char*> steps[] = {
        {"The Tome of Ages", "", "tome of ages"},
        {"Theory", "", "theory"},
        {"THE END", "", "end"},
        {"", "Base_book", "end"},
        {"", "base_Book", "base_book"},
        {"Caf\xC9", "", "caf\xE9"},
    };
    for (const auto& [screenName, name, doc] : steps) {
        *screenName != '\0' ? tmpl.SetScreenName(screenName) : tmpl.SetName(name);
        EXPECT_EQ(tmpl.GetDoc(), doc);
    }
    tmpl.SetInventoryWidth(" 3x");
    tmpl.SetInventoryHeight("-2");
    tmpl.SetGoldValue("abc");
    EXPECT_EQ(tmpl.GetInventoryWidth(), 3);
    EXPECT_EQ(tmpl.GetInventoryHeight(), -2);
    EXPECT_EQ(tmpl.GetGoldValue(), 0);
}

TEST(Collections, FindAndUniquenessDifferInCase) {
    TestData data;
    data.AddTemplate("other");
    Template* base = data.AddTemplate("base_book");
    data.AddTemplate("BASE_BOOK");
    EXPECT_EQ(data.FindTemplate("BASE_BOOK"), 1);
    EXPECT_EQ(data.FindTemplate("missing"), -1);
    EXPECT_TRUE(data.IsTemplateNameUnique("Base_Book", nullptr));
    EXPECT_FALSE(data.IsTemplateNameUnique("base_book", nullptr));
    EXPECT_TRUE(data.IsTemplateNameUnique("base_book", base));

    LoreBook* book = data.AddBook("key");
    EXPECT_TRUE(data.IsBookKeyUnique("KEY", nullptr));
    EXPECT_FALSE(data.IsBookKeyUnique("key", nullptr));
    EXPECT_TRUE(data.IsBookKeyUnique("key", book));
}

} // namespace
} // namespace tc::test

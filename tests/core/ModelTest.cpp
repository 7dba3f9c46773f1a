#include "TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tc {
namespace {

using test::TestData;

CLoreBook* AddBook(TestData& data, const std::string& key) {
    return data.Book(key);
}

CTemplate* AddTemplate(TestData& data, const std::string& name) {
    return data.Template(name);
}

std::vector<std::string> Names(const auto& nodes) {
    std::vector<std::string> names;
    for (const auto& node : nodes) {
        names.push_back(node->GetName());
    }
    return names;
}

TEST(Nodes, StartWithTheirInitialValues) {
    CLoreBook book;
    EXPECT_EQ(book.GetType(), NODE_LOREBOOK);
    EXPECT_EQ(book.GetText(), "");
    CTemplate tmpl;
    EXPECT_EQ(tmpl.GetType(), NODE_TEMPLATE);
    EXPECT_EQ(tmpl.GetInventoryWidth(), 1);
    EXPECT_EQ(tmpl.GetInventoryHeight(), 2);
    EXPECT_EQ(tmpl.GetGoldValue(), 1);
    EXPECT_EQ(tmpl.GetCategoryName(), "lorebook");
    EXPECT_EQ(tmpl.GetDoc(), "");
}

TEST(Nodes, CommentLosesItsMarkerAndLeadingBlanksOnly) {
    CLoreBook book;
    book.SetComment("//  old text ");
    EXPECT_EQ(book.GetComment(), "old text ");
    book.SetComment("  // x");
    EXPECT_EQ(book.GetComment(), "// x");
    book.SetComment("////x");
    EXPECT_EQ(book.GetComment(), "//x");
    book.SetComment("//\t\r\n");
    EXPECT_EQ(book.GetComment(), "");
}

TEST(Nodes, DocTextFollowsTheLaterOfScreenNameAndBaseName) {
    CTemplate tmpl;
    tmpl.SetScreenName("The Tome of Ages");
    EXPECT_EQ(tmpl.GetDoc(), "tome of ages");
    tmpl.SetScreenName("Theory");
    EXPECT_EQ(tmpl.GetDoc(), "theory");
    tmpl.SetScreenName("THE END");
    EXPECT_EQ(tmpl.GetDoc(), "end");
    tmpl.SetName("Base_book");
    EXPECT_EQ(tmpl.GetDoc(), "end");
    tmpl.SetName("base_Book");
    EXPECT_EQ(tmpl.GetDoc(), "base_book");
    tmpl.SetScreenName("Caf\xC9");
    EXPECT_EQ(tmpl.GetDoc(), "caf\xE9");
}

TEST(Nodes, NumbersAreParsedFromText) {
    CTemplate tmpl;
    tmpl.SetInventoryWidth(" 3x");
    tmpl.SetInventoryHeight("-2");
    tmpl.SetGoldValue("abc");
    EXPECT_EQ(tmpl.GetInventoryWidth(), 3);
    EXPECT_EQ(tmpl.GetInventoryHeight(), -2);
    EXPECT_EQ(tmpl.GetGoldValue(), 0);
}

TEST(Collections, FindAndUniquenessDifferInCase) {
    TestData data;
    AddTemplate(data, "other");
    CTemplate* base = AddTemplate(data, "base_book");
    AddTemplate(data, "BASE_BOOK");
    EXPECT_EQ(data.FindTemplate("BASE_BOOK"), 1);
    EXPECT_EQ(data.FindTemplate("missing"), -1);
    EXPECT_TRUE(data.IsTemplateNameUnique("Base_Book", nullptr));
    EXPECT_FALSE(data.IsTemplateNameUnique("base_book", nullptr));
    EXPECT_TRUE(data.IsTemplateNameUnique("base_book", base));

    CLoreBook* book = AddBook(data, "key");
    EXPECT_TRUE(data.IsBookKeyUnique("KEY", nullptr));
    EXPECT_FALSE(data.IsBookKeyUnique("key", nullptr));
    EXPECT_TRUE(data.IsBookKeyUnique("key", book));
    LoreData empty;
    EXPECT_TRUE(empty.IsBookKeyUnique("", nullptr));
}

TEST(Collections, SortsBooksByteWiseAndTemplatesBaseFirst) {
    TestData data;
    for (const char* key : {"b", "B", "a", "\xE9t\xE9", "Z"}) {
        AddBook(data, key);
    }
    data.SortBooks();
    EXPECT_EQ(Names(data.GetBooks()), (std::vector<std::string>{"B", "Z", "a", "b", "\xE9t\xE9"}));

    for (const char* name : {"zeta", "base_b", "Alpha", "base_a", "Base_c"}) {
        AddTemplate(data, name);
    }
    data.SortTemplates();
    EXPECT_EQ(Names(data.GetTemplates()),
              (std::vector<std::string>{"base_a", "base_b", "Alpha", "Base_c", "zeta"}));
}

TEST(Collections, EqualKeysEndInTheExchangeSortsOrder) {
    TestData data;
    CLoreBook* b1 = AddBook(data, "B");
    CLoreBook* b2 = AddBook(data, "B");
    CLoreBook* a = AddBook(data, "A");
    data.SortBooks();
    EXPECT_EQ(data.GetBooks()[0].get(), a);
    EXPECT_EQ(data.GetBooks()[1].get(), b2);
    EXPECT_EQ(data.GetBooks()[2].get(), b1);
}

} // namespace
} // namespace tc

#include "model/LoreData.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tc {
namespace {

CLoreBook* AddBook(LoreData& data, const std::string& key) {
    data.m_arrBooks.push_back(std::make_unique<CLoreBook>());
    data.m_arrBooks.back()->SetName(key);
    return data.m_arrBooks.back().get();
}

CTemplate* AddTemplate(LoreData& data, const std::string& name) {
    data.m_arrTemplates.push_back(std::make_unique<CTemplate>());
    data.m_arrTemplates.back()->SetName(name);
    return data.m_arrTemplates.back().get();
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
    LoreData data;
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

TEST(Collections, DeleteNodeSetsOnlyItsCollectionsFlag) {
    LoreData data;
    AddBook(data, "a");
    CLoreBook* b = AddBook(data, "b");
    AddBook(data, "c");
    CTemplate* t = AddTemplate(data, "t");

    EXPECT_FALSE(data.DeleteNode(NODE_TEMPLATE, b)); // not in that collection
    EXPECT_FALSE(data.DeleteNode(7, b));
    EXPECT_FALSE(data.m_bBooksModified);
    EXPECT_FALSE(data.m_bTemplatesModified);

    EXPECT_TRUE(data.DeleteNode(NODE_LOREBOOK, b));
    EXPECT_EQ(Names(data.m_arrBooks), (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(data.m_bBooksModified);
    EXPECT_FALSE(data.m_bTemplatesModified);

    EXPECT_TRUE(data.DeleteNode(NODE_TEMPLATE, t));
    EXPECT_TRUE(data.m_arrTemplates.empty());
    EXPECT_TRUE(data.m_bTemplatesModified);

    data.ClearData();
    EXPECT_TRUE(data.m_arrBooks.empty());
    EXPECT_FALSE(data.m_bBooksModified);
    EXPECT_FALSE(data.m_bTemplatesModified);
}

TEST(Collections, SortsBooksByteWiseAndTemplatesBaseFirst) {
    LoreData data;
    for (const char* key : {"b", "B", "a", "\xE9t\xE9", "Z"}) {
        AddBook(data, key);
    }
    data.SortBooks();
    EXPECT_EQ(Names(data.m_arrBooks), (std::vector<std::string>{"B", "Z", "a", "b", "\xE9t\xE9"}));

    for (const char* name : {"zeta", "base_b", "Alpha", "base_a", "Base_c"}) {
        AddTemplate(data, name);
    }
    data.SortTemplates();
    EXPECT_EQ(Names(data.m_arrTemplates),
              (std::vector<std::string>{"base_a", "base_b", "Alpha", "Base_c", "zeta"}));
}

TEST(Collections, EqualKeysEndInTheExchangeSortsOrder) {
    LoreData data;
    CLoreBook* b1 = AddBook(data, "B");
    CLoreBook* b2 = AddBook(data, "B");
    CLoreBook* a = AddBook(data, "A");
    data.SortBooks();
    EXPECT_EQ(data.m_arrBooks[0].get(), a);
    EXPECT_EQ(data.m_arrBooks[1].get(), b2);
    EXPECT_EQ(data.m_arrBooks[2].get(), b1);
}

} // namespace
} // namespace tc

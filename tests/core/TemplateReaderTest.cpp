#include "TestSupport.h"

#include "gasfiles/TemplateFile.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

using test::ScriptedUi;

struct TemplatesRead {
    TemplateList templates;
    std::vector<std::string> messages;

    const Template& operator[](std::size_t k) const { return *templates.at(k); }
};

TemplatesRead ReadTemplates(const std::string& text) {
    Diagnostics found;
    MemorySource source(text);
    TemplatesRead result;
    ParseTemplateFile(source, result.templates, found);
    result.messages = test::MessageTexts(found);
    return result;
}

TEST(ExtractBetween, TakesTheTrimmedValue) {
    EXPECT_EQ(ExtractBetween("gold_value = 12 ;", "=", ";"), "12");
    EXPECT_EQ(ExtractBetween("gold_value = 12", "=", ";"), "12");
    EXPECT_EQ(ExtractBetween("gold_value 12;", "=", ";"), "");
    EXPECT_EQ(ExtractBetween("a ; b = c", "=", ";"), "c");
    EXPECT_EQ(ExtractBetween("specializes = \"base\";", "=", ";"), "\"base\"");
    EXPECT_EQ(ExtractBetween("x = [y]", "[", "]"), "y");
    EXPECT_EQ(ExtractBetween("x = [y", "[", "]"), "");
}

TEST(TemplateReader, ReadsEveryKeyWhereverItStands) {
    const auto read =
        ReadTemplates("[t:template,n:book_one]\n{\n"
                      "\tspecializes = base_book;\n"
                      "\t[common]\n\t{\n\t\tscreen_name = \"  The Red Book \";\n\t}\n"
                      "\t[aspect]\n\t{\n"
                      "\t\tmodels = m_book;\n"
                      "\t\t[textures]\n\t\t{\n\t\t\tgold_value = 0;\n\t\t\t0 = b_tex ;\n\t\t}\n"
                      "\t}\n"
                      "\t[gui]\n\t{\n"
                      "\t\tinventory_height = 3\n"
                      "\t\tinventory_width;\n"
                      "\t\tinventory_icon = icon;\n"
                      "\t\tlore_key = red_book;\n"
                      "\t\tcategory_name = \"other\";\n"
                      "\t\tdoc = \"ignored\";\n"
                      "\t}\n"
                      "}\n");
    ASSERT_EQ(read.templates.size(), 1u);
    const Template& t = read[0];
    EXPECT_EQ(t.GetName(), "book_one");
    EXPECT_EQ(t.GetSpecializes(), "base_book");
    EXPECT_EQ(t.GetScreenName(), "The Red Book");
    EXPECT_EQ(t.GetDoc(), "red book");
    EXPECT_EQ(t.GetModel(), "m_book");
    EXPECT_EQ(t.GetTexture(), "b_tex");
    EXPECT_EQ(t.GetGoldValue(), 0) << "keys are tested before the textures entry";
    EXPECT_EQ(t.GetInventoryHeight(), 3);
    EXPECT_EQ(t.GetInventoryWidth(), 0) << "a key without '=' gives an empty value";
    EXPECT_EQ(t.GetInventoryIcon(), "icon");
    EXPECT_EQ(t.GetLoreKey(), "red_book");
    EXPECT_EQ(t.GetCategoryName(), "lorebook");
    EXPECT_TRUE(read.messages.empty());
}

TEST(TemplateReader, NamesAndDocsComeFromHeaderAndScreenName) {
    const auto read = ReadTemplates("[t:template,n:base_Book]\n{\n specializes = treasure;\n}\n"
                                    "[t:template,n:base_two]\n{\n specializes = treasure;\n"
                                    " screen_name = \"The Second\";\n}\n"
                                    "[t:template,n:]\n{\n}\n"
                                    "[t:template,n:x]{}\n}\n");
    ASSERT_EQ(read.templates.size(), 4u);
    EXPECT_EQ(read[0].GetDoc(), "base_book");
    EXPECT_EQ(read[1].GetDoc(), "second");
    EXPECT_EQ(read[2].GetName(), "");
    EXPECT_EQ(read[3].GetName(), "x") << "'{' wins on a line holding both braces";
}

TEST(TemplateReader, ReportsBadHeadersAndScreenNamesAndGoesOn) {
    const auto read = ReadTemplates("// file comment\n\n\n\n\n\n"
                                    "[t:template,name]\n{\n" // line 7
                                    "screen_name = Untitled;\n"
                                    "screen_name = \"Open to the end\n"
                                    "}\n"
                                    "[t:template,n:cut\n{\n");
    ASSERT_EQ(read.templates.size(), 2u);
    EXPECT_EQ(read[0].GetName(), "untitled_7");
    EXPECT_EQ(read[0].GetScreenName(), "Open to the end");
    EXPECT_EQ(read[0].GetComment(), "file comment");
    EXPECT_EQ(read[1].GetName(), "untitled_12");
    ASSERT_EQ(read.messages.size(), 4u);
    EXPECT_EQ(read.messages[0],
              "TRS_BOOK_LORE.GAS invalid [template section] on line 7:\n\n[t:template,name]\n\n"
              "Template will be assigned a generic name to prevent data loss.  Please correct "
              "name before saving!");
    EXPECT_EQ(read.messages[1],
              "TRS_BOOK_LORE.GAS invalid screen_name on line 9:\n\nscreen_name = Untitled;\n\n");
    EXPECT_EQ(read.messages[3], "TRS_BOOK_LORE.GAS missing closing '}' for untitled_12\n\n");
}

TEST(TemplateReader, AByteOrderMarkKeepsTheFirstCommentAndAnEmptyHarvestIsReported) {
    const auto read = ReadTemplates("\xEF\xBB\xBF// first\n[t:template,n:a]\n{\n}\n");
    EXPECT_EQ(read[0].GetComment(), "first");
    EXPECT_TRUE(read.messages.empty());
    EXPECT_TRUE(ReadTemplates("// nothing yet\n").messages.empty());
    EXPECT_EQ(ReadTemplates("[lore]\n{\n}\n").messages,
              std::vector<std::string>{"TRS_BOOK_LORE.GAS has no [t:template] section, so no "
                                       "templates were read from it."});
}

TEST(TemplateReader, AMissingBraceSwallowsTheTemplatesThatFollow) {
    const auto read = ReadTemplates("[t:template,n:first]\n{\n lore_key = a;\n"
                                    "[t:template,n:second]\n{\n lore_key = b;\n}\n"
                                    "// trailing comment\n");
    ASSERT_EQ(read.templates.size(), 1u);
    EXPECT_EQ(read[0].GetLoreKey(), "b");
    EXPECT_EQ(read[0].GetComment(), "trailing comment");
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0], "TRS_BOOK_LORE.GAS missing closing '}' for first\n\n");
}

TEST(TemplateReader, TexturesStateEndsWithItsTemplate) {
    const auto read = ReadTemplates("[t:template,n:a]\n{\n[textures]\n{\n1 = x;\n}\n}\n"
                                    "[t:template,n:b]\n{\n zero = 0;\n}\n"
                                    "[other]\n{\n lore_key = stray;\n}\n"
                                    "[t:template,n:c]\n{\n}\n");
    ASSERT_EQ(read.templates.size(), 3u);
    EXPECT_EQ(read[0].GetTexture(), "");
    EXPECT_EQ(read[1].GetTexture(), "");
    EXPECT_EQ(read[2].GetLoreKey(), "");
}

TEST(TemplateReader, OmittedNumbersComeFromTheLoadedParent) {
    const auto read =
        ReadTemplates("[t:template,n:book]\n{\n specializes = BASE_MID;\n}\n"
                      "[t:template,n:base_mid]\n{\n specializes = base_top;\n gold_value = 7;\n}\n"
                      "[t:template,n:base_top]\n{\n specializes = treasure;\n gold_value = 50;\n"
                      " inventory_width = 2;\n inventory_height = 3;\n}\n"
                      "[t:template,n:orphan]\n{\n specializes = not_loaded;\n}\n"
                      "[t:template,n:loop_a]\n{\n specializes = loop_b;\n}\n"
                      "[t:template,n:loop_b]\n{\n specializes = loop_a;\n inventory_width = 4;\n}\n"
                      "[t:template,n:self]\n{\n specializes = self;\n}\n"
                      "[t:template,n:base_plain]\n{\n specializes = treasure;\n}\n");
    ASSERT_EQ(read.templates.size(), 8u);
    const auto numbers = [](const Template& t) {
        return std::vector<int>{t.GetGoldValue(), t.GetInventoryWidth(), t.GetInventoryHeight()};
    };
    EXPECT_EQ(numbers(read[0]), (std::vector<int>{7, 2, 3})); // chain book → mid → top
    EXPECT_EQ(numbers(read[1]), (std::vector<int>{7, 2, 3}));
    EXPECT_EQ(numbers(read[2]), (std::vector<int>{50, 2, 3}));
    EXPECT_EQ(numbers(read[3]), (std::vector<int>{1, 1, 2})); // parent not loaded
    EXPECT_EQ(numbers(read[4]), (std::vector<int>{1, 4, 2})); // cycle, one value given
    EXPECT_EQ(numbers(read[5]), (std::vector<int>{1, 4, 2}));
    EXPECT_EQ(numbers(read[6]), (std::vector<int>{1, 1, 2})); // its own parent
    EXPECT_EQ(numbers(read[7]), (std::vector<int>{1, 1, 2})); // treasure keeps defaults
}

} // namespace
} // namespace tc

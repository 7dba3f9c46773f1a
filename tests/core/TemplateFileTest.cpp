// The template reader, and the writer's rules that the sample pair's golden output does not show.
#include "TestSupport.h"

#include "gasfiles/TemplateFile.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

// What a read gives: each template on a line as name|specializes|screen name|doc|model|texture|
// gold,width,height|icon|key|category|comment, then each message after "! ".
std::string ReadTemplates(const std::string& text) {
    Diagnostics found;
    MemorySource source(text);
    TemplateList templates;
    ParseTemplateFile(source, templates, found);
    std::string read;
    for (const auto& t : templates) {
        read += t->GetName() + "|" + t->GetSpecializes() + "|" + t->GetScreenName() + "|" +
                t->GetDoc() + "|" + t->GetModel() + "|" + t->GetTexture() + "|" +
                std::to_string(t->GetGoldValue()) + "," + std::to_string(t->GetInventoryWidth()) +
                "," + std::to_string(t->GetInventoryHeight()) + "|" + t->GetInventoryIcon() + "|" +
                t->GetLoreKey() + "|" + t->GetCategoryName() + "|" + t->GetComment() + "\n";
    }
    for (const std::string& message : MessageTexts(found)) {
        read += "! " + message + "\n";
    }
    return read;
}

TEST(ExtractBetween, TakesTheTrimmedValue) {
    const struct {
        const char *line, *open, *close, *value;
    } cases[] = {
        {"gold_value = 12 ;", "=", ";", "12"},
        {"gold_value = 12", "=", ";", "12"},
        {"gold_value 12;", "=", ";", ""},
        {"a ; b = c", "=", ";", "c"},
        {"x = [y]", "[", "]", "y"},
        {"x = [y", "[", "]", ""},
        {"specializes = \"base\";", "=", ";", "\"base\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractBetween(c.line, c.open, c.close), c.value) << c.line;
    }
}

TEST(TemplateReader, ReadsEveryKeyAndReportsWhatIsWrong) {
    const struct Case {
        std::string text, read;
    } cases[] = {
        // Every key wherever it stands: keys are tested before the textures entry, a key
        // without '=' gives an empty value, the category is always the lore book's.
        {"[t:template,n:book_one]\n{\n\tspecializes = base_book;\n"
         "\t[common]\n\t{\n\t\tscreen_name = \"  The Red Book \";\n\t}\n\t[aspect]\n\t{\n"
         "\t\tmodels = m_book;\n\t\t[textures]\n\t\t{\n\t\t\tgold_value = 0;\n\t\t\t0 = b_tex ;\n"
         "\t\t}\n\t}\n\t[gui]\n\t{\n\t\tinventory_height = 3\n\t\tinventory_width;\n"
         "\t\tinventory_icon = icon;\n\t\tlore_key = red_book;\n\t\tcategory_name = \"other\";\n"
         "\t\tdoc = \"ignored\";\n\t}\n}\n",
         "book_one|base_book|The Red Book|red book|m_book|b_tex|0,0,3|icon|red_book|lorebook|\n"},
        // Names and docs come from the header and the screen name; '{' wins on a line holding
        // both braces.
        {"[t:template,n:base_Book]\n{\n specializes = treasure;\n}\n"
         "[t:template,n:base_two]\n{\n specializes = treasure;\n"
         " screen_name = \"The Second\";\n}\n[t:template,n:]\n{\n}\n[t:template,n:x]{}\n}\n",
         "base_Book|treasure||base_book|||1,1,2|||lorebook|\n"
         "base_two|treasure|The Second|second|||1,1,2|||lorebook|\n||||||1,1,2|||lorebook|\n"
         "x||||||1,1,2|||lorebook|\n"},
        {"// file comment\n\n\n\n\n\n[t:template,name]\n{\nscreen_name = Untitled;\n"
         "screen_name = \"Open to the end\n}\n[t:template,n:cut\n{\n",
         "untitled_7||Open to the end|open to the end|||1,1,2|||lorebook|file comment\n"
         "untitled_12||||||1,1,2|||lorebook|\n"
         "! TRS_BOOK_LORE.GAS invalid [template section] on line 7:\n\n[t:template,name]\n\n"
         "Template will be assigned a generic name to prevent data loss.  Please correct name "
         "before saving!\n"
         "! TRS_BOOK_LORE.GAS invalid screen_name on line 9:\n\nscreen_name = Untitled;\n\n\n"
         "! TRS_BOOK_LORE.GAS invalid [template section] on line 12:\n\n[t:template,n:cut\n\n"
         "Template will be assigned a generic name to prevent data loss.  Please correct name "
         "before saving!\n"
         "! TRS_BOOK_LORE.GAS missing closing '}' for untitled_12\n\n\n"},
        // A byte-order mark keeps the first comment; an empty harvest is reported.
        {"\xEF\xBB\xBF// first\n[t:template,n:a]\n{\n}\n", "a||||||1,1,2|||lorebook|first\n"},
        {"// nothing yet\n", ""},
        {"[lore]\n{\n}\n",
         "! TRS_BOOK_LORE.GAS has no [t:template] section, so no templates were read from it.\n"},
        // A missing brace swallows the templates that follow.
        {"[t:template,n:first]\n{\n lore_key = a;\n[t:template,n:second]\n{\n lore_key = b;\n}\n"
         "// trailing comment\n",
         "first||||||1,1,2||b|lorebook|trailing comment\n"
         "! TRS_BOOK_LORE.GAS missing closing '}' for first\n\n\n"},
        // The textures state ends with its template.
        {"[t:template,n:a]\n{\n[textures]\n{\n1 = x;\n}\n}\n[t:template,n:b]\n{\n zero = 0;\n}\n"
         "[other]\n{\n lore_key = stray;\n}\n[t:template,n:c]\n{\n}\n",
         "a||||||1,1,2|||lorebook|\nb||||||1,1,2|||lorebook|\nc||||||1,1,2|||lorebook|\n"},
        // Omitted numbers come from the loaded parent: a chain, a parent not loaded, a cycle
        // with one value given, its own parent; treasure keeps the defaults.
        {"[t:template,n:book]\n{\n specializes = BASE_MID;\n}\n"
         "[t:template,n:base_mid]\n{\n specializes = base_top;\n gold_value = 7;\n}\n"
         "[t:template,n:base_top]\n{\n specializes = treasure;\n gold_value = 50;\n"
         " inventory_width = 2;\n inventory_height = 3;\n}\n"
         "[t:template,n:orphan]\n{\n specializes = not_loaded;\n}\n"
         "[t:template,n:loop_a]\n{\n specializes = loop_b;\n}\n"
         "[t:template,n:loop_b]\n{\n specializes = loop_a;\n inventory_width = 4;\n}\n"
         "[t:template,n:self]\n{\n specializes = self;\n}\n"
         "[t:template,n:base_plain]\n{\n specializes = treasure;\n}\n",
         "book|BASE_MID|||||7,2,3|||lorebook|\nbase_mid|base_top||base_mid|||7,2,3|||lorebook|\n"
         "base_top|treasure||base_top|||50,2,3|||lorebook|\n"
         "orphan|not_loaded|||||1,1,2|||lorebook|\nloop_a|loop_b|||||1,4,2|||lorebook|\n"
         "loop_b|loop_a|||||1,4,2|||lorebook|\nself|self|||||1,1,2|||lorebook|\n"
         "base_plain|treasure||base_plain|||1,1,2|||lorebook|\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadTemplates(c.text), c.read);
    }
}

Template& Add(TemplateList& list, const std::string& name, const std::string& specializes) {
    list.push_back(std::make_unique<Template>());
    list.back()->SetName(name);
    list.back()->SetSpecializes(specializes);
    return *list.back();
}

// The text written for template `index` alone.
std::string EmitOne(const TemplateList& list, std::size_t index) {
    StringSink sink;
    EmitTemplateFile(list, sink);
    const std::string all = sink.Text();
    const std::size_t start = all.find("[t:template,n:" + list[index]->GetName() + "]");
    return all.substr(start, all.find("\n}\n", start) + 3 - start);
}

Template& AddBase(TemplateList& list) {
    Template& base = Add(list, "base_book", "treasure");
    base.SetGoldValue("10");
    base.SetModel("m_book");
    base.SetInventoryIcon("icon_book");
    return base;
}

TEST(TemplateWriter, ABaseWritesWhatItHoldsAndOnlyATreasureBaseSpeaks) {
    TemplateList list;
    Template& base = AddBase(list);
    base.SetGoldValue("0");
    base.SetInventoryWidth("0");
    base.SetInventoryHeight("0");
    base.SetSpecializes("my_treasure_chest");
    const std::string free = EmitOne(list, 0);
    for (const char* part :
         {"\t\tgold_value = 0;\n", "\t\tis_lorebook = TRUE;\n\t\tcan_sell = FALSE;\n\t}\n",
          "\t\tinventory_height = 0;\n\t\tinventory_width = 0;\n", "[voice]"}) {
        EXPECT_NE(free.find(part), std::string::npos) << part; // 0 reads back
    }

    base.SetSpecializes("Treasure"); // not treasure-based, and no such template: no parent
    EXPECT_EQ(EmitOne(list, 0).find("[voice]"), std::string::npos);
}

TEST(TemplateWriter, ABookRepeatsOnlyWhatDiffersFromItsBaseIgnoringCaseButTheGuiBlockExactly) {
    TemplateList list;
    AddBase(list).SetLoreKey("shared");
    Template& book = Add(list, "book_red", "BASE_BOOK");
    book.SetGoldValue("10");
    book.SetModel("M_BOOK");
    book.SetInventoryIcon("ICON_BOOK");
    book.SetLoreKey("SHARED");
    EXPECT_EQ(EmitOne(list, 1), "[t:template,n:book_red]\n{\n"
                                "\tdoc = \"book_red\";\n"
                                "\tspecializes = BASE_BOOK;\n"
                                "\t[gui]\n\t{\n\t\tlore_key = SHARED;\n\t}\n"
                                "}\n")
        << "the reader never inherits a lore key, so it is always written";
}

TEST(TemplateWriter, ATemplateWithoutALoadedParentWritesEveryValue) {
    TemplateList list;
    Add(list, "orphan", "base_elsewhere").SetLoreKey("k");
    EXPECT_EQ(EmitOne(list, 0),
              "[t:template,n:orphan]\n{\n"
              "\tcategory_name = \"lorebook\";\n"
              "\tdoc = \"orphan\";\n"
              "\tspecializes = base_elsewhere;\n"
              "\t[aspect]\n\t{\n\t\tgold_value = 1;\n\t}\n"
              "\t[gui]\n\t{\n"
              "\t\tlore_key = k;\n\t\tinventory_height = 2;\n\t\tinventory_width = 1;\n"
              "\t}\n"
              "}\n");

    Add(list, "empty_parent", ""); // an empty specializes value names no template
    EXPECT_NE(EmitOne(list, 1).find("\tspecializes = ;\n\t[aspect]"), std::string::npos);
}

} // namespace
} // namespace tc::test

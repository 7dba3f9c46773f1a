// The writer's rules that the sample pair's golden output does not show.
#include "TestSupport.h"

#include "gasfiles/TemplateFile.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

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
    EXPECT_NE(free.find("\t\tgold_value = 0;\n"), std::string::npos);
    EXPECT_NE(free.find("\t\tis_lorebook = TRUE;\n\t\tcan_sell = FALSE;\n\t}\n"),
              std::string::npos);
    EXPECT_NE(free.find("\t\tinventory_height = 0;\n\t\tinventory_width = 0;\n"), std::string::npos)
        << "0 reads back";
    EXPECT_NE(free.find("[voice]"), std::string::npos);

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
} // namespace tc

#include "TestSupport.h"

#include "gasfiles/TemplateFile.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

const std::string kHeader = "// Trs_book_lore.gas generated using Tomecraft by Brindlemoor.  "
                            "https://brindlemoor.org/tomecraft\n\n";

CTemplate& Add(TemplateList& list, const std::string& name, const std::string& specializes) {
    list.push_back(std::make_unique<CTemplate>());
    list.back()->SetName(name);
    list.back()->SetSpecializes(specializes);
    return *list.back();
}

std::string Emit(const TemplateList& list) {
    StringSink sink;
    EmitTemplateFile(list, sink);
    return sink.Text();
}

// The text written for template `index` alone.
std::string EmitOne(const TemplateList& list, std::size_t index) {
    const std::string all = Emit(list);
    const std::string head = "[t:template,n:" + list[index]->GetName() + "]";
    std::size_t start = all.find(head);
    const std::size_t comment = all.rfind("\n// ", start);
    if (!list[index]->GetComment().empty() && comment != std::string::npos) {
        start = comment + 1;
    }
    const std::size_t end = all.find("\n}\n", start);
    return all.substr(start, end + 3 - start);
}

CTemplate& AddBase(TemplateList& list) {
    CTemplate& base = Add(list, "base_book", "treasure");
    base.SetGoldValue("10");
    base.SetModel("m_book");
    base.SetTexture("b_book");
    base.SetInventoryIcon("icon_book");
    return base;
}

TEST(TemplateWriter, EmptyCollectionIsJustTheHeader) {
    EXPECT_EQ(Emit({}), kHeader);
}

TEST(TemplateWriter, TreasureBasedTemplateIsWrittenInFull) {
    TemplateList list;
    CTemplate& base = AddBase(list);
    base.SetComment("// the base");
    base.SetLoreKey("key");
    EXPECT_EQ(EmitOne(list, 0), "// the base\n"
                                "[t:template,n:base_book]\n{\n"
                                "\tcategory_name = \"lorebook\";\n"
                                "\tdoc = \"base_book\";\n"
                                "\tspecializes = treasure;\n"
                                "\t[aspect]\n\t{\n"
                                "\t\tgold_value = 10;\n"
                                "\t\tmodel = m_book;\n"
                                "\t\t[textures]\n\t\t{\n\t\t\t0 = b_book;\n\t\t}\n"
                                "\t\t[voice]\n\t\t{\n\t\t\t[put_down]\n\t\t\t{\n"
                                "\t\t\t\t* = s_e_gui_put_down_book\n\t\t\t}\n\t\t}\n"
                                "\t}\n"
                                "\t[gui]\n\t{\n"
                                "\t\tlore_key = key;\n"
                                "\t\tinventory_height = 2;\n"
                                "\t\tinventory_width = 1;\n"
                                "\t\tinventory_icon = icon_book;\n"
                                "\t\tis_lorebook = TRUE;\n"
                                "\t}\n"
                                "}\n");

    base.SetGoldValue("0");
    base.SetInventoryWidth("0");
    base.SetSpecializes("my_treasure_chest");
    const std::string free = EmitOne(list, 0);
    EXPECT_NE(free.find("\t\tgold_value = 0;\n"), std::string::npos);
    EXPECT_NE(free.find("\t\tis_lorebook = TRUE;\n\t\tcan_sell = FALSE;\n\t}\n"),
              std::string::npos);
    EXPECT_EQ(free.find("inventory_width"), std::string::npos);

    base.SetSpecializes("Treasure"); // not treasure-based, and no such template: no parent
    EXPECT_EQ(EmitOne(list, 0).find("[voice]"), std::string::npos);
}

TEST(TemplateWriter, BookTemplateRepeatsOnlyWhatDiffersFromItsBase) {
    TemplateList list;
    AddBase(list);
    CTemplate& book = Add(list, "book_red", "BASE_BOOK");
    book.SetScreenName("The Red Book");
    book.SetLoreKey("red");
    book.SetGoldValue("10");
    book.SetModel("M_BOOK"); // differs only in case: inherited
    EXPECT_EQ(EmitOne(list, 1), "[t:template,n:book_red]\n{\n"
                                "\tdoc = \"red book\";\n"
                                "\tspecializes = BASE_BOOK;\n"
                                "\t[common]\n\t{\n\t\tscreen_name = \"The Red Book\";\n\t}\n"
                                "\t[gui]\n\t{\n\t\tlore_key = red;\n\t}\n"
                                "}\n");

    book.SetGoldValue("0");
    book.SetInventoryHeight("3");
    book.SetTexture("b_red");
    EXPECT_EQ(EmitOne(list, 1), "[t:template,n:book_red]\n{\n"
                                "\tdoc = \"red book\";\n"
                                "\tspecializes = BASE_BOOK;\n"
                                "\t[aspect]\n\t{\n"
                                "\t\tgold_value = 0;\n"
                                "\t\t[textures]\n\t\t{\n\t\t\t0 = b_red;\n\t\t}\n"
                                "\t}\n"
                                "\t[common]\n\t{\n\t\tscreen_name = \"The Red Book\";\n\t}\n"
                                "\t[gui]\n\t{\n"
                                "\t\tlore_key = red;\n"
                                "\t\tinventory_height = 3;\n"
                                "\t\tcan_sell = FALSE;\n"
                                "\t}\n"
                                "}\n");
}

TEST(TemplateWriter, GuiBlockComparesExactlyButLinesIgnoreCase) {
    TemplateList list;
    AddBase(list).SetLoreKey("shared");
    CTemplate& book = Add(list, "book", "base_book");
    book.SetGoldValue("10");
    book.SetInventoryIcon("ICON_BOOK");
    book.SetLoreKey("SHARED");
    EXPECT_EQ(EmitOne(list, 1), "[t:template,n:book]\n{\n"
                                "\tdoc = \"book\";\n"
                                "\tspecializes = base_book;\n"
                                "\t[gui]\n\t{\n\t}\n"
                                "}\n");
}

TEST(TemplateWriter, TemplateWithoutLoadedParentWritesEveryValue) {
    TemplateList list;
    CTemplate& orphan = Add(list, "orphan", "base_elsewhere");
    orphan.SetLoreKey("k");
    const std::string text = EmitOne(list, 0);
    EXPECT_EQ(text, "[t:template,n:orphan]\n{\n"
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

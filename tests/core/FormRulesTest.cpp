// The rules of the lore book form and the template form, without windows.
#include "rules/LoreBookFormRules.h"
#include "rules/TemplateFormRules.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

TEST(LoreBookForm, UpdateChecksThenStoresAnyChangeAsOneStep) {
    TestData data;
    LoreBook* book = data.AddBook("tale", "old");
    data.AddBook("other");
    LoreBookFormRules form(data);
    EXPECT_EQ(form.Refresh().key, "");
    EXPECT_TRUE(form.Update({"", "", ""}).verdict.accepted) << "no book: nothing to do";

    form.SetBook(book);
    EXPECT_EQ(form.Refresh().text, "old");
    auto result = form.Update({"  ", "x", ""});
    EXPECT_EQ(result.verdict.message, "You must specify the lore key of this book!");
    EXPECT_EQ(result.verdict.focusControl, ControlId::NameField);
    EXPECT_EQ(form.Update({"other", "x", ""}).verdict.message,
              "Lore key must be unique!  Please select another lore key for this book!");
    // What the file would not give back is refused, saying what and where.
    const struct {
        std::string key, text;
        ControlId control;
        const char* message;
    } unreadable[] = {
        {"tale}", "x", ControlId::NameField, "The lore key cannot hold the braces"},
        {"tale]", "x", ControlId::NameField,
         "The lore key holds ] in 'tale]'; the game files end a book's name there.  Please "
         "change it!"},
        {"[tale", "x", ControlId::NameField, "The lore key holds [ in '[tale'"},
        {"book/*c", "x", ControlId::NameField,
         "The lore key holds /* in 'book/*c'; the game files take it for the start of a "
         "comment."},
        {"tale", "Saved to C:\\new\\temp", ControlId::TextField,
         "The book text holds \\n in 'Saved to C:\\new\\temp'; the game shows that as a "
         "line break.  Please change it!"},
        {"tale", std::string(40, 'a') + "\\n" + std::string(40, 'b'), ControlId::TextField,
         "The book text holds \\n in '...aaaaaaaaaaaaaaaaaaaaaaaa\\nbbbbbbbbbbbbbbbbbbbbbbbb...'"},
    };
    for (const auto& row : unreadable) {
        SCOPED_TRACE(row.key);
        result = form.Update({row.key, row.text, ""});
        EXPECT_EQ(result.verdict.focusControl, row.control);
        EXPECT_EQ(result.verdict.message.rfind(row.message, 0), 0u) << result.verdict.message;
    }
    result = form.Update({"renamed", "", ""});
    EXPECT_EQ(result.verdict.message, "You must specify the text (story) for this Book!");
    EXPECT_EQ(result.verdict.focusControl, ControlId::TextField);
    EXPECT_EQ(book->GetName(), "tale") << "a refused Update stores nothing";

    // Unchanged values make no step: the control gives the text back with "\n" line ends.
    book->SetText("one\r\ntwo");
    form.SetBook(book);
    auto shown = form.Refresh();
    shown.text = "one\ntwo";
    EXPECT_FALSE(form.Update(shown, FormStore::Typing).stored);
    EXPECT_FALSE(form.Update(shown).renamed);
    EXPECT_FALSE(data.IsModified());
    shown.comment = "note";
    form.Update(shown);
    EXPECT_EQ(data.UndoName(), "Update 'tale'") << "a comment alone counts";
    data.Undo();

    result = form.Update({"  my book ", "say \"hi\"\nnext\r\nlast\rend", "// in the tower"});
    ASSERT_TRUE(result.verdict.accepted);
    EXPECT_TRUE(result.renamed);
    EXPECT_EQ(book->GetName(), "my_book_");
    EXPECT_EQ(book->GetText(), "say 'hi'\r\nnext\r\nlast\r\nend");
    EXPECT_EQ(book->GetComment(), "in the tower");
    EXPECT_EQ(data.UndoName(), "Rename 'tale' to 'my_book_'");
    EXPECT_EQ(data.RedoName(), "");
    EXPECT_TRUE(data.IsModified(DataFile::Lore));
    EXPECT_FALSE(data.IsModified(DataFile::Templates));
    EXPECT_TRUE(form.Update({"OTHER", "x", ""}).verdict.accepted)
        << "keys differing in case are distinct";
    data.Undo();
    EXPECT_EQ(data.RedoName(), "Rename 'my_book_' to 'OTHER'");
}

struct TemplateWorld {
    TestData data;
    Template* base = data.AddTemplate("base_book", "treasure");
    Template* scroll = data.AddTemplate("base_scroll", "treasure");
    Template* book = data.AddTemplate("book_red", "base_book");
    TemplateWorld() {
        base->SetModel("m_book");
        base->SetTexture("t_book");
        base->SetInventoryIcon("i_book");
        scroll->SetModel("m_scroll");
        scroll->SetTexture("t_scroll");
        data.AddBook("red");
        data.AddBook("Blue");
        book->SetLoreKey("RED");
        book->SetScreenName("The Red Book");
    }
};

TEST(TemplateForm, RefreshFillsListsSelectsByExactNameAndFollowsTheBase) {
    TemplateWorld w;
    w.data.AddTemplate("Base_upper", "treasure");
    w.data.AddTemplate("base_book_long", "treasure");
    TemplateFormRules form(w.data);
    form.SetTemplate(w.book);
    EXPECT_EQ(
        form.specializesList.Entries(),
        (std::vector<std::string>{"(treasure)", "base_book", "base_book_long", "base_scroll"}));
    EXPECT_EQ(form.specializesList.Selection(), 1);
    EXPECT_EQ(form.loreKeyList.Entries(), (std::vector<std::string>{"(None)", "Blue", "red"}));
    EXPECT_EQ(form.loreKeyList.Selection(), 2) << "the key matches ignoring case";
    EXPECT_FALSE(form.m_readOnly);
    EXPECT_EQ(form.fields.model, "m_book") << "an empty field follows the base";

    form.SetTemplate(w.base);
    EXPECT_EQ(form.specializesList.Selection(), 0);
    EXPECT_EQ(form.specializesList.Find("base_book", [](auto& a, auto b) { return a == b; }), -1)
        << "a template is never offered as its own base";

    // Deleting a book names the templates that name it, as the form picks the book.
    const LoreBook* red = w.data.GetBooks().front();
    w.data.AddTemplate("book_red_2", "base_book")->SetLoreKey("red");
    EXPECT_EQ(w.data.DeleteQuestion(*red),
              "Delete red?\n\n2 templates name this book: book_red, book_red_2.");
    EXPECT_EQ(w.data.DeleteQuestion(*w.book), "Delete book_red?");

    // Keys that differ only in case are two books: the one named byte for byte wins.
    w.data.AddBook("Red");
    w.book->SetLoreKey("Red");
    EXPECT_EQ(w.data.DeleteQuestion(*red),
              "Delete red?\n\n1 template names this book: book_red_2.");
    for (const std::string key : {"Red", "red", "RED"}) {
        w.book->SetLoreKey(key);
        form.SetTemplate(w.book);
        EXPECT_EQ(form.loreKeyList.EditText(), key == "RED" ? "red" : key);
    }

    w.book->SetLoreKey("re"); // only a prefix of a loaded key
    form.SetTemplate(w.book);
    EXPECT_TRUE(form.m_readOnly);

    // The list follows renamed books, though it is kept from one template to the next.
    LoreBook renamed = *w.data.GetBooks().front();
    renamed.SetName("Amber");
    w.data.StoreBook(*w.data.GetBooks().front(), renamed);
    form.SetTemplate(w.book);
    EXPECT_EQ(form.loreKeyList.At(1), "Amber");
    EXPECT_EQ(form.loreKeyList.EditText(), "re");
    EXPECT_FALSE(form.EnableState().bookTitle);
    EXPECT_TRUE(form.EnableState().properties);

    form.SetTemplate(nullptr);
    EXPECT_FALSE(form.EnableState().name);
    EXPECT_EQ(form.fields.name, "");

    // A base change replaces only what followed the old base.
    form.SetTemplate(w.data.AddTemplate("book_new", ""));
    EXPECT_EQ(form.specializesList.Selection(), -1);
    EXPECT_FALSE(form.EnableState().properties) << "gray until a base is chosen";

    form.specializesList.Select(0);
    form.OnSelChangeSpecializes();
    EXPECT_EQ(form.fields.inventoryIcon, "b_gui_ig_i_it_lore-book");
    EXPECT_EQ(form.fields.model, "m_i_glb_book-magic");
    EXPECT_EQ(form.fields.texture, "b_i_glb_book-lore");

    form.specializesList.Select(1); // base_book replaces the defaults
    form.OnSelChangeSpecializes();
    EXPECT_EQ(form.fields.model, "m_book");
    form.fields.texture = "my_texture";
    form.specializesList.Select(3); // base_scroll: the inherited model follows, typing stays
    form.OnSelChangeSpecializes();
    EXPECT_EQ(form.fields.model, "m_scroll");
    EXPECT_EQ(form.fields.texture, "my_texture");
    EXPECT_EQ(form.LastBase(), w.scroll);

    w.data.DeleteNode(w.scroll);
    EXPECT_EQ(form.LastBase(), nullptr) << "never left pointing at a deleted template";
}

TEST(TemplateForm, UpdateRunsEveryCheckBeforeStoringAnything) {
    TemplateWorld w;
    TemplateFormRules form(w.data);
    form.SetTemplate(w.book);

    form.specializesList.Select(0);
    auto result = form.Update();
    EXPECT_EQ(result.verdict.message,
              "Tomecraft requires templates based on the 'treasure' template to be named "
              "starting with 'base_' as in 'base_lore_name.'");
    form.specializesList.Select(1);
    // Names the rules refuse, and what the file would not give back: refused, saying what and
    // where, storing nothing.
    using F = TemplateFormRules::Fields;
    const struct {
        std::string F::*field;
        const char* typed;
        ControlId control;
        const char* message;
    } refused[] = {
        {&F::name, "base_red", ControlId::NameField,
         "Tomecraft requires templates NOT based on the 'treasure' template to be named start the "
         "template with something other than 'base_' as in 'book_glb_name.'"},
        {&F::name, "base_scroll", ControlId::NameField,
         "Template name must be unique!  Please select another name for this template!"},
        {&F::name, " ", ControlId::NameField, "You must specify a name for this template!"},
        {&F::bookTitle, "A History {II}", ControlId::TextField,
         "The book title cannot hold the braces"},
        {&F::model, "m_{x}", ControlId::ModelField, "The model cannot hold the braces"},
        {&F::name, "book_{x}", ControlId::NameField, "The template name cannot hold the braces"},
        {&F::name, "book]red", ControlId::NameField,
         "The template name holds ] in 'book]red'; the game files end a template's name there."},
        {&F::bookTitle, "The \"Red\" Book", ControlId::TextField,
         "The book title holds \" in 'The \"Red\" Book'; the game files end the title there."},
        {&F::texture, "t_a;b", ControlId::TextureField,
         "The texture holds ; in 't_a;b'; the game files end the value there."},
        {&F::inventoryIcon, "i;", ControlId::InventoryIconField, "The inventory icon holds ;"},
        {&F::name, "book_w/*x", ControlId::NameField, "The template name holds /* in"},
        {&F::texture, "t//x", ControlId::TextureField, "The texture holds // in 't//x'"},
        {&F::goldValue, "99999999999", ControlId::GoldValueField,
         "The gold value 99999999999 lies beyond 2147483647, the furthest a number in the game "
         "files can go.  Please enter a smaller number!"},
        {&F::inventoryWidth, "-2147483649", ControlId::InventoryWidthField,
         "The inventory width -2147483649 lies beyond -2147483648"},
        {&F::inventoryHeight, "4294967296", ControlId::InventoryHeightField,
         "The inventory height 4294967296 lies beyond"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.typed);
        const std::string kept = form.fields.*row.field;
        form.fields.*row.field = row.typed;
        result = form.Update();
        EXPECT_EQ(result.verdict.focusControl, row.control);
        EXPECT_EQ(result.verdict.message.rfind(row.message, 0), 0u) << result.verdict.message;
        EXPECT_EQ(w.book->GetName(), "book_red");
        EXPECT_FALSE(w.data.IsModified());
        form.fields.*row.field = kept;
    }
    form.fields.goldValue = "2147483647";
    EXPECT_TRUE(form.Update().verdict.accepted) << "the largest number is taken";
    w.data.Undo();
    form.SetTemplate(w.book);

    form.fields.name = "book red tome";
    form.loreKeyList.Select(0);
    result = form.Update();
    EXPECT_EQ(result.verdict.focusControl, ControlId::LoreKeyList);
    EXPECT_FALSE(w.data.IsModified());

    form.loreKeyList.Select(1);
    form.fields.goldValue = "250";
    form.fields.inventoryWidth = "";
    result = form.Update();
    ASSERT_TRUE(result.verdict.accepted) << result.verdict.message;
    EXPECT_TRUE(result.renamed);
    EXPECT_EQ(w.book->GetName(), "book_red_tome");
    EXPECT_EQ(w.book->GetLoreKey(), "Blue");
    EXPECT_EQ(w.book->GetGoldValue(), 250) << "no range check";
    EXPECT_EQ(w.book->GetInventoryWidth(), 0);
    EXPECT_TRUE(w.data.IsModified(DataFile::Templates));
    EXPECT_FALSE(w.data.IsModified(DataFile::Lore));

    // A second Update without edits changes nothing.
    form.SetTemplate(w.book);
    form.fields.goldValue = "0250";
    EXPECT_FALSE(form.Update().renamed);
    w.data.Undo();
    EXPECT_FALSE(w.data.IsModified()) << "one step only";
}

// Leaving a form stores what was typed over and nothing else: a form that shows defaults, values
// through the base or a key matched ignoring case changes nothing unless typed into. The Update
// button stores what the form shows, but never a base or a key it could not show.
TEST(TemplateForm, LeavingStoresOnlyTheTypingAndUpdateWhatIsShown) {
    TemplateWorld w;
    Template* fresh = w.data.AddTemplate("base_plain", "treasure");
    w.base->SetSpecializes("treasure_chest");
    TemplateFormRules form(w.data);
    LoreBookFormRules bookForm(w.data);
    for (Template* tmpl : {fresh, w.base, w.scroll, w.book}) {
        SCOPED_TRACE(tmpl->GetName());
        const Template before = *tmpl;
        form.SetTemplate(tmpl);
        auto result = form.Update(FormStore::Typing);
        EXPECT_TRUE(result.verdict.accepted);
        EXPECT_FALSE(result.stored);
        EXPECT_FALSE(w.data.CanUndo());

        form.fields.comment = "typed";
        ASSERT_TRUE(form.Update(FormStore::Typing).stored);
        Template expected = before;
        expected.SetComment("typed");
        EXPECT_TRUE(*tmpl == expected) << "only the typing is stored";
        EXPECT_EQ(form.fields.comment, "typed");
        EXPECT_FALSE(form.Typed()) << "what is stored is what is shown";
        w.data.Undo();
    }
    LoreBook* empty = w.data.AddBook("new_book", "");
    bookForm.SetBook(empty);
    auto left = bookForm.Update({"new_book", "", ""}, FormStore::Typing);
    EXPECT_TRUE(left.verdict.accepted) << "an empty new book not typed into lets the user go";
    EXPECT_FALSE(left.stored);
    EXPECT_FALSE(bookForm.Update({"new_book", "", "typed"}, FormStore::Typing).verdict.accepted);
    EXPECT_FALSE(w.data.CanUndo());

    // The Update button stores what the form shows, defaults included, and then shows it as
    // stored.
    form.SetTemplate(fresh);
    form.fields.bookTitle = "Say \"hi\"";
    EXPECT_FALSE(form.Update().verdict.accepted);
    form.fields.bookTitle = "";
    ASSERT_TRUE(form.Update().stored);
    EXPECT_EQ(fresh->GetTexture(), TemplateFormRules::kDefaultTexture);
    const LoreBook* book = w.data.GetBooks().front();
    bookForm.SetBook(book);
    ASSERT_TRUE(bookForm.Update({"red", "Say \"hi\"", ""}).stored);
    EXPECT_EQ(bookForm.Refresh().text, "Say 'hi'");

    // It keeps a base outside the list and a key no book has.
    form.SetTemplate(w.base);
    ASSERT_TRUE(form.Update().verdict.accepted);
    EXPECT_EQ(w.base->GetSpecializes(), "treasure_chest");
    w.book->SetLoreKey("gone");
    form.SetTemplate(w.book);
    form.fields.bookTitle = "Changed";
    form.fields.comment = "note";
    ASSERT_TRUE(form.Update().verdict.accepted);
    EXPECT_EQ(w.book->GetLoreKey(), "gone");
    EXPECT_EQ(w.book->GetScreenName(), "The Red Book");
    EXPECT_EQ(w.book->GetComment(), "note");
}

} // namespace
} // namespace tc::test

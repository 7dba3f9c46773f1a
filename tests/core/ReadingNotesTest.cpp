#include "TestSupport.h"

#include "gasfiles/ReadBack.h"
#include "gasfiles/ReadingNotes.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace tc::test {
namespace {

struct Read {
    BookList books;
    TemplateList templates;
    Diagnostics found;

    std::vector<const Diagnostic*> Notes() const {
        std::vector<const Diagnostic*> notes;
        for (const Diagnostic& d : found) {
            if (d.kind == Diagnostic::Kind::ReadingNote) {
                notes.push_back(&d);
            }
        }
        return notes;
    }
};

Read ReadText(bool lore, const std::string& text, bool everyNode = false) {
    Read r;
    MemorySource source(text);
    if (lore) {
        ParseLoreFile(source, r.books, r.found, "lore.gas");
        AddLoreReadingNotes(text, r.books, "lore.gas", r.found, everyNode);
    } else {
        ParseTemplateFile(source, r.templates, r.found, "trs_book_lore.gas");
        AddTemplateReadingNotes(text, r.templates, "trs_book_lore.gas", r.found, everyNode);
    }
    return r;
}

std::string AllNotes(const Read& r) {
    std::string all;
    for (const Diagnostic* note : r.Notes()) {
        all += DiagnosticLine(*note) + " [" + note->nodeName + "] " + note->field + "\n";
    }
    return all;
}

std::string Written(const Read& r, bool lore) {
    StringSink sink;
    if (lore) {
        EmitLoreFile(r.books, sink);
    } else {
        EmitTemplateFile(r.templates, sink);
    }
    return sink.Text();
}

int LineOf(const std::string& text, const std::string& marker, std::size_t from) {
    const std::size_t at = text.find(marker, from);
    return at == std::string::npos
               ? -1
               : 1 + static_cast<int>(std::count(
                         text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

// A pair as Save writes it: a base template, a book template and the book it shows.
std::string CleanLore() {
    BookList books;
    books.push_back(std::make_unique<LoreBook>());
    books[0]->SetName("a");
    books[0]->SetText("x");
    StringSink sink;
    EmitLoreFile(books, sink);
    return sink.Text();
}

std::string CleanTemplates() {
    TemplateList templates;
    templates.push_back(std::make_unique<Template>());
    templates.push_back(std::make_unique<Template>());
    Template& base = *templates[0];
    base.SetName("base_b");
    base.SetSpecializes("treasure");
    base.SetGoldValue("5");
    base.SetModel("m_book");
    base.SetTexture("b_tex");
    base.SetInventoryIcon("b_icon");
    Template& book = *templates[1];
    book.SetName("book_b");
    book.SetSpecializes("base_b");
    book.SetScreenName("Book B");
    book.SetLoreKey("a");
    StringSink sink;
    EmitTemplateFile(templates, sink);
    return sink.Text();
}

// Each construct that a save would not keep, in an otherwise clean file: the one note it must
// give, at the line of `marker`.
TEST(ReadingNotes, NameEachConstructASaveWouldNotKeep) {
    struct Row {
        bool lore;
        std::string from, to; // the clean file with `from` replaced by `to`
        std::string marker;
        std::string note;
    };
    const Row rows[] = {
        {true, "", "", "", ""},
        {false, "", "", "", ""},
        {true, "\t\tdescription", "\t\ttitle = \"T\";\n\t\tdescription", "title",
         "saving drops title = \"T\""},
        {true, "\n[lore]", "\n// Lore of the Brindlemoor sample world\n[lore]", "// Lore of",
         "saving drops the comment \"Lore of the Brindlemoor sample world\""},
        {true, "\t}\n}", "\t}\n\t// the end\n}", "// the end",
         "saving drops the comment \"the end\""},
        {true, "\t}\n}\n", "\t}\n}\n// after all\n", "// after all",
         "saving drops the comment \"after all\""},
        {true, "\n[lore]\n{\n", "\r\n[lore]\r{\r\n", "", ""},
        {true, "\"x\";", "\"row,\n\t\tthe river runs cold\";", "description",
         "saving joins the lines of description into \"row,the river runs cold\""},
        {true, "\"x\";", "\"say \\\"hi\\\" x\";", "description",
         "saving cuts description to \"say \\\""},
        {true, "\t[a]\n\t{\n\t\tdescription = \"x\";\n\t}", "\t[a] { description = \"x\"; }", "[a]",
         "saving changes description from \"x\" to \"\""},
        {true, "description", "Description", "Description",
         "saving changes Description from \"x\" to \"\""},
        {true, "\t[a]\n\t{\n", "\t// one\n\t[a]\n\t{\n\t\t// two\n", "// one",
         "saving drops the comment \"one\""},
        {true, "}\n", "}\n/*\n[lore]\n{\n\t[b]\n\t{\n\t}\n}\n*/\n", "/*", "saving drops \"/*\""},
        {false, "\tspecializes = treasure;", "\tspecializes = treasure;\n\tscale_base = 2;",
         "scale_base", "saving drops scale_base = 2"},
        {false, "\tspecializes = treasure;",
         "\tspecializes = treasure;\n\tis_pcontent_allowed = false;", "is_pcontent",
         "saving drops is_pcontent_allowed = false"},
        {false, "\tspecializes = treasure;",
         "\tspecializes = treasure;\n\t[physics]\n\t{\n\t\tmass = 3;\n\t}", "mass",
         "saving drops physics/mass = 3"},
        {false, "\tspecializes = base_b;",
         "\tspecializes = base_b;\n\t[attack]\n\t{\n\t\tdamage = 1;\n\t}", "damage",
         "saving drops attack/damage = 1"},
        {false, "\t\t\t0 = b_tex;", "\t\t\t0 = b_tex;\n\t\t\t1 = tex_b;", "tex_b",
         "saving drops aspect/textures/1 = tex_b"},
        {false, "\tdoc = \"base_b\";", "\tdoc = \"my own words\";", "my own",
         "saving changes doc from \"my own words\" to \"base_b\""},
        {false, "\t\tgold_value = 5;\n", "", "n:base_b", "saving adds aspect/gold_value = 1"},
    };
    for (const Row& row : rows) {
        const std::string clean = row.lore ? CleanLore() : CleanTemplates();
        // Past the lore writer's header, which shows a file's layout in comments.
        std::string text = clean;
        const std::size_t at = clean.find(row.from, row.lore ? clean.find("\n[lore]") : 0);
        ASSERT_NE(at, std::string::npos) << row.from;
        text.replace(at, row.from.size(), row.to);
        const Read r = ReadText(row.lore, text);
        const auto notes = r.Notes();
        if (row.note.empty()) {
            EXPECT_TRUE(notes.empty()) << "a file as Save writes it: " << notes[0]->text;
            continue;
        }
        ASSERT_EQ(notes.size(), 1u) << text << "\n" << AllNotes(r);
        EXPECT_EQ(notes[0]->path, row.lore ? "lore.gas" : "trs_book_lore.gas");
        EXPECT_EQ(notes[0]->line, LineOf(text, row.marker, row.lore ? clean.find("\n[lore]") : 0))
            << text;
        EXPECT_TRUE(notes[0]->text.starts_with(row.note)) << notes[0]->text;
    }
}

// Generated files rich in the constructs, among nodes as Save writes them: either the notes
// name a difference, or the written file reads back exactly and a second format changes no
// byte; what Save writes never gets a note of its own; and passing over the nodes that a file
// holds as written gives the notes that reading every node gives.
TEST(ReadingNotes, FormatIsAFixedPointAndItsOutputHasNoNotes) {
    std::vector<std::string> lorePieces = {
        "\t[b%]\n\t{\n\t\tdescription = \"t%\";\n\t}\n",
        "\t// c%\n",
        "/* [h%] { } */\n",
        "\t[m%]\n\t{\n\t\tdescription = \"one\n\t\ttwo\";\n\t}\n",
        "\t[q%] { description = \"q\"; }\n",
        "\t[k%]\n\t{\n\t\ttitle = \"x\";\n\t\tDescription = \"y\";\n\t}\n",
        "\r",
        "\r\n",
        "\t[e%]\n\t{\n\t\tdescription = \"a\\nb\";\n\t}\n",
        "\t// w%\n\t[w%]\n\t{\n\t\tdescription = \"/* {x} // [y]\";\n\t}\n",
        "\t[x%]\n\t{\n\t\tdescription = \"a /*\";\n\t}\n\t[y%]\n\t{\n\t\tdescription = "
        "\"b\";\n\t}\n",
        "\t[b1]\n\t{\n\t\tdescription = \"t1\";\n\t}\n"};
    std::vector<std::string> templatePieces = {
        "[t:template,n:base_%]\n{\n\tspecializes = treasure;\n\t[aspect] { gold_value = 0; "
        "}\n\t[gui] "
        "{ inventory_height = 0; }\n}\n",
        "[t:template,n:icon_%]\n{\n\tspecializes = treasure;\n\t[gui]\n\t{\n\t\tinventory_icon = "
        "i;\n\t}\n}\n[t:template,n:same_icon_%]\n{\n\tspecializes = icon_%;\n\t[gui]\n\t{\n\t\t"
        "inventory_icon = i;\n\t}\n}\n",
        "[t:template,n:book_%]\n{\n\tspecializes = base_1;\n\t[common] { screen_name = \"The %\"; "
        "}\n\t[gui] { lore_key = k%; }\n}\n",
        "[t:template,n:kid_%]\n{\n\tspecializes = book_1;\n\t[gui]\n\t{\n\t\tlore_key = k1;\n\t\t"
        "inventory_width = 0;\n\t}\n}\n",
        "[t:template,n:base_Blank_%]\n{\n\tspecializes = treasure;\n\t[common]\n\t{\n\t\t"
        "screen_name = \"\";\n\t}\n}\n[t:template,n:plain_%]\n{\n\tspecializes = "
        "base_blank_%;\n}\n",
        "// note %\n", "/* [t:template,n:gone_%] { } */\n",
        "[t:template,n:t%]\n{\n\t[aspect]\n\t{\n\t\t"
        "[textures]\n\t\t{\n\t\t\t0 = a;\n\t\t\t1 = b;\n\t\t}\n\t}\n}\n",
        "\r",
        // As Save writes them: a base, a book of it, and a hand-edited book of that base.
        "[t:template,n:base_w%]\n{\n\tcategory_name = \"lorebook\";\n\tdoc = \"base_w%\";\n\t"
        "specializes = treasure;\n\t[aspect]\n\t{\n\t\tgold_value = 5;\n\t\t[voice]\n\t\t{\n\t\t\t"
        "[put_down]\n\t\t\t{\n\t\t\t\t* = "
        "s_e_gui_put_down_book\n\t\t\t}\n\t\t}\n\t}\n\t[gui]\n\t{\n"
        "\t\tinventory_height = 2;\n\t\tinventory_width = 1;\n\t\tis_lorebook = TRUE;\n\t}\n}\n"
        "// w%\n[t:template,n:book_w%]\n{\n\tdoc = \"book_w%\";\n\tspecializes = base_w%;\n\t"
        "[common]\n\t{\n\t\tscreen_name = \"W\";\n\t}\n\t[gui]\n\t{\n\t\tlore_key = k;\n\t}\n}\n"
        "[t:template,n:hand_%]\n{\n\tspecializes = base_w%;\n\tscale_base = 2;\n}\n"};
    // As Save writes what it reads of these, with an unmatched quote where no quotes are kept.
    const auto asWritten = [](bool lore, const std::string& text) {
        const std::string once = Written(ReadText(lore, text), lore);
        return lore ? once.substr(once.find("[lore]\n{\n") + 9,
                                  once.size() - once.find("[lore]\n{\n") - 11)
                    : once.substr(once.find("[t:"));
    };
    templatePieces.push_back(asWritten(
        false, "[t:template,n:qm%]\n{\n\tspecializes = treasure;\n\t[aspect]\n\t{\n\t\tmodel = "
               "m\"x;\n\t}\n}\n"));
    lorePieces.push_back(
        asWritten(true, "[lore]\n{\n\t[n\"%]\n\t{\n\t\tdescription = \"/*\";\n\t}\n}\n"));
    std::mt19937 random(17);
    int saved = 0;
    for (int round = 0; round < 300; ++round) {
        const bool lore = round % 2 == 0;
        const auto& pieces = lore ? lorePieces : templatePieces;
        std::string text = lore ? "[lore]\n{\n" : "";
        const int count = static_cast<int>(random() % 8);
        for (int k = 0; k < count; ++k) {
            text += ReplaceAll(pieces[random() % pieces.size()], "%", std::to_string(k));
        }
        text += lore ? "}\n" : "";
        const Read first = ReadText(lore, text);
        EXPECT_EQ(AllNotes(first), AllNotes(ReadText(lore, text, true))) << text;
        const std::string once = Written(first, lore);
        const Read second = ReadText(lore, once);
        const std::string difference =
            lore ? FirstBookDifference(first.books, second.books)
                 : FirstTemplateDifference(first.templates, second.templates);
        if (!difference.empty()) {
            continue; // the save refuses this file, with a message
        }
        ++saved;
        EXPECT_EQ(Written(second, lore), once) << text;
        // A blank first line keeps the text from matching Save's output line for line, so the
        // full comparison runs on it; it must find nothing either.
        const Read shifted = ReadText(lore, "\n" + once);
        EXPECT_TRUE(shifted.Notes().empty()) << once << shifted.Notes()[0]->text;
    }
    EXPECT_GT(saved, 200);
}

} // namespace
} // namespace tc::test

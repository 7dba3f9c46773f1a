// The readers and writers of both files (the sample pair's golden output pins the layout), and
// the notes on what a save would not keep.
#include "TestSupport.h"

#include "gasfiles/ReadingNotes.h"
#include "platform/Text.h"

namespace tc::test {
namespace {

// What a read gives: the nodes, and what the reader and the reading notes found.
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

Read ReadText(bool lore, const std::string& text) {
    Read r;
    MemorySource source(text);
    if (lore) {
        ParseLoreFile(source, r.books, r.found, "lore.gas");
        AddLoreReadingNotes(text, r.books, "lore.gas", r.found);
    } else {
        ParseTemplateFile(source, r.templates, r.found, "trs_book_lore.gas");
        AddTemplateReadingNotes(text, r.templates, "trs_book_lore.gas", r.found);
    }
    return r;
}

// The reader's own messages, each after "! ", in Windows-1252 as the reader composed them.
std::string Messages(const Read& r) {
    std::string messages;
    for (const Diagnostic& d : r.found) {
        messages += d.kind == Diagnostic::Kind::Message ? "! " + Utf8ToCp1252(d.text) + "\n" : "";
    }
    return messages;
}

// Each book read, as name|comment|text on a line, then the messages.
std::string ReadLore(const std::string& text) {
    const Read r = ReadText(true, text);
    std::string read;
    for (const auto& b : r.books) {
        read += b->GetName() + "|" + b->GetComment() + "|" + b->GetText() + "\n";
    }
    return read + Messages(r);
}

// Bytes of `ascii` as UTF-16 with its byte-order mark, `extra` put in after the first quote.
std::string Utf16(const std::string& ascii, bool bigEndian, const std::u16string& extra) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    std::u16string units;
    for (unsigned char c : ascii) {
        units += static_cast<char16_t>(c);
    }
    units.insert(units.find(u'"') + 1, extra);
    for (char16_t unit : units) {
        const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}

// Other editors save with a byte-order mark, as UTF-16, or with CR alone ending each line; a
// missing root, malformed headers and missing braces are reported, and no book is lost.
TEST(LoreReader, ReadsWhatTheFileHoldsAndReportsWhatIsWrong) {
    const std::string noRoot = "! LORE.GAS has no [lore] section, so no books were read from it.\n";
    const std::string text = "[lore]\n{\n// caf\xE9\n[a]\n{\ndescription = \"x\";\n}\n}\n";
    // "é", "€" and a character outside Windows-1252 (U+0141) and outside the BMP (U+1F600).
    const std::u16string extra = {0x00E9, 0x20AC, 0x0141, 0xD83D, 0xDE00};
    const std::string fromUtf16 =
        "a|caf\xE9|\xE9\x80??x\n! LORE.GAS is saved as UTF-16 text.  Tomecraft reads it as "
        "Windows-1252 text and will save it that way.  Characters that Windows-1252 cannot hold "
        "were read as '?'.\n";
    const struct Case {
        std::string text, read;
    } cases[] = {
        {"[book]\n{\ndescription = \"x\";\n}\n", noRoot},
        {"//      [lore]\n[book]\n{\n}\n", noRoot},
        {"[LORE] {\n[a]\n{\n}\n}\n", "a||\n"},
        {"", ""}, // an empty file is an empty world
        {"// only comments\n\n", ""},
        {std::string("\x00\x01\x7F\x45LF\x02", 8), noRoot},
        {"\xEF\xBB\xBF" + text, "a|caf\xE9|x\n"},
        {Crlf(text), "a|caf\xE9|x\n"},
        {ReplaceAll(text, "\n", "\r"), "a|caf\xE9|x\n"},
        {ReplaceAll(text, "\n", "\r\r\n"), "a|caf\xE9|x\n"},
        {Utf16(Crlf(text), false, extra), fromUtf16},
        {Utf16(Crlf(text), true, extra), fromUtf16},
        // Lines are trimmed first; the last description wins; a text may run over lines, which
        // join without separators; a closing brace anywhere closes the book; the header line is
        // only tested for the brace.
        {Crlf("[lore]\n{\n  // first\n\t// second comment \n\t[ spaced ]\n\t{\n"
              "\t\tdescription = \"one\\ntwo\";\n\t\tother = \"ignored\";\n"
              "\t\tdescription = \"last wins\";\n\t}\n\t[][]\n\t{\n\t}\n\t]empty[\n\t{\n\t}\n"
              "\t[plain]\n\t{\n\t\tdescription = \"a\\nb\\\\nc\";\n\t}\n"
              "[tale]\n{\ndescription = \"Once upon\n   a time   \n// not text\nthere was\";\n}\n"
              "[a]\n{\ndescription = \"curly } text\";\n[b] { description = \"same line\"; }\n}\n"
              "}\n[after_root]\n{\n}\n"),
         " spaced |second comment|last wins\n||\n||\nplain||a\r\nb\\\r\nc\n"
         "tale|not text|Once upona timethere was\na||curly } text\nb||\nafter_root||\n"},
        // A block comment hides what it holds; mixed line ends all end lines.
        {"[lore]\n{\n/* [old]\n{\ndescription = \"o\";\n} */\n[a] /* x */\n{\n}\n}\n", "a||\n"},
        {"[lore]\r{\r\t[book_a]\r\t{\r\t\tdescription = "
         "\"a\";\r\t}\n\t[book_b]\n\t{\n\t\tdescription = "
         "\"b\";\n\t}\n}\n",
         "book_a||a\nbook_b||b\n"},
        {"[lore]\n{\n" + std::string(9, '\n') + "  [broken  \n{\ndescription = \"kept\";\n}\n" +
             "// last comment\n[open]\n{\ndescription = \"unfinished",
         "untitled_12||kept\nopen|last comment|unfinished\n"
         "! LORE.GAS missing '[' or ']' on line 12:\n\n[broken\n\nBook will be assigned a generic "
         "name to prevent data loss.  Please correct name before saving!\n"
         "! LORE.GAS missing closing '}' for open\n\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadLore(c.text), c.read);
    }
}

// The layout itself is pinned by the sample pair's golden output.
TEST(LoreWriter, EscapesLineEndsAndKeepsCommentsAsTheyAre) {
    TestData data;
    data.AddBook("tale", "one\r\ntwo\\n")->SetComment("// about \\n the tale");
    EXPECT_TRUE(data.Written(DataFile::Lore)
                    .ends_with("[lore]\n{\n\t// about \\n the tale\n\t[tale]\n\t{\n"
                               "\t\tdescription = \"one\\ntwo\\n\";\n\t}\n}\n"));
}

// Each template read, as name|specializes|screen name|doc|model|texture|gold,width,height|icon|
// key|category|comment on a line, then the messages.
std::string ReadTemplates(const std::string& text) {
    const Read r = ReadText(false, text);
    std::string read;
    for (const auto& t : r.templates) {
        read += t->GetName() + "|" + t->GetSpecializes() + "|" + t->GetScreenName() + "|" +
                t->GetDoc() + "|" + t->GetModel() + "|" + t->GetTexture() + "|" +
                std::to_string(t->GetGoldValue()) + "," + std::to_string(t->GetInventoryWidth()) +
                "," + std::to_string(t->GetInventoryHeight()) + "|" + t->GetInventoryIcon() + "|" +
                t->GetLoreKey() + "|" + t->GetCategoryName() + "|" + t->GetComment() + "\n";
    }
    return read + Messages(r);
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

// The text written for template `index` alone.
std::string EmitOne(TestData& data, std::size_t index) {
    const std::string all = data.Written(DataFile::Templates);
    const std::size_t start =
        all.find("[t:template,n:" + data.GetTemplates()[index]->GetName() + "]");
    return all.substr(start, all.find("\n}\n", start) + 3 - start);
}

Template& AddBase(TestData& data) {
    Template& base = *data.AddTemplate("base_book", "treasure");
    base.SetGoldValue("10");
    base.SetModel("m_book");
    base.SetInventoryIcon("icon_book");
    return base;
}

TEST(TemplateWriter, ABaseWritesWhatItHoldsAndOnlyATreasureBaseSpeaks) {
    TestData list;
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
    TestData list;
    AddBase(list).SetLoreKey("shared");
    Template& book = *list.AddTemplate("book_red", "BASE_BOOK");
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
    TestData list;
    list.AddTemplate("orphan", "base_elsewhere")->SetLoreKey("k");
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

    list.AddTemplate("empty_parent", ""); // an empty specializes value names no template
    EXPECT_NE(EmitOne(list, 1).find("\tspecializes = ;\n\t[aspect]"), std::string::npos);
}

std::string AllNotes(const Read& r) {
    std::string all;
    for (const Diagnostic* note : r.Notes()) {
        all += DiagnosticLine(*note) + " [" + note->nodeName + "] " + note->field + "\n";
    }
    return all;
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
    TestData data;
    data.AddBook("a", "x");
    return data.Written(DataFile::Lore);
}

std::string CleanTemplates() {
    TestData data;
    Template& base = *data.AddTemplate("base_b", "treasure");
    base.SetGoldValue("5");
    base.SetModel("m_book");
    base.SetTexture("b_tex");
    base.SetInventoryIcon("b_icon");
    Template& book = *data.AddTemplate("book_b", "base_b");
    book.SetScreenName("Book B");
    book.SetLoreKey("a");
    return data.Written(DataFile::Templates);
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

} // namespace
} // namespace tc::test

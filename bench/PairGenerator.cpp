#include "PairGenerator.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace tc::bench {

namespace {

const std::vector<std::string> kWords = {
    "the",    "abbey",          "river", "lantern", "caf\xE9", "ferryman",
    "oath",   "warden",         "stone", "night",   "m\xFBre", "crown\x96",
    "ledger", "\x93quoted\x94", "frost", "road",    "gate",    "Ehb",
};

std::string Sentence(std::mt19937& rng, std::size_t length) {
    std::uniform_int_distribution<std::size_t> word(0, kWords.size() - 1);
    // A paragraph break ("\n" in the file) about every 60 words, as books are written.
    std::uniform_int_distribution<int> breakChance(0, 59);
    std::string text;
    while (text.size() < length) {
        text += kWords[word(rng)];
        text += breakChance(rng) == 0 ? "\\n" : " ";
    }
    return text;
}

} // namespace

GeneratedPair GeneratePair(const std::string& folder, std::size_t books, std::size_t templates) {
    std::filesystem::create_directories(folder);
    GeneratedPair pair{folder + "/lore.gas", folder + "/trs_book_lore.gas", books,
                       templates != 0 ? templates : books / 5};
    std::mt19937 rng(static_cast<unsigned>(books));
    std::uniform_int_distribution<std::size_t> textLength(200, 2000);
    std::uniform_int_distribution<int> percent(0, 99);

    // Keys in a scrambled order, as files edited by hand over the years are.
    std::vector<std::size_t> order(books);
    for (std::size_t k = 0; k < books; ++k) {
        order[k] = (k * 7919) % books;
    }
    std::ofstream lore(pair.lorePath, std::ios::binary);
    lore << "// generated for benchmarks\r\n\r\n[lore]\r\n{\r\n";
    for (std::size_t k : order) {
        if (percent(rng) < 30) {
            lore << "\t// note on book " << k << "\r\n";
        }
        lore << "\t[" << (percent(rng) < 50 ? "Book_" : "book_") << k << "]\r\n\t{\r\n";
        const std::string text = Sentence(rng, textLength(rng));
        if (percent(rng) < 10) {
            const std::size_t third = text.size() / 3;
            lore << "\t\tdescription = \"" << text.substr(0, third) << "\r\n\t\t\t"
                 << text.substr(third, third) << "\r\n\t\t\t" << text.substr(2 * third)
                 << "\";\r\n";
        } else {
            lore << "\t\tdescription = \"" << text << "\";\r\n";
        }
        lore << "\t}\r\n";
    }
    lore << "}\r\n";

    std::ofstream trs(pair.templatePath, std::ios::binary);
    trs << "// generated for benchmarks\r\n\r\n";
    const std::size_t bases = pair.templates / 50 + 1;
    for (std::size_t k = 0; k < bases; ++k) {
        trs << "[t:template,n:base_book_" << k << "]\r\n{\r\n\tcategory_name = \"lorebook\";\r\n"
            << "\tspecializes = treasure;\r\n\t[aspect]\r\n\t{\r\n\t\tgold_value = " << 10 + k
            << ";\r\n\t\tmodel = m_i_glb_book_0" << k % 9 << ";\r\n\t\t[textures]\r\n\t\t{\r\n"
            << "\t\t\t0 = b_i_glb_book_0" << k % 9 << ";\r\n\t\t}\r\n\t}\r\n\t[gui]\r\n\t{\r\n"
            << "\t\tinventory_height = 2;\r\n\t\tinventory_width = 1;\r\n"
            << "\t\tinventory_icon = b_gui_ig_book;\r\n\t\tis_lorebook = TRUE;\r\n\t}\r\n}\r\n";
    }
    for (std::size_t k = bases; k < pair.templates; ++k) {
        const std::size_t book = order[k % books];
        if (percent(rng) < 20) {
            trs << "// template of book " << book << "\r\n";
        }
        trs << "[t:template,n:book_" << book << "_item]\r\n{\r\n"
            << "\tspecializes = base_book_" << k % bases << ";\r\n"
            << "\t[common]\r\n\t{\r\n\t\tscreen_name = \"The " << Sentence(rng, 20)
            << "\";\r\n\t}\r\n\t[gui]\r\n\t{\r\n\t\tlore_key = book_" << book
            << ";\r\n\t}\r\n}\r\n";
    }
    return pair;
}

} // namespace tc::bench

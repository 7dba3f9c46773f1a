// The nodes, the collections, and the order the editor has always sorted names in.
#include "TestSupport.h"

#include "model/NameOrder.h"

#include <numeric>

namespace tc::test {
namespace {

TEST(Nodes, CommentLosesItsMarkerAndLeadingBlanksOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"//  old text ", "old text "}, {"  // x", "// x"}, {"////x", "//x"}, {"//\t\r\n", ""}};
    for (const auto& [given, kept] : cases) {
        LoreBook book;
        book.SetComment(given);
        EXPECT_EQ(book.GetComment(), kept) << given;
    }
}

TEST(Nodes, DocTextFollowsTheLaterOfScreenNameAndBaseNameAndNumbersAreParsed) {
    Template tmpl;
    // {screen name or "" , name or "", doc after the change}
    const std::tuple<const char*, const char*, const char*> steps[] = {
        {"The Tome of Ages", "", "tome of ages"},
        {"Theory", "", "theory"},
        {"THE END", "", "end"},
        {"", "Base_book", "end"},
        {"", "base_Book", "base_book"},
        {"Caf\xC9", "", "caf\xE9"},
    };
    for (const auto& [screenName, name, doc] : steps) {
        *screenName != '\0' ? tmpl.SetScreenName(screenName) : tmpl.SetName(name);
        EXPECT_EQ(tmpl.GetDoc(), doc);
    }
    tmpl.SetInventoryWidth(" 3x");
    tmpl.SetInventoryHeight("-2");
    tmpl.SetGoldValue("abc");
    EXPECT_EQ(tmpl.GetInventoryWidth(), 3);
    EXPECT_EQ(tmpl.GetInventoryHeight(), -2);
    EXPECT_EQ(tmpl.GetGoldValue(), 0);
}

// The exchange sort exactly as the editor has always run it, quadratic.
std::vector<std::size_t> ReferenceOrder(const std::vector<std::string_view>& names) {
    std::vector<std::size_t> at(names.size());
    std::iota(at.begin(), at.end(), 0);
    for (std::size_t i = 0; i + 1 < at.size(); ++i) {
        for (std::size_t j = i + 1; j < at.size(); ++j) {
            if (names[at[j]] < names[at[i]]) {
                std::swap(at[i], at[j]);
            }
        }
    }
    return at;
}

std::vector<std::string> RandomNames(std::mt19937& rng, std::size_t count, int alphabet,
                                     int maxLength) {
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> letter(0, alphabet - 1);
    std::vector<std::string> names(count);
    for (auto& name : names) {
        for (int k = length(rng); k > 0; --k) {
            // Mix in bytes above 0x7F: they sort after every ASCII letter.
            const int pick = letter(rng);
            name += pick == 0 ? '\xE9' : static_cast<char>('A' + pick);
        }
    }
    return names;
}

TEST(ExchangeSortOrder, MatchesTheExchangeSortIncludingEqualNames) {
    std::mt19937 rng(12345);
    // Few letters and short names: most names repeat, in every pattern.
    for (int round = 0; round < 3000; ++round) {
        const auto names = RandomNames(rng, 1 + round % 60, 2 + round % 5, 1 + round % 3);
        const std::vector<std::string_view> views(names.begin(), names.end());
        ASSERT_EQ(ExchangeSortOrder(views), ReferenceOrder(views)) << "round " << round;
    }
}

TEST(ExchangeSortOrder, TemplatesPartitionThenSortAsBefore) {
    std::mt19937 rng(99);
    for (int round = 0; round < 100; ++round) {
        TestData data;
        for (const auto& stem : RandomNames(rng, 30, 3, 2)) {
            data.AddTemplate((rng() % 2 ? "base_" : "") + stem);
        }
        // The historical order: "base_" names swapped to the front, then each part
        // exchange-sorted.
        std::vector<const Template*> expected;
        std::size_t bases = 0;
        for (const Template* t : data.GetTemplates()) {
            expected.push_back(t);
            if (t->GetName().starts_with("base_")) {
                std::swap(expected.back(), expected[bases++]);
            }
        }
        for (const auto& [first, last] :
             {std::pair{std::size_t{0}, bases}, {bases, std::size_t{30}}}) {
            std::vector<std::string_view> names;
            for (std::size_t k = first; k < last; ++k) {
                names.push_back(expected[k]->GetNameView());
            }
            const std::vector<const Template*> part(expected.begin() + first,
                                                    expected.begin() + last);
            const auto order = ReferenceOrder(names);
            for (std::size_t k = 0; k < order.size(); ++k) {
                expected[first + k] = part[order[k]];
            }
        }
        data.SortTemplates();
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), data.GetTemplates().begin()))
            << "round " << round;
    }
}

TEST(ExchangeSortOrder, LargeInputsStayFast) {
    // The shapes that made a replay of the exchanges quadratic: distinct names in reverse order
    // with one repeated, mostly distinct names in random order with one repeated, and a sorted
    // file where every name comes twice.
    const std::size_t count = 200000;
    std::vector<std::string> reversed(count), shuffled(count), pairs(count);
    for (std::size_t k = 0; k < count; ++k) {
        reversed[k] = "book_" + std::to_string(1000000 - k);
        pairs[k] = "book_" + std::to_string(100000 + k / 2);
    }
    reversed[count / 2] = reversed[count - 1];
    shuffled = reversed;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    const auto started = std::chrono::steady_clock::now();
    for (const auto* names : {&reversed, &shuffled, &pairs}) {
        const std::vector<std::string_view> views(names->begin(), names->end());
        const auto order = ExchangeSortOrder(views);
        for (std::size_t k = 1; k < order.size(); ++k) {
            ASSERT_LE(views[order[k - 1]], views[order[k]]);
        }
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    EXPECT_LT(seconds.count(), 30.0); // a quadratic sort would need hours here
}

} // namespace
} // namespace tc::test

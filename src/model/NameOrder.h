// The order in which the editor sorts names: byte-wise on unsigned characters, so all upper-case
// letters come before all lower-case ones.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace tc {

// Where each item ends up when a simple exchange sort runs over `names`: for i from the first
// to the second-last position, for every later j, swap items i and j when name j is strictly
// less than name i. That sort is not stable; its exact order among equal names is kept so that
// files come out the same. Runs in O(n log n) whatever the names, without replaying the
// exchanges (NameOrder.cpp says how). Result[k] is the index in `names` of the item that ends at
// position k.
std::vector<std::size_t> ExchangeSortOrder(const std::vector<std::string_view>& names);

// Sorts items[first, last) by name in exchange-sort order.
template <class Items, class NameOf>
void ExchangeSortRange(Items& items, std::size_t first, std::size_t last, NameOf nameOf) {
    if (last <= first + 1) {
        return;
    }
    std::vector<std::string_view> names;
    names.reserve(last - first);
    for (std::size_t k = first; k < last; ++k) {
        names.push_back(nameOf(items[k]));
    }
    const std::vector<std::size_t> order = ExchangeSortOrder(names);
    Items sorted;
    sorted.reserve(order.size());
    for (std::size_t index : order) {
        sorted.push_back(std::move(items[first + index]));
    }
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        items[first + k] = std::move(sorted[k]);
    }
}

} // namespace tc

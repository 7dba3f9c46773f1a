#include "model/NameOrder.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace tc {

namespace {

// Minimum rank over positions, answering "first position after p whose rank is below v".
class MinTree {
public:
    explicit MinTree(const std::vector<std::size_t>& values) {
        while (m_leaves < values.size()) {
            m_leaves *= 2;
        }
        m_min.assign(2 * m_leaves, kNone);
        std::copy(values.begin(), values.end(), m_min.begin() + static_cast<long>(m_leaves));
        for (std::size_t node = m_leaves - 1; node > 0; --node) {
            m_min[node] = std::min(m_min[2 * node], m_min[2 * node + 1]);
        }
    }

    void Set(std::size_t pos, std::size_t value) {
        std::size_t node = pos + m_leaves;
        m_min[node] = value;
        for (node /= 2; node > 0; node /= 2) {
            m_min[node] = std::min(m_min[2 * node], m_min[2 * node + 1]);
        }
    }

    // The first position > after whose value is < bound, or npos.
    std::size_t FirstBelow(std::size_t after, std::size_t bound) const {
        return Find(1, 0, m_leaves, after + 1, bound);
    }

    static constexpr std::size_t npos = std::numeric_limits<std::size_t>::max();

private:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    std::size_t Find(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from,
                     std::size_t bound) const {
        if (hi <= from || m_min[node] >= bound) {
            return npos;
        }
        if (hi - lo == 1) {
            return lo;
        }
        const std::size_t mid = (lo + hi) / 2;
        const std::size_t left = Find(2 * node, lo, mid, from, bound);
        return left != npos ? left : Find(2 * node + 1, mid, hi, from, bound);
    }

    std::size_t m_leaves = 1;
    std::vector<std::size_t> m_min;
};

} // namespace

std::vector<std::size_t> ExchangeSortOrder(const std::vector<std::string_view>& names) {
    const std::size_t count = names.size();
    std::vector<std::size_t> byName(count);
    std::iota(byName.begin(), byName.end(), 0);
    // std::string_view compares like memcmp, on unsigned bytes.
    std::sort(byName.begin(), byName.end(), [&](std::size_t a, std::size_t b) {
        const int cmp = names[a].compare(names[b]);
        return cmp < 0 || (cmp == 0 && a < b);
    });

    std::vector<std::size_t> rank(count);
    bool repeated = false;
    for (std::size_t k = 0; k < count; ++k) {
        const bool sameAsPrevious = k > 0 && names[byName[k]] == names[byName[k - 1]];
        repeated = repeated || sameAsPrevious;
        rank[byName[k]] = k == 0 ? 0 : rank[byName[k - 1]] + (sameAsPrevious ? 0 : 1);
    }
    if (!repeated) {
        return byName;
    }

    std::vector<std::size_t> at(count);
    std::iota(at.begin(), at.end(), 0);
    MinTree tree(rank);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i;;) {
            j = tree.FirstBelow(j, rank[at[i]]);
            if (j == MinTree::npos) {
                break;
            }
            std::swap(at[i], at[j]);
            tree.Set(i, rank[at[i]]);
            tree.Set(j, rank[at[j]]);
        }
    }
    return at;
}

} // namespace tc

#include "model/NameOrder.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>

namespace tc {

// How the exchange sort orders equal names, without replaying its swaps.
//
// Pass i puts the leftmost smallest name of positions i.. at position i. Take one name v that
// occurs more than once and call its copies E, the smaller names S and the greater ones L.
// While S names remain, each pass moves one S name to the front, and the copies of v move only
// like this: when the first name that is not L is a copy of v, that copy is carried right past
// the copies before the next S name and takes that S name's place (the pass's chain of ever
// smaller names runs through it); when the first such name is an S name, no copy moves. The L
// names play no part. Once the S names are used up, the copies come out in the order they then
// stand in. So the copies form a queue that grows by each copy in file order and turns by one
// for each S name that follows it in the file: one turn per S name between two copies, and
// after the last. That is O(n log n) over all names, with counts of smaller names between
// copies from a Fenwick tree, and the turns done in a sequence that splits and joins in
// O(log n).

namespace {

// Counts of positions marked so far, over ranges of positions.
class Fenwick {
public:
    explicit Fenwick(std::size_t size) : m_tree(size + 1, 0) {}
    void Mark(std::size_t pos) {
        for (std::size_t k = pos + 1; k < m_tree.size(); k += k & (~k + 1)) {
            ++m_tree[k];
        }
    }
    // Marked positions below `end`.
    std::size_t Before(std::size_t end) const {
        std::size_t sum = 0;
        for (std::size_t k = end; k > 0; k -= k & (~k + 1)) {
            sum += m_tree[k];
        }
        return sum;
    }

private:
    std::vector<std::size_t> m_tree;
};

// A sequence of items that can be turned (rotated) and appended to in O(log n): an implicit
// treap over arrays.
class TurningQueue {
public:
    // Empties the queue; one queue serves every name in turn.
    void Clear() {
        m_nodes.clear();
        m_root = kNil;
    }

    void Append(std::size_t item) {
        m_nodes.push_back({item, static_cast<std::uint32_t>(m_random()), kNil, kNil, 1});
        m_root = Merge(m_root, static_cast<int>(m_nodes.size() - 1));
    }

    // The first `count` items (modulo the size) move to the end.
    void Turn(std::size_t count) {
        const std::size_t size = Size(m_root);
        if (size < 2 || count % size == 0) {
            return;
        }
        auto [front, back] = Split(m_root, count % size);
        m_root = Merge(back, front);
    }

    void AppendInOrderTo(std::vector<std::size_t>& out) const {
        std::vector<int> stack;
        for (int node = m_root; node != kNil || !stack.empty();) {
            if (node != kNil) {
                stack.push_back(node);
                node = m_nodes[node].left;
            } else {
                node = stack.back();
                stack.pop_back();
                out.push_back(m_nodes[node].item);
                node = m_nodes[node].right;
            }
        }
    }

private:
    static constexpr int kNil = -1;
    struct Node {
        std::size_t item;
        std::uint32_t priority;
        int left;
        int right;
        std::size_t size;
    };

    std::size_t Size(int node) const { return node == kNil ? 0 : m_nodes[node].size; }
    void Update(int node) {
        m_nodes[node].size = 1 + Size(m_nodes[node].left) + Size(m_nodes[node].right);
    }

    int Merge(int a, int b) {
        if (a == kNil || b == kNil) {
            return a == kNil ? b : a;
        }
        if (m_nodes[a].priority > m_nodes[b].priority) {
            m_nodes[a].right = Merge(m_nodes[a].right, b);
            Update(a);
            return a;
        }
        m_nodes[b].left = Merge(a, m_nodes[b].left);
        Update(b);
        return b;
    }

    // The first `count` items, and the rest.
    std::pair<int, int> Split(int node, std::size_t count) {
        if (node == kNil) {
            return {kNil, kNil};
        }
        const std::size_t leftSize = Size(m_nodes[node].left);
        if (count <= leftSize) {
            auto [a, b] = Split(m_nodes[node].left, count);
            m_nodes[node].left = b;
            Update(node);
            return {a, node};
        }
        auto [a, b] = Split(m_nodes[node].right, count - leftSize - 1);
        m_nodes[node].right = a;
        Update(node);
        return {node, b};
    }

    std::vector<Node> m_nodes;
    int m_root = kNil;
    std::mt19937 m_random{20261207};
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

    std::vector<std::size_t> order;
    order.reserve(count);
    Fenwick smaller(count); // positions of the names already placed, all smaller
    TurningQueue copies;
    for (std::size_t first = 0; first < count;) {
        std::size_t last = first + 1;
        while (last < count && names[byName[last]] == names[byName[first]]) {
            ++last;
        }
        if (last - first == 1) {
            order.push_back(byName[first]);
        } else {
            // byName holds the copies in file order.
            copies.Clear();
            for (std::size_t k = first; k < last; ++k) {
                const std::size_t next = k + 1 < last ? byName[k + 1] : count;
                copies.Append(byName[k]);
                copies.Turn(smaller.Before(next) - smaller.Before(byName[k] + 1));
            }
            copies.AppendInOrderTo(order);
        }
        for (std::size_t k = first; k < last; ++k) {
            smaller.Mark(byName[k]);
        }
        first = last;
    }
    return order;
}

} // namespace tc

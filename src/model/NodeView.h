// A read-only view of a collection of nodes: it hands out `const` nodes only, so that whoever
// holds the view can read every node and change none. A `const` vector of `unique_ptr` would
// still hand out mutable nodes.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace tc {

template <class Kind> class NodeView {
public:
    using List = std::vector<std::unique_ptr<Kind>>;

    class Iterator {
    public:
        using iterator_concept = std::random_access_iterator_tag;
        using iterator_category = std::input_iterator_tag; // yields pointers by value
        using value_type = const Kind*;
        using difference_type = std::ptrdiff_t;
        using reference = const Kind*;
        using pointer = void;

        Iterator() = default;
        explicit Iterator(typename List::const_iterator at) : m_at(at) {}

        const Kind* operator*() const { return m_at->get(); }
        const Kind* operator[](difference_type n) const { return m_at[n].get(); }
        Iterator& operator++() {
            ++m_at;
            return *this;
        }
        Iterator operator++(int) { return Iterator(m_at++); }
        Iterator& operator--() {
            --m_at;
            return *this;
        }
        Iterator operator--(int) { return Iterator(m_at--); }
        Iterator& operator+=(difference_type n) {
            m_at += n;
            return *this;
        }
        Iterator& operator-=(difference_type n) {
            m_at -= n;
            return *this;
        }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) {
            return a.m_at - b.m_at;
        }
        friend bool operator==(const Iterator&, const Iterator&) = default;
        friend auto operator<=>(const Iterator&, const Iterator&) = default;

    private:
        typename List::const_iterator m_at;
    };

    // Views the list, which must outlive the view.
    NodeView(const List& list) : m_list(&list) {} // NOLINT(google-explicit-constructor)

    Iterator begin() const { return Iterator(m_list->begin()); }
    Iterator end() const { return Iterator(m_list->end()); }
    std::size_t size() const { return m_list->size(); }
    bool empty() const { return m_list->empty(); }
    const Kind* operator[](std::size_t k) const { return (*m_list)[k].get(); }
    const Kind* front() const { return m_list->front().get(); }
    const Kind* back() const { return m_list->back().get(); }

private:
    const List* m_list;
};

} // namespace tc

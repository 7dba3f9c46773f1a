#include "document/FindingRows.h"

#include <algorithm>
#include <functional>
#include <map>
#include <tuple>
#include <unordered_set>
#include <utility>

namespace tc {

void FindingRows::Reset(const FindingSources& sources, const Diagnostics& diagnostics,
                        const std::string& lorePath) {
    m_lorePath = lorePath;
    m_rows.clear();
    std::fill(std::begin(m_counts), std::end(m_counts), 0);
    Diagnostics found;
    for (const NodeFindings* findings : sources) {
        for (const Node* node : findings->Concerned()) {
            found.clear();
            findings->About(node, found);
            for (Diagnostic& d : found) {
                ++m_counts[Index(d.severity)];
                m_rows.push_back({node, std::move(d), ++m_lastId});
            }
        }
    }
    for (const Diagnostic& d : diagnostics) {
        if (d.kind != Diagnostic::Kind::Message) {
            ++m_counts[Index(d.severity)];
            m_rows.push_back({nullptr, d, ++m_lastId});
        }
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const FindingRow& a, const FindingRow& b) { return Before(a, b); });
    Filter();
}

void FindingRows::Follow(const FindingSources& sources, const std::vector<const Node*>& touched) {
    if (touched.empty()) {
        return;
    }
    const std::unordered_set<const Node*> nodes(touched.begin(), touched.end());
    // A finding that is found again keeps its row's id.
    std::map<std::pair<const Node*, std::string>, std::uint64_t> ids;
    const auto gone = std::remove_if(m_rows.begin(), m_rows.end(), [&](FindingRow& row) {
        if (row.node == nullptr || !nodes.contains(row.node)) {
            return false;
        }
        --m_counts[Index(row.finding.severity)];
        ids.emplace(std::pair(row.node, std::move(row.finding.text)), row.id);
        return true;
    });
    m_rows.erase(gone, m_rows.end());
    const std::size_t kept = m_rows.size();
    Diagnostics found;
    for (const Node* node : nodes) { // each once, though several sources may name it
        found.clear();
        for (const NodeFindings* findings : sources) {
            findings->About(node, found);
        }
        for (Diagnostic& d : found) {
            ++m_counts[Index(d.severity)];
            const auto it = ids.find(std::pair(node, d.text));
            m_rows.push_back({node, std::move(d), it != ids.end() ? it->second : ++m_lastId});
        }
    }
    // The new rows are sorted among themselves and merged in: no step sorts the whole list.
    const auto before = [this](const FindingRow& a, const FindingRow& b) { return Before(a, b); };
    const auto middle = m_rows.begin() + static_cast<std::ptrdiff_t>(kept);
    std::stable_sort(middle, m_rows.end(), before);
    std::inplace_merge(m_rows.begin(), middle, m_rows.end(), before);
    Filter();
}

bool FindingRows::Before(const FindingRow& x, const FindingRow& y) const {
    const Diagnostic& a = m_ascending ? x.finding : y.finding;
    const Diagnostic& b = m_ascending ? y.finding : x.finding;
    switch (m_column) {
    case Column::Severity:
        if (a.severity != b.severity) {
            return a.severity < b.severity;
        }
        break;
    case Column::Node:
        if (std::tie(a.nodeType, a.nodeName) != std::tie(b.nodeType, b.nodeName)) {
            return std::tie(a.nodeType, a.nodeName) < std::tie(b.nodeType, b.nodeName);
        }
        break;
    case Column::Text:
        if (a.text != b.text) {
            return a.text < b.text;
        }
        break;
    case Column::Place:
        break;
    }
    if (ListedBefore(a, b, m_lorePath)) {
        return true;
    }
    if (ListedBefore(b, a, m_lorePath)) {
        return false;
    }
    // Two nodes of one name, on no line yet, say the same: any fixed order will do.
    return std::less<const Node*>()(m_ascending ? x.node : y.node, m_ascending ? y.node : x.node);
}

void FindingRows::SortBy(Column column, bool ascending) {
    m_column = column;
    m_ascending = ascending;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const FindingRow& a, const FindingRow& b) { return Before(a, b); });
    Filter();
}

void FindingRows::Show(Severity severity, bool shown) {
    m_showing[Index(severity)] = shown;
    Filter();
}

std::optional<std::size_t> FindingRows::Find(std::uint64_t id) const {
    for (std::size_t k = 0; k < m_shown.size(); ++k) {
        if (m_rows[m_shown[k]].id == id) {
            return k;
        }
    }
    return std::nullopt;
}

void FindingRows::Filter() {
    m_shown.clear();
    for (std::size_t k = 0; k < m_rows.size(); ++k) {
        if (IsShown(m_rows[k].finding.severity)) {
            m_shown.push_back(k);
        }
    }
}

} // namespace tc

// The rows of the problems list: every finding about the pair and every reading note, in the
// order the user chose and filtered by severity. They are made again node by node as the
// findings follow the data, so that a step costs little whatever the size of the list.
#pragma once

#include "document/NodeFindings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tc {

struct FindingRow {
    const Node* node = nullptr; // null for a reading note, which stays until the next read
    Diagnostic finding;
    std::uint64_t id = 0; // kept while the row stays, so that a selection can follow it
};

class FindingRows {
public:
    enum class Column { Severity, Node, Text, Place };

    // Everything anew: the findings about the nodes, and those of `diagnostics` that are listed
    // rather than shown as messages (reading notes, what is found about a file as a whole).
    void Reset(const FindingSources& sources, const Diagnostics& diagnostics,
               const std::string& lorePath);
    // The rows about the touched nodes made again.
    void Follow(const FindingSources& sources, const std::vector<const Node*>& touched);

    // Place, ascending, is the order `tomecraft-gas check` prints; the other columns sort by
    // their value first and then in that order.
    void SortBy(Column column, bool ascending);
    Column SortColumn() const { return m_column; }
    bool Ascending() const { return m_ascending; }
    void Show(Severity severity, bool shown);
    bool IsShown(Severity severity) const { return m_showing[Index(severity)]; }

    // The shown rows.
    std::size_t Size() const { return m_shown.size(); }
    const FindingRow& operator[](std::size_t shown) const { return m_rows[m_shown[shown]]; }
    std::optional<std::size_t> Find(std::uint64_t id) const;
    // The rows of a severity, shown or not.
    std::size_t Count(Severity severity) const { return m_counts[Index(severity)]; }

private:
    static int Index(Severity severity) { return static_cast<int>(severity); }
    bool Before(const FindingRow& a, const FindingRow& b) const;
    void Filter();

    std::vector<FindingRow> m_rows; // all of them, in order
    std::vector<std::size_t> m_shown;
    std::string m_lorePath;
    Column m_column = Column::Place;
    bool m_ascending = true;
    bool m_showing[3] = {true, true, true};
    std::size_t m_counts[3] = {0, 0, 0};
    std::uint64_t m_lastId = 0;
};

} // namespace tc

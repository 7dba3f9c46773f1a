// The problems list under the panes: every finding about the open pair and every reading note,
// kept current with each change, sortable by any column and filtered by severity. Double-click
// or Enter on a row (and F8, Shift+F8 from anywhere) shows its node with the caret in the field
// concerned; Ctrl+C copies the selected rows as `tomecraft-gas check` prints them.
#pragma once

#include "document/Document.h"
#include "document/FindingRows.h"

#include <wx/panel.h>

#include <cstdint>
#include <vector>

class wxCheckBox;

namespace tc {

class FormHost;

class ProblemsPanel : public wxPanel {
public:
    ProblemsPanel(wxWindow* parent, Document& doc, FormHost& host);

    // Brings the rows up to date with the document; returns what changed, for the tree's marks.
    Document::FindingChanges Sync();
    // Selects the next (or previous) shown row after the selected one, round the end, and goes
    // to its node. False when the list is empty. The rows are as the last Sync left them.
    bool GoToNext(bool forward);
    // "2 errors, 5 warnings", and the notes when there are any.
    wxString CountText() const;
    // The text of the selected rows, a line each, as `check` prints them.
    wxString SelectedLines() const;
    const FindingRows& Rows() const { return m_rows; }
    wxWindow* List() const;

private:
    class RowList;

    void GoTo(std::size_t row);
    void CopySelection() const;
    // Sorting and filtering keep the selected findings selected.
    std::vector<std::uint64_t> SelectedIds() const;
    void Refill(const std::vector<std::uint64_t>& selected);
    void UpdateFilterLabels();

    Document& m_doc;
    FormHost& m_host;
    FindingRows m_rows;
    RowList* m_list = nullptr;
    wxCheckBox* m_filters[3] = {nullptr, nullptr, nullptr};
};

} // namespace tc

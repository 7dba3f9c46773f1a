#include "views/ProblemsPanel.h"

#include "platform/wx/WxText.h"
#include "views/FormPane.h"
#include "views/TreeView.h"

#include <wx/artprov.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/sizer.h>

#include <unordered_set>

namespace tc {

namespace {

constexpr Severity kSeverities[] = {Severity::Error, Severity::Warning, Severity::Note};
constexpr const char* kSeverityNames[] = {"Error", "Warning", "Note"};

wxString Counted(std::size_t n, const char* what) {
    return wxString::Format("%zu %s%s", n, what, n == 1 ? "" : "s");
}

wxString FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return wxString::FromUTF8(slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace

// The rows are drawn from the row list as they come into view: a hundred thousand cost nothing
// until seen.
class ProblemsPanel::RowList : public wxListView {
public:
    RowList(wxWindow* parent, const FindingRows& rows)
        : wxListView(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxLC_REPORT | wxLC_VIRTUAL),
          m_rows(rows) {
        const wxSize icon = FromDIP(wxSize(16, 16));
        auto* images = new wxImageList(icon.x, icon.y);
        for (const char* art : {wxART_ERROR, wxART_WARNING, wxART_INFORMATION}) {
            images->Add(wxArtProvider::GetBitmap(art, wxART_LIST, icon));
        }
        AssignImageList(images, wxIMAGE_LIST_SMALL);
        AppendColumn("Severity", wxLIST_FORMAT_LEFT, FromDIP(90));
        AppendColumn("Node", wxLIST_FORMAT_LEFT, FromDIP(170));
        AppendColumn("Description", wxLIST_FORMAT_LEFT, FromDIP(480));
        AppendColumn("File", wxLIST_FORMAT_LEFT, FromDIP(150));
    }

    wxString OnGetItemText(long item, long column) const override {
        const Diagnostic& d = m_rows[static_cast<std::size_t>(item)].finding;
        switch (column) {
        case 0:
            return kSeverityNames[static_cast<int>(d.severity)];
        case 1:
            return d.hasNode ? ToWx(d.nodeName) : wxString("(file)");
        case 2:
            return wxString::FromUTF8(d.text);
        default:
            return FileNameOf(d.path) + (d.line > 0 ? wxString::Format(":%d", d.line) : "");
        }
    }
    int OnGetItemImage(long item) const override { return OnGetItemColumnImage(item, 0); }
    int OnGetItemColumnImage(long item, long column) const override {
        return column == 0
                   ? static_cast<int>(m_rows[static_cast<std::size_t>(item)].finding.severity)
                   : -1;
    }

private:
    const FindingRows& m_rows;
};

ProblemsPanel::ProblemsPanel(wxWindow* parent, Document& doc, FormHost& host)
    : wxPanel(parent, wxID_ANY), m_doc(doc), m_host(host) {
    m_list = new RowList(this, m_rows);
    auto* filters = new wxBoxSizer(wxHORIZONTAL);
    for (const Severity severity : kSeverities) {
        auto*& box = m_filters[static_cast<int>(severity)];
        box =
            new wxCheckBox(this, wxID_ANY, Counted(0, kSeverityNames[static_cast<int>(severity)]));
        box->SetValue(true);
        box->SetToolTip("Show or hide this kind of problem");
        box->Bind(wxEVT_CHECKBOX, [this, severity](wxCommandEvent& event) {
            const std::vector<std::uint64_t> selected = SelectedIds();
            m_rows.Show(severity, event.IsChecked());
            Refill(selected);
        });
        filters->Add(box, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(16));
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(filters, 0, wxLEFT | wxTOP | wxBOTTOM, FromDIP(4));
    sizer->Add(m_list, 1, wxEXPAND);
    SetSizer(sizer);

    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED,
                 [this](wxListEvent& event) { GoTo(static_cast<std::size_t>(event.GetIndex())); });
    m_list->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& event) {
        const auto column = static_cast<FindingRows::Column>(event.GetColumn());
        const bool ascending = m_rows.SortColumn() != column || !m_rows.Ascending();
        const std::vector<std::uint64_t> selected = SelectedIds();
        m_rows.SortBy(column, ascending);
        m_list->ShowSortIndicator(event.GetColumn(), ascending);
        Refill(selected);
    });
    m_list->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        if (event.GetModifiers() == wxMOD_CONTROL && event.GetKeyCode() == 'C') {
            CopySelection();
        } else if (event.GetModifiers() == wxMOD_CONTROL && event.GetKeyCode() == 'A') {
            m_list->SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        } else {
            event.Skip();
        }
    });
    m_list->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, [this](wxListEvent& event) {
        const auto row = static_cast<std::size_t>(event.GetIndex());
        wxMenu menu;
        menu.Append(wxID_JUMP_TO, "&Go to Node\tEnter");
        menu.Append(wxID_COPY, "&Copy\tCtrl+C");
        const int chosen = GetPopupMenuSelectionFromUser(menu);
        if (chosen == wxID_JUMP_TO) {
            GoTo(row);
        } else if (chosen == wxID_COPY) {
            CopySelection();
        }
    });
}

wxWindow* ProblemsPanel::List() const {
    return m_list;
}

Document::FindingChanges ProblemsPanel::Sync() {
    Document::FindingChanges changes = m_doc.TakeFindingChanges();
    if (!changes.all && changes.touched.empty()) {
        return changes;
    }
    const std::vector<std::uint64_t> selected = SelectedIds();
    if (changes.all) {
        m_rows.Reset(m_doc.ListedFindings(), m_doc.ListedDiagnostics(), m_doc.GetLorePath());
    } else {
        m_rows.Follow(m_doc.ListedFindings(), changes.touched);
    }
    Refill(selected);
    UpdateFilterLabels();
    return changes;
}

std::vector<std::uint64_t> ProblemsPanel::SelectedIds() const {
    std::vector<std::uint64_t> ids;
    for (long item = m_list->GetFirstSelected(); item >= 0; item = m_list->GetNextSelected(item)) {
        if (static_cast<std::size_t>(item) < m_rows.Size()) {
            ids.push_back(m_rows[static_cast<std::size_t>(item)].id);
        }
    }
    return ids;
}

void ProblemsPanel::Refill(const std::vector<std::uint64_t>& selected) {
    // The rows that were selected stay selected wherever they moved; a row that went takes its
    // selection with it, and no other row is selected in its place.
    m_list->SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->SetItemCount(static_cast<long>(m_rows.Size()));
    if (!selected.empty()) {
        const std::unordered_set<std::uint64_t> ids(selected.begin(), selected.end());
        bool first = true;
        for (std::size_t k = 0; k < m_rows.Size(); ++k) {
            if (ids.contains(m_rows[k].id)) {
                const long item = static_cast<long>(k);
                m_list->SetItemState(item,
                                     wxLIST_STATE_SELECTED | (first ? wxLIST_STATE_FOCUSED : 0),
                                     wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
                first = false;
            }
        }
    }
    m_list->Refresh();
}

void ProblemsPanel::UpdateFilterLabels() {
    for (const Severity severity : kSeverities) {
        const auto k = static_cast<int>(severity);
        const wxString label = Counted(m_rows.Count(severity), kSeverityNames[k]);
        if (m_filters[k]->GetLabel() != label) {
            m_filters[k]->SetLabel(label);
        }
    }
    Layout();
}

wxString ProblemsPanel::CountText() const {
    wxString text = Counted(m_rows.Count(Severity::Error), "error") + ", " +
                    Counted(m_rows.Count(Severity::Warning), "warning");
    if (const std::size_t notes = m_rows.Count(Severity::Note)) {
        text += ", " + Counted(notes, "note");
    }
    return text;
}

wxString ProblemsPanel::SelectedLines() const {
    std::string lines;
    for (long item = m_list->GetFirstSelected(); item >= 0; item = m_list->GetNextSelected(item)) {
        lines += DiagnosticLine(m_rows[static_cast<std::size_t>(item)].finding) + "\n";
    }
    return wxString::FromUTF8(lines);
}

void ProblemsPanel::CopySelection() const {
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(SelectedLines()));
        wxTheClipboard->Close();
    }
}

bool ProblemsPanel::GoToNext(bool forward) {
    Sync();
    const long count = static_cast<long>(m_rows.Size());
    if (count == 0) {
        return false;
    }
    const long current = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    const long next =
        current < 0 ? (forward ? 0 : count - 1) : (current + (forward ? 1 : count - 1)) % count;
    m_list->SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->SetItemState(next, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(next);
    GoTo(static_cast<std::size_t>(next));
    return true;
}

void ProblemsPanel::GoTo(std::size_t row) {
    if (row >= m_rows.Size()) {
        return;
    }
    const Diagnostic finding = m_rows[row].finding;
    const Node* node = m_rows[row].node != nullptr ? m_rows[row].node : m_doc.NodeOf(finding);
    if (node == nullptr || !m_doc.ShowNode(node)) {
        return;
    }
    if (FormPane* form = m_host.CurrentForm()) {
        form->FocusField(finding.field);
    }
}

} // namespace tc

#include "dialogs/ReadingNotesDialog.h"

#include "platform/wx/WxText.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

namespace tc {

namespace {

wxString FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return wxString::FromUTF8(slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace

ReadingNotesDialog::ReadingNotesDialog(wxWindow* parent, Document& doc)
    : wxDialog(parent, wxID_ANY, "Reading Notes", wxDefaultPosition, wxSize(760, 360),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_doc(doc) {
    m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_SINGLE_SEL);
    m_list->AppendColumn("Node", wxLIST_FORMAT_LEFT, 170);
    m_list->AppendColumn("File", wxLIST_FORMAT_LEFT, 130);
    m_list->AppendColumn("Line", wxLIST_FORMAT_RIGHT, 50);
    m_list->AppendColumn("What a save changes", wxLIST_FORMAT_LEFT, 390);
    for (const Diagnostic& d : doc.GetDiagnostics()) {
        if (d.kind != Diagnostic::Kind::ReadingNote) {
            continue;
        }
        const long row = m_list->InsertItem(m_list->GetItemCount(),
                                            d.hasNode ? ToWx(d.nodeName) : wxString("(file)"));
        m_list->SetItem(row, 1, FileNameOf(d.path));
        m_list->SetItem(row, 2, d.line > 0 ? wxString::Format("%d", d.line) : wxString());
        m_list->SetItem(row, 3, wxString::FromUTF8(d.text));
        m_rows.push_back(d);
    }
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& event) {
        const long row = event.GetIndex();
        if (row >= 0 && static_cast<std::size_t>(row) < m_rows.size()) {
            m_doc.GoToNode(m_rows[static_cast<std::size_t>(row)]);
        }
    });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_list, 1, wxEXPAND | wxALL, 8);
    sizer->Add(new wxButton(this, wxID_CANCEL, "Close"), 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizer(sizer);
    SetEscapeId(wxID_CANCEL);
}

} // namespace tc

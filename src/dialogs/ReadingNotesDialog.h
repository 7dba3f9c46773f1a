// View > Reading Notes: what a save would change in the files just opened, one row a place.
// A double-click shows the row's node in the tree and the form.
#pragma once

#include "document/Document.h"

#include <wx/dialog.h>

class wxListCtrl;

namespace tc {

class ReadingNotesDialog : public wxDialog {
public:
    ReadingNotesDialog(wxWindow* parent, Document& doc);

    wxListCtrl* List() { return m_list; }

private:
    Document& m_doc;
    wxListCtrl* m_list = nullptr;
    std::vector<Diagnostic> m_rows; // copies: the window may outlive the next Open
};

} // namespace tc

// View > Reading Notes: what a save would change in the files just opened, one row a place.
// A double-click shows the row's node in the tree and the form.
#pragma once

#include "document/CTomecraftDoc.h"

#include <wx/dialog.h>

class wxListCtrl;

namespace tc {

class CReadingNotesDlg : public wxDialog {
public:
    CReadingNotesDlg(wxWindow* parent, CTomecraftDoc& doc);

    wxListCtrl* List() { return m_list; }

private:
    CTomecraftDoc& m_doc;
    wxListCtrl* m_list = nullptr;
    std::vector<Diagnostic> m_rows; // copies: the window may outlive the next Open
};

} // namespace tc

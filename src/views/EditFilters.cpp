#include "views/EditFilters.h"

#include "platform/Text.h"
#include "platform/wx/WxText.h"

#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace tc {

void MakeLowerCaseEdit(wxTextCtrl* edit) {
    edit->Bind(wxEVT_TEXT, [edit](wxCommandEvent& event) {
        const wxString text = edit->GetValue();
        const wxString lower = ToWx(ToLower(FromWx(text)));
        if (lower != text) {
            const long at = edit->GetInsertionPoint();
            edit->ChangeValue(lower);
            edit->SetInsertionPoint(at);
        }
        event.Skip();
    });
}

void MakeDigitsOnlyEdit(wxTextCtrl* edit) {
    edit->SetValidator(wxTextValidator(wxFILTER_DIGITS));
}

} // namespace tc

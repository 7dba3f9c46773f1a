#include "controls/EditFilters.h"

#include "platform/Text.h"
#include "platform/wx/WxText.h"

#include <wx/clipbrd.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace tc {

namespace {

wxString Lowered(const wxString& text) {
    return ToWx(ToLower(FromWx(text)));
}

} // namespace

// Only what arrives is lowered, as the native lower-case style does: a name that already holds
// capitals keeps them, and the caret stays where the user put it.
void MakeLowerCaseEdit(wxTextCtrl* edit) {
    edit->Bind(wxEVT_CHAR, [edit](wxKeyEvent& event) {
        const wxChar typed = event.GetUnicodeKey();
        if (typed == WXK_NONE || event.ControlDown() || event.AltDown()) {
            event.Skip();
            return;
        }
        const wxString lower = Lowered(wxString(typed));
        if (lower == wxString(typed)) {
            event.Skip();
            return;
        }
        edit->WriteText(lower);
    });
    edit->Bind(wxEVT_TEXT_PASTE, [edit](wxClipboardTextEvent& event) {
        wxTextDataObject data;
        if (!wxTheClipboard->Open()) {
            event.Skip();
            return;
        }
        const bool read = wxTheClipboard->GetData(data);
        wxTheClipboard->Close();
        if (!read) {
            event.Skip();
            return;
        }
        edit->WriteText(Lowered(data.GetText()));
    });
}

void MakeDigitsOnlyEdit(wxTextCtrl* edit) {
    edit->SetValidator(wxTextValidator(wxFILTER_DIGITS));
}

} // namespace tc

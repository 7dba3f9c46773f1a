#include "controls/EditFilters.h"

#include "platform/Text.h"
#include "platform/wx/WxText.h"

#include <wx/clipbrd.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

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

// The toolkit's digits validator also swallows Alt and Ctrl with a letter, so that the menus'
// keys (Alt+E, Alt+F) did nothing while the caret stood in a number.
void MakeDigitsOnlyEdit(wxTextCtrl* edit) {
    edit->Bind(wxEVT_CHAR, [](wxKeyEvent& event) {
        const wxChar typed = event.GetUnicodeKey();
        if (typed == WXK_NONE || typed < WXK_SPACE || typed == WXK_DELETE || event.ControlDown() ||
            event.AltDown() || (typed >= '0' && typed <= '9')) {
            event.Skip();
            return;
        }
        wxBell();
    });
}

} // namespace tc

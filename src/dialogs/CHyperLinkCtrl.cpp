#include "dialogs/CHyperLinkCtrl.h"

#include <wx/utils.h>

namespace tc {

CHyperLinkCtrl::CHyperLinkCtrl(wxWindow* parent, int id, const wxString& text, wxPoint position,
                               wxSize size)
    : wxStaticText(parent, id, text, position, size) {
    wxFont font = GetFont();
    font.SetUnderlined(true);
    SetFont(font);
    SetForegroundColour(wxColour(0, 0, 255));
    SetCursor(wxCursor(wxCURSOR_HAND));
    // A failed launch is silent: there is nothing the user could do about it here.
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { wxLaunchDefaultBrowser(Target()); });
}

} // namespace tc

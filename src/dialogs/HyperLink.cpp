#include "dialogs/HyperLink.h"

#include "platform/wx/WxText.h"

#include <wx/utils.h>

namespace tc {

HyperLink::HyperLink(wxWindow* parent, UserInterface& ui, int id, const wxString& text,
                     wxPoint position, wxSize size)
    : wxGenericHyperlinkCtrl(parent, id, text, wxString(), position, size,
                             wxHL_CONTEXTMENU | wxHL_ALIGN_LEFT | wxNO_BORDER),
      m_open([](const wxString& target) { return wxLaunchDefaultBrowser(target); }), m_ui(ui) {
    // One colour whether visited or under the mouse: a link in a dialog, not a web page.
    const wxColour blue(0, 0, 255);
    SetNormalColour(blue);
    SetVisitedColour(blue);
    SetHoverColour(blue);
    Bind(wxEVT_HYPERLINK, [this](wxHyperlinkEvent&) { Open(); });
    // Space is the control's own; Enter would otherwise press the dialog's default button.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (HasFocus() &&
            (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)) {
            Open();
            return;
        }
        event.Skip();
    });
}

// Without a word a failed open looks like a link that is not one; the message gives the
// address, which the user can still take to a program of their own.
void HyperLink::Open() {
    if (!m_open(Target())) {
        m_ui.MessageBox("No program could open " + FromWx(Target()) +
                            ". Set up a default web browser and e-mail program, or copy the "
                            "address from here.",
                        MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

} // namespace tc

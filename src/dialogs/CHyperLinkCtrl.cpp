#include "dialogs/CHyperLinkCtrl.h"

#include "platform/wx/WxText.h"

#include <wx/utils.h>

namespace tc {

CHyperLinkCtrl::CHyperLinkCtrl(wxWindow* parent, UserInterface& ui, int id, const wxString& text,
                               wxPoint position, wxSize size)
    : wxStaticText(parent, id, text, position, size),
      m_open([](const wxString& target) { return wxLaunchDefaultBrowser(target); }), m_ui(ui) {
    wxFont font = GetFont();
    font.SetUnderlined(true);
    SetFont(font);
    SetForegroundColour(wxColour(0, 0, 255));
    SetCursor(wxCursor(wxCURSOR_HAND));
    // Without a word a failed click looks like a link that is not one; the message gives the
    // address, which the user can still take to a program of their own.
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
        if (!m_open(Target())) {
            m_ui.MessageBox("No program could open " + FromWx(Target()) +
                                ". Set up a default web browser and e-mail program, or copy the "
                                "address from here.",
                            MsgButtons::Ok, MsgIcon::Exclamation);
        }
    });
}

} // namespace tc

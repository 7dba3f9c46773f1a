// A link: underlined blue text with a hand cursor that takes the focus from Tab like a button. A
// click, Enter or Space opens its target with the platform's default handler, and says so when
// there is none that can.
#pragma once

#include "platform/UserInterface.h"

#include <wx/hyperlink.h>

#include <functional>

namespace tc {

class HyperLink : public wxGenericHyperlinkCtrl {
public:
    HyperLink(wxWindow* parent, UserInterface& ui, int id, const wxString& text, wxPoint position,
              wxSize size);

    // An empty target (the URL) opens the text itself.
    wxString Target() const { return GetURL().empty() ? GetLabel() : GetURL(); }

    // Opens a target; false when nothing could. Tests put their own in.
    std::function<bool(const wxString&)> m_open;

private:
    void Open();

    UserInterface& m_ui;
};

} // namespace tc

// A static text drawn as a link: underlined, blue, with a hand cursor; a click opens its target
// with the platform's default handler, and says so when there is none that can.
#pragma once

#include "platform/UserInterface.h"

#include <wx/stattext.h>

#include <functional>

namespace tc {

class CHyperLinkCtrl : public wxStaticText {
public:
    CHyperLinkCtrl(wxWindow* parent, UserInterface& ui, int id, const wxString& text,
                   wxPoint position, wxSize size);

    // An empty target opens the text itself.
    void SetURL(const wxString& url) { m_strURL = url; }
    wxString Target() const { return m_strURL.empty() ? GetLabel() : m_strURL; }

    // Opens a target; false when nothing could. Tests put their own in.
    std::function<bool(const wxString&)> m_open;

private:
    UserInterface& m_ui;
    wxString m_strURL;
};

} // namespace tc

// A static text drawn as a link: underlined, blue, with a hand cursor; a click opens its target
// with the platform's default handler.
#pragma once

#include <wx/stattext.h>

namespace tc {

class CHyperLinkCtrl : public wxStaticText {
public:
    CHyperLinkCtrl(wxWindow* parent, int id, const wxString& text, wxPoint position, wxSize size);

    // An empty target opens the text itself.
    void SetURL(const wxString& url) { m_strURL = url; }
    wxString Target() const { return m_strURL.empty() ? GetLabel() : m_strURL; }

private:
    wxString m_strURL;
};

} // namespace tc

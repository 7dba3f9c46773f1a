#include "dialogs/AboutDialog.h"
#include "dialogs/DialogParts.h"
#include "rules/ControlIds.h"

#include "Resources.h"
#include "dialogs/HyperLink.h"
#include "platform/Product.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace tc {

AboutDialog::AboutDialog(wxWindow* parent, UserInterface& ui)
    : wxDialog(parent, wxID_ANY, "About Tomecraft") {
    auto* ok = new wxButton(this, wxID_OK, "OK", DuPoint(this, 175, 5), DuSize(this, 50, 14));
    new wxStaticBitmap(this, Id(ControlId::AboutIcon), res::AboutIcon(), DuPoint(this, 6, 5));
    new wxStaticText(this, wxID_ANY,
                     wxString::Format("%s Version %s\n\n%s", kAppTitle, kAppVersion, kCopyright),
                     DuPoint(this, 35, 5), DuSize(this, 135, 45));
    new wxStaticBox(this, wxID_ANY, "Contact Me", DuPoint(this, 35, 55), DuSize(this, 135, 35));
    new wxStaticText(this, wxID_ANY, "E-mail: ", DuPoint(this, 41, 66));
    m_emailLink = new HyperLink(this, ui, Id(ControlId::EmailLink), kMakerEmail,
                                DuPoint(this, 69, 66), wxDefaultSize);
    new wxStaticText(this, wxID_ANY, "Web:", DuPoint(this, 41, 76));
    m_webLink = new HyperLink(this, ui, Id(ControlId::WebLink), kMakerWebHost,
                              DuPoint(this, 69, 76), wxDefaultSize);
    m_emailLink->SetURL(wxString("mailto:") + kMakerEmail + "?subject=Tomecraft");
    m_webLink->SetURL(kMakerWebAddress);
    SetClientSize(DuSize(this, 229, 95));
    ok->SetDefault();
    ok->SetFocus();
    SetEscapeId(wxID_OK);
    CentreOnParent();
}

} // namespace tc

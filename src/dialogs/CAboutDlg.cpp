#include "dialogs/CAboutDlg.h"

#include "Resources.h"
#include "dialogs/CHyperLinkCtrl.h"
#include "platform/Product.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace tc {

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "About Tomecraft") {
    const auto du = [this](int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); };
    const auto size = [this](int w, int h) { return ConvertDialogToPixels(wxSize(w, h)); };
    auto* ok = new wxButton(this, wxID_OK, "OK", du(175, 5), size(50, 14));
    new wxStaticBitmap(this, 1000, res::AppIcon(), du(6, 5));
    new wxStaticText(this, wxID_ANY,
                     wxString::Format("%s Version %s\n\n%s", kAppTitle, kAppVersion, kCopyright),
                     du(35, 5), size(135, 45));
    new wxStaticBox(this, wxID_ANY, "Contact Me", du(35, 55), size(135, 35));
    new wxStaticText(this, wxID_ANY, "E-mail: ", du(41, 66));
    m_ctlEmailLink = new CHyperLinkCtrl(this, 1001, kMakerEmail, du(69, 66), wxDefaultSize);
    new wxStaticText(this, wxID_ANY, "Web:", du(41, 76));
    m_ctlWebLink = new CHyperLinkCtrl(this, 1002, kMakerWebHost, du(69, 76), wxDefaultSize);
    m_ctlEmailLink->SetURL(wxString("mailto:") + kMakerEmail + "?subject=Tomecraft");
    m_ctlWebLink->SetURL(kMakerWebAddress);
    SetClientSize(size(229, 95));
    ok->SetDefault();
    ok->SetFocus();
    SetEscapeId(wxID_OK);
    CentreOnParent();
}

} // namespace tc

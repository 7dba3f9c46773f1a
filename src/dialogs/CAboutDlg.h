// The About box: the program's icon, name and version, and how to reach its makers.
#pragma once

#include "platform/UserInterface.h"

#include <wx/dialog.h>

namespace tc {

class CHyperLinkCtrl;

class CAboutDlg : public wxDialog {
public:
    CAboutDlg(wxWindow* parent, UserInterface& ui);

    CHyperLinkCtrl* m_ctlEmailLink;
    CHyperLinkCtrl* m_ctlWebLink;
};

} // namespace tc

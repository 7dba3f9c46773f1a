// The About box: the program's icon, name and version, and how to reach its makers.
#pragma once

#include <wx/dialog.h>

namespace tc {

class CHyperLinkCtrl;

class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent);

    CHyperLinkCtrl* m_ctlEmailLink;
    CHyperLinkCtrl* m_ctlWebLink;
};

} // namespace tc

// The About box: the program's icon, name and version, and how to reach its makers.
#pragma once

#include "platform/UserInterface.h"

#include <wx/dialog.h>

namespace tc {

class HyperLink;

class AboutDialog : public wxDialog {
public:
    AboutDialog(wxWindow* parent, UserInterface& ui);

    HyperLink* m_emailLink;
    HyperLink* m_webLink;
};

} // namespace tc

#include "dialogs/CNewNodeDlg.h"

#include "dialogs/DialogParts.h"
#include "platform/UserInterface.h"
#include "platform/wx/WxText.h"
#include "views/EditFilters.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace tc {

CNewNodeDlg::CNewNodeDlg(wxWindow* parent, const LoreData* data, UserInterface& ui,
                         const std::string& caption, const std::string& name)
    : wxDialog(parent, wxID_ANY, caption.empty() ? wxString("New Node") : ToWx(caption)), m_ui(ui),
      m_rules(data) {
    const auto du = [this](int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); };
    const auto size = [this](int w, int h) { return ConvertDialogToPixels(wxSize(w, h)); };
    new wxStaticText(this, 1000, "Enter name of new node to create:", du(5, 5));
    m_editName =
        new wxTextCtrl(this, NewNodeRules::kNameEdit, ToWx(name), du(5, 15), size(190, 14));
    MakeLowerCaseEdit(m_editName);
    auto* ok = new wxButton(this, wxID_OK, "OK", du(205, 5), size(50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", du(205, 20), size(50, 14));
    ok->SetDefault();
    SetClientSize(size(261, 41));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    m_editName->SetFocus();
    CentreOnParent();
}

bool CNewNodeDlg::OnOK() {
    return CloseUnlessRefused(this, m_ui, m_rules.OnOk(FromWx(m_editName->GetValue())));
}

} // namespace tc

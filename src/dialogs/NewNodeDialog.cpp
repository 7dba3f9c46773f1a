#include "dialogs/NewNodeDialog.h"

#include "controls/EditFilters.h"
#include "dialogs/DialogParts.h"
#include "platform/UserInterface.h"
#include "platform/wx/WxText.h"
#include "rules/ControlIds.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace tc {

NewNodeDialog::NewNodeDialog(wxWindow* parent, const LoreData* data, UserInterface& ui,
                             const std::string& caption, const std::string& name)
    : wxDialog(parent, wxID_ANY, caption.empty() ? wxString("New Node") : ToWx(caption)), m_ui(ui),
      m_rules(data) {
    new wxStaticText(this, Id(ControlId::NewNodeLabel),
                     "Enter name of new node to create:", DuPoint(this, 5, 5));
    m_nameField = new wxTextCtrl(this, Id(ControlId::NewNodeNameField), ToWx(name),
                                 DuPoint(this, 5, 15), DuSize(this, 190, 14));
    MakeLowerCaseEdit(m_nameField);
    AddOkCancel(this, {205, 5}, {205, 20}, {261, 41}, [this] { OnOK(); });
    m_nameField->SetFocus();
    CentreOnParent();
}

bool NewNodeDialog::OnOK() {
    return CloseUnlessRefused(this, m_ui, m_rules.OnOk(FromWx(m_nameField->GetValue())));
}

} // namespace tc

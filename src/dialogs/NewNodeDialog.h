// The New Node dialog: asks for the name of a new lore book or template.
#pragma once

#include "rules/NewNodeRules.h"

#include <wx/dialog.h>

class wxTextCtrl;

namespace tc {

class UserInterface;

class NewNodeDialog : public wxDialog {
public:
    // `data` null switches the uniqueness checks off; an empty caption keeps "New Node".
    NewNodeDialog(wxWindow* parent, const LoreData* data, UserInterface& ui,
                  const std::string& caption = "", const std::string& name = "");

    bool OnOK();
    const std::string& NodeName() const { return m_rules.m_nodeName; }

    wxTextCtrl* m_nameField;

private:
    UserInterface& m_ui;
    NewNodeRules m_rules;
};

} // namespace tc

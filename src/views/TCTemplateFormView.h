// The right pane while a template (or the "Templates" group) is selected.
#pragma once

#include "document/TemplateFormRules.h"
#include "views/FormPane.h"
#include "views/LongChoice.h"

class wxTextCtrl;
class wxButton;
class wxSpinButton;

namespace tc {

class TCTemplateFormView : public FormPane {
public:
    TCTemplateFormView(wxWindow* parent, CTomecraftDoc& doc, TomecraftTreeView& tree);

    void SetTemplate(CTemplate* tmpl, wxTreeItemId item);
    void ShowNode(TCObject* node, wxTreeItemId item) override;
    bool HasNode() const override { return m_rules.Template() != nullptr; }
    bool OnUpdateButton() override;

    wxTextCtrl* m_editName;
    wxTextCtrl* m_editBookTitle;
    wxTextCtrl* m_editHelp;
    wxTextCtrl* m_editComment;
    wxTextCtrl* m_editInventoryIcon;
    wxTextCtrl* m_editModel;
    wxTextCtrl* m_editTexture;
    wxTextCtrl* m_editInventoryWidth;
    wxTextCtrl* m_editInventoryHeight;
    wxTextCtrl* m_editGoldValue;
    wxButton* m_btnUpdate;
    LongChoice* m_cbSpecializes;
    LongChoice* m_cbLoreKey;
    wxSpinButton* m_spinInventoryWidth;
    wxSpinButton* m_spinInventoryHeight;
    wxSpinButton* m_spinGoldValue;

private:
    wxTextCtrl* AddEdit(int id, int x, int y, int width, long style = 0);
    wxSpinButton* AddSpin(int id, wxTextCtrl* buddy, int x, int y, int low, int high, int first);
    void RefreshControls();
    void ShowFields();
    void ReadFields();
    void ShowList(LongChoice* choice, const ComboList& list);
    void EnableControls();
    void OnSelChangeSpecializes();

    TemplateFormRules m_rules;
    wxTreeItemId m_hItem;
};

} // namespace tc

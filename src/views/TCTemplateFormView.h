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
    void ForgetNode() override {
        m_rules.SetTemplate(nullptr);
        m_hItem = wxTreeItemId();
    }
    bool HasNode() const override { return m_rules.Template() != nullptr; }
    const TCObject* ShownNode() const override { return m_rules.Template(); }
    void PutBack() override { SetTemplate(m_rules.Template(), m_hItem); }
    bool HasTyping() override;
    void Prepare() override { m_rules.PrepareLists(); }
    // Whether the shown template's key names no loaded book, which leaves title and key locked.
    bool KeyNamesNoBook() const { return m_rules.KeyNamesNoBook(); }
    // Unlocks them, so that the template can be pointed at another book.
    void PointAtAnotherBook();

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
    wxButton* m_btnPointAtBook;
    wxSpinButton* m_spinInventoryWidth;
    wxSpinButton* m_spinInventoryHeight;
    wxSpinButton* m_spinGoldValue;

private:
    wxTextCtrl* AddEdit(int id, int x, int y, int width, long style = 0);
    wxSpinButton* AddSpin(int id, wxTextCtrl* buddy, int x, int y, int low, int high, int first);
    bool Store(FormStore store, bool quiet) override;
    void RefreshControls() override;
    void ShowFields();
    void ReadFields();
    void ReadControls(); // the fields and both lists' selections
    void ShowList(LongChoice* choice, const ComboList& list);
    void EnableControls();
    void OnSelChangeSpecializes();

    TemplateFormRules m_rules;
    wxTreeItemId m_hItem;
};

} // namespace tc

// The right pane while a template (or the "Templates" group) is selected.
#pragma once

#include "rules/ControlIds.h"
#include "rules/TemplateFormRules.h"
#include "views/FormPane.h"
#include "views/LongChoice.h"
#include "views/TranslationControls.h"

class wxTextCtrl;
class wxButton;
class wxSpinButton;

namespace tc {

class TemplateForm : public FormPane {
public:
    TemplateForm(wxWindow* parent, Document& doc, TreeView& tree);

    void SetTemplate(const Template* tmpl, wxTreeItemId item);
    void ShowNode(const Node* node, wxTreeItemId item) override;
    void ForgetNode() override {
        m_rules.SetTemplate(nullptr);
        m_item = wxTreeItemId();
    }
    bool HasNode() const override { return m_rules.ShownTemplate() != nullptr; }
    const Node* ShownNode() const override { return m_rules.ShownTemplate(); }
    void PutBack() override { SetTemplate(m_rules.ShownTemplate(), m_item); }
    bool HasTyping() override;
    void Prepare() override { m_rules.PrepareLists(); }
    // Whether the shown template's key names no loaded book, which leaves title and key locked.
    bool KeyNamesNoBook() const { return m_rules.KeyNamesNoBook(); }
    // Unlocks them, so that the template can be pointed at another book.
    void PointAtAnotherBook();

    wxTextCtrl* m_nameField;
    wxTextCtrl* m_bookTitleField;
    wxTextCtrl* m_helpField;
    wxTextCtrl* m_commentField;
    wxTextCtrl* m_inventoryIconField;
    wxTextCtrl* m_modelField;
    wxTextCtrl* m_textureField;
    wxTextCtrl* m_inventoryWidthField;
    wxTextCtrl* m_inventoryHeightField;
    wxTextCtrl* m_goldValueField;
    wxButton* m_updateButton;
    LongChoice* m_specializesField;
    LongChoice* m_loreKeyChoice;
    wxButton* m_pointAtBookButton;
    wxSpinButton* m_inventoryWidthSpin;
    wxSpinButton* m_inventoryHeightSpin;
    wxSpinButton* m_goldValueSpin;
    TranslationControls m_translation; // of the book title

private:
    wxTextCtrl* AddEdit(ControlId id, int width, long style = 0);
    wxSpinButton* AddSpin(ControlId id, wxTextCtrl* buddy, int low, int high, int first);
    bool Store(FormStore store, bool quiet) override;
    void RefreshControls() override;
    void ShowFields();
    void ReadFields();
    void ReadControls(); // the fields and both lists' selections
    void ShowList(LongChoice* choice, const ComboList& list);
    void EnableControls();
    void OnSelChangeSpecializes();

    TemplateFormRules m_rules;
    wxTreeItemId m_item;
};

} // namespace tc

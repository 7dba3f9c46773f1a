// The right pane while a lore book (or the "Lore Books" group) is selected.
#pragma once

#include "rules/LoreBookFormRules.h"
#include "views/FormPane.h"
#include "views/TranslationControls.h"

class wxTextCtrl;
class wxButton;

namespace tc {

class LoreBookForm : public FormPane {
public:
    LoreBookForm(wxWindow* parent, Document& doc, TreeView& tree);

    void SetBook(const LoreBook* book, wxTreeItemId item);
    void ShowNode(const Node* node, wxTreeItemId item) override;
    void ForgetNode() override {
        m_rules.SetBook(nullptr);
        m_item = wxTreeItemId();
    }
    bool HasNode() const override { return m_rules.ShownBook() != nullptr; }
    const Node* ShownNode() const override { return m_rules.ShownBook(); }
    void PutBack() override { RefreshControls(); }
    bool HasTyping() override;

    wxTextCtrl* m_loreKeyField;
    wxTextCtrl* m_textField;
    wxTextCtrl* m_commentField;
    wxTextCtrl* m_helpField;
    wxButton* m_updateButton;
    TranslationControls m_translation;

private:
    LoreBookFormRules::Fields Typed() const;
    bool Store(FormStore store, bool quiet) override;
    void RefreshControls() override;
    void EnableControls();

    LoreBookFormRules m_rules;
    wxTreeItemId m_item;
};

} // namespace tc

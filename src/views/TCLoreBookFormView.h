// The right pane while a lore book (or the "Lore Books" group) is selected.
#pragma once

#include "document/LoreBookFormRules.h"
#include "views/FormPane.h"

class wxTextCtrl;
class wxButton;

namespace tc {

class TCLoreBookFormView : public FormPane {
public:
    TCLoreBookFormView(wxWindow* parent, CTomecraftDoc& doc, TomecraftTreeView& tree);

    void SetBook(CLoreBook* book, wxTreeItemId item);
    void ShowNode(TCObject* node, wxTreeItemId item) override;
    void ForgetNode() override {
        m_rules.SetBook(nullptr);
        m_hItem = wxTreeItemId();
    }
    bool HasNode() const override { return m_rules.Book() != nullptr; }
    const TCObject* ShownNode() const override { return m_rules.Book(); }
    void PutBack() override { RefreshControls(); }
    bool HasTyping() override;

    wxTextCtrl* m_editLoreKey;
    wxTextCtrl* m_editText;
    wxTextCtrl* m_editComment;
    wxTextCtrl* m_editHelp;
    wxButton* m_btnUpdate;

private:
    LoreBookFormRules::Fields Typed() const;
    bool Store(FormStore store, bool quiet) override;
    void RefreshControls() override;
    void EnableControls();

    LoreBookFormRules m_rules;
    wxTreeItemId m_hItem;
};

} // namespace tc

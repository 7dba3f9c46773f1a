#include "views/FormPane.h"

#include "views/Refusal.h"
#include "views/TomecraftTreeView.h"

namespace tc {

FormPane::FormPane(wxWindow* parent, CTomecraftDoc& doc, TomecraftTreeView& tree)
    : wxPanel(parent, wxID_ANY), m_doc(doc), m_tree(tree) {
    // An empty form never keeps the focus: it hands it back to the tree.
    Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        if (!m_detached && !HasNode()) {
            CallAfter([this] { m_tree.SetFocus(); });
        }
        event.Skip();
    });
}

FormPane::~FormPane() {
    if (m_doc.m_pFormView == this) {
        m_doc.m_pFormView = nullptr;
    }
}

void FormPane::Detach() {
    ShowNode(nullptr, wxTreeItemId());
    m_detached = true;
    if (m_doc.m_pFormView == this) {
        m_doc.m_pFormView = nullptr;
    }
}

bool FormPane::FinishUpdate(const DialogVerdict& verdict, bool renamed, wxTreeItemId& item) {
    if (!verdict.accepted) {
        ShowRefusal(this, m_doc.Ui(), verdict);
        return false;
    }
    if (HasNode()) {
        if (renamed) {
            item = m_tree.UpdateTreeData(item);
        }
        m_tree.FocusAfterUpdate();
    }
    return true;
}

} // namespace tc

#include "views/FormPane.h"

#include "controls/Refusal.h"
#include "rules/CommandIds.h"
#include "rules/FieldControl.h"
#include "views/TreeView.h"

#include <wx/textctrl.h>

namespace tc {

FormPane::FormPane(wxWindow* parent, Document& doc, TreeView& tree)
    : wxScrolled<wxPanel>(parent, wxID_ANY), m_doc(doc), m_tree(tree) {
    // Escape puts back what the node holds: the way out of a form that refuses its typing.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers() && !m_detached &&
            HasNode()) {
            PutBack();
        }
        event.Skip();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Refresh(); // what a smaller, scrolled pane drew is drawn again in its place
        event.Skip();
    });
    // An empty form never keeps the focus: it hands it back to the tree.
    Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        if (!m_detached && !HasNode()) {
            CallAfter([this] { m_tree.SetFocus(); });
        }
        wxWindow* control = event.GetWindow();
        while (control != nullptr && control->GetParent() != this) {
            control = control->GetParent();
        }
        if (control != nullptr) {
            ScrollToShow(control);
        }
        event.Skip();
    });
}

FormPane::~FormPane() {
    m_doc.DetachFormView(this);
}

void FormPane::Detach() {
    ForgetNode();
    m_detached = true;
    m_doc.DetachFormView(this);
}

void FormPane::Attach() {
    m_detached = false;
    m_doc.AttachFormView(this);
}

void FormPane::FocusField(const std::string& key) {
    if (!HasNode()) {
        return;
    }
    const ControlId id = FieldControl(ShownNode()->GetType(), key);
    wxWindow* control = FindWindow(Id(id));
    if (control != nullptr && !control->IsEnabled() && id == ControlId::LoreKeyList) {
        control = FindWindow(Id(CommandId::PointAtBook));
    }
    if (control == nullptr || !control->IsEnabled()) {
        control = FindWindow(Id(ControlId::NameField)); // the form's first field
    }
    if (control == nullptr || !control->IsEnabled()) {
        return;
    }
    control->SetFocus();
    if (auto* field = wxDynamicCast(control, wxTextCtrl)) {
        field->SetInsertionPointEnd();
    }
}

void FormPane::AddLabelled(wxSizer* sizer, wxWindow* label, wxWindow* field, int flags,
                           int proportion) {
    sizer->Add(label);
    sizer->AddSpacer(DuY(2));
    sizer->Add(field, proportion, flags);
}

void FormPane::SetLayout(wxSizer* fields) {
    auto* rows = new wxBoxSizer(wxVERTICAL);
    rows->AddSpacer(DuY(5));
    rows->Add(fields, 1, wxEXPAND);
    rows->AddSpacer(DuY(5));
    auto* margin = new wxBoxSizer(wxHORIZONTAL);
    margin->AddSpacer(DuX(5));
    margin->Add(rows, 1, wxEXPAND);
    margin->AddSpacer(DuX(5));
    SetSizer(margin);
    m_layoutSize = margin->GetMinSize();
    const int step = DuY(8);
    SetScrollRate(step, step);
    FitInside();
}

namespace {

// The first scroll step of a view `length` long that shows [from, from + size) or, when that
// does not fit, its start; it moves no further than it must.
int FirstStepShowing(int viewStart, int length, int from, int size, int step) {
    if (step <= 0) {
        return -1; // this way does not scroll
    }
    if (from < viewStart || size > length) {
        return from / step;
    }
    if (from + size <= viewStart + length) {
        return viewStart / step;
    }
    return (from + size - length + step - 1) / step;
}

} // namespace

void FormPane::ScrollToShow(wxWindow* control) {
    const wxPoint view = CalcUnscrolledPosition(wxPoint(0, 0));
    const wxPoint at = CalcUnscrolledPosition(control->GetPosition());
    const wxSize size = control->GetSize();
    const wxSize client = GetClientSize();
    int stepX = 0;
    int stepY = 0;
    GetScrollPixelsPerUnit(&stepX, &stepY);
    Scroll(FirstStepShowing(view.x, client.GetWidth(), at.x, size.GetWidth(), stepX),
           FirstStepShowing(view.y, client.GetHeight(), at.y, size.GetHeight(), stepY));
}

bool FormPane::FinishUpdate(const DialogVerdict& verdict, bool stored, bool renamed, bool quiet,
                            wxTreeItemId& item) {
    if (!verdict.accepted) {
        if (!quiet) {
            ShowRefusal(this, m_doc.Ui(), verdict);
        }
        return false;
    }
    if (stored) {
        m_tree.Host().ClearMessage();
    }
    if (HasNode()) {
        if (stored) {
            RefreshControls();
        }
        if (renamed) {
            item = m_tree.ItemOf(ShownNode()); // the tree moved it into its place in order
        }
        m_tree.FocusAfterUpdate();
    }
    return true;
}

} // namespace tc

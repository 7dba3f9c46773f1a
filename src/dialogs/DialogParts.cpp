#include "dialogs/DialogParts.h"

#include "Resources.h"
#include "controls/Refusal.h"
#include "platform/wx/WxText.h"

#include <wx/button.h>

namespace tc {

wxPoint DuPoint(wxWindow* window, int x, int y) {
    return window->ConvertDialogToPixels(wxPoint(x, y));
}

wxSize DuSize(wxWindow* window, int width, int height) {
    return window->ConvertDialogToPixels(wxSize(width, height));
}

void AddOkCancel(wxDialog* dialog, wxPoint ok, wxPoint cancel, wxSize client,
                 std::function<void()> onOk) {
    auto* okButton =
        new wxButton(dialog, wxID_OK, "OK", DuPoint(dialog, ok.x, ok.y), DuSize(dialog, 50, 14));
    new wxButton(dialog, wxID_CANCEL, "Cancel", DuPoint(dialog, cancel.x, cancel.y),
                 DuSize(dialog, 50, 14));
    okButton->SetDefault();
    dialog->SetClientSize(DuSize(dialog, client.x, client.y));
    dialog->Bind(
        wxEVT_BUTTON, [onOk = std::move(onOk)](wxCommandEvent&) { onOk(); }, wxID_OK);
}

void Finish(wxDialog* dialog, int code) {
    if (dialog->IsModal()) {
        dialog->EndModal(code);
    } else {
        dialog->SetReturnCode(code);
        dialog->Hide();
    }
}

bool CloseUnlessRefused(wxDialog* dialog, UserInterface& ui, const DialogVerdict& verdict) {
    if (!verdict.accepted) {
        ShowRefusal(dialog, ui, verdict);
        return false;
    }
    Finish(dialog, wxID_OK);
    return true;
}

wxBitmapButton* CreateBrowseButton(wxWindow* parent, int id, wxPoint position) {
    auto* button = new wxBitmapButton(parent, id, res::BrowseUp(), position, wxDefaultSize,
                                      wxBU_EXACTFIT | wxBORDER_NONE);
    button->SetBitmapPressed(res::BrowseDown());
    button->SetBitmapFocus(res::BrowseFocus());
    button->SetToolTip("Browse");
    return button;
}

HistoryCombo::HistoryCombo(wxWindow* parent, int id, wxPoint position, wxSize size, ComboList& list)
    : wxComboBox(parent, id, "", position, size, 0, nullptr, wxCB_DROPDOWN), m_list(list) {
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& event) {
        if (!m_showing) {
            m_list.Select(GetSelection());
        }
        event.Skip();
    });
    Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
        if (!m_showing) {
            m_list.SetEditText(Utf8FromWx(GetValue()));
        }
        event.Skip();
    });
}

void HistoryCombo::ShowList() {
    m_showing = true;
    Clear();
    for (const std::string& entry : m_list.Entries()) {
        Append(Utf8ToWx(entry));
    }
    if (m_list.Selection() >= 0) {
        SetSelection(m_list.Selection());
    }
    ChangeValue(Utf8ToWx(m_list.EditText()));
    m_showing = false;
}

} // namespace tc

#include "views/TranslationControls.h"

#include "platform/wx/WxText.h"
#include "rules/ControlIds.h"
#include "rules/TranslationBox.h"

#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace tc {

void TranslationControls::Create(wxWindow* form, bool multiLine) {
    auto* box = new wxStaticBox(form, wxID_ANY, "Translation");
    m_state = new wxStaticText(form, Id(ControlId::TranslationState), "X", wxDefaultPosition,
                               wxDefaultSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    const wxSize size = form->ConvertDialogToPixels(wxSize(280, multiLine ? 20 : 12));
    m_field = new wxTextCtrl(form, Id(ControlId::TranslationField), "", wxDefaultPosition, size,
                             (multiLine ? wxTE_MULTILINE : 0) | wxTE_PROCESS_ENTER);
    m_sizer = new wxStaticBoxSizer(box, wxVERTICAL);
    const int gap = form->ConvertDialogToPixels(wxSize(5, 2)).x;
    m_sizer->Add(m_state, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    m_sizer->AddSpacer(form->ConvertDialogToPixels(wxSize(0, 2)).y);
    m_sizer->Add(m_field, multiLine ? 1 : 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    Show(nullptr, nullptr, {});
}

void TranslationControls::Show(const LanguageFile* file, const Node* node,
                               const std::string& translation) {
    const TranslationBox box = TranslationBoxOf(file, node);
    const wxString state = Utf8ToWx(box.state);
    if (m_state->GetLabel() != state) {
        m_state->SetLabel(state);
    }
    m_field->ChangeValue(box.enabled ? Utf8ToWx(translation) : wxString());
    m_field->Enable(box.enabled);
}

std::string TranslationControls::Value() const {
    return Utf8FromWx(m_field->GetValue());
}

} // namespace tc

#include "views/LoreBookForm.h"

#include "controls/EditFilters.h"
#include "platform/Text.h"
#include "platform/wx/WxText.h"
#include "rules/ControlIds.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace tc {

namespace {

constexpr const char* kHelp =
    "GENERAL HELP\r\n\r\nLore Key is an identifier for this book and thus must be unique across "
    "the entire game world.  Naming convention appears to be all lowercase, with underscores "
    "instead of spaces, as in lore_mybookname.\r\n\r\nBook Text is where you enter the content "
    "for the book.  To create paragraphs create a hard return by pressing CTRL+ENTER.\r\n\r\n"
    "Comment is an optional entry.  It is a brief note that will be written to the lore file as "
    "a reminder to you.  A method I use is to specify the expected location of the book, as in "
    "\"Found in blacksmith's house in Elddim.\"\r\n\r\nOnce you have completed entering "
    "information, press the Update button to validate and accept your changes.";

// The multi-line control works with "\n"; the book holds CR LF.
wxString ForControl(const std::string& text) {
    return ToWx(ReplaceAll(text, "\r\n", "\n"));
}

} // namespace

LoreBookForm::LoreBookForm(wxWindow* parent, Document& doc, TreeView& tree)
    : FormPane(parent, doc, tree), m_rules(doc.Data()) {
    auto* keyLabel = new wxStaticText(this, wxID_ANY, "&Lore Key:");
    m_loreKeyField = new wxTextCtrl(this, Id(ControlId::NameField), "", wxDefaultPosition,
                                    Du(wxSize(290, 12)), wxTE_PROCESS_ENTER);
    MakeLowerCaseEdit(m_loreKeyField);
    auto* textLabel = new wxStaticText(this, wxID_ANY, "&Book Text:");
    m_textField = new wxTextCtrl(this, Id(ControlId::TextField), "", wxDefaultPosition,
                                 Du(wxSize(290, 80)), wxTE_MULTILINE | wxTE_PROCESS_ENTER);
    auto* commentLabel = new wxStaticText(this, wxID_ANY, "&Comment:");
    m_commentField = new wxTextCtrl(this, Id(ControlId::CommentField), "", wxDefaultPosition,
                                    Du(wxSize(290, 12)), wxTE_PROCESS_ENTER);
    m_translation.Create(this, true);
    m_updateButton = new wxButton(this, Id(ControlId::UpdateButton), "&Update", wxDefaultPosition,
                                  Du(wxSize(50, 14)));
    m_helpField =
        new wxTextCtrl(this, Id(ControlId::HelpField), ToWx(ReplaceAll(kHelp, "\r\n", "\n")),
                       wxDefaultPosition, Du(wxSize(290, 45)), wxTE_MULTILINE | wxTE_READONLY);
    // The book text takes two thirds of the room a larger pane gives, its translation the rest.
    auto* fields = new wxBoxSizer(wxVERTICAL);
    AddLabelled(fields, keyLabel, m_loreKeyField);
    fields->AddSpacer(DuY(3));
    AddLabelled(fields, textLabel, m_textField, wxEXPAND, 2);
    fields->AddSpacer(DuY(5));
    AddLabelled(fields, commentLabel, m_commentField);
    fields->AddSpacer(DuY(5));
    fields->Add(m_translation.Sizer(), 1, wxEXPAND);
    fields->AddSpacer(DuY(5));
    fields->Add(m_helpField, 0, wxEXPAND);
    fields->AddSpacer(DuY(5));
    fields->Add(m_updateButton);
    SetLayout(fields);

    m_updateButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnUpdateButton(); });
    for (wxTextCtrl* edit : {m_loreKeyField, m_commentField}) {
        edit->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnUpdateButton(); });
    }
    // Enter in the book text or its translation runs Update; Ctrl+Enter starts a new line.
    for (wxTextCtrl* edit : {m_textField, m_translation.Field()}) {
        edit->Bind(wxEVT_KEY_DOWN, [this, edit](wxKeyEvent& event) {
            const int key = event.GetKeyCode();
            if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER) {
                event.Skip();
            } else if (event.ControlDown()) {
                edit->WriteText("\n");
            } else {
                OnUpdateButton();
            }
        });
    }
    m_doc.AttachFormView(this);
    EnableControls();
}

void LoreBookForm::SetBook(const LoreBook* book, wxTreeItemId item) {
    m_rules.SetBook(book);
    m_item = item;
    RefreshControls();
}

void LoreBookForm::ShowNode(const Node* node, wxTreeItemId item) {
    SetBook(dynamic_cast<const LoreBook*>(node), item);
}

void LoreBookForm::RefreshControls() {
    EnableControls();
    m_rules.SetBook(m_rules.ShownBook()); // what is shown now is nobody's typing
    const LoreBookFormRules::Fields shown = m_rules.Refresh();
    m_loreKeyField->ChangeValue(ToWx(shown.key));
    m_textField->ChangeValue(ForControl(shown.text));
    m_commentField->ChangeValue(ToWx(shown.comment));
    m_translation.Show(m_doc.Data().Translation(), m_rules.ShownBook(), shown.translation);
}

void LoreBookForm::EnableControls() {
    const bool enabled = HasNode();
    for (wxWindow* control : std::initializer_list<wxWindow*>{
             m_loreKeyField, m_updateButton, m_textField, m_commentField, m_helpField}) {
        control->Enable(enabled);
    }
}

LoreBookFormRules::Fields LoreBookForm::Typed() const {
    return {FromWx(m_loreKeyField->GetValue()), FromWx(m_textField->GetValue()),
            FromWx(m_commentField->GetValue()), m_translation.Value()};
}

bool LoreBookForm::HasTyping() {
    return !m_detached && m_rules.Typed(Typed());
}

bool LoreBookForm::Store(FormStore store, bool quiet) {
    const LoreBookFormRules::UpdateResult result = m_rules.Update(Typed(), store);
    return FinishUpdate(result, quiet, m_item);
}

} // namespace tc

#include "views/TCLoreBookFormView.h"

#include "platform/Text.h"
#include "platform/wx/WxText.h"
#include "views/EditFilters.h"

#include <wx/button.h>
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

TCLoreBookFormView::TCLoreBookFormView(wxWindow* parent, CTomecraftDoc& doc,
                                       TomecraftTreeView& tree)
    : FormPane(parent, doc, tree), m_rules(doc) {
    new wxStaticText(this, wxID_ANY, "&Lore Key:", Du(5, 5));
    m_editLoreKey =
        new wxTextCtrl(this, 1002, "", Du(5, 15), Du(wxSize(290, 12)), wxTE_PROCESS_ENTER);
    MakeLowerCaseEdit(m_editLoreKey);
    new wxStaticText(this, wxID_ANY, "&Book Text:", Du(5, 30));
    m_editText = new wxTextCtrl(this, 1003, "", Du(5, 40), Du(wxSize(290, 110)),
                                wxTE_MULTILINE | wxTE_PROCESS_ENTER);
    auto* commentLabel = new wxStaticText(this, wxID_ANY, "&Comment:", Du(5, 155));
    m_editComment =
        new wxTextCtrl(this, 1040, "", Du(5, 165), Du(wxSize(290, 12)), wxTE_PROCESS_ENTER);
    m_btnUpdate = new wxButton(this, 1, "&Update", Du(5, 235), Du(wxSize(50, 14)));
    m_editHelp = new wxTextCtrl(this, 1060, ToWx(ReplaceAll(kHelp, "\r\n", "\n")), Du(5, 185),
                                Du(wxSize(290, 45)), wxTE_MULTILINE | wxTE_READONLY);
    Stretches(m_editLoreKey, Stretch::Widen);
    Stretches(m_editText, Stretch::Grow);
    Stretches(commentLabel, Stretch::Below);
    Stretches(m_editComment, Stretch::BelowWiden);
    Stretches(m_editHelp, Stretch::BelowWiden);
    Stretches(m_btnUpdate, Stretch::Below);
    SetLayoutSize(300, 254);

    m_btnUpdate->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnUpdateButton(); });
    for (wxTextCtrl* edit : {m_editLoreKey, m_editComment}) {
        edit->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnUpdateButton(); });
    }
    // Enter in the book text runs Update; Ctrl+Enter starts a new line.
    m_editText->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER) {
            event.Skip();
        } else if (event.ControlDown()) {
            m_editText->WriteText("\n");
        } else {
            OnUpdateButton();
        }
    });
    m_doc.AttachFormView(this);
    EnableControls();
}

void TCLoreBookFormView::SetBook(CLoreBook* book, wxTreeItemId item) {
    m_rules.SetBook(book);
    m_hItem = item;
    RefreshControls();
}

void TCLoreBookFormView::ShowNode(TCObject* node, wxTreeItemId item) {
    SetBook(dynamic_cast<CLoreBook*>(node), item);
}

void TCLoreBookFormView::RefreshControls() {
    EnableControls();
    m_rules.SetBook(m_rules.Book()); // what is shown now is nobody's typing
    const LoreBookFormRules::Fields shown = m_rules.Refresh();
    m_editLoreKey->ChangeValue(ToWx(shown.key));
    m_editText->ChangeValue(ForControl(shown.text));
    m_editComment->ChangeValue(ToWx(shown.comment));
}

void TCLoreBookFormView::EnableControls() {
    const bool enabled = HasNode();
    for (wxWindow* control : std::initializer_list<wxWindow*>{
             m_editLoreKey, m_btnUpdate, m_editText, m_editComment, m_editHelp}) {
        control->Enable(enabled);
    }
}

LoreBookFormRules::Fields TCLoreBookFormView::Typed() const {
    return {FromWx(m_editLoreKey->GetValue()), FromWx(m_editText->GetValue()),
            FromWx(m_editComment->GetValue())};
}

bool TCLoreBookFormView::HasTyping() {
    return !m_detached && m_rules.Typed(Typed());
}

bool TCLoreBookFormView::Store(FormStore store, bool quiet) {
    const LoreBookFormRules::UpdateResult result = m_rules.Update(Typed(), store);
    return FinishUpdate(result, quiet, m_hItem);
}

} // namespace tc

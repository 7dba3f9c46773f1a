#include "views/TemplateForm.h"

#include "app/CommandIds.h"
#include "platform/Text.h"
#include "platform/wx/WxText.h"
#include "views/EditFilters.h"

#include <wx/button.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace tc {

namespace {

constexpr const char* kHelp =
    "GENERAL HELP\r\n\r\nTemplate Name is the identifier for this template and thus must be "
    "unique across the entire game world.  It is what the game will use to refer to a given "
    "book.  Naming convention appears to be all lowercase, with underscores instead of spaces, "
    "as in book_glb_lore_myname.\r\n\r\nSpecializes is where you indicate what existing "
    "template this new template is based upon.  That is to say, this book inherits the "
    "attributes of another object, which is a treasure object by default, as books are a a type "
    "of treasure... they can be carried, sold, etc.  For example, Dungeon Siege ships with a "
    "base_book_lore template, based on the treasure template, that assigns the gold value, "
    "texture and inventory properities that any book based on this template will inherit.   "
    "Every book you create can be based on this base_book_lore and you never have to specialize "
    "any templates.  If you want to create a special ancient book, and make it take up 4 spaces "
    "in the inventory (2x2) then you would need to create a new template and specialize "
    "base_book_lore.\r\n\r\nBook Title is where you assign the name of the book to be "
    "associated with this template.  This is the name displayed when the cursor is over the "
    "book, whether it is on the ground or in the player's inventory.  The book title SHOULD be "
    "left blank when you are creating a template to base other books from!\r\n\r\nLore Key is "
    "how the template is associated with a Lore Book, and really is the name of you lore book "
    "content from the lore.gas file.  If you are creating a base template you SHOULD leave the "
    "lore key blank.  You must enter a Book Title to activate the Lore Key control. Obviously "
    "you must enter at least one Lore Book, before you can create a template based on a lore "
    "book.\r\n\r\nNOTE: Because the templates are global, but the lore books are not, some "
    "templates are attached to books that are not currently loaded.  These templates may still "
    "be modified, except for the book title and lore key.\r\n\r\nNOTE: If you are only "
    "creating a Lore Book Template, then you do NOT need to enter values for the remaining "
    "fields!  The book template will automatically inherit the attributes from the base "
    "template!  However, you may override the base template by providing data for one or more "
    "of the Template Properties.\r\n\r\nGold Value is how much the book will sell for at a "
    "shop.  The Tomecraft allows any value from 0 to 200 gold pieces.  Setting the gold value "
    "to zero will cause the 'item can be sold' message to appear on the item.\r\n\r\nTexture "
    "is the image used for the book's appearance when on the ground.\r\n\r\nInventory Width "
    "and Height alert Dungeon Siege as to the space necessary in the inventory to carry a book "
    "of this type.  Obviously this should be used in conjunction with the size of the texture "
    "and model being used.\r\n\r\n3D Model indicates which mesh (model) to use to represent "
    "the book.  The texture is wrapped to the model, so using the wrong texture/model "
    "combination can result in an improper representation in the game.\r\n\r\nInventory icon "
    "is the image to be shown when the book is being carried.\r\n\r\nComment is an optional "
    "entry that allows you to add a brief note about the template.\r\n\r\nOnce you have "
    "completed entering information, press the Update button to validate and accept your "
    "changes to the template.";

// Where the appearance fields start, right of the number fields and their spins.
constexpr int kRightColumn = 86;
constexpr int kRightWidth = 290 - kRightColumn;

} // namespace

TemplateForm::TemplateForm(wxWindow* parent, Document& doc, TreeView& tree)
    : FormPane(parent, doc, tree), m_rules(doc.Data()) {
    new wxStaticText(this, wxID_ANY, "&Template Name:", Du(5, 5));
    m_nameField = AddEdit(1002, 5, 15, 140);
    MakeLowerCaseEdit(m_nameField);
    new wxStaticText(this, wxID_ANY, "&Specializes (based on):", Du(155, 5));
    m_specializesField = new LongChoice(this, 1061, Du(155, 15), Du(wxSize(140, 14)));
    auto* bookBox =
        new wxStaticBox(this, wxID_ANY, "Lore Book Properties", Du(5, 30), Du(wxSize(290, 38)));
    new wxStaticText(this, wxID_ANY, "&Book Title:", Du(10, 40));
    m_bookTitleField = AddEdit(1003, 10, 50, 155);
    new wxStaticText(this, wxID_ANY, "&Lore Key:", Du(175, 40));
    m_loreKeyChoice = new LongChoice(this, 1063, Du(175, 50), Du(wxSize(94, 14)));
    m_pointAtBookButton =
        new wxButton(this, Id(CommandId::PointAtBook), wxString::FromUTF8("\u2026"), Du(271, 50),
                     Du(wxSize(19, 14)));
    m_pointAtBookButton->SetToolTip(wxString::FromUTF8("Point at Another Book\u2026"));
    auto* propertiesBox =
        new wxStaticBox(this, wxID_ANY, "Template Properties", Du(5, 70), Du(wxSize(290, 87)));
    new wxStaticText(this, wxID_ANY, "&Gold value:", Du(15, 80));
    m_goldValueField = AddEdit(1069, 15, 90, 30, wxTE_RIGHT);
    m_goldValueSpin = AddSpin(1079, m_goldValueField, 46, 90, 0, 200, 1);
    new wxStaticText(this, wxID_ANY, "Te&xture (image used for book object when not in inventory):",
                     Du(kRightColumn, 80));
    m_textureField = AddEdit(1070, kRightColumn, 90, kRightWidth);
    MakeLowerCaseEdit(m_textureField);
    new wxStaticText(this, wxID_ANY, "Inventory &Width:", Du(15, 105));
    m_inventoryWidthField = AddEdit(1073, 15, 115, 30, wxTE_RIGHT);
    m_inventoryWidthSpin = AddSpin(1077, m_inventoryWidthField, 46, 115, 1, 4, 1);
    new wxStaticText(this, wxID_ANY,
                     "3D &Model (mesh used for the book object):", Du(kRightColumn, 105));
    m_modelField = AddEdit(1075, kRightColumn, 115, kRightWidth);
    MakeLowerCaseEdit(m_modelField);
    new wxStaticText(this, wxID_ANY, "Inventory &Height:", Du(15, 130));
    m_inventoryHeightField = AddEdit(1074, 15, 140, 30, wxTE_RIGHT);
    m_inventoryHeightSpin = AddSpin(1078, m_inventoryHeightField, 46, 140, 1, 4, 2);
    new wxStaticText(this, wxID_ANY, "&Inventory icon (image to use for book in inventory):",
                     Du(kRightColumn, 130));
    m_inventoryIconField = AddEdit(1072, kRightColumn, 140, kRightWidth);
    MakeLowerCaseEdit(m_inventoryIconField);
    new wxStaticText(this, wxID_ANY, "&Comment:", Du(5, 160));
    m_commentField = AddEdit(1040, 5, 170, 290);
    m_helpField = new wxTextCtrl(this, 1060, ToWx(ReplaceAll(kHelp, "\r\n", "\n")), Du(5, 190),
                                 Du(wxSize(290, 45)), wxTE_MULTILINE | wxTE_READONLY);
    m_updateButton = new wxButton(this, 1, "&Update", Du(5, 240), Du(wxSize(55, 14)));
    for (wxWindow* wide :
         std::initializer_list<wxWindow*>{bookBox, propertiesBox, m_textureField, m_modelField,
                                          m_inventoryIconField, m_commentField}) {
        Stretches(wide, Stretch::Widen);
    }
    Stretches(m_helpField, Stretch::Grow);
    Stretches(m_updateButton, Stretch::Below);
    SetLayoutSize(300, 259);
    for (wxTextCtrl* digits : {m_goldValueField, m_inventoryWidthField, m_inventoryHeightField}) {
        MakeDigitsOnlyEdit(digits);
    }

    m_updateButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnUpdateButton(); });
    m_bookTitleField->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        m_rules.fields.bookTitle = FromWx(m_bookTitleField->GetValue());
        EnableControls();
    });
    m_pointAtBookButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PointAtAnotherBook(); });
    // The tree's context menu offers the same.
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { PointAtAnotherBook(); }, Id(CommandId::PointAtBook));
    m_specializesField->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelChangeSpecializes(); });
    m_loreKeyChoice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        m_rules.loreKeyList.Select(m_loreKeyChoice->GetSelection());
    });
    // The form starts hidden, and the tree shows a node in it before it is seen: greying the
    // controls now would only make the first switch to this form ungrey them all again.
    m_doc.AttachFormView(this);
}

wxTextCtrl* TemplateForm::AddEdit(int id, int x, int y, int width, long style) {
    auto* edit =
        new wxTextCtrl(this, id, "", Du(x, y), Du(wxSize(width, 12)), style | wxTE_PROCESS_ENTER);
    edit->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnUpdateButton(); });
    return edit;
}

wxSpinButton* TemplateForm::AddSpin(int id, wxTextCtrl* buddy, int x, int y, int low, int high,
                                    int first) {
    // Up and down arrows beside the number, as the up-down control stands on Windows, as tall
    // as the field. GTK draws its own - and + side by side at their own size whatever the style,
    // so there the column of text fields starts further right than in the classic layout.
    wxSize size = wxDefaultSize;
#ifdef __WXMSW__
    size.y = buddy->GetSize().y;
#endif
    auto* spin = new wxSpinButton(this, id, Du(x, y), size, wxSP_VERTICAL);
    spin->SetRange(low, high);
    spin->SetValue(first);
    buddy->ChangeValue(std::to_string(first));
    // The arrows step from what the edit holds and write the number back into it.
    spin->Bind(wxEVT_SPIN,
               [spin, buddy](wxSpinEvent&) { buddy->SetValue(std::to_string(spin->GetValue())); });
    buddy->Bind(wxEVT_TEXT, [spin, buddy, low, high](wxCommandEvent& event) {
        const int typed = ParseLeadingInt(FromWx(buddy->GetValue()));
        spin->SetValue(std::clamp(typed, low, high));
        event.Skip();
    });
    // Up and Down in the edit work the arrows, stepping from the number in range nearest to
    // what the edit holds. The arrows themselves are no tab stop: the edit is where one types.
    buddy->Bind(wxEVT_KEY_DOWN, [spin, buddy, low, high](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if ((key != WXK_UP && key != WXK_DOWN) || event.HasAnyModifiers()) {
            event.Skip();
            return;
        }
        const int step = key == WXK_UP ? 1 : -1;
        buddy->SetValue(std::to_string(std::clamp(spin->GetValue() + step, low, high)));
        buddy->SetInsertionPointEnd();
    });
    spin->DisableFocusFromKeyboard();
    return spin;
}

void TemplateForm::SetTemplate(const Template* tmpl, wxTreeItemId item) {
    m_rules.SetTemplate(tmpl);
    m_item = item;
    RefreshControls();
}

void TemplateForm::ShowNode(const Node* node, wxTreeItemId item) {
    SetTemplate(dynamic_cast<const Template*>(node), item);
}

void TemplateForm::ShowList(LongChoice* choice, const ComboList& list) {
    choice->SetEntries(list.Entries(), list.Selection());
}

void TemplateForm::ShowFields() {
    const TemplateFormRules::Fields& f = m_rules.fields;
    m_nameField->ChangeValue(ToWx(f.name));
    m_bookTitleField->ChangeValue(ToWx(f.bookTitle));
    m_inventoryIconField->ChangeValue(ToWx(f.inventoryIcon));
    m_modelField->ChangeValue(ToWx(f.model));
    m_textureField->ChangeValue(ToWx(f.texture));
    m_commentField->ChangeValue(ToWx(f.comment));
    m_inventoryWidthField->SetValue(ToWx(f.inventoryWidth));
    m_inventoryHeightField->SetValue(ToWx(f.inventoryHeight));
    m_goldValueField->SetValue(ToWx(f.goldValue));
}

void TemplateForm::ReadFields() {
    TemplateFormRules::Fields& f = m_rules.fields;
    f.name = FromWx(m_nameField->GetValue());
    f.bookTitle = FromWx(m_bookTitleField->GetValue());
    f.inventoryIcon = FromWx(m_inventoryIconField->GetValue());
    f.model = FromWx(m_modelField->GetValue());
    f.texture = FromWx(m_textureField->GetValue());
    f.comment = FromWx(m_commentField->GetValue());
    f.inventoryWidth = FromWx(m_inventoryWidthField->GetValue());
    f.inventoryHeight = FromWx(m_inventoryHeightField->GetValue());
    f.goldValue = FromWx(m_goldValueField->GetValue());
}

void TemplateForm::RefreshControls() {
    ShowFields();
    ShowList(m_specializesField, m_rules.specializesList);
    ShowList(m_loreKeyChoice, m_rules.loreKeyList);
    EnableControls();
}

void TemplateForm::OnSelChangeSpecializes() {
    ReadFields();
    m_rules.specializesList.Select(m_specializesField->GetSelection());
    m_rules.OnSelChangeSpecializes();
    m_inventoryIconField->ChangeValue(ToWx(m_rules.fields.inventoryIcon));
    m_modelField->ChangeValue(ToWx(m_rules.fields.model));
    m_textureField->ChangeValue(ToWx(m_rules.fields.texture));
    EnableControls();
}

void TemplateForm::EnableControls() {
    const TemplateFormRules::Enabled state = m_rules.EnableState();
    for (wxWindow* control :
         std::initializer_list<wxWindow*>{m_nameField, m_updateButton, m_specializesField}) {
        control->Enable(state.name);
    }
    for (wxWindow* control : std::initializer_list<wxWindow*>{
             m_helpField, m_inventoryIconField, m_modelField, m_commentField, m_textureField,
             m_inventoryWidthField, m_inventoryHeightField, m_goldValueField, m_inventoryWidthSpin,
             m_inventoryHeightSpin, m_goldValueSpin}) {
        control->Enable(state.properties);
    }
    m_bookTitleField->Enable(state.bookTitle);
    m_loreKeyChoice->Enable(state.loreKey);
    m_pointAtBookButton->Enable(state.properties && m_rules.KeyNamesNoBook());
}

void TemplateForm::PointAtAnotherBook() {
    if (!HasNode() || !m_rules.KeyNamesNoBook()) {
        return;
    }
    ReadControls();
    m_rules.PointAtAnotherBook();
    EnableControls();
    m_loreKeyChoice->SetFocus();
}

void TemplateForm::ReadControls() {
    ReadFields();
    m_rules.specializesList.Select(m_specializesField->GetSelection());
    m_rules.loreKeyList.Select(m_loreKeyChoice->GetSelection());
}

bool TemplateForm::HasTyping() {
    if (m_detached || !HasNode()) {
        return false;
    }
    ReadControls();
    return m_rules.Typed();
}

bool TemplateForm::Store(FormStore store, bool quiet) {
    ReadControls();
    const TemplateFormRules::UpdateResult result = m_rules.Update(store);
    return FinishUpdate(result, quiet, m_item);
}

} // namespace tc

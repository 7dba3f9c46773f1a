#include "views/TemplateForm.h"

#include "controls/EditFilters.h"
#include "platform/Text.h"
#include "platform/wx/WxText.h"
#include "rules/CommandIds.h"
#include "rules/ControlIds.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <iterator>

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

// The least width of the appearance fields, right of the number fields and their spins.
constexpr int kRightWidth = 290 - 86;

} // namespace

TemplateForm::TemplateForm(wxWindow* parent, Document& doc, TreeView& tree)
    : FormPane(parent, doc, tree), m_rules(doc.Data()) {
    auto* nameLabel = new wxStaticText(this, wxID_ANY, "&Template Name:");
    m_nameField = AddEdit(ControlId::NameField, 140);
    MakeLowerCaseEdit(m_nameField);
    auto* specializesLabel = new wxStaticText(this, wxID_ANY, "&Specializes (based on):");
    m_specializesField = new LongChoice(this, Id(ControlId::SpecializesList), wxDefaultPosition,
                                        Du(wxSize(140, 14)));
    auto* bookBox = new wxStaticBox(this, wxID_ANY, "Lore Book Properties");
    auto* bookTitleLabel = new wxStaticText(this, wxID_ANY, "&Book Title:");
    m_bookTitleField = AddEdit(ControlId::TextField, 155);
    auto* loreKeyLabel = new wxStaticText(this, wxID_ANY, "&Lore Key:");
    m_loreKeyChoice =
        new LongChoice(this, Id(ControlId::LoreKeyList), wxDefaultPosition, Du(wxSize(94, 14)));
    m_pointAtBookButton =
        new wxButton(this, Id(CommandId::PointAtBook), wxString::FromUTF8("\u2026"),
                     wxDefaultPosition, Du(wxSize(19, 14)));
    m_pointAtBookButton->SetToolTip(wxString::FromUTF8("Point at Another Book\u2026"));
    auto* propertiesBox = new wxStaticBox(this, wxID_ANY, "Template Properties");
    auto* goldValueLabel = new wxStaticText(this, wxID_ANY, "&Gold value:");
    m_goldValueField = AddEdit(ControlId::GoldValueField, 30, wxTE_RIGHT);
    m_goldValueSpin = AddSpin(ControlId::GoldValueSpin, m_goldValueField, 0, 200, 1);
    auto* textureLabel = new wxStaticText(
        this, wxID_ANY, "Te&xture (image used for book object when not in inventory):");
    m_textureField = AddEdit(ControlId::TextureField, kRightWidth);
    MakeLowerCaseEdit(m_textureField);
    auto* inventoryWidthLabel = new wxStaticText(this, wxID_ANY, "Inventory &Width:");
    m_inventoryWidthField = AddEdit(ControlId::InventoryWidthField, 30, wxTE_RIGHT);
    m_inventoryWidthSpin = AddSpin(ControlId::InventoryWidthSpin, m_inventoryWidthField, 1, 4, 1);
    auto* modelLabel =
        new wxStaticText(this, wxID_ANY, "3D &Model (mesh used for the book object):");
    m_modelField = AddEdit(ControlId::ModelField, kRightWidth);
    MakeLowerCaseEdit(m_modelField);
    auto* inventoryHeightLabel = new wxStaticText(this, wxID_ANY, "Inventory &Height:");
    m_inventoryHeightField = AddEdit(ControlId::InventoryHeightField, 30, wxTE_RIGHT);
    m_inventoryHeightSpin =
        AddSpin(ControlId::InventoryHeightSpin, m_inventoryHeightField, 1, 4, 2);
    auto* inventoryIconLabel =
        new wxStaticText(this, wxID_ANY, "&Inventory icon (image to use for book in inventory):");
    m_inventoryIconField = AddEdit(ControlId::InventoryIconField, kRightWidth);
    MakeLowerCaseEdit(m_inventoryIconField);
    auto* commentLabel = new wxStaticText(this, wxID_ANY, "&Comment:");
    m_commentField = AddEdit(ControlId::CommentField, 290);
    m_translation.Create(this, false);
    m_helpField =
        new wxTextCtrl(this, Id(ControlId::HelpField), ToWx(ReplaceAll(kHelp, "\r\n", "\n")),
                       wxDefaultPosition, Du(wxSize(290, 22)), wxTE_MULTILINE | wxTE_READONLY);
    m_updateButton = new wxButton(this, Id(ControlId::UpdateButton), "&Update", wxDefaultPosition,
                                  Du(wxSize(55, 14)));

    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    auto* nameColumn = new wxBoxSizer(wxVERTICAL);
    AddLabelled(nameColumn, nameLabel, m_nameField, 0);
    nameRow->Add(nameColumn);
    nameRow->AddSpacer(DuX(10));
    auto* specializesColumn = new wxBoxSizer(wxVERTICAL);
    AddLabelled(specializesColumn, specializesLabel, m_specializesField, 0);
    nameRow->Add(specializesColumn);

    // The boxes' controls stay the form's own children, where the tab order has them.
    auto* bookRow = new wxBoxSizer(wxHORIZONTAL);
    auto* bookTitleColumn = new wxBoxSizer(wxVERTICAL);
    AddLabelled(bookTitleColumn, bookTitleLabel, m_bookTitleField, 0);
    bookRow->Add(bookTitleColumn);
    bookRow->AddSpacer(DuX(10));
    auto* keyChoice = new wxBoxSizer(wxHORIZONTAL);
    keyChoice->Add(m_loreKeyChoice);
    keyChoice->AddSpacer(DuX(2));
    keyChoice->Add(m_pointAtBookButton);
    auto* loreKeyColumn = new wxBoxSizer(wxVERTICAL);
    loreKeyColumn->Add(loreKeyLabel);
    loreKeyColumn->AddSpacer(DuY(2));
    loreKeyColumn->Add(keyChoice);
    bookRow->Add(loreKeyColumn);
    auto* bookSizer = new wxStaticBoxSizer(bookBox, wxVERTICAL);
    bookSizer->Add(bookRow, 0, wxLEFT | wxRIGHT | wxBOTTOM, DuX(5));

    // Each number with its arrows, and the appearance field of its row, which widens.
    auto* properties = new wxFlexGridSizer(2, 0, DuX(5));
    properties->AddGrowableCol(1);
    const struct {
        wxWindow* label;
        wxTextCtrl* number;
        wxSpinButton* spin;
        wxWindow* appearanceLabel;
        wxTextCtrl* appearance;
    } rows[] = {
        {goldValueLabel, m_goldValueField, m_goldValueSpin, textureLabel, m_textureField},
        {inventoryWidthLabel, m_inventoryWidthField, m_inventoryWidthSpin, modelLabel,
         m_modelField},
        {inventoryHeightLabel, m_inventoryHeightField, m_inventoryHeightSpin, inventoryIconLabel,
         m_inventoryIconField},
    };
    for (const auto& row : rows) {
        properties->Add(row.label, 0, wxBOTTOM, DuY(2));
        properties->Add(row.appearanceLabel, 0, wxBOTTOM, DuY(2));
        auto* number = new wxBoxSizer(wxHORIZONTAL);
        if (&row != &rows[std::size(rows) - 1]) {
            number->SetMinSize(wxSize(-1, DuY(15))); // rows as far apart as the fields below
        }
        number->Add(row.number);
        number->AddSpacer(DuX(1));
        number->Add(row.spin);
        properties->Add(number);
        // Wider with the pane, as tall as the field itself.
        auto* appearance = new wxBoxSizer(wxVERTICAL);
        appearance->Add(row.appearance, 0, wxEXPAND);
        properties->Add(appearance, 0, wxEXPAND);
    }
    auto* propertiesSizer = new wxStaticBoxSizer(propertiesBox, wxVERTICAL);
    auto* propertiesInside = new wxBoxSizer(wxHORIZONTAL);
    propertiesInside->AddSpacer(DuX(10));
    propertiesInside->Add(properties, 1);
    propertiesInside->AddSpacer(DuX(5));
    propertiesSizer->Add(propertiesInside, 0, wxEXPAND | wxBOTTOM, DuY(4));

    // The help takes the room a larger pane gives.
    auto* fields = new wxBoxSizer(wxVERTICAL);
    fields->Add(nameRow);
    fields->AddSpacer(DuY(3));
    fields->Add(bookSizer, 0, wxEXPAND);
    fields->AddSpacer(DuY(2));
    fields->Add(propertiesSizer, 0, wxEXPAND);
    fields->AddSpacer(DuY(3));
    AddLabelled(fields, commentLabel, m_commentField);
    fields->AddSpacer(DuY(5));
    fields->Add(m_translation.Sizer(), 0, wxEXPAND);
    fields->AddSpacer(DuY(5));
    fields->Add(m_helpField, 1, wxEXPAND);
    fields->AddSpacer(DuY(5));
    fields->Add(m_updateButton);
    SetLayout(fields);
    for (wxTextCtrl* digits : {m_goldValueField, m_inventoryWidthField, m_inventoryHeightField}) {
        MakeDigitsOnlyEdit(digits);
    }

    m_updateButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnUpdateButton(); });
    m_translation.Field()->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnUpdateButton(); });
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

wxTextCtrl* TemplateForm::AddEdit(ControlId id, int width, long style) {
    auto* edit = new wxTextCtrl(this, Id(id), "", wxDefaultPosition, Du(wxSize(width, 12)),
                                style | wxTE_PROCESS_ENTER);
    edit->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnUpdateButton(); });
    return edit;
}

wxSpinButton* TemplateForm::AddSpin(ControlId id, wxTextCtrl* buddy, int low, int high, int first) {
    // Up and down arrows beside the number, as the up-down control stands on Windows, as tall
    // as the field. GTK draws its own - and + side by side at their own size whatever the style,
    // so there the column of text fields starts further right than in the classic layout.
    wxSize size = wxDefaultSize;
#ifdef __WXMSW__
    size.y = buddy->GetSize().y;
#endif
    auto* spin = new wxSpinButton(this, Id(id), wxDefaultPosition, size, wxSP_VERTICAL);
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
    m_translation.Show(m_doc.Data().Translation(), m_rules.ShownTemplate(), f.translation);
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
    f.translation = m_translation.Value();
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

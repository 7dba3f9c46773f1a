// What is typed reaches the node as the fields promise: lower-case fields lower only what is
// typed, digits-only fields take only digits, every Windows-1252 byte survives showing, editing
// and saving, and a template keeps pointing at the book it names. Real keys and clicks.
#include "GuiHarness.h"
#include "RealInput.h"

#include "platform/wx/WxText.h"
#include "views/LoreBookForm.h"
#include "views/TemplateForm.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/textctrl.h>

namespace tc::test {
namespace {

using TypingTest = GuiTest;

TEST_F(TypingTest, LowerCaseAndDigitsOnlyFieldsFilterWhatIsTyped) {
    LoadSample();
    struct Case {
        const char* node;
        ControlId field;
        int caretKey; // where the typing starts
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"Warden_Oath", ControlId::NameField, WXK_END, "X", "Warden_Oathx"},
        {"Warden_Oath", ControlId::NameField, WXK_HOME, "My ", "my Warden_Oath"},
        {"book_warden_oath", ControlId::NameField, WXK_END, "_Two", "book_warden_oath_two"},
        {"book_warden_oath", ControlId::TextureField, WXK_HOME, "NEW_", "new_b_i_glb_book_01"},
        {"book_warden_oath", ControlId::GoldValueField, WXK_END, "4a2B", "1042"},
        {"book_warden_oath", ControlId::InventoryWidthField, WXK_HOME, "x3", "31"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.node) + " typed " + c.typed);
        input.ClickItem(&Tree(), Item(c.node));
        wxTextCtrl* field = Edit(c.field);
        const wxString shown = field->GetValue();
        input.Click(field);
        input.Key(c.caretKey);
        input.Type(c.typed);
        EXPECT_EQ(field->GetValue(), c.expected);
        field->ChangeValue(shown); // the next case starts from the file's values
    }
}

TEST_F(TypingTest, UpAndDownInANumberFieldStepWithinTheSpinRange) {
    LoadSample();
    input.ClickItem(&Tree(), Item("book_warden_oath"));
    struct Case {
        ControlId field;
        const char* typed;
        int key;
        int presses;
        const char* expected;
    };
    const Case cases[] = {
        {ControlId::GoldValueField, "25", WXK_UP, 1, "26"},
        {ControlId::GoldValueField, "25", WXK_DOWN, 2, "23"},
        {ControlId::GoldValueField, "199", WXK_UP, 3, "200"},
        {ControlId::GoldValueField, "1", WXK_DOWN, 2, "0"},
        {ControlId::GoldValueField, "250", WXK_DOWN, 1, "199"},
        {ControlId::InventoryWidthField, "3", WXK_UP, 2, "4"},
        {ControlId::InventoryHeightField, "2", WXK_DOWN, 2, "1"},
        {ControlId::InventoryHeightField, "", WXK_UP, 1, "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(Id(c.field)) + " holding " + c.typed);
        wxTextCtrl* field = Edit(c.field);
        input.Click(field);
        input.Key('A', wxMOD_CONTROL);
        input.Key(WXK_DELETE);
        input.Type(c.typed);
        for (int press = 0; press < c.presses; ++press) {
            input.Key(c.key);
        }
        EXPECT_EQ(field->GetValue(), c.expected);
    }
}

TEST_F(TypingTest, EveryByteIsShownEditedAndSavedUnchanged) {
    CopySamplePair(lore, templates);
    // The five bytes Windows-1252 leaves undefined, and some of its letters.
    const std::string odd = "\x81\x8D\x8F\x90\x9D caf\xE9 \x80 \x8A\x9A\xFF";
    WriteBytes(lore, Crlf("[lore]\n{\n\t// " + odd + "\n\t[odd_bytes]\n\t{\n\t\tdescription = \"" +
                          odd + "\";\n\t}\n}\n"));
    host.openResult = OpenPaths{lore, templates};
    input.Key('O', wxMOD_CONTROL);

    input.ClickItem(&Tree(), Item("odd_bytes"));
    EXPECT_EQ(FromWx(Edit(ControlId::CommentField)->GetValue()), odd);
    EXPECT_EQ(FromWx(Edit(ControlId::TextField)->GetValue()), odd);
    input.Click(Edit(ControlId::TextField));
    input.Key(WXK_END, wxMOD_CONTROL);
    input.Type("!");
    // A letter Windows-1252 does not have (L with stroke), pasted.
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8("\xC5\x81")));
        wxTheClipboard->Close();
    }
    input.Key('V', wxMOD_CONTROL);
    input.Key(WXK_RETURN);
    input.Key('S', wxMOD_CONTROL);
    const std::string written = ReadBytes(lore);
    EXPECT_NE(written.find("// " + odd + "\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("description = \"" + odd + "!?\";"), std::string::npos) << written;
}

TEST_F(TypingTest, ATemplateKeepsTheBookItNamesWhenKeysDifferInCase) {
    LoadSample();
    host.newNodeName = "warden_oath";
    input.Key('B', wxMOD_CONTROL);
    input.Click(Edit(ControlId::TextField));
    input.Type("A second oath.");
    input.Key(WXK_RETURN);
    ASSERT_TRUE(ui.shown.empty());

    input.ClickItem(&Tree(), Item("book_warden_oath"));
    auto* form = dynamic_cast<TemplateForm*>(Form());
    ASSERT_NE(form, nullptr);
    ChooseByKeys(input, form->m_bookTitleField, form->m_loreKeyChoice, "warden_oath");
    input.Click(form->m_updateButton);
    input.Key('S', wxMOD_CONTROL);

    input.ClickItem(&Tree(), Item("ferry_song"));
    input.ClickItem(&Tree(), Item("book_warden_oath"));
    form = dynamic_cast<TemplateForm*>(Form());
    EXPECT_EQ(form->m_loreKeyChoice->GetStringSelection(), "warden_oath");
    input.Key('S', wxMOD_CONTROL);
    EXPECT_NE(ReadBytes(templates).find("lore_key = warden_oath;"), std::string::npos);
}

} // namespace
} // namespace tc::test

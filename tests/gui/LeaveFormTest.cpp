// Whatever route leaves a form, what was typed there is stored first, or the form refuses and
// keeps both the selection and the typing. Driven with real mouse clicks and key presses.
#include "GuiHarness.h"
#include "RealInput.h"

#include "views/LoreBookForm.h"
#include "views/TemplateForm.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <algorithm>
#include <functional>

namespace tc::test {
namespace {

class LeaveFormTest : public GuiTest {
public:
    using GuiTest::DeleteByContextMenu;
    using GuiTest::input;
    using GuiTest::Item;
    using GuiTest::Tree;

    // Shows `label` and types into its comment; with `refuse` its name is emptied first.
    wxTextCtrl* TypeInto(const std::string& label, bool refuse) {
        input.ClickItem(&Tree(), Item(label));
        wxTextCtrl* name = Edit(ControlId::NameField);
        wxTextCtrl* comment = Edit(ControlId::CommentField);
        if (refuse) {
            input.Click(name);
            input.Key('A', wxMOD_CONTROL);
            input.Key(WXK_DELETE);
        }
        input.Click(comment);
        input.Key(WXK_END);
        input.Type("-typed");
        return comment;
    }

    // Finds a toolbar button as a person does, by the prompt the status bar shows under the
    // mouse, and clicks it.
    void ClickTool(const wxString& prompt) {
        wxToolBar* bar = frame->GetToolBar();
        const int y = bar->GetClientSize().GetHeight() / 2;
        for (int x = 2; x < bar->GetClientSize().GetWidth(); x += 6) {
            input.MoveTo(bar, wxPoint(x, y));
            if (frame->GetStatusBar()->GetStatusText() == prompt) {
                input.ClickAt(bar, wxPoint(x, y));
                return;
            }
        }
        ADD_FAILURE() << "no tool " << prompt;
    }

    std::string victim; // a node that a route may delete
};

struct Route {
    const char* name;
    std::function<void(LeaveFormTest&)> leave;
};

const Route kRoutes[] = {
    {"a click on another node",
     [](LeaveFormTest& t) { t.input.ClickItem(&t.Tree(), t.Item("abbey_founding")); }},
    {"a key in the tree after F6",
     [](LeaveFormTest& t) {
         t.input.Key(WXK_F6);
         t.input.Key(WXK_DOWN);
     }},
    {"Ctrl+B", [](LeaveFormTest& t) { t.input.Key('B', wxMOD_CONTROL); }},
    {"the New menu",
     [](LeaveFormTest& t) {
         t.input.Key('N', wxMOD_ALT);
         t.input.Key('T');
     }},
    {"the toolbar", [](LeaveFormTest& t) { t.ClickTool("Add a new lore book"); }},
    {"Delete of another node", [](LeaveFormTest& t) { t.DeleteByContextMenu(t.victim); }},
    {"Ctrl+O", [](LeaveFormTest& t) { t.input.Key('O', wxMOD_CONTROL); }},
    {"Ctrl+S", [](LeaveFormTest& t) { t.input.Key('S', wxMOD_CONTROL); }},
    {"Exit",
     [](LeaveFormTest& t) {
         t.input.Key('F', wxMOD_ALT);
         t.input.Key('X');
     }},
};

struct Shown {
    std::string label;
    std::string victim;
    std::string refusal; // shown for an empty name
};

const Shown kForms[] = {
    {"ferry_song", "ledger_of_osric", "You must specify the lore key of this book!"},
    {"book_ferry_song", "book_warden_oath", "You must specify a name for this template!"},
};

TEST_F(LeaveFormTest, ViewingChangesNothingAndEveryRouteStoresTheTyping) {
    LoadSample();
    // Every node clicked in turn, then Save: the forms show defaults and values through the
    // base that the nodes do not hold, and none of it is stored.
    const std::string loreBytes = ReadBytes(lore);
    const std::string templateBytes = ReadBytes(templates);
    for (const wxTreeItemId group : {Tree().m_booksRoot, Tree().m_templatesRoot}) {
        for (const std::string& label : Labels(group)) {
            input.ClickItem(&Tree(), Item(label));
        }
    }
    input.Key('S', wxMOD_CONTROL);
    EXPECT_EQ(ReadBytes(lore), loreBytes);
    EXPECT_EQ(ReadBytes(templates), templateBytes);
    EXPECT_FALSE(doc->Data().CanUndo());
    EXPECT_FALSE(doc->Data().IsModified()) << "no question on exit";
    EXPECT_TRUE(ui.shown.empty());

    for (const Shown& shown : kForms) {
        victim = shown.victim;
        for (const Route& route : kRoutes) {
            SCOPED_TRACE(shown.label + " left by " + route.name);
            host.newNodeName = std::nullopt;
            ui.answers = {MsgAnswer::Cancel};
            const Node* node = Tree().NodeOf(Item(shown.label));
            const std::string typed = node->GetComment() + "-typed";
            TypeInto(shown.label, false);
            route.leave(*this);
            EXPECT_EQ(node->GetComment(), typed);
            ASSERT_TRUE(doc->Data().CanUndo());
            doc->Data().Undo();
            EXPECT_EQ(doc->Data().CanUndo(), &route != &kRoutes[0] || &shown != &kForms[0])
                << "the typing is exactly one step";
            doc->Data().Redo();
            ui.shown.clear();
        }
    }
}

TEST_F(LeaveFormTest, EveryRouteStopsAtARefusalAndKeepsTheTyping) {
    LoadSample();
    for (const Shown& shown : kForms) {
        victim = shown.victim;
        for (const Route& route : kRoutes) {
            SCOPED_TRACE(shown.label + " left by " + route.name);
            host.newNodeName = "never_made";
            ui.answers.clear();
            const int openRuns = host.openRuns;
            const Node* node = Tree().NodeOf(Item(shown.label));
            const std::string stored = node->GetComment();
            wxTextCtrl* comment = TypeInto(shown.label, true);
            route.leave(*this);
            EXPECT_EQ(ui.Texts(), std::vector<std::string>{shown.refusal});
            EXPECT_EQ(Tree().GetItemText(Tree().GetSelection()), shown.label);
            EXPECT_EQ(comment->GetValue(), stored + "-typed");
            EXPECT_EQ(node->GetComment(), stored);
            EXPECT_TRUE(host.captions.empty()) << "no New Node dialog";
            EXPECT_EQ(host.openRuns, openRuns) << "no Open dialog";
            EXPECT_TRUE(frame->IsShown());
            EXPECT_TRUE(Item(shown.victim).IsOk());

            // The name typed back, Enter stores it all.
            input.Click(Edit(ControlId::NameField));
            input.Type(shown.label);
            input.Key(WXK_RETURN);
            EXPECT_EQ(node->GetComment(), stored + "-typed");
            ui.shown.clear();
        }
    }
}

void MenuUndo(LeaveFormTest& t) {
    t.input.Key('E', wxMOD_ALT);
    t.input.Key('U');
}

// A new book left empty refuses to be left once typed into; each of these gets out of it.
const struct WayOut {
    Route route;
    bool keepsTheBook;
    const char* undoName; // afterwards
    std::vector<std::string> messages;
} kWaysOut[] = {
    {{"Escape, then a click on another node",
      [](LeaveFormTest& t) {
          t.input.Key(WXK_ESCAPE);
          t.input.ClickItem(&t.Tree(), t.Item("abbey_founding"));
      }},
     true,
     "New 'my_new_book'",
     {}},
    {{"Edit > Undo", MenuUndo}, false, "", {}},
    {{"Delete", [](LeaveFormTest& t) { t.DeleteByContextMenu("my_new_book"); }},
     false,
     "Delete 'my_new_book'",
     {"Delete my_new_book?"}},
};

TEST_F(LeaveFormTest, EveryWayOutOfARefusedNewBook) {
    LoadSample();
    for (const WayOut& way : kWaysOut) {
        SCOPED_TRACE(way.route.name);
        input.ClickItem(&Tree(), Item("ferry_song"));
        host.newNodeName = "my_new_book";
        input.Key('B', wxMOD_CONTROL);
        const Node* fresh = Tree().NodeOf(Tree().GetSelection());
        ASSERT_EQ(fresh->GetName(), "my_new_book");
        input.Click(Edit(ControlId::CommentField));
        input.Type("typed");
        input.ClickItem(&Tree(), Item("ferry_song"));
        EXPECT_EQ(ui.Texts(),
                  std::vector<std::string>{"You must specify the text (story) for this Book!"});
        ui.shown.clear();

        way.route.leave(*this);
        EXPECT_NE(Tree().NodeOf(Tree().GetSelection()), fresh);
        EXPECT_EQ(fresh->GetComment(), "") << "the refused typing is not stored";
        EXPECT_EQ(doc->Data().UndoName(), way.undoName);
        EXPECT_EQ(ui.Texts(), way.messages);
        if (way.keepsTheBook) {
            MenuUndo(*this);
        }
        const std::vector<std::string> books = Labels(Tree().m_booksRoot);
        EXPECT_EQ(std::count(books.begin(), books.end(), "my_new_book"), 0);
        ui.shown.clear();
    }
}

// Update refuses what the files would not give back and then shows what it stored; a template
// whose book is gone can be pointed at another; the status bar and Save say whether anything
// is left to save.
TEST_F(LeaveFormTest, UpdateRefusesOrShowsWhatItStoredAndADanglingKeyCanBeRepointed) {
    LoadSample();
    const auto modified = [this] {
        Pump();
        return frame->GetStatusBar()->GetStatusText(1) == "Modified" &&
               Enabled(Id(CommandId::FileSave));
    };
    EXPECT_FALSE(modified());
    input.ClickItem(&Tree(), Item("ferry_song"));
    input.Click(Edit(ControlId::TextField));
    input.Key(WXK_END, wxMOD_CONTROL);
    input.Type(" \"C:\\new\"");
    EXPECT_TRUE(Enabled(Id(CommandId::FileSave))) << "typing is something to save";
    input.Key(WXK_RETURN);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].text.starts_with("The book text holds \\n in '...") &&
                ui.shown[0].text.ends_with(" low. \"C:\\new\"'; the game shows that as a line "
                                           "break.  Please change it!"))
        << ui.shown[0].text;
    for (int k = 0; k < 5; ++k) {
        input.Key(WXK_BACK);
    }
    input.Key(WXK_RETURN);
    EXPECT_TRUE(Edit(ControlId::TextField)->GetValue().EndsWith(" 'C:")) << "shown as stored";
    EXPECT_TRUE(modified());

    ui.shown.clear();
    DeleteByContextMenu("ferry_song");
    for (int wait = 0; wait < 100 && ui.shown.empty(); ++wait) {
        input.Settle();
    }
    EXPECT_EQ(ui.Texts(),
              std::vector<std::string>{
                  "Delete ferry_song?\n\n1 template names this book: book_ferry_song."});
    input.ClickItem(&Tree(), Item("book_ferry_song"));
    auto* form = dynamic_cast<TemplateForm*>(Form());
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->m_bookTitleField->IsEnabled());
    EXPECT_NE(Tree().CreateContextMenu()->FindItem(Id(CommandId::PointAtBook)), nullptr);
    input.Click(form->m_pointAtBookButton);
    EXPECT_TRUE(form->m_bookTitleField->IsEnabled());
    ChooseByKeys(input, form->m_bookTitleField, form->m_loreKeyChoice, "abbey_founding");
    input.Click(form->m_updateButton);
    EXPECT_EQ(dynamic_cast<const Template*>(Tree().NodeOf(Item("book_ferry_song")))->GetLoreKey(),
              "abbey_founding");
    EXPECT_EQ(Tree().CreateContextMenu()->FindItem(Id(CommandId::PointAtBook)), nullptr);
    input.Key('S', wxMOD_CONTROL);
    EXPECT_FALSE(modified());
}

TEST_F(LeaveFormTest, TheMenuKeyAndShiftF10OpenTheContextMenuWhoseItemsShowTheirPrompts) {
    LoadSample();
    input.ClickItem(&Tree(), Item("ferry_song"));
    const std::vector<wxString> expected = {"", "Add a new lore book", "Add a new lore template",
                                            "", "Delete this node from the tree"};
    for (const int modifiers : {wxMOD_NONE, wxMOD_SHIFT}) {
        SCOPED_TRACE(modifiers == wxMOD_NONE ? "Menu key" : "Shift+F10");
        bool opened = false;
        std::vector<wxString> prompts;
        const auto browse = [&](wxMenuEvent& event) {
            if (!opened) { // the submenu opens too
                opened = true;
                frame->CallAfter([&] {
                    for (const int key : {WXK_DOWN, WXK_RIGHT, WXK_DOWN, WXK_LEFT, WXK_DOWN}) {
                        input.Key(key);
                        prompts.push_back(frame->GetStatusBar()->GetStatusText());
                    }
                    input.Key(WXK_ESCAPE);
                });
            }
            event.Skip();
        };
        Tree().Bind(wxEVT_MENU_OPEN, browse);
        input.Key(modifiers == wxMOD_NONE ? WXK_MENU : WXK_F10, modifiers);
        Tree().Unbind(wxEVT_MENU_OPEN, browse);
        EXPECT_TRUE(opened);
        EXPECT_EQ(prompts, expected);
        EXPECT_EQ(frame->GetStatusBar()->GetStatusText(), "Ready");
    }
    EXPECT_EQ(Tree().GetItemText(Tree().GetSelection()), "ferry_song");
}

// PageDown and PageUp move the selection a page (here past the last and the first row), and
// leaving the form that way stores its typing as every other route does.
TEST_F(LeaveFormTest, PageDownAndPageUpMoveTheSelectionAPage) {
    LoadSample();
    const Node* node = Tree().NodeOf(Item("ferry_song"));
    const std::string typed = node->GetComment() + "-typed";
    TypeInto("ferry_song", false);
    input.Key(WXK_F6);
    const std::pair<int, const char*> pages[] = {{WXK_PAGEDOWN, "book_warden_oath"},
                                                 {WXK_PAGEUP, "Lore Books"}};
    for (const auto& [key, label] : pages) {
        input.Key(key);
        EXPECT_EQ(Tree().GetItemText(Tree().GetSelection()), label);
    }
    EXPECT_FALSE(Form()->HasNode()) << "a group shows no node";
    EXPECT_EQ(node->GetComment(), typed);
}

} // namespace
} // namespace tc::test

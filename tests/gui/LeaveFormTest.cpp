// Whatever route leaves a form, what was typed there is stored first, or the form refuses and
// keeps both the selection and the typing. Driven with real mouse clicks and key presses.
#include "GuiHarness.h"

namespace tc::test {
namespace {

class LeaveFormTest : public GuiTest {
public:
    // Shows `label` and types into its comment; with `refuse` its name is emptied first.
    wxTextCtrl* TypeInto(const std::string& label, bool refuse) {
        input.ClickItem(&Tree(), Item(label));
        if (refuse) {
            input.Retype(Edit(ControlId::NameField), "");
        }
        input.TypeAtEnd(Edit(ControlId::CommentField), "-typed");
        return Edit(ControlId::CommentField);
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
    {"PageDown in the tree after F6",
     [](LeaveFormTest& t) {
         t.input.Key(WXK_F6);
         t.input.Key(WXK_PAGEDOWN);
     }},
    {"Ctrl+B", [](LeaveFormTest& t) { t.input.Key('B', wxMOD_CONTROL); }},
    {"the New menu", [](LeaveFormTest& t) { t.input.Menu('N', 'T'); }},
    {"the toolbar", [](LeaveFormTest& t) { t.ClickTool("Add a new lore book"); }},
    {"Delete of another node", [](LeaveFormTest& t) { t.DeleteByContextMenu(t.victim); }},
    {"Ctrl+O", [](LeaveFormTest& t) { t.input.Key('O', wxMOD_CONTROL); }},
    {"Ctrl+S", [](LeaveFormTest& t) { t.input.Key('S', wxMOD_CONTROL); }},
    {"Exit", [](LeaveFormTest& t) { t.input.Menu('F', 'X'); }},
};

struct Shown {
    std::string label;
    std::string victim;  // deleted by the route that deletes, while the typing is taken
    std::string kept;    // not deleted, as the form refuses to be left
    std::string refusal; // shown for an empty name
};

const Shown kForms[] = {
    {"ferry_song", "ledger_of_osric", "Warden_Oath", "You must specify the lore key of this book!"},
    {"book_ferry_song", "book_warden_oath", "book_ledger_of_osric",
     "You must specify a name for this template!"},
};

// Each route, first with typing the form takes, then with typing it refuses.
TEST_F(LeaveFormTest, ViewingChangesNothingAndEveryRouteStoresTheTypingOrStopsAtARefusal) {
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
    // PageUp and PageDown move the selection a page, here past the first and the last row.
    input.Key(WXK_PAGEUP);
    EXPECT_EQ(Selected(), "Lore Books");
    EXPECT_FALSE(Form()->HasNode()) << "a group shows no node";
    input.Key(WXK_PAGEDOWN);
    EXPECT_EQ(Selected(), "book_warden_oath");
    input.Key('S', wxMOD_CONTROL);
    EXPECT_EQ(ReadBytes(lore), loreBytes);
    EXPECT_EQ(ReadBytes(templates), templateBytes);
    EXPECT_FALSE(doc->Data().CanUndo());
    EXPECT_FALSE(doc->Data().IsModified()) << "no question on exit";
    EXPECT_TRUE(ui.shown.empty());
    for (const Shown& shown : kForms) {
        for (const Route& route : kRoutes) {
            SCOPED_TRACE(shown.label + " left by " + route.name);
            victim = shown.victim;
            host.newNodeName = std::nullopt;
            ui.answers = {MsgAnswer::Cancel};
            const Node* node = Tree().NodeOf(Item(shown.label));
            const std::string stored = node->GetComment() + "-typed";
            TypeInto(shown.label, false);
            route.leave(*this);
            EXPECT_EQ(node->GetComment(), stored);
            ASSERT_TRUE(doc->Data().CanUndo());
            doc->Data().Undo();
            EXPECT_EQ(doc->Data().CanUndo(), &route != &kRoutes[0] || &shown != &kForms[0])
                << "the typing is exactly one step";
            doc->Data().Redo();
            victim = shown.kept;
            host.newNodeName = "never_made";
            ui.answers.clear();
            ui.shown.clear();
            const int openRuns = host.openRuns;
            const std::size_t captions = host.captions.size();
            wxTextCtrl* comment = TypeInto(shown.label, true);
            route.leave(*this);
            EXPECT_EQ(ui.Texts(), std::vector<std::string>{shown.refusal});
            EXPECT_EQ(Selected(), shown.label);
            EXPECT_EQ(comment->GetValue(), stored + "-typed");
            EXPECT_EQ(node->GetComment(), stored);
            EXPECT_EQ(host.captions.size(), captions) << "no New Node dialog";
            EXPECT_EQ(host.openRuns, openRuns) << "no Open dialog";
            EXPECT_TRUE(frame->IsShown());
            EXPECT_TRUE(Item(shown.kept).IsOk());
            // The name typed back, Enter stores it all.
            input.TypeAtEnd(Edit(ControlId::NameField), shown.label);
            input.Key(WXK_RETURN);
            EXPECT_EQ(node->GetComment(), stored + "-typed");
            ui.shown.clear();
        }
    }
}

void MenuUndo(LeaveFormTest& t) {
    t.input.Menu('E', 'U');
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
        input.TypeAtEnd(Edit(ControlId::CommentField), "typed");
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

// Ctrl+Z brings a deleted book back selected and shown, Ctrl+Y and Ctrl+Shift+Z delete it
// again; a template whose book is gone can be pointed at another, one whose key differs from a
// third's only in case, and keeps it; Update refuses what the files would not give back and then
// shows what it stored; the status bar and Save say whether anything is left to save.
TEST_F(LeaveFormTest, UndoDeleteRepointUpdateAndTheModifiedState) {
    LoadSample();
    const auto saveEnabled = [this] {
        input.Settle();
        return frame->GetToolBar()->GetToolEnabled(Id(CommandId::FileSave));
    };
    const auto modified = [&] {
        return saveEnabled() && frame->GetStatusBar()->GetStatusText(1) == "Modified";
    };
    const auto menuLabel = [this](CommandId id) {
        frame->GetMenuBar()->UpdateMenus();
        return frame->GetMenuBar()->FindItem(Id(id))->GetItemLabelText();
    };
    const auto shows = [this](const std::string& label) {
        return std::ranges::count(Labels(Tree().m_booksRoot), label) == 1;
    };
    EXPECT_FALSE(modified());
    EXPECT_EQ(menuLabel(CommandId::EditUndo), "Undo");
    DeleteByContextMenu("ferry_song");
    for (int wait = 0; wait < 100 && ui.shown.empty(); ++wait) {
        input.Settle();
    }
    EXPECT_EQ(ui.Texts(),
              std::vector<std::string>{
                  "Delete ferry_song?\n\n1 template names this book: book_ferry_song."});
    ASSERT_FALSE(shows("ferry_song"));
    DeleteByContextMenu("ledger_of_osric"); // the next book, now under the pointer: a double click
    input.Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(menuLabel(CommandId::EditUndo), "Undo Delete 'ferry_song'");
    input.Key('Z', wxMOD_CONTROL);
    EXPECT_TRUE(shows("ferry_song"));
    EXPECT_EQ(Selected(), "ferry_song");
    EXPECT_EQ(Edit(ControlId::NameField)->GetValue(), "ferry_song");
    EXPECT_FALSE(doc->Data().IsModified()) << "back at the state that was read";
    EXPECT_EQ(menuLabel(CommandId::EditRedo), "Redo Delete 'ferry_song'");
    input.Key('Y', wxMOD_CONTROL);
    EXPECT_FALSE(shows("ferry_song"));
    EXPECT_TRUE(doc->Data().IsModified(DataFile::Lore));
    input.Key('Z', wxMOD_CONTROL);
    input.Key('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_FALSE(shows("ferry_song"));

    ui.shown.clear();
    host.newNodeName = "warden_oath";
    input.Key('B', wxMOD_CONTROL);
    input.TypeAtEnd(Edit(ControlId::TextField), "A second oath.");
    input.Key(WXK_RETURN);
    ASSERT_TRUE(ui.shown.empty());
    input.ClickItem(&Tree(), Item("book_ferry_song"));
    auto* form = dynamic_cast<TemplateForm*>(Form());
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->m_bookTitleField->IsEnabled());
    EXPECT_NE(Tree().CreateContextMenu()->FindItem(Id(CommandId::PointAtBook)), nullptr);
    input.Click(form->m_pointAtBookButton);
    EXPECT_TRUE(form->m_bookTitleField->IsEnabled());
    ChooseByKeys(input, form->m_bookTitleField, form->m_loreKeyChoice, "warden_oath");
    input.Click(form->m_updateButton);
    EXPECT_EQ(dynamic_cast<const Template*>(Tree().NodeOf(Item("book_ferry_song")))->GetLoreKey(),
              "warden_oath");
    EXPECT_EQ(Tree().CreateContextMenu()->FindItem(Id(CommandId::PointAtBook)), nullptr);
    input.Key('S', wxMOD_CONTROL);
    EXPECT_FALSE(modified());
    EXPECT_NE(ReadBytes(templates).find("lore_key = warden_oath;"), std::string::npos);
    input.ClickItem(&Tree(), Item("abbey_founding"));
    input.ClickItem(&Tree(), Item("book_ferry_song"));
    form = dynamic_cast<TemplateForm*>(Form());
    EXPECT_EQ(form->m_loreKeyChoice->GetStringSelection(), "warden_oath");

    ui.shown.clear();
    input.ClickItem(&Tree(), Item("Warden_Oath"));
    input.TypeAtEnd(Edit(ControlId::TextField), " \"C:\\new\"", true);
    EXPECT_TRUE(saveEnabled()) << "typing is something to save";
    input.Key(WXK_RETURN);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].text.starts_with("The book text holds \\n in '...") &&
                ui.shown[0].text.ends_with(" lie. \"C:\\new\"'; the game shows that as a line "
                                           "break.  Please change it!"))
        << ui.shown[0].text;
    for (int k = 0; k < 5; ++k) {
        input.Key(WXK_BACK);
    }
    input.Key(WXK_RETURN);
    EXPECT_TRUE(Edit(ControlId::TextField)->GetValue().EndsWith(" 'C:")) << "shown as stored";
    EXPECT_TRUE(modified());
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
    EXPECT_EQ(Selected(), "ferry_song");
}

// The undo keys in a text field and in the tree, and Find with F3 and Shift+F3.
using UndoFindTest = GuiTest;

TEST_F(UndoFindTest, CtrlZUndoesAnUpdateButInAFieldOnlyTheFieldsTyping) {
    LoadSample();
    input.ClickItem(&Tree(), Item("ferry_song"));
    const Node* song = Tree().NodeOf(Item("ferry_song"));
    const std::string comment = song->GetComment();
    input.Click(Edit(ControlId::NameField));
    input.Key('A', wxMOD_CONTROL);
    input.Type("a_song");
    input.TypeAtEnd(Edit(ControlId::CommentField), "-typed");
    input.Key(WXK_RETURN);
    ASSERT_EQ(song->GetName(), "a_song");
    input.Click(Edit(ControlId::CommentField));
    input.Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(song->GetName(), "a_song") << "the field's key, not the document's";
    EXPECT_FALSE(doc->Data().CanRedo());
    // Typing not yet stored is stored by the menu's Undo, which then takes it back; Redo
    // gives it back.
    input.Key(WXK_END);
    input.Type("-more");
    input.Menu('E', 'U');
    EXPECT_EQ(Edit(ControlId::CommentField)->GetValue(), comment + "-typed");
    input.Retype(Edit(ControlId::NameField), ""); // refused: Redo does nothing
    input.Menu('E', 'R');
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"You must specify the lore key of this book!"});
    EXPECT_EQ(song->GetComment(), comment + "-typed");
    ui.shown.clear();
    input.Key(WXK_ESCAPE);
    input.Menu('E', 'R');
    EXPECT_EQ(song->GetComment(), comment + "-typed-more");
    EXPECT_EQ(Edit(ControlId::CommentField)->GetValue(), comment + "-typed-more");
    // The menu's keys reach the menu from a number field too.
    input.ClickItem(&Tree(), Item("book_ledger_of_osric"));
    const wxString gold = Edit(ControlId::GoldValueField)->GetValue();
    input.TypeAtEnd(Edit(ControlId::GoldValueField), "6x");
    EXPECT_EQ(Edit(ControlId::GoldValueField)->GetValue(), gold + "6") << "digits only";
    input.Menu('E', 'U');
    EXPECT_EQ(Edit(ControlId::GoldValueField)->GetValue(), gold);
    input.ClickItem(&Tree(), Item("a_song"));
    input.Key('Z', wxMOD_CONTROL);
    input.Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(song->GetName(), "ferry_song");
    EXPECT_EQ(song->GetComment(), comment);
    EXPECT_EQ(Selected(), "ferry_song");
    EXPECT_EQ(Edit(ControlId::CommentField)->GetValue(), comment) << "the form follows";
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(UndoFindTest, FindSelectsEachHolderInTurnAndSaysSoInTheStatusBar) {
    LoadSample();
    input.ClickItem(&Tree(), Item("Warden_Oath"));
    const Node* oath = Tree().NodeOf(Item("Warden_Oath"));
    input.TypeAtEnd(Edit(ControlId::CommentField), "-typed");
    host.findText = "OSRIC";
    input.Key('F', wxMOD_CONTROL);
    EXPECT_EQ(oath->GetComment().substr(oath->GetComment().size() - 6), "-typed")
        << "the typing is stored before the selection moves";
    // From the last book on: the templates come next in the tree.
    const struct {
        int modifiers;
        const char* selected;
        const char* status;
    } steps[] = {
        {-1, "book_ledger_of_osric", ""},
        {wxMOD_NONE, "ledger_of_osric", "Passed the end of the tree; continued from the top"},
        {wxMOD_NONE, "book_ledger_of_osric", ""},
        {wxMOD_SHIFT, "ledger_of_osric", ""},
        {wxMOD_SHIFT, "book_ledger_of_osric",
         "Passed the start of the tree; continued from the end"},
    };
    for (const auto& step : steps) {
        if (step.modifiers >= 0) {
            input.Key(WXK_F3, step.modifiers);
        }
        EXPECT_EQ(Selected(), step.selected);
        EXPECT_EQ(host.status, step.status);
    }

    host.findText = "no such words";
    input.Key('F', wxMOD_CONTROL);
    EXPECT_EQ(host.status, "'no such words' not found");
    EXPECT_EQ(Selected(), "book_ledger_of_osric");
    EXPECT_TRUE(ui.shown.empty()) << "no message box";
    // The message goes with the next action: another node selected, or an Update.
    wxStatusBar* status = frame->GetStatusBar();
    input.ClickItem(&Tree(), Item("ferry_song"));
    EXPECT_EQ(status->GetStatusText(), "Ready");
    input.Key(WXK_F3);
    EXPECT_EQ(status->GetStatusText(), "'no such words' not found");
    input.TypeAtEnd(Edit(ControlId::CommentField), "x");
    input.Click(Form()->FindWindow(Id(ControlId::UpdateButton)));
    EXPECT_EQ(status->GetStatusText(), "Ready");
}

} // namespace
} // namespace tc::test

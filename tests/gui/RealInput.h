// Real mouse and keyboard input through the X server (wxUIActionSimulator sends XTest events),
// so that the widgets see events in the order a person's input produces them.
#pragma once

#include <wx/treectrl.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include <string>

namespace tc::test {

class RealInput {
public:
    // Clicks the middle of a window, or a point in its client area.
    void Click(wxWindow* window);
    void MoveTo(wxWindow* window, wxPoint client);
    void ClickAt(wxWindow* window, wxPoint client, int button = wxMOUSE_BTN_LEFT);
    void DoubleClickAt(wxWindow* window, wxPoint client);
    // Clicks the label of a tree item (scrolled into view first).
    void ClickItem(wxTreeCtrl* tree, wxTreeItemId item, int button = wxMOUSE_BTN_LEFT);
    // Types characters as keys; upper-case letters are typed with Shift.
    void Type(const std::string& text);
    void Key(int keycode, int modifiers = wxMOD_NONE);
    // Clicks a text field, selects all it holds and types `text` over it, or after it (its
    // last line's end for `withCtrl`).
    void Retype(wxWindow* field, const std::string& text);
    void TypeAtEnd(wxWindow* field, const std::string& text, bool withCtrl = false);
    // Picks an item of the menu bar by its Alt key and its own.
    void Menu(int menu, int item);
    // Lets the X server deliver what was sent and the event loop handle it.
    void Settle();

private:
    wxUIActionSimulator m_sim;
};

} // namespace tc::test

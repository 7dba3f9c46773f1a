#include "RealInput.h"

#include <wx/app.h>
#include <wx/utils.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace tc::test {

void RealInput::Settle() {
    // What was sent has reached the toolkit once a round trip on the toolkit's own connection
    // returns: the X server queues the input's events there before the reply, however slow
    // either side is. Then two quiet rounds: handling one event may post the next (a
    // selection change, a CallAfter, a menu's grab).
    for (int round = 0, quiet = 0; round < 20 && quiet < 2; ++round) {
        XSync(wxGetX11Display(), False);
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
        quiet = wxTheApp->Pending() || wxTheApp->HasPendingEvents() ? 0 : quiet + 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void RealInput::Click(wxWindow* window) {
    const wxSize size = window->GetClientSize();
    ClickAt(window, wxPoint(size.GetWidth() / 2, size.GetHeight() / 2));
}

void RealInput::MoveTo(wxWindow* window, wxPoint client) {
    m_sim.MouseMove(window->ClientToScreen(client));
    Settle();
}

void RealInput::ClickAt(wxWindow* window, wxPoint client, int button) {
    MoveTo(window, client);
    m_sim.MouseClick(button);
    Settle();
}

void RealInput::DoubleClickAt(wxWindow* window, wxPoint client) {
    MoveTo(window, client);
    m_sim.MouseDblClick();
    Settle();
}

void RealInput::ClickItem(wxTreeCtrl* tree, wxTreeItemId item, int button) {
    // The tree lays its rows out when it is idle: wait until the row answers to its item.
    wxPoint point;
    for (int attempt = 0; attempt < 20; ++attempt) {
        tree->EnsureVisible(item);
        Settle();
        wxRect rect;
        tree->GetBoundingRect(item, rect, true);
        point = wxPoint(rect.GetX() + 4, rect.GetY() + rect.GetHeight() / 2);
        int flags = 0;
        if (tree->HitTest(point, flags) == item) {
            break;
        }
    }
    ClickAt(tree, point, button);
}

// xdotool types at once (the simulator waits 20 ms after each key); the keys still reach the
// focused window through the X server. The simulator types when xdotool is missing.
void RealInput::Type(const std::string& text) {
    std::string quoted; // for the shell, within single quotes
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    if (!text.empty() &&
        std::system(("xdotool type --delay 0 -- '" + quoted + "' 2>/dev/null").c_str()) != 0) {
        m_sim.Text(text.c_str());
    }
    Settle();
}

void RealInput::Key(int keycode, int modifiers) {
    m_sim.Char(keycode, modifiers);
    Settle();
}

void RealInput::TypeAtEnd(wxWindow* field, const std::string& text, bool withCtrl) {
    Click(field);
    Key(WXK_END, withCtrl ? wxMOD_CONTROL : wxMOD_NONE);
    Type(text);
}

void RealInput::Menu(int menu, int item) {
    Key(menu, wxMOD_ALT);
    Key(item);
}

void RealInput::Retype(wxWindow* field, const std::string& text) {
    Click(field);
    Key('A', wxMOD_CONTROL);
    Key(WXK_DELETE);
    Type(text);
}

} // namespace tc::test

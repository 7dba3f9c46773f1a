#include "RealInput.h"

#include <wx/app.h>
#include <wx/utils.h>

#include <chrono>
#include <thread>

namespace tc::test {

void RealInput::Settle() {
    for (int k = 0; k < 4; ++k) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxTheApp->ProcessIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
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

void RealInput::Type(const std::string& text) {
    m_sim.Text(text.c_str());
    Settle();
}

void RealInput::Key(int keycode, int modifiers) {
    m_sim.Char(keycode, modifiers);
    Settle();
}

} // namespace tc::test

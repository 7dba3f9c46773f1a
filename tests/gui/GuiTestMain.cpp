// Runs the GUI tests inside a wxWidgets application (under xvfb-run in the test suite).
#include "GuiHarness.h"

#include <wx/debug.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

void tc::test::RealInput::Settle() {
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

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        return 1;
    }
    wxTheApp->SetAppName("TomecraftTests");
    // A failed wx assertion fails the test that made it, instead of a modal dialog that nobody
    // under Xvfb closes.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& function,
                          const wxString& condition, const wxString& message) {
        ADD_FAILURE_AT(file.utf8_str(), line)
            << "wx assertion \"" << condition.utf8_str() << "\" failed in " << function.utf8_str()
            << ": " << message.utf8_str();
    });
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}

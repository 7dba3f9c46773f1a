// Runs the GUI tests inside a wxWidgets application (under xvfb-run in the test suite).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/init.h>

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

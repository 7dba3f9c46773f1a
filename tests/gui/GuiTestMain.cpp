// Runs the GUI tests inside a wxWidgets application (under xvfb-run in the test suite).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        return 1;
    }
    wxTheApp->SetAppName("TomecraftTests");
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}

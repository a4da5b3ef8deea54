// The one main of every test binary. It starts wx once (a GUI application on the
// X display for GUI suites, a console application otherwise) and Qt on the
// offscreen platform, points HOME and the XDG folders at a fresh folder, turns
// wx assertions into test failures and records the log instead of showing it.

#include "TestMainSetup.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

#ifndef STUDYSTATION_TEST_GUI
#define STUDYSTATION_TEST_GUI 1
#endif

namespace {

#if STUDYSTATION_TEST_GUI
class TestApp : public wxApp
{
public:
    bool OnInit() override { return true; }  // no command-line parsing
};
#else
class TestApp : public wxAppConsole
{
public:
    bool OnInit() override { return true; }
};
#endif

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery lists the tests at build or test-start time, without a display.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    TestSupport::InitialiseHomeFolder();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    wxSetAssertHandler(TestSupport::AssertionFailsTheTest);

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "wxEntryStart failed: is DISPLAY set (run under xvfb-run -a)?\n");
        return 2;
    }
    delete wxLog::SetActiveTarget(TestSupport::CreateRecordingLog());
    // The application object is a console one in console suites: reached through the
    // console base, never through wxTheApp's cast to the GUI class.
    wxAppConsole* app = wxAppConsole::GetInstance();
    if (!app->CallOnInit()) return 3;

    int rc;
    {
        int qtArgc = 1;
        char qtName[] = "tests";
        char* qtArgv[] = {qtName, nullptr};
        auto qt = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
#if STUDYSTATION_TEST_GUI
        wxGUIEventLoop loop;
#else
        wxConsoleEventLoop loop;  // wxEventLoop is the GUI loop in a program that links the GUI
#endif
        wxEventLoopActivator activate(&loop);
        rc = RUN_ALL_TESTS();
    }
    app->OnExit();
    wxEntryCleanup();
    if (rc == 0) TestSupport::RemoveHomeFolder();
    return rc;
}

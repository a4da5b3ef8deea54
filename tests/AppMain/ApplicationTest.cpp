// The real application object: start-up, the first idle event, the run-task
// view on screen, the event loop surviving exceptions, and the ordered shut-down.
#include "AppHarness.h"
#include "TestSupport.h"

#include "AppMain/PreferencesFile.h"
#include "AppMain/VTMainFrame.h"
#include "AppMain/Run/VTRunTaskView.h"
#include "AppMain/VTSplashScreen.h"
#include "GuiViewClasses/CloudPanel/CloudExperimentPanel.h"
#include "UserInterface/wxDocManagerASIO.h"

#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTException.h>

#include <gtest/gtest.h>
#include <wx/docview.h>
#include <wx/config.h>
#include <wx/ffile.h>

#include <cstdlib>
#include <string>

namespace {

#define SKIP_IF_NOT_ALONE(run)                                                                                         \
    if ((run).skipped) GTEST_SKIP() << "the application runs once per process; ctest runs each test alone"

Vantrel::VTRunTaskView* OnlyView(ProbedApp& app)
{
    const wxDocVector docs = app.GetDocManager()->GetDocumentsVector();
    if (docs.size() != 1) return nullptr;
    return wxDynamicCast(docs[0]->GetFirstView(), Vantrel::VTRunTaskView);
}

bool UntitledDocumentIsShown(ProbedApp& app)
{
    Vantrel::VTRunTaskView* view = OnlyView(app);
    return view && view->GetChildFrame() && view->GetChildFrame()->IsShownOnScreen() && !app.HasSplashOwner();
}

size_t IndexInLog(const wxString& fragment)
{
    const auto& log = TestSupport::RecordedLog();
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].text.Contains(fragment)) return i;
    return static_cast<size_t>(-1);
}

TEST(Application, FirstIdleShowsTheUntitledExperimentAndClosingTheMainFrameShutsDownInOrder)
{
    struct Seen
    {
        int documents = 0;
        wxString name;
        wxString frameTitle;
        bool splashGone = false;
        bool mainFrameOffScreen = false;
        bool panelFilled = false;
        std::int64_t panelTaskID = 0;
        wxString preferences;
    } seen;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        if (!UntitledDocumentIsShown(app)) return false;
        Vantrel::VTRunTaskView* view = OnlyView(app);
        seen.documents = static_cast<int>(app.GetDocManager()->GetDocuments().size());
        seen.name = view->GetDocument()->GetFilename();
        seen.frameTitle = view->GetChildFrame()->GetTitle();
        seen.splashGone = !app.HasSplashOwner();
        const wxRect main = app.GetTopWindow()->GetScreenRect();
        seen.mainFrameOffScreen = main.GetRight() < 0 && main.GetBottom() < 0;
        CloudExperimentPanel* panel = view->GetPanel();
        seen.panelFilled = panel && panel->GetId() == Vantrel::VTRunTaskView::kPanelID &&
                           panel->GetParent() == view->GetChildFrame() &&
                           panel->GetExperiment() == view->GetExperimentPtr();
        seen.panelTaskID = panel ? panel->GetCmdLineTaskID() : 0;
        seen.preferences = Vantrel::PreferencesFilePath();
        // Something for the file history to save at exit.
        app.GetDocManager()->AddFileToHistory("/data/recent experiment.vt6");
        app.GetTopWindow()->Close(false);
        return true;
    });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_TRUE(run.initSucceeded);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(seen.documents, 1);
    EXPECT_EQ(seen.name, "Orbisk Study Station.vt6");
    EXPECT_EQ(seen.frameTitle, "Orbisk Study Station.vt6");
    EXPECT_TRUE(seen.splashGone);
    EXPECT_TRUE(seen.mainFrameOffScreen);
    EXPECT_TRUE(seen.panelFilled);
    EXPECT_EQ(seen.panelTaskID, -1);  // no task code on the command line

    // Shut-down steps, in their order.
    EXPECT_TRUE(run.exitRan);
    const size_t history = IndexInLog("Shut-down: file history saved.");
    const size_t manager = IndexInLog("Shut-down: document manager deleted.");
    const size_t streaming = IndexInLog("Shut-down: streaming de-initialised.");
    const size_t plugins = IndexInLog("Shut-down: plug-in objects deleted.");
    const size_t services = IndexInLog("Shut-down: asynchronous services stopped.");
    ASSERT_NE(services, static_cast<size_t>(-1)) << TestSupport::LogAsText();
    EXPECT_LT(history, manager);
    EXPECT_LT(manager, services) << "the manager's timer and layer reference end before the layer stops";
    EXPECT_EQ(wxDocManager::GetDocumentManager(), nullptr);
    EXPECT_LT(history, streaming);
    EXPECT_LT(streaming, plugins);
    EXPECT_LT(plugins, services);
    const std::string prefs = TestSupport::ReadWholeFile(seen.preferences);
    EXPECT_NE(prefs.find("file1=/data/recent experiment.vt6"), std::string::npos) << prefs;
}

TEST(Application, TaskCodeAndNoUploadReachThePanel)
{
    // The panel checks the code with the service at once: keep that on this machine
    // (a closed local port refuses at once).
    setenv("VANTREL_CLOUD_HOST", "127.0.0.1:9", 1);
    std::int64_t taskID = 0;
    bool noUpload = false;
    const AppRun run = RunApplication({"-t", "15386598", "--noupload"}, [&](ProbedApp& app) {
        if (!UntitledDocumentIsShown(app)) return false;
        CloudExperimentPanel* panel = OnlyView(app)->GetPanel();
        taskID = panel->GetCmdLineTaskID();
        noUpload = panel->GetNoDataUpload();
        app.GetTopWindow()->Close(false);
        return true;
    });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(taskID, 15386598);
    EXPECT_TRUE(noUpload);
}

TEST(Application, TheSplashShowsDuringStartUpAndCanStepAsideForAMessage)
{
    struct Seen
    {
        bool ownerAfterInit = false, shown = false, hidden = false, shownAgain = false, goneAfterIdle = false;
    } seen;
    auto splashWindow = []() -> wxWindow* {
        for (wxWindow* window : wxTopLevelWindows)
            if (dynamic_cast<Vantrel::VTSplashScreen*>(window)) return window;
        return nullptr;
    };
    const AppRun run = RunApplication(
        {},
        [&](ProbedApp& app) {
            if (!UntitledDocumentIsShown(app)) return false;
            wxWindow* splash = splashWindow();
            seen.goneAfterIdle = !app.HasSplashOwner() && (!splash || !splash->IsShown());
            app.GetTopWindow()->Close(false);
            return true;
        },
        [&](ProbedApp& app) {
            seen.ownerAfterInit = app.HasSplashOwner();
            wxWindow* splash = splashWindow();
            seen.shown = splash && splash->IsShown();
            app.HideSplashscreen();
            seen.hidden = splash && !splash->IsShown();
            app.UnhideSplashscreen();
            seen.shownAgain = splash && splash->IsShown();
        });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_TRUE(seen.ownerAfterInit);
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(seen.hidden);
    EXPECT_TRUE(seen.shownAgain);
    EXPECT_TRUE(seen.goneAfterIdle);
}

TEST(Application, ClosingTheParticipantsWindowEndsTheApplication)
{
    bool closed = false;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        Vantrel::VTRunTaskView* view = OnlyView(app);
        if (!UntitledDocumentIsShown(app)) return false;
        closed = view->GetChildFrame()->Close(false);  // as the window's close button does
        return true;
    });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.exitRan);
}

TEST(Application, AnUnknownOptionEndsStartUpBeforeAnyWindow)
{
    bool probed = false;
    const AppRun run = RunApplication({"--expfile", "x.vt6"}, [&](ProbedApp&) { return probed = true; });
    SKIP_IF_NOT_ALONE(run);
    EXPECT_FALSE(run.initSucceeded);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(probed);
    EXPECT_FALSE(run.exitRan);
}

TEST(Application, TheLoopSurvivesOwnAndUnknownExceptionsAndRecreatesTheDocument)
{
    int phase = 0;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        // Each phase starts only once a document is on screen again, after
        // the previous phase closed every document and threw.
        if (!UntitledDocumentIsShown(app)) return false;
        switch (phase++) {
            case 0:
                app.GetDocManager()->CloseDocuments(true);
                throw VantrelSDK::VTException("The experiment could not be prepared.");
            case 1: app.GetDocManager()->CloseDocuments(true); throw 42;
            default: app.GetTopWindow()->Close(false); return true;
        }
    });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(phase, 3);
    EXPECT_TRUE(TestSupport::LogContains("Caught an exception in VTApp::OnRun.  Attempting to continue."));
    EXPECT_TRUE(TestSupport::LogContains("The experiment could not be prepared."));
    EXPECT_TRUE(TestSupport::LogContains("Caught an unknown exception in VTApp::OnRun.  Attempting to continue."));
    EXPECT_TRUE(TestSupport::LogContains("Restarting the event loop!"));
}

TEST(Application, PumpPeriodComesFromTheEnvironment)
{
    setenv("OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING", "250", 1);
    int interval = 0;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        if (!UntitledDocumentIsShown(app)) return false;
        const wxTimer* timer = app.GetDocManager()->GetAsioPumpTimer_CanReturnNull();
        interval = timer ? timer->GetInterval() : -1;
        app.GetTopWindow()->Close(false);
        return true;
    });
    unsetenv("OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING");
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(interval, 250);
}

}  // namespace

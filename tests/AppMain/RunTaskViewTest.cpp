// The run-task view inside the real application: a run of a real experiment
// with the pump off, the run guard, the group choice, and closing the view.
#include "AppHarness.h"
#include "TestSupport.h"

#include "AppMain/Run/VTRunTaskView.h"
#include "GuiViewClasses/CloudPanel/CloudExperimentPanel.h"
#include "UserInterface/wxDocManagerASIO.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTPlugInCommon/VTException.h>
#include <VTRuntime/VTPlugIn.h>

#include <gtest/gtest.h>
#include <wx/filename.h>

#include <functional>

namespace {

#define SKIP_IF_NOT_ALONE(run)                                                                                         \
    if ((run).skipped) GTEST_SKIP() << "the application runs once per process; ctest runs each test alone"

Vantrel::VTRunTaskView* ViewOf(wxDocument* doc)
{
    return doc ? wxDynamicCast(doc->GetFirstView(), Vantrel::VTRunTaskView) : nullptr;
}

Vantrel::VTRunTaskView* UntitledView(ProbedApp& app)
{
    const wxDocVector docs = app.GetDocManager()->GetDocumentsVector();
    if (docs.size() != 1 || app.HasSplashOwner()) return nullptr;
    Vantrel::VTRunTaskView* view = ViewOf(docs[0]);
    return view && view->GetChildFrame() && view->GetChildFrame()->IsShownOnScreen() ? view : nullptr;
}

// An experiment whose run options call back into the test, so the test can act
// in the middle of a run request.
class ScriptedExperiment : public Vantrel::VTExperiment
{
public:
    std::function<void()> onRunOptions;
    int runOptionsCalls = 0;
    Vantrel::VTRunOptions& GetRunOptions() override
    {
        ++runOptionsCalls;
        if (onRunOptions) onRunOptions();
        return Vantrel::VTExperiment::GetRunOptions();
    }
};

// Attaches a run-task view to a hand-made experiment, as the document template would.
Vantrel::VTRunTaskView* OpenScripted(ProbedApp& app, ScriptedExperiment* doc)
{
    auto* tmpl = static_cast<wxDocTemplate*>(app.GetDocManager()->GetTemplates().GetFirst()->GetData());
    doc->SetDocumentTemplate(tmpl);
    app.GetDocManager()->AddDocument(doc);
    doc->OnNewDocument();
    auto* view = new Vantrel::VTRunTaskView;
    view->SetDocument(doc);
    view->OnCreate(doc, 0);
    return view;
}

TEST(RunTaskView, ARunOfARealExperimentHappensWithThePumpOffAndWritesItsDataFile)
{
    const wxString fixture = wxString::FromUTF8(TestSupport::SourceDir()) + "/tests/fixtures/timed-events.vt6";
    const wxString dataFile = wxString::FromUTF8(TestSupport::MakeTempFolder("data")) + "/participant.txt";
    bool pumpOnBefore = false, pumpOnAfter = false, runningAfter = true;
    int samplesDuringRun = 0, samplesWithPumpOn = 0;
    bool ran = false;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        if (!UntitledView(app)) return false;
        wxDocument* doc = app.GetDocManager()->CreateDocument(fixture, wxDOC_SILENT);
        Vantrel::VTRunTaskView* view = ViewOf(doc);
        if (!view) {
            ADD_FAILURE() << "fixture did not open: " << TestSupport::LogAsText();
            app.GetTopWindow()->Close(false);
            return true;
        }
        pumpOnBefore = app.GetDocManager()->IsAsioPumpingActive();
        wxTimer sampler;
        sampler.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (!Vantrel::VTRunTaskView::IsRunInProgress()) return;
            ++samplesDuringRun;
            if (app.GetDocManager()->IsAsioPumpingActive()) ++samplesWithPumpOn;
        });
        sampler.Start(10);
        view->RunCloudExperiment(dataFile, 424242, true);
        sampler.Stop();
        ran = true;
        pumpOnAfter = app.GetDocManager()->IsAsioPumpingActive();
        runningAfter = Vantrel::VTRunTaskView::IsRunInProgress();
        app.GetTopWindow()->Close(false);
        return true;
    });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    ASSERT_TRUE(ran);
    EXPECT_TRUE(pumpOnBefore);
    EXPECT_GT(samplesDuringRun, 0);
    EXPECT_EQ(samplesWithPumpOn, 0);
    EXPECT_TRUE(pumpOnAfter);
    EXPECT_FALSE(runningAfter);
    EXPECT_TRUE(wxFileName::FileExists(dataFile)) << TestSupport::LogAsText();
    EXPECT_GT(wxFileName::GetSize(dataFile), 0u);
}

TEST(RunTaskView, GroupChoiceGuardAndExceptionPathLeaveThePumpOnAndTheGuardOpen)
{
    struct Seen
    {
        int oneGroupChosen = 0, defaultGroupID = -2;
        int twoGroupsKept = 0, twoGroupsExact = 0, secondGroupID = -2;
        int nestedCalls = -1;
        bool exceptionPassedOn = false, pumpOnAfterThrow = false, guardOpenAfterThrow = false;
    } seen;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        Vantrel::VTRunTaskView* untitled = UntitledView(app);
        if (!untitled) return false;
        // One group and an id that matches nothing: the one group runs.
        Vantrel::VTExperiment* one = untitled->GetExperimentPtr();
        unsigned long count = 0;
        seen.defaultGroupID = static_cast<int>(one->GetDefaultGroup(&count)->GetID());
        untitled->RunCloudExperiment("", 999999, false);
        seen.oneGroupChosen = one->GetRunOptions().GetGroupID_CanReturnNegativeOne();

        // Two groups: an unknown id keeps the options' group; a known one is used.
        auto* two = new ScriptedExperiment;
        Vantrel::VTRunTaskView* twoView = OpenScripted(app, two);
        auto* second = new Vantrel::VTParticipantGroup(two);
        second->SetName("Second");
        two->GetElementsOfType(Vantrel::ElementType::ParticipantGroup).AddElement(second, -1);
        seen.secondGroupID = static_cast<int>(second->GetID());
        two->Vantrel::VTExperiment::GetRunOptions().SetGroupID(-1);
        twoView->RunCloudExperiment("", 999999, false);
        seen.twoGroupsKept = two->Vantrel::VTExperiment::GetRunOptions().GetGroupID_CanReturnNegativeOne();
        twoView->RunCloudExperiment("", second->GetID(), false);
        seen.twoGroupsExact = two->Vantrel::VTExperiment::GetRunOptions().GetGroupID_CanReturnNegativeOne();

        // A request made while a run is in progress is ignored.
        two->runOptionsCalls = 0;
        bool nestedTried = false;
        two->onRunOptions = [&] {
            if (nestedTried) return;
            nestedTried = true;
            const int before = two->runOptionsCalls;
            twoView->RunCloudExperiment("", second->GetID(), false);
            seen.nestedCalls = two->runOptionsCalls - before;
        };
        twoView->RunCloudExperiment("", second->GetID(), false);

        // A run that throws: the exception reaches the caller, the pump is on
        // again and the next run is not refused.
        two->onRunOptions = [] { throw VantrelSDK::VTException("no run today"); };
        try {
            twoView->RunCloudExperiment("", second->GetID(), false);
        } catch (const VantrelSDK::VTException&) {
            seen.exceptionPassedOn = true;
        }
        seen.pumpOnAfterThrow = app.GetDocManager()->IsAsioPumpingActive();
        two->onRunOptions = nullptr;
        two->runOptionsCalls = 0;
        twoView->RunCloudExperiment("", second->GetID(), false);
        seen.guardOpenAfterThrow = two->runOptionsCalls > 0 && !Vantrel::VTRunTaskView::IsRunInProgress();
        app.GetTopWindow()->Close(false);
        return true;
    });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(seen.oneGroupChosen, seen.defaultGroupID);
    EXPECT_EQ(seen.twoGroupsKept, -1);
    EXPECT_EQ(seen.twoGroupsExact, seen.secondGroupID);
    EXPECT_EQ(seen.nestedCalls, 0);
    EXPECT_TRUE(seen.exceptionPassedOn);
    EXPECT_TRUE(seen.pumpOnAfterThrow);
    EXPECT_TRUE(seen.guardOpenAfterThrow);
}

TEST(RunTaskView, ClosingKeepsOrRemovesTheWindowsAndCloseOnNextIdleRemovesTheOldDocument)
{
    struct Seen
    {
        bool keptHidden = false;
        bool otherIdleSeen = false;
        bool oldWindowsGone = false;
        int documentsLeft = -1;
    } seen;
    int step = 0;
    wxDocument* old = nullptr;
    wxWindowID oldFrameId = wxID_NONE;
    int otherIdle = 0;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        switch (step) {
            case 0: {
                Vantrel::VTRunTaskView* view = UntitledView(app);
                if (!view) return false;
                // Closing without deleting the window: frame and panel stay, hidden.
                auto* extra = new ScriptedExperiment;
                Vantrel::VTRunTaskView* extraView = OpenScripted(app, extra);
                wxFrame* frame = extraView->GetChildFrame();
                CloudExperimentPanel* panel = extraView->GetPanel();
                EXPECT_TRUE(extraView->Close(false));
                seen.keptHidden =
                    extraView->GetChildFrame() == frame && extraView->GetPanel() == panel && !frame->IsShown();
                app.GetDocManager()->CloseDocument(extra, true);

                // The old view is told to close on the next idle event.
                old = view->GetDocument();
                oldFrameId = view->GetChildFrame()->GetId();
                view->GetChildFrame()->Bind(wxEVT_IDLE, [&otherIdle](wxIdleEvent& e) {
                    ++otherIdle;
                    e.Skip();
                });
                view->SetCloseOnNextIdle(true);
                view->GetChildFrame()->Refresh();
                wxWakeUpIdle();
                ++step;
                return false;
            }
            default:
                if (app.GetDocManager()->GetDocuments().Member(old) && step < 200) {
                    ++step;
                    return false;
                }
                seen.otherIdleSeen = otherIdle > 0;
                seen.oldWindowsGone =
                    wxWindow::FindWindowById(oldFrameId) == nullptr || !wxWindow::FindWindowById(oldFrameId)->IsShown();
                seen.documentsLeft = static_cast<int>(app.GetDocManager()->GetDocuments().size());
                app.GetTopWindow()->Close(false);
                return true;
        }
    });
    SKIP_IF_NOT_ALONE(run);
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(seen.keptHidden);
    EXPECT_TRUE(seen.otherIdleSeen);
    EXPECT_TRUE(seen.oldWindowsGone);
    EXPECT_EQ(seen.documentsLeft, 0);
}

}  // namespace

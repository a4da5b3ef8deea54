// The real "in-Standard Mouse" library, found and loaded by the plug-in manager, and
// whole runs whose responses are mouse buttons injected on the presentation window.

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/uiaction.h>

#include <VTCore/VTExperiment.h>

#include <fstream>
#include <memory>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "TimeScale.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTSdkPointerInput.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTPlugIn.h"

using Vantrel::VTPlugIn;
using Vantrel::VTResponse;

namespace {

constexpr int kMouse = 2250;

class MouseLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        VTPlugIn::LocateAllInFolder(PLUGIN_DIR, nullptr);
        plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(kMouse);
    }
    void TearDown() override { VTPlugIn::DeleteAllObjects(); }

    VTPlugIn* plugin = nullptr;
};

std::vector<wxArrayString> DataRows(const wxString& path, size_t count)
{
    std::vector<wxString> lines;
    std::ifstream in(path.utf8_string());
    for (std::string line; std::getline(in, line);) lines.push_back(wxString::FromUTF8(line));
    std::vector<wxArrayString> rows;
    if (lines.size() < count) return rows;
    for (size_t i = lines.size() - count; i < lines.size(); ++i) rows.push_back(wxSplit(lines[i], '\t'));
    return rows;
}

VTResponse* MouseResponse(Vantrel::VTExperiment& experiment, const wxString& name, int code, int phase, int region,
                          int x = 0, int y = 0, int w = 0, int h = 0)
{
    VTResponse* r = Fixture::Add<VTResponse>(experiment, Vantrel::ElementType::Response, name);
    r->SetPlugInID(kMouse);
    r->SetKeyCode(code);
    r->SetPhase(phase);
    r->SetRegionMode(region);
    r->SetRegion(x, y, w, h);
    return r;
}

// An experiment of one block "Main" with one trial "T", whose events the caller adds.
Vantrel::VTTrial* OneTrialExperiment(Vantrel::VTExperiment& experiment, const wxString& title)
{
    experiment.SetTitle(title);
    auto* block = Fixture::Add<Vantrel::VTBlock>(experiment, Vantrel::ElementType::Block, "Main");
    auto* trial = Fixture::Add<Vantrel::VTTrial>(experiment, Vantrel::ElementType::Trial, "T");
    block->AddUsedTrial(trial);
    return trial;
}

// The mouse joins the experiment's devices and the run saves its data; the data file.
wxString UseTheMouseAndSaveData(Vantrel::VTExperiment& experiment, const wxString& subject, const wxString& file)
{
    experiment.LoadInputPluginByID(kMouse);
    const wxString path = wxFileName(TestSupport::MakeTempFolder("data"), file).GetFullPath();
    experiment.GetRunOptions().SetSubjectName(subject);
    experiment.GetRunOptions().SetSaveCollectedDataFlag(true, path);
    return path;
}

// Where a point `dx`, `dy` pixels from the presentation's centre is on the screen.
wxPoint FromCentre(int dx, int dy)
{
    const wxRect r = RunDriver::PresentationWindow()->GetScreenRect();
    return wxPoint(r.x + r.width / 2 + dx, r.y + r.height / 2 + dy);
}

}  // namespace

TEST_F(MouseLibrary, TheManagerFindsThePlugInAsTheMouse)
{
    ASSERT_TRUE(plugin) << TestSupport::LogAsText();
    EXPECT_EQ(VantrelSDK::VT_PLUGIN_KIND_INPUT, plugin->GetKind());
    EXPECT_EQ("Standard Mouse", plugin->GetName());
    VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr();
    ASSERT_TRUE(input);
    std::unique_ptr<VantrelSDK::VTSdkBaseResponse> fresh(input->CreateNewResponse());
    EXPECT_TRUE(dynamic_cast<VantrelSDK::VTSdkOnScreenResp*>(fresh.get()));
    EXPECT_TRUE(input->GetIsInputDetectedFunctionPtr());
}

// Each event accepts one mouse response; a click that is not it (outside the rectangle,
// off the stimulus, another button, the other phase) is ignored and the event waits on;
// the click that is it is recorded with its time from the event's onset.
TEST_F(MouseLibrary, ClicksAreRecordedOrIgnoredAsTheResponseSays)
{
    ASSERT_TRUE(plugin);
    Vantrel::VTExperiment experiment;
    Vantrel::VTTrial* trial = OneTrialExperiment(experiment, "Mouse");
    constexpr int kScale = TestSupport::kTimeScale;
    struct Case
    {
        const char* event;
        VTResponse* response;
    };
    const Case cases[] = {
        {"Box", MouseResponse(experiment, "In box", 1, 1, VTResponse::kRegionModeSpecific, 200, -100, 100, 80)},
        {"Word", MouseResponse(experiment, "On word", 255, 1, VTResponse::kRegionModeAutomatic)},
        {"Let go", MouseResponse(experiment, "Right up", 4, 2, VTResponse::kRegionModeAnywhere)},
        {"Corner", MouseResponse(experiment, "Top left", 255, 1, VTResponse::kRegionModeSpecific, -200, -150, 41, 41)},
    };
    for (const Case& c : cases) {
        Vantrel::VTEvent* event = Fixture::TextEvent(experiment, c.event, "word", 20000 * kScale);
        event->GetUsedResponses().AddChildElement(c.response);
        event->SetResponseType(2, -1, 2);
        event->LinkCorrectResponse(2, -1, c.response);
        event->AcceptEndEventSettings(false, true, false, true);
        trial->AddUsedEvent(event);
    }
    const wxString path = UseTheMouseAndSaveData(experiment, "m01", "mouse.txt");
    Vantrel::VTCompiledExperiment compiled({});
    ASSERT_NE(experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);

    // The time each accepted click was sent; its recorded time comes after it.
    std::vector<double> sentMs;
    auto click = [&](wxPoint where, int button, bool counts, bool down = true, bool up = true) {
        wxUIActionSimulator sim;
        sim.MouseMove(where);
        if (counts) sentMs.push_back(Vantrel::VTTimer::GetTimer().GetElapsedMilliseconds());
        if (down) sim.MouseDown(button);
        if (up) sim.MouseUp(button);
    };
    const long gap = 300 * kScale;
    RunDriver driver;
    driver.Then(
        0, [] {}, [] { return RunDriver::PresentationWindow() != nullptr; });
    // Box: just right of the rectangle, then in it.
    driver.Then(gap, [&] { click(FromCentre(251, -100), wxMOUSE_BTN_LEFT, false); });
    driver.Then(gap, [&] { click(FromCentre(249, -61), wxMOUSE_BTN_LEFT, true); });
    // Word: off the stimulus with the right button, then on it with the left (any
    // button counts). Its release comes after the next onset and is no answer there.
    driver.Then(gap, [&] { click(FromCentre(-300, 200), wxMOUSE_BTN_RIGHT, false); });
    driver.Then(gap, [&] { click(FromCentre(0, 0), wxMOUSE_BTN_LEFT, true); });
    // Let go: the left button, the right one's press; then its release.
    driver.Then(gap, [&] { click(FromCentre(0, 0), wxMOUSE_BTN_LEFT, false); });
    driver.Then(gap, [&] { click(FromCentre(0, 0), wxMOUSE_BTN_RIGHT, false, true, false); });
    driver.Then(gap, [&] { click(FromCentre(0, 0), wxMOUSE_BTN_RIGHT, true, false, true); });
    // Corner: the rectangle's corners count, one pixel beyond does not.
    driver.Then(gap, [&] { click(FromCentre(-221, -150), wxMOUSE_BTN_MIDDLE, false); });
    driver.Then(gap, [&] { click(FromCentre(-220, -170), wxMOUSE_BTN_MIDDLE, true); });
    driver.Begin();
    ASSERT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    driver.Stop();
    EXPECT_FALSE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_FALSE(VantrelSDK::PointerInputQueue::Get().IsListening());

    const auto rows = DataRows(path, 4);
    ASSERT_EQ(rows.size(), 4u) << TestSupport::LogAsText();
    ASSERT_EQ(sentMs.size(), 4u);
    // Block, Trial, Event, Stimulus, Response, RT_ms, Correctness, Onset_ms.
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].event);
        ASSERT_EQ(rows[i].size(), 8u);
        EXPECT_EQ(rows[i][2], cases[i].event);
        EXPECT_EQ(rows[i][4], cases[i].response->GetName());
        EXPECT_EQ(rows[i][6], "C");
        double rt = 0, onset = 0;
        ASSERT_TRUE(rows[i][5].ToCDouble(&rt));
        ASSERT_TRUE(rows[i][7].ToCDouble(&onset));
        // After the first event, the ignored click came a gap after the onset and a gap
        // before the one that counted.
        EXPECT_GT(rt, i == 0 ? 0.0 : double(gap) * 0.9);
        EXPECT_GE(onset + rt, sentMs[i]);
        EXPECT_LT(onset + rt, sentMs[i] + 250.0 * kScale);
    }
}

TEST_F(MouseLibrary, ARunNeedingAnEyeTrackerWithNoneAttachedIsRefusedNamingTheResponse)
{
    Fixture::TwoBlocks f(-1);
    VTResponse* look = Fixture::Add<VTResponse>(f.experiment, Vantrel::ElementType::Response, "Look at the word");
    look->SetPlugInID(2411);
    look->SetKeyCode(14);
    look->SetRegionMode(VTResponse::kRegionModeAutomatic);
    f.experiment.LoadInputPluginByID(2411);
    f.experiment.GetRunOptions().SetGroupID(int(f.mainOnly->GetID()));
    f.experiment.GetRunOptions().SetSaveCollectedDataFlag(false, "");
    Vantrel::VTEvent* word = f.main->GetUsedTrial(0)->GetUsedEvent(1);
    word->GetUsedResponses().AddChildElement(look);
    Vantrel::VTCompiledExperiment compiled({});
    ASSERT_NE(f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);
    EXPECT_FALSE(compiled.Run(false, false));
    EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_EQ(RunDriver::PresentationWindow(), nullptr);
    EXPECT_TRUE(TestSupport::LogContains(
        "the response \"Look at the word\" needs an eye tracker, and none is attached.", wxLOG_Error))
        << TestSupport::LogAsText();
}

// A clickable stimulus: a click on the drawn word is the event's clickable response
// even though the event does not list it; an event that forbids clickability ignores
// the same click and waits for a response it accepts.
TEST_F(MouseLibrary, AClickOnAClickableStimulusIsItsResponse)
{
    ASSERT_TRUE(plugin);
    Vantrel::VTExperiment experiment;
    Vantrel::VTTrial* trial = OneTrialExperiment(experiment, "Clickable");
    constexpr int kScale = TestSupport::kTimeScale;
    VTResponse* onWord = MouseResponse(experiment, "On word", 1, 1, VTResponse::kRegionModeAutomatic);
    VTResponse* rightAnywhere = MouseResponse(experiment, "Right anywhere", 4, 1, VTResponse::kRegionModeAnywhere);
    for (const char* name : {"Clickable", "Forbidden"}) {
        Vantrel::VTEvent* event = Fixture::TextEvent(experiment, name, "word", 20000 * kScale);
        event->GetUsedResponses().AddChildElement(rightAnywhere);
        event->AcceptEndEventSettings(false, true, false, true);
        event->ConfigureClickability(std::string(name) == "Clickable", int(onWord->GetID()), false);
        trial->AddUsedEvent(event);
    }
    const wxString path = UseTheMouseAndSaveData(experiment, "m02", "clickable.txt");
    Vantrel::VTCompiledExperiment compiled({});
    ASSERT_NE(experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr)
        << TestSupport::LogAsText();

    auto click = [](wxPoint where, int button) {
        wxUIActionSimulator sim;
        sim.MouseMove(where);
        sim.MouseClick(button);
    };
    const long gap = 300 * kScale;
    RunDriver driver;
    driver.Then(
        0, [] {}, [] { return RunDriver::PresentationWindow() != nullptr; });
    // Clickable: off the word nothing happens; on it the click answers.
    driver.Then(gap, [&] { click(FromCentre(-300, 200), wxMOUSE_BTN_LEFT); });
    driver.Then(gap, [&] { click(FromCentre(0, 0), wxMOUSE_BTN_LEFT); });
    // Forbidden: the same click on the word is no answer; the right button is.
    driver.Then(gap, [&] { click(FromCentre(0, 0), wxMOUSE_BTN_LEFT); });
    driver.Then(gap, [&] { click(FromCentre(0, 0), wxMOUSE_BTN_RIGHT); });
    driver.Begin();
    ASSERT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    driver.Stop();

    const auto rows = DataRows(path, 2);
    ASSERT_EQ(rows.size(), 2u) << TestSupport::LogAsText();
    ASSERT_GE(rows[0].size(), 5u);
    EXPECT_EQ(rows[0][2], "Clickable");
    EXPECT_EQ(rows[0][4], "On word");
    EXPECT_EQ(rows[1][2], "Forbidden");
    EXPECT_EQ(rows[1][4], "Right anywhere");
}

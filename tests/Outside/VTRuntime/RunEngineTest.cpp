// The presenter running plans on screen: time limits, keys, Escape, plug-in input, data file.

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <fstream>

#include <sys/resource.h>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/utils.h>

#include "RunDriver.h"
#include "TestPlugInAccess.h"
#include "TestSupport.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTPlugIn.h"
#include "VTRuntime/VTRunEngine.h"

using namespace Vantrel;

namespace {

VTPlannedEvent TextEvent(const wxString& name, const wxString& text, int limitMs)
{
    VTPlannedEvent e;
    e.name = name;
    e.pluginID = 330;
    e.kind = VTPlannedEvent::StimulusKind::Text;
    e.text = text;
    e.stimulusLabel = text;
    e.timeLimitMs = limitMs;
    return e;
}

VTPlannedResponse Key(int code, bool correct)
{
    VTPlannedResponse r;
    r.pluginID = InputPlugIn::Keyboard;
    r.key = code;
    r.name = wxString(wxUniChar(code));
    r.correct = correct;
    return r;
}

// Two blocks, each with trials of short time-limited events, nothing answered.
VTRunPlan TwoBlockPlan()
{
    VTRunPlan plan;
    plan.experimentName = "Two Blocks";
    plan.groupName = "Everyone";
    for (int b = 1; b <= 2; ++b) {
        VTPlannedBlock block;
        block.name = wxString::Format("Block %d", b);
        for (int t = 1; t <= 2; ++t) {
            VTPlannedTrial trial;
            trial.name = wxString::Format("Trial %d", t);
            trial.events.push_back(TextEvent("Fixation", "+", 30));
            trial.events.push_back(TextEvent("Word", wxString::Format("word %d.%d", b, t), 60));
            block.trials.push_back(trial);
        }
        plan.blocks.push_back(block);
    }
    return plan;
}

std::vector<wxString> ReadLines(const wxString& path)
{
    std::vector<wxString> lines;
    std::ifstream in(path.utf8_string());
    for (std::string line; std::getline(in, line);) lines.push_back(wxString::FromUTF8(line));
    return lines;
}

class RunEngine : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    void TearDown() override { VTPlugIn::DeleteAllObjects(); }
    wxString DataPath(const char* name) { return wxFileName(TestSupport::MakeTempFolder("data"), name).GetFullPath(); }
    // The test input plug-in, loaded by the manager from a folder of its own, reset.
    static void LoadTestInputPlugIn(TestPlugInAccess& access)
    {
        const wxString folder = TestSupport::MakeTempFolder("plugins");
        ASSERT_TRUE(wxCopyFile(VT_TEST_INPUT_PLUGIN_PATH, folder + "/libTestInput.so"));
        ASSERT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr));
        ASSERT_TRUE(access.Attach(std::string((folder + "/libTestInput.so").fn_str())));
        access.reset();
    }
};

}  // namespace

TEST_F(RunEngine, TwoBlockPlanRunsToItsEndAndWritesHeaderAndRows)
{
    VTRunSettings settings;
    settings.saveData = true;
    settings.dataFile = DataPath("p01.txt");
    settings.subjectName = "p01";
    settings.sessionID = "s1";
    VTRunReport report;
    wxStopWatch watch;
    EXPECT_EQ(VTRunEngine::Run(TwoBlockPlan(), settings, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();
    EXPECT_LT(watch.Time(), 5000);
    EXPECT_FALSE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_FALSE(VantrelSDK::GetPresenter()->IsVisible());
    EXPECT_EQ(RunDriver::PresentationWindow(), nullptr);

    const std::vector<wxString> lines = ReadLines(settings.dataFile);
    ASSERT_EQ(lines.size(), 9u + 8u) << [&] {
        std::string all;
        for (auto& l : lines) all += l.utf8_string() + "|\n";
        return all;
    }();
    EXPECT_EQ(lines[0], "Study Station data file");
    EXPECT_EQ(lines[1], "Experiment\tTwo Blocks");
    EXPECT_EQ(lines[2], "Subject\tp01");
    EXPECT_EQ(lines[3], "Session\ts1");
    EXPECT_EQ(lines[4], "Group\tEveryone");
    EXPECT_TRUE(lines[5].StartsWith("Date\t20"));
    EXPECT_TRUE(lines[6].StartsWith("RunID\t"));
    EXPECT_EQ(lines[6].AfterFirst('\t'), report.runID);
    EXPECT_EQ(lines[6].AfterFirst('\t').length(), 32u);
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "Block\tTrial\tEvent\tStimulus\tResponse\tRT_ms\tCorrectness\tOnset_ms");
    // The last column is the onset in ms since the run began: rising from row to row.
    EXPECT_EQ(lines[9].BeforeLast('\t'), "Block 1\tTrial 1\tFixation\t+\t\t\t");
    EXPECT_EQ(lines[10].BeforeLast('\t'), "Block 1\tTrial 1\tWord\tword 1.1\t\t\t");
    EXPECT_EQ(lines[16].BeforeLast('\t'), "Block 2\tTrial 2\tWord\tword 2.2\t\t\t");
    double previous = -1;
    for (size_t i = 9; i < lines.size(); ++i) {
        double onset = 0;
        ASSERT_TRUE(lines[i].AfterLast('\t').ToCDouble(&onset)) << lines[i];
        EXPECT_GT(onset, previous);
        previous = onset;
    }
}

TEST_F(RunEngine, EveryRunGetsItsOwnIdAndAnExistingFileIsContinuedNotReplaced)
{
    VTRunPlan plan = TwoBlockPlan();
    plan.blocks.resize(1);
    plan.blocks[0].trials.resize(1);
    VTRunSettings settings;
    settings.saveData = true;
    settings.dataFile = DataPath("again.txt");
    VTRunReport first, second;
    ASSERT_EQ(VTRunEngine::Run(plan, settings, &first), VTRunOutcome::Completed);
    ASSERT_EQ(VTRunEngine::Run(plan, settings, &second), VTRunOutcome::Completed);
    EXPECT_NE(first.runID, second.runID);
    const std::vector<wxString> lines = ReadLines(settings.dataFile);
    ASSERT_EQ(lines.size(), 11u + 1u + 11u);
    EXPECT_EQ(lines[6], "RunID\t" + first.runID);
    EXPECT_EQ(lines[11], "");
    EXPECT_EQ(lines[18], "RunID\t" + second.runID);
}

TEST_F(RunEngine, TypedKeysBecomeResponsesWithPlausibleTimes)
{
    VTRunPlan plan;
    plan.experimentName = "Keys";
    VTPlannedBlock block;
    block.name = "B";
    VTPlannedTrial trial;
    trial.name = "T";
    for (int i = 1; i <= 2; ++i) {
        VTPlannedEvent e = TextEvent(wxString::Format("Question %d", i), "A or B?", 8000);
        e.accepted = {Key('A', i == 1), Key('B', i == 2)};
        trial.events.push_back(e);
    }
    VTPlannedEvent tail = TextEvent("Tail", "done", 50);  // keys outside their event are not its responses
    trial.events.push_back(tail);
    block.trials.push_back(trial);
    plan.blocks.push_back(block);

    RunDriver driver;
    driver.FocusPresentation();
    driver.Then(300, [] { wxUIActionSimulator().Char('a'); });
    driver.Then(400, [] { wxUIActionSimulator().Char('a'); });
    driver.Begin();
    VTRunSettings settings;
    VTRunReport report;
    ASSERT_EQ(VTRunEngine::Run(plan, settings, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();
    driver.Stop();
    ASSERT_EQ(report.rows.size(), 3u);
    EXPECT_EQ(report.rows[0].response, "A");
    EXPECT_EQ(report.rows[0].correctness, "C");
    ASSERT_TRUE(report.rows[0].hasReactionTime);
    // Typed at least 300 ms after the window appeared, before the 8 s limit.
    EXPECT_GT(report.rows[0].reactionTimeMs, 200.0);
    EXPECT_LT(report.rows[0].reactionTimeMs, 8000.0);
    // The second event began once its stimulus was on screen after the first key, and
    // the next key came ~400 ms after the first: its time counts from the second onset
    // (from the first it would be over 700 ms). How long drawing took depends on the load.
    EXPECT_EQ(report.rows[1].response, "A");
    EXPECT_EQ(report.rows[1].correctness, "E");
    EXPECT_GT(report.rows[1].reactionTimeMs, 0.0);
    EXPECT_LT(report.rows[1].reactionTimeMs, 650.0);
    EXPECT_EQ(report.rows[2].correctness, "") << "no responses are defined: nothing is scored";
}

TEST_F(RunEngine, EscapeConfirmedCancelsAndDeclinedGoesOn)
{
    VTRunPlan plan = TwoBlockPlan();
    plan.blocks[0].trials[0].events[0].timeLimitMs = -1;  // waits for ever unless cancelled

    RunDriver driver;
    driver.FocusPresentation();
    driver.Then(200, [] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    driver.Begin();
    VTRunOutcome outcome = VTRunOutcome::Completed;
    VTRunReport report;
    VTRunSettings saving;
    saving.saveData = true;
    saving.dataFile = DataPath("cancelled.txt");
    wxTEST_DIALOG(outcome = VTRunEngine::Run(plan, saving, &report), wxExpectModal<wxMessageDialog>(wxID_YES));
    driver.Stop();
    EXPECT_EQ(outcome, VTRunOutcome::Cancelled);
    EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_TRUE(report.rows.empty());
    // A run without rows still leaves its header.
    const std::vector<wxString> lines = ReadLines(saving.dataFile);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[8], "Block\tTrial\tEvent\tStimulus\tResponse\tRT_ms\tCorrectness\tOnset_ms");

    // Declining the question lets the run go on to its end.
    plan.blocks[0].trials[0].events[0].timeLimitMs = 1500;
    RunDriver again;
    again.FocusPresentation();
    again.Then(200, [] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    again.Begin();
    wxTEST_DIALOG(outcome = VTRunEngine::Run(plan, VTRunSettings(), &report), wxExpectModal<wxMessageDialog>(wxID_NO));
    again.Stop();
    EXPECT_EQ(outcome, VTRunOutcome::Completed);
    EXPECT_FALSE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_EQ(report.rows.size(), 8u);
}

TEST_F(RunEngine, SavingOffWritesNoFileAndAnUnwritablePathIsRefusedBeforeTheRun)
{
    VTRunPlan plan = TwoBlockPlan();
    VTRunSettings off;
    off.saveData = false;
    off.dataFile = DataPath("never.txt");
    ASSERT_EQ(VTRunEngine::Run(plan, off), VTRunOutcome::Completed);
    EXPECT_FALSE(wxFileExists(off.dataFile));

    VTRunSettings bad;
    bad.saveData = true;
    bad.dataFile = "/nonexistent-folder/sub/data.txt";
    RunDriver watcher;  // the presentation must never appear
    bool appeared = false;
    watcher.Then(
        0, [] {},
        [&] {
            appeared = appeared || RunDriver::PresentationWindow();
            return false;
        });
    watcher.Begin();
    EXPECT_EQ(VTRunEngine::Run(plan, bad), VTRunOutcome::NotStarted);
    watcher.Stop();
    EXPECT_FALSE(appeared);
    EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_TRUE(TestSupport::LogContains("/nonexistent-folder/sub/data.txt", wxLOG_Error + 0))
        << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::LogContains("not started")) << TestSupport::LogAsText();
}

TEST_F(RunEngine, PlugInResponsesAreCollectedAndAFailedDeviceStopsTheRun)
{
    TestPlugInAccess access;
    ASSERT_NO_FATAL_FAILURE(LoadTestInputPlugIn(access));

    VTRunPlan plan;
    VTPlannedBlock block;
    VTPlannedTrial trial;
    trial.events.push_back(TextEvent("First", "press", 3000));
    trial.events.push_back(TextEvent("Second", "press", 3000));
    block.trials.push_back(trial);
    plan.blocks.push_back(block);

    // Each press comes a known time after its event began waiting for input.
    access.scheduleOnEvent(0, 2, 1, 1, 300000);
    access.scheduleOnEvent(0, 2, 1, 0, 310000);  // the release is no response (presses only)
    access.scheduleOnEvent(1, 5, 1, 1, 200000);
    VTRunSettings settings;
    settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
    ASSERT_EQ(settings.inputPlugins.size(), 1u);
    VTRunReport report;
    ASSERT_EQ(VTRunEngine::Run(plan, settings, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();
    ASSERT_EQ(report.rows.size(), 2u);
    EXPECT_EQ(report.rows[0].response, "key 2 port 1 press");
    EXPECT_EQ(report.rows[1].response, "key 5 port 1 press");
    EXPECT_GE(report.rows[0].reactionTimeMs, 300.0);
    EXPECT_LT(report.rows[0].reactionTimeMs, 1300.0);
    EXPECT_GE(report.rows[1].reactionTimeMs, 200.0);
    EXPECT_LT(report.rows[1].reactionTimeMs, 1200.0);
    EXPECT_EQ(access.count(0), 1u);  // started once
    EXPECT_EQ(access.count(1), 1u);  // ended once
    EXPECT_EQ(access.count(2), 1u);  // one trial
    EXPECT_GE(report.pollStats.sweeps, 100u);
    EXPECT_LT(report.pollStats.meanGapMicroseconds, 1000.0) << report.pollStats.maxGapMicroseconds;
    std::printf("poll sweeps %llu mean gap %.1f us max %.1f us\n", report.pollStats.sweeps,
                report.pollStats.meanGapMicroseconds, report.pollStats.maxGapMicroseconds);

    access.reset();
    access.setStartResult(-10);
    EXPECT_EQ(VTRunEngine::Run(plan, settings, &report), VTRunOutcome::NotStarted);
    EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_TRUE(TestSupport::LogContains("Test Input", wxLOG_Error + 0)) << TestSupport::LogAsText();
    EXPECT_EQ(access.count(2), 0u);  // no trial began
    access.reset();
}

TEST_F(RunEngine, PresenterPreviewShowsRectanglesAndReportsAConfirmedEscape)
{
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    EXPECT_FALSE(presenter->IsVisible());
    EXPECT_GT(presenter->GetScreenWidth(), 0);
    EXPECT_GT(presenter->GetScreenHeight(), 0);
    presenter->StartPresentation(true, true);
    EXPECT_TRUE(presenter->IsVisible());
    presenter->AddLabelledRectangle(wxRect(100, 100, 200, 80), "Left");
    ASSERT_TRUE(TestSupport::PumpUntil([] { return RunDriver::PresentationWindow() != nullptr; }));
    EXPECT_FALSE(presenter->UserConfirmedEscapeKeyPress());  // nothing pressed yet

    wxWindow* window = RunDriver::PresentationWindow();
    TestSupport::ClickWindow(window);
    wxUIActionSimulator().Char(WXK_ESCAPE);
    bool confirmed = false;
    wxTEST_DIALOG(TestSupport::PumpUntil([&] { return confirmed = presenter->UserConfirmedEscapeKeyPress(); }, 3000),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    EXPECT_TRUE(confirmed);
    presenter->TerminatePresentation();
    EXPECT_FALSE(presenter->IsVisible());
    TestSupport::PumpFor(50);
    EXPECT_EQ(RunDriver::PresentationWindow(), nullptr);
}

namespace {
// Limits the size of every file this process writes, for the length of a scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_Before);
        m_Handler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
        rlimit limit = m_Before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_Before);
        std::signal(SIGXFSZ, m_Handler);
    }

private:
    rlimit m_Before{};
    void (*m_Handler)(int);
};
}  // namespace

TEST_F(RunEngine, ADataFileThatCannotBeWrittenStopsTheRunAndSaysWhy)
{
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    {
        SCOPED_TRACE("a full device: the header cannot be written, nothing is shown");
        VTRunSettings full;
        full.saveData = true;
        full.dataFile = "/dev/full";
        VTRunReport report;
        EXPECT_EQ(VTRunEngine::Run(TwoBlockPlan(), full, &report), VTRunOutcome::NotStarted);
        EXPECT_TRUE(report.rows.empty());
        EXPECT_TRUE(presenter->WasLastRunCanceled());
        EXPECT_TRUE(presenter->GetLastRunFailure().Contains("/dev/full")) << presenter->GetLastRunFailure();
        EXPECT_TRUE(TestSupport::LogContains(wxString(std::strerror(ENOSPC)), wxLOG_Error + 0))
            << TestSupport::LogAsText();
    }
    {
        SCOPED_TRACE("the disk fills during the run: it stops at the row that failed");
        TestSupport::ClearLog();
        VTRunPlan plan = TwoBlockPlan();
        for (VTPlannedBlock& block : plan.blocks) {
            block.trials.resize(12, block.trials[0]);
            for (VTPlannedTrial& trial : block.trials)
                for (VTPlannedEvent& event : trial.events) event.timeLimitMs = 2;
        }
        VTRunSettings settings;
        settings.saveData = true;
        settings.dataFile = DataPath("fills.txt");
        VTRunReport report;
        VTRunOutcome outcome;
        {
            FileSizeLimit limit(600);  // the header and a few rows fit
            outcome = VTRunEngine::Run(plan, settings, &report);
        }
        EXPECT_EQ(outcome, VTRunOutcome::DataFileFailed);
        ASSERT_GT(report.rows.size(), 2u);
        EXPECT_LT(report.rows.size(), 48u) << "the run went on after its data was lost";
        EXPECT_TRUE(presenter->WasLastRunCanceled());
        EXPECT_EQ(presenter->GetLastRunFailure(), report.failure);
        EXPECT_TRUE(report.failure.Contains(settings.dataFile)) << report.failure;
        EXPECT_TRUE(report.failure.EndsWith("The experiment was stopped.")) << report.failure;
        EXPECT_TRUE(TestSupport::LogContains(report.failure, wxLOG_Error + 0)) << TestSupport::LogAsText();
        EXPECT_EQ(RunDriver::PresentationWindow(), nullptr);
        // What was written before the failure is still there, whole lines only.
        const std::vector<wxString> lines = ReadLines(settings.dataFile);
        ASSERT_GE(lines.size(), 10u);
        EXPECT_EQ(lines[9].BeforeLast('\t'), "Block 1\tTrial 1\tFixation\t+\t\t\t");
    }
    {
        SCOPED_TRACE("a run that completes clears the failure");
        VTRunPlan plan = TwoBlockPlan();
        plan.blocks.resize(1);
        EXPECT_EQ(VTRunEngine::Run(plan, VTRunSettings()), VTRunOutcome::Completed);
        EXPECT_FALSE(presenter->WasLastRunCanceled());
        EXPECT_TRUE(presenter->GetLastRunFailure().empty());
    }
}

TEST_F(RunEngine, InputIsFlushedBeforeTheOnsetAndAPressBeforeTheOnsetIsNoAnswer)
{
    TestPlugInAccess access;
    ASSERT_NO_FATAL_FAILURE(LoadTestInputPlugIn(access));

    // A slow flush (as a device that keeps sending gives), and a press of key 7 as it ends:
    // made before the stimulus is on screen, so no answer to it.
    access.setFlush(80000, 7);
    // The real answer comes 200 ms after the event's input period began, at its onset.
    access.scheduleOnEvent(0, 2, 1, 1, 200000);
    VTRunPlan plan;
    VTPlannedBlock block;
    VTPlannedTrial trial;
    VTPlannedEvent before = TextEvent("Before", "wait", 100);
    before.recordsResponses = false;
    trial.events.push_back(before);
    trial.events.push_back(TextEvent("Question", "press", 3000));
    block.trials.push_back(trial);
    plan.blocks.push_back(block);
    VTRunSettings settings;
    settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
    VTRunReport report;
    ASSERT_EQ(VTRunEngine::Run(plan, settings, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();
    access.setFlush(0, -1);
    ASSERT_EQ(report.rows.size(), 2u);
    EXPECT_EQ(access.count(5), 1u) << "flushed once, for the event that takes responses";
    EXPECT_EQ(report.rows[1].response, "key 2 port 1 press");
    ASSERT_TRUE(report.rows[1].hasReactionTime);
    // The 80 ms flush came before the onset: it is not in the reaction time.
    EXPECT_GE(report.rows[1].reactionTimeMs, 199.0);
    EXPECT_LT(report.rows[1].reactionTimeMs, 270.0);
    access.reset();
}

TEST_F(RunEngine, TimeLimitsAreCountedOnTheRunTimer)
{
    // The run timer's injected clock advances 20 ms at every reading: twenty events of
    // two seconds each end by their limits after a hundred readings each, far sooner
    // than the forty seconds of waiting a wall clock would need, even on a slow build.
    struct SteppingClock
    {
        std::atomic<unsigned long long> now{0};
        SteppingClock()
        {
            VTTimer::GetTimer().SetMicrosecondClockForTesting([this] { return now += 20000; });
        }
        ~SteppingClock() { VTTimer::GetTimer().SetMicrosecondClockForTesting({}); }
    };
    VTRunPlan plan;
    VTPlannedBlock block;
    block.name = "B";
    VTPlannedTrial trial;
    trial.name = "T";
    for (int i = 0; i < 20; ++i) trial.events.push_back(TextEvent(wxString::Format("E%d", i), "+", 2000));
    block.trials.push_back(trial);
    plan.blocks.push_back(block);
    VTRunReport report;
    wxStopWatch watch;
    VTRunOutcome outcome;
    {
        SteppingClock clock;
        outcome = VTRunEngine::Run(plan, VTRunSettings(), &report);
    }
    EXPECT_EQ(outcome, VTRunOutcome::Completed) << TestSupport::LogAsText();
    EXPECT_LT(watch.Time(), 10000);
    ASSERT_EQ(report.rows.size(), 20u);
    for (const VTDataFileRow& row : report.rows) EXPECT_FALSE(row.hasReactionTime);
}

// Rules steering real runs: for each criterion and action the run carries out, a tiny
// experiment run by the engine with responses injected through the test input plug-in
// on a stepping run clock, checked on the data file's block, trial and event sequence.

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <wx/filename.h>
#include <wx/log.h>

#include "TestPlugInAccess.h"
#include "SteppingClock.h"
#include "TestInputRun.h"
#include "TestSupport.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTPlugIn.h"
#include "VTRuntime/VTRunEngine.h"

using namespace Vantrel;

namespace {

constexpr int kCorrectID = 101, kWrongID = 102;
constexpr int kCorrectKey = 2, kWrongKey = 3;
constexpr int kWarnEventID = 900;
constexpr int kBlock1 = 1, kBlock2 = 2, kBlock3 = 3;

VTPlannedResponse Answer(int id, int key, bool correct)
{
    VTPlannedResponse r;
    r.responseID = id;
    r.pluginID = VTTEST_INPUT_PLUGIN_ID;
    r.key = key;
    r.port = 1;
    r.name = correct ? "right" : "wrong";
    r.correct = correct;
    return r;
}

VTPlannedEvent Event(int id, const wxString& name, int limitMs, bool answered)
{
    VTPlannedEvent e;
    e.eventID = id;
    e.name = name;
    e.pluginID = 330;
    e.kind = VTPlannedEvent::StimulusKind::Text;
    e.text = e.stimulusLabel = name;
    e.timeLimitMs = limitMs;
    e.recordsResponses = answered;
    if (answered) e.accepted = {Answer(kCorrectID, kCorrectKey, true), Answer(kWrongID, kWrongKey, false)};
    return e;
}

VTPlannedBlock Block(int id, const wxString& name, const std::vector<wxString>& trials)
{
    VTPlannedBlock block;
    block.blockID = id;
    block.name = name;
    for (const wxString& trialName : trials) {
        VTPlannedTrial trial;
        trial.trialID = id * 10 + int(block.trials.size()) + 1;
        trial.name = trialName;
        trial.events.push_back(Event(trial.trialID * 10, "E", 2000, true));
        block.trials.push_back(trial);
    }
    return block;
}

// B1 (T1, T2, T3) and B2 (U1) in order; B3 (V1) and the event "Warn" only for rules.
VTRunPlan BasePlan()
{
    VTRunPlan plan;
    plan.experimentName = "Rules";
    plan.blocks = {Block(kBlock1, "B1", {"T1", "T2", "T3"}), Block(kBlock2, "B2", {"U1"})};
    plan.otherBlocks = {Block(kBlock3, "B3", {"V1"})};
    plan.ruleEvents = {Event(kWarnEventID, "Warn", 20, false)};
    return plan;
}

VTPlannedCriterion Criterion(VTCriterionKind kind, VTCompare compare = VTCompare::Equal, double number = 0,
                             const wxString& text = wxString())
{
    VTPlannedCriterion c;
    c.kind = kind;
    c.compare = compare;
    c.number = number;
    c.text = text;
    return c;
}

VTPlannedAction Action(VTActionKind kind, int target = -1) { return {kind, target}; }

VTPlannedTrial& Trial(VTRunPlan& plan, const wxString& name)
{
    for (VTPlannedBlock& block : plan.blocks)
        for (VTPlannedTrial& trial : block.trials)
            if (trial.name == name) return trial;
    throw std::runtime_error("no such trial");
}

VTPlannedBlock& BlockNamed(VTRunPlan& plan, const wxString& name)
{
    for (VTPlannedBlock& block : plan.blocks)
        if (block.name == name) return block;
    return plan.otherBlocks.front();
}

size_t AddRule(VTRunPlan& plan, std::vector<VTPlannedCriterion> criteria, std::vector<VTPlannedAction> actions)
{
    VTPlannedRule rule;
    rule.name = wxString::Format("rule %zu", plan.rules.size() + 1);
    rule.criteria = std::move(criteria);
    rule.actions = std::move(actions);
    plan.rules.push_back(rule);
    return plan.rules.size() - 1;
}

void OnTrials(VTRunPlan& plan, std::initializer_list<const char*> trials, size_t rule)
{
    for (const char* name : trials) Trial(plan, name).rules.push_back(rule);
}

void OnAllTrials(VTRunPlan& plan, size_t rule)
{
    for (VTPlannedBlock& block : plan.blocks)
        for (VTPlannedTrial& trial : block.trials) trial.rules.push_back(rule);
}

// A response injected into answered event number `eventInput` (from 0), `delayMs` after it began.
struct Press
{
    int eventInput;
    int key;
    int delayMs;
};

struct RuleCase
{
    const char* name;
    std::function<void(VTRunPlan&)> rules;
    std::vector<Press> presses;
    // Each data row as "block:n/trial:n/event:n", names and presentation numbers.
    std::string rows;
};

std::vector<wxString> ReadLines(const wxString& path)
{
    std::vector<wxString> lines;
    std::ifstream in(path.utf8_string());
    for (std::string line; std::getline(in, line);) lines.push_back(wxString::FromUTF8(line));
    return lines;
}

const std::string kPlain = "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B2:2/U1:1/E:1";

class RuleRun : public TestInputRun
{
protected:
    // Runs the plan saving its data; the rows of the data file as in RuleCase::rows.
    VTRunOutcome RunAndRead(const VTRunPlan& plan, const std::vector<Press>& presses, std::vector<std::string>& rows,
                            std::vector<wxString>* linesOut = nullptr, VTRunReport* reportOut = nullptr)
    {
        m_Access.reset();
        for (const Press& p : presses)
            m_Access.scheduleOnEvent(p.eventInput, p.key, 1, 1, (unsigned long long)(p.delayMs) * 1000);
        VTRunSettings settings;
        settings.saveData = true;
        settings.dataFile = wxFileName(TestSupport::MakeTempFolder("data"), "rules.txt").GetFullPath();
        settings.subjectName = "p01";
        settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
        VTRunReport report;
        VTRunOutcome outcome;
        {
            SteppingClock clock;
            outcome = VTRunEngine::Run(plan, settings, &report);
        }
        const std::vector<wxString> lines = ReadLines(settings.dataFile);
        // The header is nine lines; each row names block, trial and event first.
        rows.clear();
        for (size_t i = 9, r = 0; i < lines.size(); ++i) {
            if (lines[i].StartsWith("Stopped\t")) continue;
            wxArrayString fields = wxSplit(lines[i], '\t', 0);
            if (fields.size() < 3 || r >= report.rows.size()) break;
            const VTDataFileRow& row = report.rows[r++];
            rows.push_back(wxString::Format("%s:%d/%s:%d/%s:%d", fields[0], row.blockNumber, fields[1], row.trialNumber,
                                            fields[2], row.eventNumber)
                               .utf8_string());
        }
        if (linesOut) *linesOut = lines;
        if (reportOut) *reportOut = report;
        return outcome;
    }
};

std::string Join(const std::vector<std::string>& rows)
{
    std::string all;
    for (const std::string& row : rows) all += (all.empty() ? "" : " ") + row;
    return all;
}

}  // namespace

TEST_F(RuleRun, EachCriterionAndActionSteersTheRunAsDocumented)
{
    const VTPlannedAction warn = Action(VTActionKind::PresentEvent, kWarnEventID);
    const std::vector<RuleCase> cases = {
        {"no rules", [](VTRunPlan&) {}, {}, kPlain},
        {"Always + Present event",
         [&](VTRunPlan& p) { OnTrials(p, {"T1"}, AddRule(p, {Criterion(VTCriterionKind::Always)}, {warn})); },
         {},
         "B1:1/T1:1/E:1 B1:1/T1:1/Warn:2 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B2:2/U1:1/E:1"},
        {"Last participant response",
         [&](VTRunPlan& p) {
             OnAllTrials(p,
                         AddRule(p, {Criterion(VTCriterionKind::LastResponse, VTCompare::Equal, kCorrectID)}, {warn}));
         },
         {{0, kCorrectKey, 5}, {1, kWrongKey, 5}},
         "B1:1/T1:1/E:1 B1:1/T1:1/Warn:2 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B2:2/U1:1/E:1"},
        {"Last participant response unset",
         [&](VTRunPlan& p) {
             OnTrials(p, {"T1", "T2"},
                      AddRule(p, {Criterion(VTCriterionKind::LastResponse, VTCompare::Equal, -2)}, {warn}));
         },
         {{1, kWrongKey, 5}},
         "B1:1/T1:1/E:1 B1:1/T1:1/Warn:2 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B2:2/U1:1/E:1"},
        {"Trial's reaction time",
         [&](VTRunPlan& p) {
             OnAllTrials(p,
                         AddRule(p, {Criterion(VTCriterionKind::TrialReactionTime, VTCompare::Greater, 500)}, {warn}));
         },
         {{0, kCorrectKey, 10}, {1, kCorrectKey, 1500}},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T2:2/Warn:2 B1:1/T3:3/E:1 B2:2/U1:1/E:1"},
        {"Number of times presented + Repeat trial",
         [&](VTRunPlan& p) {
             OnTrials(p, {"T2"},
                      AddRule(p, {Criterion(VTCriterionKind::TrialPresentations, VTCompare::Less, 3)},
                              {Action(VTActionKind::RepeatTrial)}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T2:3/E:1 B1:1/T2:4/E:1 B1:1/T3:5/E:1 B2:2/U1:1/E:1"},
        {"Participant name + Exit experiment",
         [&](VTRunPlan& p) {
             OnAllTrials(p, AddRule(p, {Criterion(VTCriterionKind::ParticipantName, VTCompare::BeginsWith, 0, "p0")},
                                    {Action(VTActionKind::ExitExperiment)}));
         },
         {},
         "B1:1/T1:1/E:1"},
        {"Participant name not matching",
         [&](VTRunPlan& p) {
             OnAllTrials(p, AddRule(p, {Criterion(VTCriterionKind::ParticipantName, VTCompare::Equal, 0, "p02")},
                                    {Action(VTActionKind::ExitExperiment)}));
         },
         {},
         kPlain},
        {"Percentage of trials presented in block",
         [&](VTRunPlan& p) {
             OnAllTrials(p,
                         AddRule(p, {Criterion(VTCriterionKind::BlockPercentCorrect, VTCompare::Greater, 50)}, {warn}));
         },
         {{0, kCorrectKey, 5}, {1, kWrongKey, 5}, {2, kCorrectKey, 5}},
         "B1:1/T1:1/E:1 B1:1/T1:1/Warn:2 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B1:1/T3:3/Warn:2 B2:2/U1:1/E:1"},
        {"Number of trials presented in block + Exit block",
         [&](VTRunPlan& p) {
             OnAllTrials(p, AddRule(p, {Criterion(VTCriterionKind::BlockTrialCount, VTCompare::Equal, 2)},
                                    {Action(VTActionKind::ExitBlock)}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B2:2/U1:1/E:1"},
        {"Average RT of trials presented in this block",
         [&](VTRunPlan& p) {
             OnAllTrials(p, AddRule(p, {Criterion(VTCriterionKind::BlockAverageRT, VTCompare::Greater, 500)}, {warn}));
         },
         {{0, kCorrectKey, 10}, {1, kCorrectKey, 1500}, {3, kCorrectKey, 10}},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T2:2/Warn:2 B1:1/T3:3/E:1 B1:1/T3:3/Warn:2 B2:2/U1:1/E:1"},
        {"Time since start of experiment and of block, with units",
         [&](VTRunPlan& p) {
             VTPlannedCriterion withinAMinute = Criterion(VTCriterionKind::TimeSinceRunStart, VTCompare::Less, 1);
             withinAMinute.unitMs = 60000;
             VTPlannedCriterion overAnHour = Criterion(VTCriterionKind::TimeSinceBlockStart, VTCompare::Greater, 60);
             overAnHour.unitMs = 60000;
             OnTrials(p, {"T1"}, AddRule(p, {withinAMinute}, {warn}));
             OnTrials(p, {"T2"}, AddRule(p, {overAnHour}, {warn}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T1:1/Warn:2 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B2:2/U1:1/E:1"},
        {"Skip next trial",
         [&](VTRunPlan& p) {
             OnTrials(p, {"T1"},
                      AddRule(p, {Criterion(VTCriterionKind::Always)}, {Action(VTActionKind::SkipNextTrial)}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T3:2/E:1 B2:2/U1:1/E:1"},
        {"Go back to previous block",
         [&](VTRunPlan& p) {
             OnTrials(p, {"U1"},
                      AddRule(p, {Criterion(VTCriterionKind::TrialPresentations, VTCompare::Less, 2)},
                              {Action(VTActionKind::GoBackToPreviousBlock)}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B2:2/U1:1/E:1 "
         "B1:3/T1:1/E:1 B1:3/T2:2/E:1 B1:3/T3:3/E:1 B2:4/U1:1/E:1"},
        {"Present block (block rule)",
         [&](VTRunPlan& p) {
             BlockNamed(p, "B1").rules.push_back(
                 AddRule(p, {Criterion(VTCriterionKind::Always)}, {Action(VTActionKind::PresentBlock, kBlock3)}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B3:2/V1:1/E:1 B2:3/U1:1/E:1"},
        {"Present block (trial rule) ends the block at once",
         [&](VTRunPlan& p) {
             OnTrials(p, {"T1"},
                      AddRule(p, {Criterion(VTCriterionKind::Always)}, {Action(VTActionKind::PresentBlock, kBlock3)}));
         },
         {},
         "B1:1/T1:1/E:1 B3:2/V1:1/E:1 B2:3/U1:1/E:1"},
        {"Repeat current block after its end",
         [&](VTRunPlan& p) {
             OnTrials(p, {"T2"},
                      AddRule(p, {Criterion(VTCriterionKind::TrialPresentations, VTCompare::Equal, 1)},
                              {Action(VTActionKind::RepeatCurrentBlock)}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B1:2/T1:1/E:1 B1:2/T2:2/E:1 B1:2/T3:3/E:1 B2:3/U1:1/E:1"},
        {"Or joins groups of and, the last flow action wins",
         [&](VTRunPlan& p) {
             VTPlannedCriterion never = Criterion(VTCriterionKind::ParticipantName, VTCompare::Equal, 0, "nobody");
             VTPlannedCriterion orAlways = Criterion(VTCriterionKind::Always);
             orAlways.isAnd = false;
             // never or (always and never): false; never and never or always: true.
             OnTrials(p, {"T1"}, AddRule(p, {never, orAlways, never}, {Action(VTActionKind::ExitExperiment)}));
             OnTrials(p, {"T2"},
                      AddRule(p, {never, never, orAlways},
                              {Action(VTActionKind::ExitExperiment), Action(VTActionKind::SkipNextTrial)}));
         },
         {},
         "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B2:2/U1:1/E:1"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        VTRunPlan plan = BasePlan();
        c.rules(plan);
        std::vector<std::string> rows;
        EXPECT_EQ(RunAndRead(plan, c.presses, rows), VTRunOutcome::Completed) << TestSupport::LogAsText();
        EXPECT_EQ(Join(rows), c.rows);
    }
}

TEST_F(RuleRun, APresentBlockCycleIsEndedByTheGuardWithItsReasonInTheDataFile)
{
    VTRunPlan plan = BasePlan();
    const size_t toB2 =
        AddRule(plan, {Criterion(VTCriterionKind::Always)}, {Action(VTActionKind::PresentBlock, kBlock2)});
    const size_t toB1 =
        AddRule(plan, {Criterion(VTCriterionKind::Always)}, {Action(VTActionKind::PresentBlock, kBlock1)});
    BlockNamed(plan, "B1").rules.push_back(toB2);
    BlockNamed(plan, "B2").rules.push_back(toB1);
    plan.maxTrialPresentations = 10;
    std::vector<std::string> rows;
    std::vector<wxString> lines;
    VTRunReport report;
    ASSERT_EQ(RunAndRead(plan, {}, rows, &lines, &report), VTRunOutcome::StoppedByGuard) << TestSupport::LogAsText();
    EXPECT_EQ(Join(rows), "B1:1/T1:1/E:1 B1:1/T2:2/E:1 B1:1/T3:3/E:1 B2:2/U1:1/E:1 B1:3/T1:1/E:1 B1:3/T2:2/E:1 "
                          "B1:3/T3:3/E:1 B2:4/U1:1/E:1 B1:5/T1:1/E:1 B1:5/T2:2/E:1");
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().StartsWith("Stopped\tThe run was stopped after 10 trial presentations")) << lines.back();
    EXPECT_EQ(report.failure, lines.back().AfterFirst('\t'));
    EXPECT_EQ(VantrelSDK::GetPresenter()->GetLastRunFailure(), report.failure);
    EXPECT_TRUE(TestSupport::LogContains("10 trial presentations", wxLOG_Error + 0)) << TestSupport::LogAsText();

    // The event limit ends it the same way.
    plan.maxTrialPresentations = 200000;
    plan.maxEventPresentations = 7;
    ASSERT_EQ(RunAndRead(plan, {}, rows, &lines, &report), VTRunOutcome::StoppedByGuard);
    EXPECT_EQ(rows.size(), 7u);
    EXPECT_TRUE(lines.back().StartsWith("Stopped\tThe run was stopped after 7 event presentations")) << lines.back();
}

TEST_F(RuleRun, AStimulusPreparedForACourseThatChangedIsThrownAwayAndTheRightOneShown)
{
    VTRunPlan plan = BasePlan();
    OnTrials(plan, {"T1"},
             AddRule(plan, {Criterion(VTCriterionKind::TrialPresentations, VTCompare::Equal, 1)},
                     {Action(VTActionKind::RepeatTrial)}));
    std::vector<std::string> rows;
    VTRunReport report;
    ASSERT_EQ(RunAndRead(plan, {}, rows, nullptr, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();
    EXPECT_EQ(Join(rows), "B1:1/T1:1/E:1 B1:1/T1:2/E:1 B1:1/T2:3/E:1 B1:1/T3:4/E:1 B2:2/U1:1/E:1");
    // T2's stimulus was prepared while T1 ran; the repeat replaced it.
    EXPECT_EQ(report.discardedPreparations, 1u);
    ASSERT_EQ(report.rows.size(), 5u);
    EXPECT_EQ(report.rows[1].stimulus, "E");

    // Without rules every prepared stimulus is the one shown.
    ASSERT_EQ(RunAndRead(BasePlan(), {}, rows, nullptr, &report), VTRunOutcome::Completed);
    EXPECT_EQ(report.discardedPreparations, 0u);
}

TEST_F(RuleRun, AnEventOnlyAnUnusedDeviceCouldEndIsRefusedBeforeTheRun)
{
    VTRunPlan plan;
    VTPlannedBlock block = Block(kBlock1, "B1", {"T1"});
    VTPlannedEvent& event = block.trials[0].events[0];
    event.name = "Wait for the device";
    event.timeLimitMs = -1;  // only a response of the test device ends it
    plan.blocks.push_back(block);

    VTRunSettings without;  // the device is loaded but this run does not use it
    VTRunReport report;
    EXPECT_EQ(VTRunEngine::Run(plan, without, &report), VTRunOutcome::NotStarted);
    EXPECT_TRUE(report.failure.Contains("\"Wait for the device\" could never end")) << report.failure;
    EXPECT_TRUE(report.failure.Contains("\"Test Input\"")) << report.failure;
    EXPECT_EQ(VantrelSDK::GetPresenter()->GetLastRunFailure(), report.failure);

    // With the device in use, its response ends the event.
    std::vector<std::string> rows;
    EXPECT_EQ(RunAndRead(plan, {{0, kCorrectKey, 5}}, rows), VTRunOutcome::Completed) << TestSupport::LogAsText();
    EXPECT_EQ(Join(rows), "B1:1/T1:1/Wait for the device:1");
}

TEST_F(RuleRun, TheTrialsReactionTimeCountsFromTheLastEventThatResetsTheTimer)
{
    VTRunPlan plan = BasePlan();
    plan.blocks.resize(1);
    VTPlannedBlock& block = plan.blocks[0];
    block.trials.resize(2);
    for (size_t t = 0; t < 2; ++t) {
        VTPlannedTrial& trial = block.trials[t];
        trial.events = {Event(int(t) * 10 + 1, "A", 300, false), Event(int(t) * 10 + 2, "B", 2000, true)};
        // T1's answer is timed from A's onset, T2's from B's.
        trial.events[1].resetsReactionTimer = t == 1;
    }
    OnAllTrials(plan, AddRule(plan, {Criterion(VTCriterionKind::TrialReactionTime, VTCompare::Greater, 250)},
                              {Action(VTActionKind::PresentEvent, kWarnEventID)}));
    std::vector<std::string> rows;
    ASSERT_EQ(RunAndRead(plan, {{0, kCorrectKey, 20}, {1, kCorrectKey, 20}}, rows), VTRunOutcome::Completed)
        << TestSupport::LogAsText();
    EXPECT_EQ(Join(rows), "B1:1/T1:1/A:1 B1:1/T1:1/B:2 B1:1/T1:1/Warn:3 B1:1/T2:2/A:1 B1:1/T2:2/B:2");
}

TEST_F(RuleRun, AnEventThatLeavesTheTimerRunningHasItsReactionTimeCountedFromTheLastReset)
{
    for (const bool resets : {true, false}) {
        SCOPED_TRACE(resets ? "B resets the timer" : "B leaves it running");
        VTRunPlan plan = BasePlan();
        plan.blocks.resize(1);
        plan.blocks[0].trials.resize(1);
        VTPlannedTrial& trial = plan.blocks[0].trials[0];
        trial.events = {Event(1, "A", 300, false), Event(2, "B", 2000, true)};
        trial.events[1].resetsReactionTimer = resets;
        std::vector<std::string> rows;
        VTRunReport report;
        ASSERT_EQ(RunAndRead(plan, {{0, kCorrectKey, 20}}, rows, nullptr, &report), VTRunOutcome::Completed)
            << TestSupport::LogAsText();
        ASSERT_EQ(report.rows.size(), 2u);
        const VTDataFileRow& a = report.rows[0];
        const VTDataFileRow& b = report.rows[1];
        ASSERT_TRUE(b.hasReactionTime);
        // B's answer came 20 ms (and a few clock readings) after B's onset.
        const double sinceB = b.reactionTimeMs - (resets ? 0.0 : b.onsetMs - a.onsetMs);
        EXPECT_GE(sinceB, 20.0) << b.reactionTimeMs;
        EXPECT_LT(sinceB, 100.0) << b.reactionTimeMs;
        if (!resets) {
            EXPECT_GE(b.reactionTimeMs, 320.0) << "from A's onset, at least A's 300 ms before B";
        }
    }
}

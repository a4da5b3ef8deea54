// Experiments of the data model built and run through the compiled experiment.

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/uiaction.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>

#include <fstream>
#include <string>

#include <wx/stopwatch.h>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTRunBudget.h"

#include <VTCore/VTTrialVariable.h>

#include <functional>

using namespace Vantrel;

namespace {

std::vector<wxString> ReadLines(const wxString& path)
{
    std::vector<wxString> lines;
    std::ifstream in(path.utf8_string());
    for (std::string line; std::getline(in, line);) lines.push_back(wxString::FromUTF8(line));
    return lines;
}

// The data rows without their last column (the onset time, which varies).
std::vector<wxString> RowsOf(const std::vector<wxString>& lines)
{
    std::vector<wxString> rows;
    for (size_t i = 9; i < lines.size(); ++i) rows.push_back(lines[i].BeforeLast('\t'));
    return rows;
}

class CompiledExperiment : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    wxString DataPath(const char* name) { return wxFileName(TestSupport::MakeTempFolder("data"), name).GetFullPath(); }
};

}  // namespace

TEST_F(CompiledExperiment, TwoBlockFixtureRunsByItselfAndWritesTheDataFile)
{
    Fixture::TwoBlocks f;
    const wxString path = DataPath("p07.txt");
    VTRunOptions& options = f.experiment.GetRunOptions();
    options.SetGroupID(int(f.everyone->GetID()));
    options.SetSubjectName("p07");
    options.SetSaveCollectedDataFlag(true, path);

    int ends = 0;
    VTCompiledExperiment compiled([&](bool a, bool b) {
        ++ends;
        EXPECT_TRUE(a && b);
    });
    Interface_ExpandedRunnableExperiment* expanded =
        f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false);
    ASSERT_NE(expanded, nullptr) << TestSupport::LogAsText();
    EXPECT_EQ(expanded, compiled.GetExpandedExperiment());
    EXPECT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(VantrelSDK::GetPresenter()->WasLastRunCanceled());

    const std::vector<wxString> lines = ReadLines(path);
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[1], "Experiment\tTwo Blocks");
    EXPECT_EQ(lines[2], "Subject\tp07");
    EXPECT_EQ(lines[4], "Group\tEveryone");
    const std::vector<wxString> expected = {
        "Practice\tP1\tFixation P1\t+\t\t\tNR", "Practice\tP1\tWord P1\tword P1\t\t\tNR",
        "Practice\tP2\tFixation P2\t+\t\t\tNR", "Practice\tP2\tWord P2\tword P2\t\t\tNR",
        "Main\tM1\tFixation M1\t+\t\t\tNR",     "Main\tM1\tWord M1\tword M1\t\t\tNR"};
    EXPECT_EQ(RowsOf(lines), expected);
}

TEST_F(CompiledExperiment, TheGroupRestrictsTheBlocksUnlessTheRestrictionIsOff)
{
    struct Case
    {
        const char* title;
        bool useMainOnly;
        bool restricted;
        size_t rows;
        const char* firstBlock;
    } cases[] = {{"restricted to the group", true, true, 2, "Main"},
                 {"restriction off", true, false, 6, "Practice"},
                 {"group runs all blocks", false, true, 6, "Practice"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Fixture::TwoBlocks f;
        f.experiment.GetRunOptions().SetGroupID(int((c.useMainOnly ? f.mainOnly : f.everyone)->GetID()));
        f.experiment.GetRunOptions().SetSaveCollectedDataFlag(false, "");
        VTCompiledExperiment compiled({});
        Interface_ExpandedRunnableExperiment* expanded =
            f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false);
        ASSERT_NE(expanded, nullptr);
        // Callers may change the built copy's options before running it.
        expanded->GetRunOptions().SetBlockUseRestrictedByGroup(c.restricted);
        ASSERT_TRUE(compiled.Run(false, false));
        const auto& rows = compiled.GetLastReport().rows;
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_EQ(rows[0].block, c.firstBlock);
    }
}

TEST_F(CompiledExperiment, NothingToRunGivesNoExpandedExperiment)
{
    {
        Fixture::TwoBlocks f;
        f.mainOnly->ClearAllUsedBlocks();
        f.experiment.GetRunOptions().SetGroupID(int(f.mainOnly->GetID()));
        VTCompiledExperiment compiled({});
        EXPECT_EQ(f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);
        EXPECT_TRUE(TestSupport::LogContains("has no blocks")) << TestSupport::LogAsText();
    }
    {
        VTExperiment empty;
        VTCompiledExperiment compiled({});
        EXPECT_EQ(empty.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);
        // Running what was not built ends at once, as cancelled, and still reports the end.
        int ends = 0;
        VTCompiledExperiment nothing([&](bool, bool) { ++ends; });
        EXPECT_FALSE(nothing.Run(false, false));
        EXPECT_EQ(ends, 1);
        EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    }
}

TEST_F(CompiledExperiment, KeysAnswerDefinedResponsesWithCorrectness)
{
    Fixture::TwoBlocks f(-1);
    VTResponse* left = Fixture::KeyResponse(f.experiment, "Left", 'F');
    VTResponse* right = Fixture::KeyResponse(f.experiment, "Right", 'J');
    // Only the main block: its fixation waits for F (correct) or J.
    f.experiment.GetRunOptions().SetGroupID(int(f.mainOnly->GetID()));
    f.experiment.GetRunOptions().SetSaveCollectedDataFlag(false, "");
    VTTrial* m1 = f.main->GetUsedTrial(0);
    for (unsigned e = 0; e < 2; ++e) {
        VTEvent* event = m1->GetUsedEvent(e);
        event->GetUsedResponses().AddChildElement(left);
        event->GetUsedResponses().AddChildElement(right);
        event->SetResponseType(2, -1, 2);
        event->LinkCorrectResponse(2, -1, left);
        event->AcceptInputSettingsForEditor(true, true, 0, 5000, -1);
        event->AcceptEndEventSettings(false, true, false, true);
    }
    VTCompiledExperiment compiled({});
    ASSERT_NE(f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);

    RunDriver driver;
    driver.FocusPresentation();
    driver.Then(250, [] { wxUIActionSimulator().Char('f'); });
    driver.Then(250, [] { wxUIActionSimulator().Char('j'); });
    driver.Begin();
    ASSERT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    driver.Stop();
    const auto& rows = compiled.GetLastReport().rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].response, "Left");
    EXPECT_EQ(rows[0].correctness, "C");
    EXPECT_EQ(rows[1].response, "Right");
    EXPECT_EQ(rows[1].correctness, "E");
    EXPECT_GT(rows[1].reactionTimeMs, 50.0);  // typed 250 ms after the first; drawing the next event comes first
    EXPECT_LT(rows[1].reactionTimeMs, 5000.0);
}

TEST_F(CompiledExperiment, SavingWithoutAFileNameUsesAFreshAutomaticName)
{
    const wxString first = VTCompiledExperiment::MakeAutomaticDataFilePath("Two Blocks", "p/01");
    EXPECT_TRUE(first.Contains("Study Station Data"));
    EXPECT_TRUE(wxFileName(first).GetName().StartsWith("Two_Blocks-p_01-"));
    std::ofstream(first.utf8_string()) << "taken";
    const wxString second = VTCompiledExperiment::MakeAutomaticDataFilePath("Two Blocks", "p/01");
    EXPECT_NE(first, second);
    EXPECT_FALSE(wxFileExists(second));
}

namespace {
// Peak resident memory since the last reset, in kilobytes (Linux keeps the mark per process).
long ResetAndReadPeakKB(bool reset)
{
    if (reset) std::ofstream("/proc/self/clear_refs") << "5";
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}
// The run is refused at once, with `message` logged as an error, and its plan never
// takes memory worth counting.
void ExpectRefusedBeforeAnythingIsAllocated(VTExperiment& experiment, const wxString& message)
{
    const long before = ResetAndReadPeakKB(true);
    wxStopWatch watch;
    VTCompiledExperiment compiled({});
    EXPECT_EQ(experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);
    EXPECT_LT(watch.Time(), 2000);
    const long peak = ResetAndReadPeakKB(false);
    if (before > 0 && peak > 0) EXPECT_LT(peak - before, 32 * 1024) << "kB more at the peak";
    EXPECT_TRUE(TestSupport::LogContains(message, wxLOG_Error + 0)) << TestSupport::LogAsText();
}

}  // namespace

TEST_F(CompiledExperiment, APlanBeyondItsLimitsIsRefusedBeforeAnythingIsAllocated)
{
    // A few kilobytes of document: one trial of 100000 repetitions, linked 1000 times.
    VTExperiment experiment;
    experiment.SetTitle("Explosion");
    VTBlock* block = Fixture::Add<VTBlock>(experiment, ElementType::Block, "Block");
    VTTrial* trial = Fixture::Add<VTTrial>(experiment, ElementType::Trial, "Trial");
    trial->AddUsedEvent(Fixture::TextEvent(experiment, "Word", "word", 10));
    trial->SetRepetitions(100000);
    block->GetUsedTrials().SetEnforceUniqueness(false);  // as the document's "unique": false allows
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(block->AddUsedTrial(trial));
    ASSERT_EQ(block->GetNumberOfUsedTrials(), 1000u);

    ExpectRefusedBeforeAnythingIsAllocated(
        experiment, "The experiment \"Explosion\" cannot run: it would run more than 200000 trials or 2000000 events.");

    // At the limits the plan is still made; one trial more is refused.
    struct Case
    {
        unsigned repetitions;
        bool runs;
    } cases[] = {{200, true}, {201, false}};
    for (const Case& c : cases) {
        trial->SetRepetitions(c.repetitions);
        wxString why;
        const VTRunPlan plan = VTCompiledExperiment::BuildPlan(experiment, &why);
        EXPECT_EQ(!plan.IsEmpty(), c.runs) << c.repetitions << " " << why;
    }
}

TEST_F(CompiledExperiment, AnEventThatCanNeverEndIsRefusedByItsNameBeforeTheRun)
{
    struct Case
    {
        const char* title;
        bool record, endOnAny, endOnCorrect, withResponse, preview;
        bool refused;
    } cases[] = {
        {"no limit, records nothing", false, true, false, false, false, true},
        {"no limit, responses do not end it", true, false, false, false, false, true},
        {"no limit, only a correct response ends it and none is correct", true, false, true, true, false, true},
        {"no limit, any response ends it", true, true, false, false, false, false},
        {"no limit, its response ends it", true, true, false, true, false, false},
        {"a preview is ended by whoever watches it", false, false, false, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        TestSupport::ClearLog();
        Fixture::TwoBlocks f;
        VTEvent* endless = f.main->GetUsedTrial(0)->GetUsedEvent(1);
        endless->AcceptInputSettingsForEditor(c.record, true, 0, -1, -1);
        endless->AcceptEndEventSettings(false, c.endOnAny, c.endOnCorrect, false);
        if (c.withResponse) {
            VTResponse* key = Fixture::KeyResponse(f.experiment, "F", 'F');
            endless->GetUsedResponses().AddChildElement(key);
            endless->SetResponseType(2, -1, 2);
        }
        VTRunOptions& options = f.experiment.GetRunOptions();
        options.SetGroupID(int(f.everyone->GetID()));
        if (c.preview) options.ApplyPreviewSettings(int(f.everyone->GetID()));
        VTCompiledExperiment compiled({});
        Interface_ExpandedRunnableExperiment* built =
            f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, c.preview);
        EXPECT_EQ(built == nullptr, c.refused) << TestSupport::LogAsText();
        EXPECT_EQ(TestSupport::LogContains("the event \"Word M1\" can never end", wxLOG_Error + 0), c.refused)
            << TestSupport::LogAsText();
        if (c.refused) EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    }
}

TEST(RunBudget, EachCountRefusesPastItsLimitAndSaturates)
{
    VTRunBudget::Limits limits;
    limits.trials = 10;
    limits.events = 20;
    limits.responses = 30;
    limits.levelLabels = 40;
    limits.textCharacters = 1000;
    limits.memoryBytes = 1u << 20;
    using Over = VTRunBudget::Over;
    const struct
    {
        const char* what;
        std::function<bool(VTRunBudget&)> add;
        Over over;
    } cases[] = {
        {"trials at their limit", [](VTRunBudget& b) { return b.AddTrials(10, 1, 1); }, Over::Nothing},
        {"one trial more", [](VTRunBudget& b) { return b.AddTrials(11, 0, 0); }, Over::Trials},
        {"events", [](VTRunBudget& b) { return b.AddEvents(21, 0, 0); }, Over::Events},
        {"events x accepted responses", [](VTRunBudget& b) { return b.AddEvents(4, 8, 0); }, Over::Responses},
        {"trials x saved variables", [](VTRunBudget& b) { return b.AddTrials(5, 9, 0); }, Over::LevelLabels},
        {"text of events", [](VTRunBudget& b) { return b.AddEvents(2, 0, 501); }, Over::TextCharacters},
        {"text of trials", [](VTRunBudget& b) { return b.AddTrials(2, 0, 501); }, Over::TextCharacters},
        {"every count at its limit", [](VTRunBudget& b) { return b.AddEvents(20, 1, 50); }, Over::Nothing},
        {"a product past 64 bits", [](VTRunBudget& b) { return b.AddEvents(3, ~0ull, 0); }, Over::Responses},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VTRunBudget budget(limits);
        EXPECT_EQ(c.add(budget), c.over == Over::Nothing);
        EXPECT_EQ(budget.WhatIsOver(), c.over);
        EXPECT_EQ(budget.Describe().empty(), c.over == Over::Nothing);
        // Once refused, nothing more is counted.
        if (c.over != Over::Nothing) EXPECT_FALSE(budget.AddTrials(0, 0, 0));
    }
    // Within every count, the records and strings together can still be too many.
    VTRunBudget small({10, 1000000, 30, 40, 1000, 4u << 20});
    EXPECT_FALSE(small.AddEvents(100000, 0, 0));
    EXPECT_EQ(small.WhatIsOver(), Over::Memory);
    EXPECT_EQ(small.Describe(), "its plan would take more than 4 MB of memory.");
}

TEST_F(CompiledExperiment, APlanPastEachMultiplierIsRefusedNamingItBeforeAnythingIsBuilt)
{
    struct Case
    {
        const char* what;
        std::function<void(VTExperiment&, VTTrial&, VTEvent&)> make;
        const char* message;
    } cases[] = {
        {"events x accepted responses",
         [](VTExperiment& x, VTTrial& trial, VTEvent& event) {
             for (int k = 0; k < 100; ++k)
                 event.GetUsedResponses().AddChildElement(Fixture::KeyResponse(x, "K", 'A' + k));
             trial.SetRepetitions(50000);
         },
         "its events would accept more than 4000000 responses in all"},
        {"trials x saved trial variables",
         [](VTExperiment& x, VTTrial& trial, VTEvent&) {
             for (int v = 0; v < 100; ++v) {
                 auto* variable = Fixture::Add<VTTrialVariable>(x, ElementType::TrialVariable, "V");
                 variable->SetVariableType(VariableType::Colour);
                 variable->SetLevels({"#FF0000"});
                 variable->SetSaveToDataFlag(true);
             }
             trial.SetRepetitions(50000);
         },
         "its trials would keep more than 4000000 levels in all"},
        {"stimulus text",
         [](VTExperiment&, VTTrial& trial, VTEvent& event) {
             event.SetStimulusText(wxString('w', 1000));
             trial.SetRepetitions(50000);
         },
         "it would copy more than 32000000 characters of text"},
        {"memory of many events",
         [](VTExperiment& x, VTTrial& trial, VTEvent&) {
             for (int e = 0; e < 19; ++e) trial.AddUsedEvent(Fixture::TextEvent(x, "More", "more", 10));
             trial.SetRepetitions(100000);
         },
         "its plan would take more than 512 MB of memory."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestSupport::ClearLog();
        VTExperiment experiment;
        experiment.SetTitle("Multiplied");
        VTBlock* block = Fixture::Add<VTBlock>(experiment, ElementType::Block, "Block");
        VTTrial* trial = Fixture::Add<VTTrial>(experiment, ElementType::Trial, "Trial");
        VTEvent* event = Fixture::TextEvent(experiment, "Word", "word", 10);
        trial->AddUsedEvent(event);
        ASSERT_TRUE(block->AddUsedTrial(trial));
        c.make(experiment, *trial, *event);

        ExpectRefusedBeforeAnythingIsAllocated(experiment,
                                               wxString("The experiment \"Multiplied\" cannot run: ") + c.message);
    }
}

// Parameters in real runs: for each parameter action and criterion a tiny experiment
// built through the data model (rules composed of order forms), run by the compiled
// experiment, and checked in the parameter columns of its data file; what a run cannot
// carry out is refused naming the rule; a renamed and a deleted parameter, then the run.

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/uiaction.h>

#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTRule.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "TimeScale.h"
#include "VTRuntime/VTCompiledExperiment.h"

using namespace Vantrel;
namespace RC = Vantrel::RuleCode;

namespace {

using Fixture::Column;
using Fixture::FromParam;
using Fixture::ParamAct;
using Fixture::ParamRow;
using Fixture::Row;

OrderFormForParameterCreation Counter(const wxString& name, int initial, bool hasMin = false, int min = 0,
                                      bool hasMax = false, int max = 0)
{
    OrderFormForParameterCreation p(name, ParameterType::Counter);
    p.initialValue = initial;
    p.hasMin = hasMin;
    p.min = min;
    p.hasMax = hasMax;
    p.max = max;
    return p;
}

OrderFormForParameterCreation Text(const wxString& name, const wxString& initial)
{
    OrderFormForParameterCreation p(name, ParameterType::Text);
    p.text = initial;
    return p;
}

OrderFormForParameterCreation Of(const wxString& name, int type) { return OrderFormForParameterCreation(name, type); }

ExpressionFromGUI TimerRow(const wxString& name, int op, int value, const wxString& unit)
{
    ExpressionFromGUI row = ParamRow(name, ParameterType::Timer, op, RC::RhsNumber, value);
    row.ApplyAppropriateTimeUnitTranslation(unit, value);
    return row;
}

ExpressionFromGUI BuiltIn(int builtIn, int op, int value, int rhsKind = -1, const wxString& text = wxString())
{
    ExpressionFromGUI row;
    row.kind = RC::KindBuiltIn;
    row.builtIn = builtIn;
    row.operatorInContext = op;
    row.value = value;
    row.rhsKind = rhsKind;
    row.text = text;
    return row;
}

ExpressionFromGUI Presentation(int n) { return BuiltIn(RC::BuiltInTrialPresentationCountRule, RC::OpEqual, n); }

OrderFormForActionCreation Hit(int by = 1)
{
    return ParamAct(RC::ParamIncrementCounter, ParameterType::Counter, "Hits", by);
}

struct RuleSpec
{
    std::vector<ExpressionFromGUI> criteria;  // none: always
    std::vector<OrderFormForActionCreation> actions;
};

VTRule* MakeRule(VTExperiment& x, const wxString& name, int kind, const RuleSpec& spec)
{
    return Fixture::MakeRule(x, name, kind, spec.criteria, spec.actions);
}

// One block with one trial presented `presentations` times; each presentation has
// `events` events that wait for a key when keys are pressed, else end after 20 ms.
struct TinyExperiment
{
    VTExperiment x;
    VTBlock* block;
    VTTrial* trial;
    VTParticipantGroup* group;

    TinyExperiment(unsigned presentations, unsigned events, bool keys)
    {
        x.SetTitle("Parameters");
        block = Fixture::Add<VTBlock>(x, ElementType::Block, "B");
        trial = Fixture::Add<VTTrial>(x, ElementType::Trial, "T");
        for (unsigned e = 0; e < events; ++e)
            trial->AddUsedEvent(Fixture::TextEvent(x, wxString::Format("E%u", e + 1), "+", keys ? -1 : 20));
        trial->SetRepetitions(presentations);
        block->AddUsedTrial(trial);
        group = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "G");
        group->m_RunAllBlocks = true;
    }

    void AddParameters(const std::vector<OrderFormForParameterCreation>& parameters)
    {
        for (const OrderFormForParameterCreation& p : parameters) EXPECT_TRUE(x.GetParameters()->AddNewItem(p));
    }
    void AddTrialRules(const std::vector<RuleSpec>& rules)
    {
        for (size_t i = 0; i < rules.size(); ++i)
            trial->AttachRule(MakeRule(x, wxString::Format("rule %zu", i + 1), VTRule::kKindTrials, rules[i]));
    }
    // Keyboard responses every event accepts (the event then takes no other key).
    void AcceptResponses(const std::vector<VTResponse*>& responses)
    {
        for (unsigned e = 0; e < trial->GetNumberOfUsedEvents(); ++e) {
            VTEvent* event = trial->GetUsedEvent(e);
            for (VTResponse* r : responses) event->GetUsedResponses().AddChildElement(r);
            event->SetResponseType(2, -1, 0);
        }
    }

    // Runs it, pressing `keys` one per event ('\b' is Backspace); the rows written.
    std::vector<Row> Run(const std::string& keys, wxArrayString* columns = nullptr)
    {
        const wxString path =
            wxFileName(TestSupport::MakeTempFolder("parameters"), wxString::Format("run%d.txt", ++m_Runs))
                .GetFullPath();
        x.GetRunOptions().SetGroupID(int(group->GetID()));
        x.GetRunOptions().SetSubjectName("p01");
        x.GetRunOptions().SetSaveCollectedDataFlag(true, path);
        RunDriver driver;
        if (!keys.empty()) {
            driver.FocusPresentation();
            for (char key : keys)
                driver.Then(150 * TestSupport::kTimeScale,
                            [key] { wxUIActionSimulator().Char(key == '\b' ? int(WXK_BACK) : int(key)); });
            driver.Begin();
        }
        VTCompiledExperiment compiled({});
        EXPECT_NE(x.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr) << TestSupport::LogAsText();
        EXPECT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
        driver.Stop();
        return Fixture::ReadRows(path, columns);
    }

private:
    int m_Runs = 0;
};

struct ParameterCase
{
    const char* title;
    std::vector<OrderFormForParameterCreation> parameters;  // all saved to the data file
    std::vector<RuleSpec> rules;                            // the trial's rules, in order
    const char* column;                                     // the column checked
    // Its values over the rows: each row shows the value before that presentation's rules.
    std::string expected;
    std::string keys = {};  // one per event; empty: events end by their time limit
    unsigned presentations = 3;
    unsigned events = 1;
};

// Each case's tiny experiment run, its column checked.
void RunCases(const std::vector<ParameterCase>& cases)
{
    for (const ParameterCase& c : cases) {
        SCOPED_TRACE(c.title);
        TestSupport::ClearLog();
        TinyExperiment tiny(c.presentations, c.events, !c.keys.empty());
        tiny.AddParameters(c.parameters);
        tiny.AddTrialRules(c.rules);
        EXPECT_EQ(Column(tiny.Run(c.keys), c.column), c.expected);
    }
}

class ParameterRun : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    void TearDown() override { VTDeletionMgr::SetAnswerer(nullptr); }
};

}  // namespace

TEST_F(ParameterRun, EachParameterActionChangesItsColumnAsDocumented)
{
    const int C = ParameterType::Counter, T = ParameterType::Text;
    const std::vector<ParameterCase> cases = {
        {"set counter",
         {Counter("Score", 5)},
         {{{}, {ParamAct(RC::ParamSetCounter, C, "Score", 9)}}},
         "Score",
         "5|9|9"},
        {"increment counter",
         {Counter("Score", 0)},
         {{{}, {ParamAct(RC::ParamIncrementCounter, C, "Score", 2)}}},
         "Score",
         "0|2|4"},
        {"decrement counter stops at its minimum",
         {Counter("Score", 3, true, 0)},
         {{{}, {ParamAct(RC::ParamDecrementCounter, C, "Score", 2)}}},
         "Score",
         "3|1|0"},
        {"increment counter stops at its maximum",
         {Counter("Score", 0, false, 0, true, 3)},
         {{{}, {ParamAct(RC::ParamIncrementCounter, C, "Score", 2)}}},
         "Score",
         "0|2|3"},
        {"increment beyond the 32-bit range stops at its end",
         {Counter("Score", 2147483600)},
         {{{}, {ParamAct(RC::ParamIncrementCounter, C, "Score", 2147483647)}}},
         "Score",
         "2147483600|2147483647|2147483647"},
        {"reset a counter (a later rule reads the changed value)",
         {Counter("Score", 1)},
         {{{}, {ParamAct(RC::ParamIncrementCounter, C, "Score", 5)}},
          {{ParamRow("Score", C, RC::OpGreater, RC::RhsNumber, 8)}, {ParamAct(RC::ParamReset, 0, "Score")}}},
         "Score",
         "1|6|1"},
        {"reset a text",
         {Text("Note", "a")},
         {{{}, {ParamAct(RC::ParamAppendText, T, "Note", -1, "b")}},
          {{ParamRow("Note", T, RC::OpEqual, RC::RhsText, -1, "abb")}, {ParamAct(RC::ParamReset, 0, "Note")}}},
         "Note",
         "a|ab|a"},
        {"set text",
         {Text("Note", "a")},
         {{{}, {ParamAct(RC::ParamSetText, T, "Note", -1, "hi there")}}},
         "Note",
         "a|hi there|hi there"},
        {"append to text",
         {Text("Note", "a")},
         {{{}, {ParamAct(RC::ParamAppendText, T, "Note", -1, "b")}}},
         "Note",
         "a|ab|abb"},
        {"set counter from another",
         {Counter("Score", 0), Counter("Source", 7)},
         {{{}, {FromParam(RC::ParamSetCounter, C, "Score", "Source")}}},
         "Score",
         "0|7|7"},
        {"increment counter by another",
         {Counter("Score", 1), Counter("Step", 3)},
         {{{}, {FromParam(RC::ParamIncrementCounter, C, "Score", "Step")}}},
         "Score",
         "1|4|7"},
        {"decrement counter by another",
         {Counter("Step", 3), Counter("Down", 10)},
         {{{}, {FromParam(RC::ParamDecrementCounter, C, "Down", "Step")}}},
         "Down",
         "10|7|4"},
        {"set and append text from another",
         {Text("Note", "x"), Text("Other", "yz"), Text("Copy", "")},
         {{{}, {FromParam(RC::ParamAppendText, T, "Note", "Other"), FromParam(RC::ParamSetText, T, "Copy", "Note")}}},
         "Copy",
         "|xyz|xyzyz"},
        {"store typed text (Backspace takes the last character; each trial starts empty)",
         {Text("Typed", "")},
         {{{}, {ParamAct(RC::ParamStoreTypedText, T, "Typed")}}},
         "Typed",
         "|||A|A|A",
         "AB\bCDE",
         2,
         3},
        {"store a response that is none of the experiment's: unset",
         {Of("Answer", ParameterType::Response)},
         {{{}, {ParamAct(RC::ParamStoreResponse, ParameterType::Response, "Answer")}}},
         "Answer",
         "||",
         "QQQ"},
    };
    RunCases(cases);
}

TEST_F(ParameterRun, StoredResponsesAndTheirCriteria)
{
    TinyExperiment tiny(3, 1, true);
    VTResponse* yes = Fixture::KeyResponse(tiny.x, "Yes", 'Y');
    VTResponse* no = Fixture::KeyResponse(tiny.x, "No", 'N');
    tiny.AcceptResponses({yes, no});
    tiny.AddParameters({Of("Answer", ParameterType::Response), Counter("Hits", 0)});
    const int R = ParameterType::Response;
    // The editor stores "unset (no stored response)" as the undefined response's id.
    tiny.AddTrialRules({{{ParamRow("Answer", R, RC::OpEqual, RC::RhsNumber, -4444)}, {Hit(1)}},
                        {{ParamRow("Answer", R, RC::OpEqual, RC::RhsNumber, int(yes->GetID()))}, {Hit(10)}},
                        {{ParamRow("Answer", R, RC::OpNotEqual, RC::RhsNumber, int(no->GetID()))}, {Hit(100)}},
                        {{}, {ParamAct(RC::ParamStoreResponse, R, "Answer")}}});
    const std::vector<Row> rows = tiny.Run("YNY");
    EXPECT_EQ(Column(rows, "Answer"), "|Yes|No");
    // Unset and not No; then Yes and not No; then No.
    EXPECT_EQ(Column(rows, "Hits"), "0|101|211");
}

TEST_F(ParameterRun, EachParameterCriterionTestsTheLiveValue)
{
    const int C = ParameterType::Counter, T = ParameterType::Text;
    const std::vector<ParameterCase> cases = {
        {"counter against a number",
         {Counter("Score", 0), Counter("Hits", 0)},
         {{{}, {ParamAct(RC::ParamIncrementCounter, C, "Score", 1)}},
          {{ParamRow("Score", C, RC::OpGreater, RC::RhsNumber, 1)}, {Hit()}},
          {{ParamRow("Score", C, RC::OpLess, RC::RhsNumber, 2)}, {Hit(10)}},
          {{ParamRow("Score", C, RC::OpEqual, RC::RhsNumber, 3)}, {Hit(100)}}},
         "Hits",
         "0|10|11"},
        {"counter against another counter",
         {Counter("A", 2), Counter("B", 2), Counter("Hits", 0)},
         {{{ParamRow("A", C, RC::OpEqual, RC::RhsParameter, -1, "B")}, {Hit()}},
          {{ParamRow("A", C, RC::OpGreater, RC::RhsParameter, -1, "B")}, {Hit(10)}},
          {{}, {ParamAct(RC::ParamIncrementCounter, C, "A", 1)}}},
         "Hits",
         "0|1|11"},
        {"timer in the row's unit, started and read",
         {Of("Clock", ParameterType::Timer), Counter("Hits", 0)},
         {{{}, {ParamAct(RC::ParamStartTimer, ParameterType::Timer, "Clock")}},
          {{TimerRow("Clock", RC::OpLess, 1, "minutes")}, {Hit()}},
          {{TimerRow("Clock", RC::OpGreater, 30, "seconds")}, {Hit(10)}},
          {{TimerRow("Clock", RC::OpGreater, 0, "milliseconds")}, {Hit(100)}}},
         "Hits",
         "0|1|102"},  // at its start the timer reads 0 ms
        {"text functions",
         {Text("Note", "hello world"), Counter("Hits", 0)},
         {{{ParamRow("Note", T, RC::OpContains, RC::RhsText, -1, "lo w")}, {Hit(1)}},
          {{ParamRow("Note", T, RC::OpBeginsWith, RC::RhsText, -1, "world")}, {Hit(10)}},
          {{ParamRow("Note", T, RC::OpEndsWith, RC::RhsText, -1, "world")}, {Hit(100)}},
          {{ParamRow("Note", T, RC::OpNotEqual, RC::RhsText, -1, "x")}, {Hit(1000)}},
          {{ParamRow("Note", T, RC::OpDoesNotContain, RC::RhsText, -1, "z")}, {Hit(10000)}},
          {{ParamRow("Note", T, RC::OpEqual, RC::RhsText, -1, "hello world")}, {Hit(100000)}}},
         "Hits",
         "0|111101|222202"},
        {"text against another text",
         {Text("Note", "ab"), Text("Other", "ab"), Counter("Hits", 0)},
         {{{ParamRow("Note", T, RC::OpEqual, RC::RhsParameter, -1, "Other")}, {Hit()}},
          {{}, {ParamAct(RC::ParamAppendText, T, "Other", -1, "c")}}},
         "Hits",
         "0|1|1"},
        {"last typed text against a text parameter",
         {Text("Note", "A"), Counter("Hits", 0)},
         {{{BuiltIn(RC::BuiltInLastTypedText, RC::OpBeginsWith, -1, RC::RhsParameter, "Note")}, {Hit()}}},
         "Hits",
         "0|1|1",
         "ABA"},
    };
    RunCases(cases);
}

TEST_F(ParameterRun, TimersCountOnlyWhileStartedAndRandomNumbersStayWithinTheLimits)
{
    TinyExperiment tiny(4, 1, false);
    tiny.AddParameters({Of("Clock", ParameterType::Timer), Counter("Dice", 5, true, 4, true, 6)});
    const int Tm = ParameterType::Timer;
    tiny.AddTrialRules({{{Presentation(1)}, {ParamAct(RC::ParamStartTimer, Tm, "Clock")}},
                        {{Presentation(2)}, {ParamAct(RC::ParamPauseTimer, Tm, "Clock")}},
                        {{}, {ParamAct(RC::ParamRandomCounter, ParameterType::Counter, "Dice")}}});
    const std::vector<Row> rows = tiny.Run("");
    ASSERT_EQ(rows.size(), 4u);
    double ms[4] = {};
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(rows[size_t(i)].at("Clock").ToCDouble(&ms[i])) << i;
    EXPECT_EQ(rows[0].at("Clock"), "0.000");  // not started yet
    EXPECT_GT(ms[1], 0);
    EXPECT_GT(ms[2], ms[1]);  // it ran on until the second presentation's rules paused it
    EXPECT_EQ(ms[3], ms[2]);  // paused: it keeps its time
    EXPECT_EQ(rows[0].at("Dice"), "5");
    for (int i = 1; i < 4; ++i) {
        long dice = 0;
        ASSERT_TRUE(rows[size_t(i)].at("Dice").ToLong(&dice));
        EXPECT_GE(dice, 4);
        EXPECT_LE(dice, 6);
    }
}

TEST_F(ParameterRun, OnlyParametersSavedToTheDataFileAreColumnsAfterTheOthers)
{
    TinyExperiment tiny(1, 1, false);
    OrderFormForParameterCreation hidden = Counter("Hidden", 4);
    hidden.saveToDataFile = false;
    tiny.AddParameters({Counter("Score", 3), hidden, Text("Note", "tab\there"), Of("Pool", ParameterType::Collection)});
    wxArrayString columns;
    const std::vector<Row> rows = tiny.Run("", &columns);
    ASSERT_GE(columns.size(), 3u);
    EXPECT_EQ(columns[columns.size() - 3], "Score");
    EXPECT_EQ(columns[columns.size() - 2], "Note");
    EXPECT_EQ(columns.back(), "Pool");
    EXPECT_EQ(columns.Index("Hidden"), wxNOT_FOUND);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("Note"), "tab here");
    EXPECT_EQ(rows[0].at("Pool"), "0");
}

TEST_F(ParameterRun, WhatARunCannotCarryOutWithParametersRefusesItNamingTheRule)
{
    const int C = ParameterType::Counter;
    struct Case
    {
        const char* title;
        RuleSpec rule;
        int kind;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"an action on a parameter that no longer exists",
         {{}, {ParamAct(RC::ParamIncrementCounter, C, "Gone", 1)}},
         VTRule::kKindTrials,
         "the rule \"R\" uses \"Increment counter\" with the parameter \"Gone\", which no longer exists."},
        {"an action on a parameter of another type",
         {{}, {ParamAct(RC::ParamIncrementCounter, C, "Note", 1)}},
         VTRule::kKindTrials,
         "the rule \"R\" uses \"Increment counter\" with the parameter \"Note\", which is not a counter."},
        {"a random number for a counter without both limits",
         {{}, {ParamAct(RC::ParamRandomCounter, C, "Score")}},
         VTRule::kKindTrials,
         "the rule \"R\" uses \"Assign random number (to counter)\" with the counter \"Score\", which needs both a "
         "minimum and a maximum."},
        {"a criterion whose parameter was lost",
         {{ParamRow("", C, RC::OpEqual, RC::RhsNumber, 1)}, {ParamAct(RC::ParamReset, 0, "Score")}},
         VTRule::kKindTrials,
         "the rule \"R\" uses \"Parameter\" with a parameter that no longer exists."},
        {"storing the trial's response in a block's rule",
         {{}, {ParamAct(RC::ParamStoreResponse, ParameterType::Response, "Answer")}},
         VTRule::kKindBlocks,
         "the rule \"R\" uses \"Store participant's response\", which only trial rules can carry out, and a block "
         "uses the rule."},
        {"adding the trial to a parameter that is no collection",
         {{}, {ParamAct(RC::ParamAddTrialToCollection, ParameterType::Collection, "Score")}},
         VTRule::kKindTrials,
         "the rule \"R\" uses \"Add trial to collection\" with the parameter \"Score\", which is not a collection "
         "of trials."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        TestSupport::ClearLog();
        TinyExperiment tiny(1, 1, false);
        tiny.AddParameters({Counter("Score", 0), Text("Note", ""), Of("Answer", ParameterType::Response),
                            Of("Pool", ParameterType::Collection)});
        VTRule* rule = MakeRule(tiny.x, "R", c.kind, c.rule);
        if (c.kind == VTRule::kKindTrials)
            tiny.trial->AttachRule(rule);
        else
            tiny.block->AttachRule(rule);
        tiny.x.GetRunOptions().SetGroupID(int(tiny.group->GetID()));
        VTCompiledExperiment compiled({});
        EXPECT_EQ(tiny.x.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);
        const wxString whole = wxString("The experiment \"Parameters\" cannot run: ") + c.message;
        EXPECT_TRUE(TestSupport::LogContains(whole, wxLOG_Error + 0)) << TestSupport::LogAsText();
    }
}

TEST_F(ParameterRun, ARenamedAndADeletedParameterThenTheDocumentRuns)
{
    TinyExperiment tiny(3, 1, false);
    tiny.AddParameters({Counter("Score", 0), Counter("Gone", 0)});
    const int C = ParameterType::Counter;
    tiny.AddTrialRules(
        {{{}, {ParamAct(RC::ParamIncrementCounter, C, "Score", 1)}},
         {{ParamRow("Gone", C, RC::OpLess, RC::RhsNumber, 5)},
          {ParamAct(RC::ParamIncrementCounter, C, "Gone", 1), ParamAct(RC::ParamIncrementCounter, C, "Score", 10)}}});
    // Renamed as the parameters dialog does it: the stored record replaced under its old name.
    OrderFormForParameterCreation score = tiny.x.GetParameters()->ItemDataAtIndex(0);
    score.name = "Points";
    ASSERT_TRUE(tiny.x.GetParameters()->ReplaceItem("Score", score));
    VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return true; });
    ASSERT_TRUE(VTDeletionMgr(nullptr, &tiny.x, wxString("Gone")).HandleDeletionOfParameter());

    wxArrayString columns;
    const std::vector<Row> rows = tiny.Run("", &columns);
    EXPECT_EQ(columns.Index("Gone"), wxNOT_FOUND);
    EXPECT_EQ(columns.Index("Score"), wxNOT_FOUND);
    // The second rule lost its criterion and the action on "Gone": it now always adds 10.
    EXPECT_EQ(Column(rows, "Points"), "0|11|22");
}

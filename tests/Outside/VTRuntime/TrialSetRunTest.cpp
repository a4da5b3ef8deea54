// Sets of trials in real runs: collections and their functions, the block statistics
// over the last trials or the tagged ones, tag criteria and tag actions. Each case is a
// block of six tagged trials (easy, hard, hard, easy, hard, easy; one short event each)
// whose rules move a counter; the counter's column in the data file shows the value
// before each trial's rules ran.

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>

#include <string>
#include <vector>

#include "FixtureExperiment.h"
#include "TestSupport.h"
#include "VTRuntime/VTCompiledExperiment.h"

using namespace Vantrel;
namespace RC = Vantrel::RuleCode;

namespace {

constexpr int kCounter = ParameterType::Counter;
constexpr int kCollection = ParameterType::Collection;

struct TaggedBlock
{
    VTExperiment x;
    VTBlock* block;
    VTParticipantGroup* group;
    VTTagSet* difficulty;
    VTTag* easy;
    VTTag* hard;
    std::vector<VTTrial*> trials;

    TaggedBlock()
    {
        x.SetTitle("Trial sets");
        block = Fixture::Add<VTBlock>(x, ElementType::Block, "B");
        difficulty = Fixture::Add<VTTagSet>(x, ElementType::TagSet, "Difficulty");
        easy = difficulty->AddTag("easy");
        hard = difficulty->AddTag("hard");
        const bool isHard[] = {false, true, true, false, true, false};
        for (int i = 0; i < 6; ++i) {
            VTTrial* trial = Fixture::Add<VTTrial>(x, ElementType::Trial, wxString::Format("T%d", i + 1));
            trial->AddUsedEvent(Fixture::TextEvent(x, wxString::Format("E%d", i + 1), "+", 20));
            trial->GetUsedTags().AddChildElement(isHard[i] ? hard : easy);
            block->AddUsedTrial(trial);
            trials.push_back(trial);
        }
        group = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "G");
        group->m_RunAllBlocks = true;
        OrderFormForParameterCreation probe("Probe", kCounter);
        EXPECT_TRUE(x.GetParameters()->AddNewItem(probe));
    }

    void AddCollection(int sizeLimit)
    {
        OrderFormForParameterCreation set("Set", kCollection);
        set.sizeLimit = sizeLimit;
        EXPECT_TRUE(x.GetParameters()->AddNewItem(set));
    }

    // The same rules, in order, after every trial.
    void AddTrialRules(
        const std::vector<std::pair<std::vector<ExpressionFromGUI>, std::vector<OrderFormForActionCreation>>>& rules)
    {
        for (size_t i = 0; i < rules.size(); ++i) {
            VTRule* rule = Fixture::MakeRule(x, wxString::Format("rule %zu", i + 1), VTRule::kKindTrials,
                                             rules[i].first, rules[i].second);
            for (VTTrial* trial : trials) trial->AttachRule(rule);
        }
    }

    // The rows written, or none with `why` when the run was refused.
    std::vector<Fixture::Row> Run(wxString* why = nullptr)
    {
        const wxString path =
            wxFileName(TestSupport::MakeTempFolder("trialsets"), wxString::Format("run%d.txt", ++m_Runs)).GetFullPath();
        x.GetRunOptions().SetGroupID(int(group->GetID()));
        x.GetRunOptions().SetSubjectName("p01");
        x.GetRunOptions().SetSaveCollectedDataFlag(true, path);
        VTCompiledExperiment compiled({});
        if (!x.InstructCompiledExperimentBuilderToBuild(compiled, false)) {
            if (why) *why = TestSupport::LogAsText();
            return {};
        }
        EXPECT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
        return Fixture::ReadRows(path);
    }

private:
    int m_Runs = 0;
};

OrderFormForActionCreation Act(int operation, int type, const wxString& name)
{
    OrderFormForActionCreation form;
    form.actionType = RC::ActionParameter;
    form.operation = operation;
    form.parameterType = type;
    form.parameterName = name;
    form.number = 1;
    return form;
}

OrderFormForActionCreation Probe() { return Act(RC::ParamIncrementCounter, kCounter, "Probe"); }
OrderFormForActionCreation AddTrial() { return Act(RC::ParamAddTrialToCollection, kCollection, "Set"); }

OrderFormForActionCreation TagAction(int actionType, const VTTag* tag)
{
    OrderFormForActionCreation form;
    form.actionType = actionType;
    form.target = int(tag->GetParentTagSetID());
    form.target2 = int(tag->GetID());
    return form;
}

OrderFormForActionCreation ClearBuiltIn()
{
    OrderFormForActionCreation form;
    form.actionType = RC::ActionClearBuiltInCollection;
    return form;
}

ExpressionFromGUI CollectionRow(int function, int op, int value, int tagID = -1, bool doesNotContain = false)
{
    ExpressionFromGUI row;
    row.kind = RC::KindCollection;
    row.name = "Set";
    row.rhsKind = function;
    row.operatorInContext = op;
    row.value = value;
    row.value2 = tagID;
    row.builtIn = 1;
    row.flagText = doesNotContain ? COLLFUNC_NOT_CONT : COLLFUNC_YES_CONT;
    return row;
}

// The trial's tag of the set is (OpEqual) or is not (OpNotEqual) the tag; null: that of the previous trial.
ExpressionFromGUI TagRow(int builtIn, int op, const VTTagSet* set, const VTTag* tag)
{
    ExpressionFromGUI row;
    row.kind = RC::KindBuiltIn;
    row.builtIn = builtIn;
    row.operatorInContext = op;
    row.value = int(set->GetID());
    row.value2 = tag ? int(tag->GetID()) : RC::SameTagAsPreviousTrial;
    return row;
}

// "Number of trials presented in block" over the last `last` trials (0: all), only those tagged `tag`.
ExpressionFromGUI CountRow(int value, int last, const VTTag* tag)
{
    ExpressionFromGUI row;
    row.kind = RC::KindBuiltIn;
    row.builtIn = RC::BuiltInBlockTrialStatistic;
    row.rhsKind = RC::RhsNumberOfTrialsPresented;
    row.operatorInContext = RC::OpEqual;
    row.value = value;
    if (last > 0) {
        row.trialSubset.rangeMode = TrialSubsetDescription::kLastTrials;
        row.trialSubset.count = last;
    }
    if (tag) {
        row.trialSubset.useTag = true;
        row.trialSubset.tagId = int(tag->GetID());
    }
    return row;
}

using Rules = std::vector<std::pair<std::vector<ExpressionFromGUI>, std::vector<OrderFormForActionCreation>>>;

struct Case
{
    const char* title;
    int sizeLimit;  // of the collection "Set"; 0: no collection
    std::function<Rules(TaggedBlock&)> rules;
    const char* column;
    const char* expected;
};

}  // namespace

TEST(TrialSetRun, CollectionsSubsetsAndTagsShowInTheDataFile)
{
    const std::vector<Case> cases = {
        {"collection size, kept to its limit", 2,
         [](TaggedBlock&) {
             return Rules{{{}, {AddTrial()}}};
         },
         "Set", "0|1|2|2|2|2"},
        {"number of trials tagged hard", -1,
         [](TaggedBlock& b) {
             return Rules{{{}, {AddTrial()}}, {{CollectionRow(0, RC::OpEqual, 2, int(b.hard->GetID()))}, {Probe()}}};
         },
         "Probe", "0|0|0|1|2|2"},
        {"percentage of trials tagged hard", -1,
         [](TaggedBlock& b) {
             return Rules{{{}, {AddTrial()}}, {{CollectionRow(1, RC::OpGreater, 50, int(b.hard->GetID()))}, {Probe()}}};
         },
         "Probe", "0|0|0|1|1|2"},
        {"average reaction time (no answered trial: 0)", -1,
         [](TaggedBlock&) {
             return Rules{{{}, {AddTrial()}}, {{CollectionRow(4, RC::OpLess, 1)}, {Probe()}}};
         },
         "Probe", "0|1|2|3|4|5"},
        {"collection is full", 3,
         [](TaggedBlock&) {
             return Rules{{{}, {AddTrial()}}, {{CollectionRow(5, RC::OpGreater, 0)}, {Probe()}}};
         },
         "Probe", "0|0|0|1|2|3"},
        {"cleared when full", 2,
         [](TaggedBlock&) {
             return Rules{{{}, {AddTrial()}}, {{CollectionRow(5, RC::OpGreater, 0)}, {Act(RC::ParamReset, 0, "Set")}}};
         },
         "Set", "0|1|0|1|0|1"},
        {"collection contains this trial", -1,
         [](TaggedBlock& b) {
             return Rules{
                 {{TagRow(RC::BuiltInTrialTagSetRuleContext, RC::OpEqual, b.difficulty, b.hard)}, {AddTrial()}},
                 {{CollectionRow(6, RC::OpGreater, 0)}, {Probe()}}};
         },
         "Probe", "0|0|1|2|2|3"},
        {"collection does not contain this trial", -1,
         [](TaggedBlock& b) {
             return Rules{
                 {{TagRow(RC::BuiltInTrialTagSetRuleContext, RC::OpEqual, b.difficulty, b.hard)}, {AddTrial()}},
                 {{CollectionRow(6, RC::OpGreater, 0, -1, true)}, {Probe()}}};
         },
         "Probe", "0|1|1|1|2|2"},
        {"block statistic over all trials", 0,
         [](TaggedBlock&) {
             return Rules{{{CountRow(2, 0, nullptr)}, {Probe()}}};
         },
         "Probe", "0|0|1|1|1|1"},
        {"block statistic over the last 2 trials", 0,
         [](TaggedBlock&) {
             return Rules{{{CountRow(2, 2, nullptr)}, {Probe()}}};
         },
         "Probe", "0|0|1|2|3|4"},
        {"block statistic over the trials tagged hard", 0,
         [](TaggedBlock& b) {
             return Rules{{{CountRow(2, 0, b.hard)}, {Probe()}}};
         },
         "Probe", "0|0|0|1|2|2"},
        {"block statistic over the last 2 trials tagged hard", 0,
         [](TaggedBlock& b) {
             return Rules{{{CountRow(2, 2, b.hard)}, {Probe()}}};
         },
         "Probe", "0|0|0|1|2|3"},
        {"clear built-in trials collection restarts the block statistics", 0,
         [](TaggedBlock&) {
             return Rules{{{CountRow(2, 0, nullptr)}, {Probe(), ClearBuiltIn()}}};
         },
         "Probe", "0|0|1|1|2|2"},
        {"tag the same as the previous trial's", 0,
         [](TaggedBlock& b) {
             return Rules{{{TagRow(RC::BuiltInTrialTagSetRuleContext, RC::OpEqual, b.difficulty, nullptr)}, {Probe()}}};
         },
         "Probe", "0|0|0|1|1|1"},
        {"set tag on all trials in block", 0,
         [](TaggedBlock& b) {
             return Rules{{{TagRow(RC::BuiltInTrialTagSetRuleContext, RC::OpEqual, b.difficulty, b.easy)},
                           {Probe(), TagAction(RC::ActionSetTagOnAllTrialsInBlock, b.hard)}}};
         },
         "Probe", "0|1|1|1|1|1"},
        {"set trial's tag (collections read the trials' tags as they are now)", -1,
         [](TaggedBlock& b) {
             return Rules{{{}, {AddTrial(), TagAction(RC::ActionSetTrialTag, b.hard)}},
                          {{CollectionRow(0, RC::OpGreater, 0, int(b.easy->GetID()))}, {Probe()}}};
         },
         "Probe", "0|0|0|0|0|0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        TestSupport::ClearLog();
        TaggedBlock b;
        if (c.sizeLimit != 0) b.AddCollection(c.sizeLimit);
        b.AddTrialRules(c.rules(b));
        EXPECT_EQ(Fixture::Column(b.Run(), c.column), c.expected);
    }
}

TEST(TrialSetRun, NeverTwoTrialsWithTheSameTagInARow)
{
    TestSupport::ClearLog();
    TaggedBlock b;
    auto when = MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(
        &b.x, {TagRow(RC::BuiltInTrialTagSetBlockContext, RC::OpNotEqual, b.difficulty, nullptr)}, false, "when", 1);
    for (VTTrial* trial : b.trials) trial->ReplaceWhenToPresentExpression(when);
    // easy, hard, hard, easy, hard, easy: the second hard one is skipped.
    EXPECT_EQ(Fixture::Column(b.Run(), "Trial"), "T1|T2|T4|T5|T6");
}

TEST(TrialSetRun, RefusedWhereTheyMakeNoSense)
{
    struct Refusal
    {
        const char* title;
        std::function<std::vector<OrderFormForActionCreation>(TaggedBlock&)> blockActions;
        std::vector<ExpressionFromGUI> blockCriteria;
        const char* message;
    };
    const std::vector<Refusal> refusals = {
        {"set trial's tag in block rules",
         [](TaggedBlock& b) {
             return std::vector<OrderFormForActionCreation>{TagAction(RC::ActionSetTrialTag, b.hard)};
         },
         {},
         "uses \"Set trial's tag\", which only trial rules can carry out"},
        {"add trial in block rules",
         [](TaggedBlock&) { return std::vector<OrderFormForActionCreation>{AddTrial()}; },
         {},
         "uses \"Add trial to collection\", which only trial rules can carry out"},
        {"collection contains this trial in block rules",
         [](TaggedBlock&) { return std::vector<OrderFormForActionCreation>{Probe()}; },
         {CollectionRow(6, RC::OpGreater, 0)},
         "uses \"collection contains this trial\", which only trial rules can carry out"},
        {"removed collection function",
         [](TaggedBlock&) { return std::vector<OrderFormForActionCreation>{Probe()}; },
         {CollectionRow(2, RC::OpGreater, 0)},
         "uses \"Parameter\", which a run cannot carry out yet"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.title);
        TestSupport::ClearLog();
        TaggedBlock b;
        b.AddCollection(-1);
        b.block->AttachRule(
            Fixture::MakeRule(b.x, "block rule", VTRule::kKindBlocks, r.blockCriteria, r.blockActions(b)));
        wxString why;
        EXPECT_TRUE(b.Run(&why).empty());
        EXPECT_NE(why.Find(r.message), wxNOT_FOUND) << why;
    }
}

TEST(TrialSetRun, ADeletedTagIsNamedInTheRefusal)
{
    TestSupport::ClearLog();
    TaggedBlock b;
    ExpressionFromGUI row = CountRow(2, 0, b.hard);
    row.trialSubset.tagId = 99999;
    b.AddTrialRules({{{row}, {Probe()}}});
    wxString why;
    EXPECT_TRUE(b.Run(&why).empty());
    EXPECT_NE(why.Find("with a tag that no longer exists"), wxNOT_FOUND) << why;
}

TEST(TrialSetRun, EachTrialTagSetIsAColumnShowingTheTagsAsRulesChangeThem)
{
    TestSupport::ClearLog();
    TaggedBlock b;
    // Event tag sets are no trial columns.
    Fixture::Add<VTTagSet>(b.x, ElementType::TagSet, "Words")->SetContext(VTTagSet::EventOrListItemContext);
    VTTagSet* side = Fixture::Add<VTTagSet>(b.x, ElementType::TagSet, "Side");
    VTTag* left = side->AddTag("left");
    b.trials[2]->GetUsedTags().AddChildElement(left);
    b.AddTrialRules({{{TagRow(RC::BuiltInTrialTagSetRuleContext, RC::OpEqual, b.difficulty, b.hard)},
                      {TagAction(RC::ActionSetTagOnAllTrialsInBlock, b.easy)}},
                     {{TagRow(RC::BuiltInTrialTagSetRuleContext, RC::OpEqual, side, left)},
                      {TagAction(RC::ActionSetTrialTag, left)}}});
    const std::vector<Fixture::Row> rows = b.Run();
    EXPECT_EQ(Fixture::Column(rows, "Difficulty"), "easy|hard|easy|easy|easy|easy");
    EXPECT_EQ(Fixture::Column(rows, "Side"), "||left|||");
    EXPECT_EQ(Fixture::Column(rows, "Words"), "?|?|?|?|?|?");
}

// A trial variable whose levels go in sequence, a new one each trial: 1, 2, 3, 1, 2, 3.
ExpressionFromGUI LevelRow(TaggedBlock& b, int op, int level)
{
    auto* place = Fixture::Add<VTTrialVariable>(b.x, ElementType::TrialVariable, "Place");
    place->SetVariableType(VariableType::Location);
    place->SetLevels({"(0, 0)", "(1, 1)", "(2, 2)"});
    place->GetVariable().SetMethod(0);
    place->GetVariable().SetScope(3);
    place->GetVariable().SetFlag(true);
    place->SetSaveToDataFlag(true);
    ExpressionFromGUI row;
    row.kind = RC::KindTrialLevel;
    row.value2 = int(place->GetID());
    row.operatorInContext = op;
    row.value = level;
    return row;
}

TEST(TrialSetRun, TrialLevelCriteriaReadTheTrialsLevel)
{
    {
        SCOPED_TRACE("trial rules: the level of the trial just presented");
        TestSupport::ClearLog();
        TaggedBlock b;
        b.AddTrialRules({{{LevelRow(b, RC::OpEqual, 1)}, {Probe()}}});
        const std::vector<Fixture::Row> rows = b.Run();
        EXPECT_EQ(Fixture::Column(rows, "Place"), "Level 1|Level 2|Level 3|Level 1|Level 2|Level 3");
        EXPECT_EQ(Fixture::Column(rows, "Probe"), "0|0|1|1|1|2");
    }
    {
        SCOPED_TRACE("When to Present: the level of the trial about to be presented");
        TestSupport::ClearLog();
        TaggedBlock b;
        auto when = MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(
            &b.x, {LevelRow(b, RC::OpNotEqual, RC::LevelLast)}, false, "when", 1);
        for (VTTrial* trial : b.trials) trial->ReplaceWhenToPresentExpression(when);
        EXPECT_EQ(Fixture::Column(b.Run(), "Trial"), "T1|T2|T4|T5");
    }
}

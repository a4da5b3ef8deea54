// Rules stored in the document reach the run: an experiment built through the data
// model, its rules and "When to Present" criteria attached to blocks and trials, run
// by the compiled experiment; and the refusals of what a run cannot carry out.

#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/log.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/MetaTFPredicate.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTTrialVariable.h>

#include <fstream>
#include <functional>
#include <string>

#include "FixtureExperiment.h"
#include "TestSupport.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTRuntime/VTCompiledExperiment.h"

using namespace Vantrel;

namespace {

ExpressionFromGUI Row(int builtIn, int op, int value, bool isAnd = true)
{
    ExpressionFromGUI row;
    row.kind = RuleCode::KindBuiltIn;
    row.builtIn = builtIn;
    row.operatorInContext = op;
    row.value = value;
    row.isAnd = isAnd;
    return row;
}

ExpressionFromGUI AlwaysRow()
{
    ExpressionFromGUI row;
    row.kind = RuleCode::KindAlways;
    return row;
}

OrderFormForActionCreation Act(int type, int target = -1, int operation = -1)
{
    OrderFormForActionCreation form;
    form.actionType = type;
    form.target = target;
    form.operation = operation;
    return form;
}

using Fixture::MakeRule;

class RuleDocumentRun : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
};

}  // namespace

TEST_F(RuleDocumentRun, StoredRulesAndWhenToPresentSteerTheCompiledRun)
{
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    VTTrial* p1 = f.practice->GetUsedTrial(0);
    VTTrial* p2 = f.practice->GetUsedTrial(1);
    // P1 is repeated once; P2 is presented only to a participant called "nobody"; after
    // Practice the experiment ends, so Main is never presented.
    p1->AttachRule(MakeRule(x, "Once more", VTRule::kKindTrials,
                            {Row(RuleCode::BuiltInTrialPresentationCountRule, RuleCode::OpEqual, 1)},
                            {Act(RuleCode::ActionRepeatTrial)}));
    ExpressionFromGUI nobody = Row(RuleCode::BuiltInParticipantName, RuleCode::OpEqual, -1);
    nobody.text = "nobody";
    p2->ReplaceWhenToPresentExpression(
        MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(&x, {nobody}, false, "P2", 1));
    f.practice->AttachRule(
        MakeRule(x, "Stop", VTRule::kKindBlocks, {AlwaysRow()}, {Act(RuleCode::ActionExitExperiment)}));

    const wxString path = wxFileName(TestSupport::MakeTempFolder("data"), "rules.txt").GetFullPath();
    VTRunOptions& options = x.GetRunOptions();
    options.SetGroupID(int(f.everyone->GetID()));
    options.SetSubjectName("p07");
    options.SetSaveCollectedDataFlag(true, path);
    VTCompiledExperiment compiled({});
    ASSERT_NE(x.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr) << TestSupport::LogAsText();
    EXPECT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    const std::vector<wxString> expected = {"Practice/P1/Fixation P1", "Practice/P1/Word P1", "Practice/P1/Fixation P1",
                                            "Practice/P1/Word P1"};
    EXPECT_EQ(Fixture::DataRows(path), expected);
}

TEST_F(RuleDocumentRun, WhatARunCannotCarryOutRefusesItNamingTheRuleAndTheItem)
{
    struct Case
    {
        const char* title;
        std::function<void(Fixture::TwoBlocks&)> setUp;
        const char* message;  // empty: the run is built
    };
    const std::vector<Case> cases = {
        {"an action not built yet",
         [](Fixture::TwoBlocks& f) {
             f.practice->GetUsedTrial(0)->AttachRule(MakeRule(f.experiment, "Again", VTRule::kKindTrials, {AlwaysRow()},
                                                              {Act(RuleCode::ActionTrialFlow, -1, 0)}));
         },
         "the rule \"Again\" uses \"Restart trial\", which a run cannot carry out yet."},
        {"a tag that no longer exists",
         [](Fixture::TwoBlocks& f) {
             ExpressionFromGUI tag = Row(RuleCode::BuiltInTrialTagSetRuleContext, 0, 5);
             f.main->GetUsedTrial(0)->AttachRule(MakeRule(f.experiment, "Tagged", VTRule::kKindTrials,
                                                          {AlwaysRow(), tag}, {Act(RuleCode::ActionExitBlock)}));
         },
         "the rule \"Tagged\" uses \"Trial's tag set\" with a tag that no longer exists."},
        {"a level action on a variable that no longer exists",
         [](Fixture::TwoBlocks& f) {
             f.main->AttachRule(MakeRule(f.experiment, "Levelled", VTRule::kKindBlocks, {AlwaysRow()},
                                         {Act(RuleCode::ActionTrialLevel, 5, RuleCode::LevelNext)}));
         },
         "the rule \"Levelled\" uses \"Move to next trial level\" with a trial variable that no longer exists."},
        {"a level the variable does not have",
         [](Fixture::TwoBlocks& f) {
             auto* v = Fixture::Add<VTTrialVariable>(f.experiment, ElementType::TrialVariable, "Size");
             v->SetLevels({"small", "large"});
             OrderFormForActionCreation set =
                 Act(RuleCode::ActionTrialLevel, int(v->GetID()), RuleCode::LevelSetNumber);
             set.number = 3;
             f.main->GetUsedTrial(0)->AttachRule(
                 MakeRule(f.experiment, "Sized", VTRule::kKindTrials, {AlwaysRow()}, {set}));
         },
         "the rule \"Sized\" sets the trial variable \"Size\" to a level it does not have."},
        {"a trial action in a block's rule",
         [](Fixture::TwoBlocks& f) {
             f.main->AttachRule(
                 MakeRule(f.experiment, "Odd", VTRule::kKindBlocks, {AlwaysRow()}, {Act(RuleCode::ActionRepeatTrial)}));
         },
         "the rule \"Odd\" uses \"Repeat trial\", which only trial rules can carry out, and a block uses the rule."},
        {"a block that no longer exists",
         [](Fixture::TwoBlocks& f) {
             f.practice->AttachRule(MakeRule(f.experiment, "Jump", VTRule::kKindBlocks, {AlwaysRow()},
                                             {Act(RuleCode::ActionPresentBlock, 987654)}));
         },
         "the rule \"Jump\" presents a block that no longer exists."},
        {"a response that no longer exists",
         [](Fixture::TwoBlocks& f) {
             f.practice->GetUsedTrial(1)->AttachRule(MakeRule(
                 f.experiment, "Answer", VTRule::kKindTrials,
                 {Row(RuleCode::BuiltInLastResponse, RuleCode::OpEqual, 987654)}, {Act(RuleCode::ActionExitBlock)}));
         },
         "the rule \"Answer\" uses \"Last participant response\" with a response that no longer exists."},
        {"a block's When to Present with a trial's reaction time",
         [](Fixture::TwoBlocks& f) {
             f.main->ReplaceWhenToPresentExpression(MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(
                 &f.experiment, {Row(RuleCode::BuiltInTrialReactionTime, RuleCode::OpLess, 300)}, false, "Main", 1));
         },
         "\"When to Present\" of the block \"Main\" uses \"Trial's reaction time\", which it cannot carry out there."},
        {"a rule no block or trial uses is not the run's concern",
         [](Fixture::TwoBlocks& f) {
             MakeRule(f.experiment, "Unused", VTRule::kKindTrials, {AlwaysRow()},
                      {Act(RuleCode::ActionTrialFlow, -1, 0)});
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        TestSupport::ClearLog();
        Fixture::TwoBlocks f;
        c.setUp(f);
        f.experiment.GetRunOptions().SetGroupID(int(f.everyone->GetID()));
        VTCompiledExperiment compiled({});
        Interface_ExpandedRunnableExperiment* built =
            f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false);
        if (*c.message) {
            EXPECT_EQ(built, nullptr);
            const wxString whole = wxString("The experiment \"Two Blocks\" cannot run: ") + c.message;
            EXPECT_TRUE(TestSupport::LogContains(whole, wxLOG_Error + 0)) << TestSupport::LogAsText();
            EXPECT_EQ(VantrelSDK::GetPresenter()->GetLastRunFailure(), whole);
        } else {
            EXPECT_NE(built, nullptr) << TestSupport::LogAsText();
        }
    }
}

// The rule model: order forms, predicates, action lists, rules and the
// "When to Present" criteria of blocks and trials, as the editor and a run use
// them; and the references that forms hold, through deletion, load repair and
// the clipboard.

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/MetaTFPredicate.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTClipboard.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTSdkResponses.h>

#include "RuleTestSupport.h"
#include "TestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <climits>
#include <memory>

using namespace Vantrel;
namespace RC = Vantrel::RuleCode;

namespace {

using RuleTests::Add;

ExpressionFromGUI Row(int kind, int builtIn, int value, int op, bool isAnd = true)
{
    ExpressionFromGUI row;
    row.kind = kind;
    row.builtIn = builtIn;
    row.value = value;
    row.operatorInContext = op;
    row.isAnd = isAnd;
    return row;
}

OrderFormForActionCreation Action(int type, int target = -1, int operation = -1)
{
    OrderFormForActionCreation form;
    form.actionType = type;
    form.target = target;
    form.operation = operation;
    return form;
}

class RuleModel : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    void TearDown() override
    {
        VTDeletionMgr::SetAnswerer(nullptr);
        VTClipboard::GetRef().Clear();
    }
};

}  // namespace

TEST_F(RuleModel, FormsResetToTheDocumentedValues)
{
    OrderFormForExpressionCreation e;
    e.kind = 4;
    e.flagText = wxS("x");
    e.trialSubset.count = 9;
    e.ResetDefaults();
    EXPECT_EQ(e.streamingVersion, OrderFormForExpressionCreation::ComputeExpressionFormStreamingVersion(true));
    EXPECT_EQ(e.flagText, wxString());
    EXPECT_EQ(e.spareCode, 0);
    for (int v : {e.kind, e.value, e.operatorInContext, e.builtIn, e.rhsKind, e.value2}) EXPECT_EQ(v, -1);
    EXPECT_TRUE(e.name.empty() && e.text.empty());
    EXPECT_EQ(e.trialSubset, TrialSubsetDescription());

    OrderFormForActionCreation a;
    a.colour = *wxRED;
    a.number = 3;
    a.ResetDefaults();
    EXPECT_EQ(a.streamingVersion, OrderFormForActionCreation::ComputeActionFormStreamingVersion(true));
    EXPECT_EQ(a.spareCode, 0);
    for (int v : {a.actionType, a.target, a.target2, a.operation, a.parameterType, a.number}) EXPECT_EQ(v, -1);
    EXPECT_EQ(a.colour, *wxWHITE);

    ExpressionFromGUI g;
    g.isAnd = false;
    g.ResetDefaults();
    EXPECT_TRUE(g.isAnd);
}

TEST_F(RuleModel, EqualityIgnoresOnlyTheStreamingVersion)
{
    OrderFormForExpressionCreation a, b;
    b.streamingVersion = 1;
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a.IsVerbatimEqual(b));
    b = a;
    b.flagText = TIMER_EXPR_503;
    EXPECT_NE(a, b);
    b = a;
    b.trialSubset.useTag = true;
    EXPECT_NE(a, b);
    b = a;
    b.spareCode = 1;
    EXPECT_NE(a, b);

    OrderFormForActionCreation x, y;
    y.streamingVersion = 2;
    EXPECT_EQ(x, y);
    y.colour = wxColour(255, 255, 255, 254);
    EXPECT_NE(x, y);
}

TEST_F(RuleModel, MarkersStandOncePerFamily)
{
    OrderFormForExpressionCreation e;
    e.flagText = wxS("keep|timer=Y|");
    e.MarkFormForTimerFeature503();
    e.MarkFormForTimerFeature503();
    EXPECT_EQ(e.flagText, wxS("keep|timer=Y|"));
    e.flagText += COLLFUNC_NOT_CONT;
    e.flagText += COLLFUNC_YES_CONT;
    e.RemoveAnyTimeCollMembershipStrings();
    e.RemoveAnyStringsForTimerFeature503();
    EXPECT_EQ(e.flagText, wxS("keep"));

    OrderFormForActionCreation a;
    a.flagText = wxString(TIMER_FEATURES_503) + TIMER_FEATURES_503;
    a.RemoveAnyStringsForTimerFeature503();
    EXPECT_EQ(a.flagText, wxString());
}

TEST_F(RuleModel, TimeUnitsAreRecordedAsOneMarkerAndTheValueStaysAsTyped)
{
    const struct
    {
        const char* unit;
        const wxChar* marker;
        long long ms;
    } cases[] = {{"milliseconds", TIMEUNITS_MILLIS, 1},
                 {"seconds", TIMEUNITS_SECS, 1000},
                 {"minutes", TIMEUNITS_MIN, 60000},
                 {"fortnights", TIMEUNITS_MILLIS, 1}};
    for (const auto& c : cases) {
        OrderFormForExpressionCreation e;
        e.value = 7;
        e.flagText = wxString(TIMEUNITS_MIN) + wxS("other") + TIMEUNITS_SECS;
        e.ApplyAppropriateTimeUnitTranslation(c.unit, 7);
        EXPECT_EQ(e.flagText, wxString(wxS("other")) + c.marker) << c.unit;
        EXPECT_EQ(e.value, 7);
        EXPECT_EQ(e.GetMillisecondsPerTimeUnit(), c.ms) << c.unit;
        if (c.ms != 1 || std::string(c.unit) == "milliseconds") {
            EXPECT_EQ(e.GetUserInterfaceStringFromTimeUnitCode(), wxString(c.unit));
        }
    }
    OrderFormForExpressionCreation none;
    EXPECT_EQ(none.GetUserInterfaceStringFromTimeUnitCode(), wxS("milliseconds"));
    EXPECT_EQ(none.GetMillisecondsPerTimeUnit(), 1);
}

TEST_F(RuleModel, FactoriesReadOnlyTheFirstRowCountFormsAndNeverPastTheEnd)
{
    std::vector<ExpressionFromGUI> rows = {Row(RC::KindAlways, -1, -1, -1), Row(1, RC::BuiltInTrialReactionTime, 5, 2),
                                           Row(1, RC::BuiltInParticipantName, -1, 0)};
    std::vector<OrderFormForActionCreation> actions = {Action(RC::ActionExitExperiment), Action(RC::ActionRepeatTrial)};
    for (int rowCount : {-3, 0, 1, 2, 3, 4, 1000}) {
        const auto p =
            MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(nullptr, rows, true, wxS("n"), rowCount);
        ASSERT_TRUE(p);
        const std::size_t expected = std::size_t(std::min(std::max(rowCount, 0), 3));
        ASSERT_EQ(p->GetRows().size(), expected) << rowCount;
        for (std::size_t i = 0; i < expected; ++i) EXPECT_TRUE(p->GetRows()[i].IsVerbatimEqual(rows[i]));
        EXPECT_TRUE(p->ExpressionSetToBeNegated());

        const auto list = ActionFactory::MakeActionListFromOrderForms(nullptr, actions, wxS("a"), rowCount);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->Size(), std::size_t(std::min(std::max(rowCount, 0), 2))) << rowCount;
        EXPECT_EQ(list->IsEmpty(), list->Size() == 0);
    }
    const auto fromEmpty = ActionFactory::MakeActionListFromOrderForms(nullptr, {}, wxS("a"), 5);
    ASSERT_TRUE(fromEmpty);
    EXPECT_TRUE(fromEmpty->IsEmpty());
}

TEST_F(RuleModel, AndBindsTighterThanOrAndNegationCoversTheWhole)
{
    // Row truth comes from the row's value: 1 true, 0 false.
    const auto eval = [](const std::vector<std::pair<int, bool>>& spec, bool negated, int* asked = nullptr) {
        std::vector<ExpressionFromGUI> rows;
        for (const auto& [truth, isAnd] : spec) rows.push_back(Row(1, 0, truth, 0, isAnd));
        MetaTFPredicate p(rows, negated, wxS("p"));
        return p.Evaluate([asked](const ExpressionFromGUI& row) {
            if (asked) ++*asked;
            return row.value == 1;
        });
    };
    const bool AND = true, OR = false;
    EXPECT_TRUE(eval({}, false));
    EXPECT_FALSE(eval({}, true));
    EXPECT_TRUE(eval({{1, OR}}, false));  // the first row's isAnd is ignored
    EXPECT_FALSE(eval({{0, AND}}, false));
    EXPECT_TRUE(eval({{0, AND}}, true));
    // A or B and C == A or (B and C)
    EXPECT_TRUE(eval({{1, AND}, {0, OR}, {0, AND}}, false));
    EXPECT_FALSE(eval({{0, AND}, {1, OR}, {0, AND}}, false));
    EXPECT_TRUE(eval({{0, AND}, {1, OR}, {1, AND}}, false));
    // A and B or C == (A and B) or C
    EXPECT_TRUE(eval({{0, AND}, {1, AND}, {1, OR}}, false));
    EXPECT_FALSE(eval({{1, AND}, {0, AND}, {0, OR}}, false));
    EXPECT_TRUE(eval({{1, AND}, {0, AND}, {0, OR}}, true));
    // Rows that cannot change the result are not asked.
    int asked = 0;
    EXPECT_TRUE(eval({{1, AND}, {1, AND}, {0, OR}, {0, AND}}, false, &asked));
    EXPECT_EQ(asked, 2);
    asked = 0;
    EXPECT_FALSE(eval({{0, AND}, {1, AND}, {1, AND}}, false, &asked));
    EXPECT_EQ(asked, 1);
}

TEST_F(RuleModel, TheRuleFactoryAppendsTheRuleAndCopiesThePredicateIn)
{
    VTExperiment x;
    EXPECT_EQ(VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(wxS("r"), nullptr, 0, {}, false, false),
              nullptr);
    VTRule* empty =
        VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(wxS("Empty"), &x, 0, {}, false, false);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->IsUsedWithBlocks());
    EXPECT_TRUE(empty->GetExpression().IsEmpty());
    EXPECT_TRUE(empty->GetActions().IsEmpty());
    EXPECT_TRUE(empty->GetOrderFormsToShowActionsInGUI()->empty());

    auto p = boost::make_shared<MetaTFPredicate>(std::vector<ExpressionFromGUI>{Row(RC::KindAlways, -1, -1, -1)}, true,
                                                 wxS("crit"));
    VTRule* rule = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(wxS("Trials"), &x, 1, p, false, false);
    ASSERT_NE(rule, nullptr);
    EXPECT_FALSE(rule->IsUsedWithBlocks());
    EXPECT_EQ(rule->GetName(), wxS("Trials"));
    ASSERT_EQ(x.GetReadOnlyElementsOfType(ElementType::Rule).Size(), 2u);
    EXPECT_EQ(x.GetReadOnlyElementsOfType(ElementType::Rule)[1], rule);

    // Copied in and copied out: changing either side leaves the rule alone.
    p->SetNegated(false);
    EXPECT_TRUE(rule->GetExpression().ExpressionSetToBeNegated());
    auto copy = rule->GetCopyOfExpression();
    copy->GetMutableRows().clear();
    EXPECT_EQ(rule->GetExpression().GetRows().size(), 1u);
    std::vector<ExpressionFromGUI> shown;
    rule->GetCopyOfExpression()->RetrieveSafeCopyOfExpression(shown);
    EXPECT_EQ(shown.size(), 1u);

    // The action list is held as given.
    auto list = ActionFactory::MakeActionListFromOrderForms(&x, {Action(RC::ActionExitBlock)}, wxS("acts"), 1);
    rule->ReplaceActionsWithNewList(list);
    EXPECT_EQ(&rule->GetActions(), list.get());
    ASSERT_EQ(rule->GetOrderFormsToShowActionsInGUI()->size(), 1u);
    EXPECT_EQ((*rule->GetOrderFormsToShowActionsInGUI())[0].actionType, RC::ActionExitBlock);
    rule->ReplaceActionsWithNewList({});
    EXPECT_TRUE(rule->GetActions().IsEmpty());
}

TEST_F(RuleModel, AWorkingCopySharesNothingWithItsRule)
{
    VTExperiment x;
    VTRule* rule = Add<VTRule>(x, wxS("R"));
    rule->ReplaceActionsWithNewList(
        ActionFactory::MakeActionListFromOrderForms(&x, {Action(RC::ActionRepeatTrial)}, wxS("a"), 1));
    std::unique_ptr<VTRule> copy(VTRule::CreateTemporary_CallerMustDelete(rule, nullptr));
    EXPECT_NE(&copy->GetActions(), &rule->GetActions());
    copy->ReplaceActionsWithNewList(
        ActionFactory::MakeActionListFromOrderForms(&x, {Action(RC::ActionSkipNextTrial), Action(2001)}, wxS("b"), 2));
    copy->SetMetaTFPredicate(
        boost::make_shared<MetaTFPredicate>(std::vector<ExpressionFromGUI>{Row(801, -1, -1, -1)}, false, wxS("c")));
    EXPECT_EQ(rule->GetActions().Size(), 1u);
    ASSERT_TRUE(rule->CopySettingsFrom(*copy));
    EXPECT_EQ(rule->GetActions().Size(), 2u);
    EXPECT_NE(&copy->GetActions(), &rule->GetActions());
    EXPECT_EQ(rule->GetExpression().GetRows().size(), 1u);
}

TEST_F(RuleModel, WhenToPresentIsNullForAlwaysAndCopiedInAndOut)
{
    VTExperiment x;
    VTBlock* block = Add<VTBlock>(x, wxS("B"));
    VTTrial* trial = Add<VTTrial>(x, wxS("T"));
    EXPECT_EQ(block->GetCopyOfExpressionOrElseNull(&x), nullptr);
    EXPECT_EQ(trial->GetWhenToPresent(), nullptr);
    auto p = boost::make_shared<MetaTFPredicate>(
        std::vector<ExpressionFromGUI>{Row(1, RC::BuiltInTrialPresentationCountWhen, 2, RC::OpLess)}, false, wxS("w"));
    block->ReplaceWhenToPresentExpression(p);
    trial->ReplaceWhenToPresentExpression(p);
    p->GetMutableRows().clear();
    ASSERT_NE(trial->GetWhenToPresent(), nullptr);
    EXPECT_EQ(trial->GetWhenToPresent()->GetRows().size(), 1u);
    auto copy = block->GetCopyOfExpressionOrElseNull(&x);
    ASSERT_TRUE(copy);
    copy->SetNegated(true);
    EXPECT_FALSE(block->GetWhenToPresent()->ExpressionSetToBeNegated());
    block->ReplaceWhenToPresentExpression({});
    EXPECT_EQ(block->GetWhenToPresent(), nullptr);
}

TEST_F(RuleModel, RuleUseTagParentsAndResponseSummary)
{
    VTExperiment x;
    VTRule* rule = Add<VTRule>(x, wxS("R"));
    VTRule* other = Add<VTRule>(x, wxS("Other"));
    VTBlock* b1 = Add<VTBlock>(x, wxS("B1"));
    VTBlock* b2 = Add<VTBlock>(x, wxS("B2"));
    VTTrial* t1 = Add<VTTrial>(x, wxS("T1"));
    b1->AttachRule(rule);
    b2->AttachRule(rule);
    b2->AttachRule(other);
    t1->AttachRule(rule);
    EXPECT_EQ(x.HowManyBlocksUseThisRule(rule), 2u);
    EXPECT_EQ(x.HowManyTrialsUseThisRule(rule), 1u);
    EXPECT_EQ(x.HowManyBlocksUseThisRule(other), 1u);
    EXPECT_EQ(x.HowManyTrialsUseThisRule(other), 0u);
    EXPECT_EQ(x.HowManyBlocksUseThisRule(nullptr), 0u);

    VTTagSet* set = Add<VTTagSet>(x, wxS("Set"));
    VTTag* tag = set->AddTag(wxS("Tag"));
    EXPECT_EQ(x.GetParentIdFromTagId(int(tag->GetID())), int(set->GetID()));
    EXPECT_LT(x.GetParentIdFromTagId(int(tag->GetID()) + 100), 1);
    EXPECT_LT(x.GetParentIdFromTagId(-5432), 1);

    Add<VTResponse>(x, wxS("Left"));
    Add<VTResponse>(x, wxS("Right"));
    const auto summary = x.GetResponsesSummaryInfoList();
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_EQ(summary[0].name, wxS("Left"));
    EXPECT_EQ(summary[1].name, wxS("Right"));
    EXPECT_EQ(summary[1].id, int(x.GetReadOnlyElementsOfType(ElementType::Response)[1]->GetID()));
}

TEST_F(RuleModel, TrialSubsetsUseOnlyTagsThatExist)
{
    VTExperiment x;
    VTTagSet* set = Add<VTTagSet>(x, wxS("Set"));
    VTTag* tag = set->AddTag(wxS("Tag"));
    TrialSubsetDescription d;
    EXPECT_EQ(d.rangeMode, TrialSubsetDescription::kAllPresentedTrials);
    EXPECT_EQ(d.GetRangeTagID(), -1);
    InlineHelper_UseTagsToLimitSubset(d, &x, int(tag->GetID()));
    EXPECT_TRUE(d.useTag);
    EXPECT_EQ(d.GetRangeTagID(), int(tag->GetID()));
    InlineHelper_UseTagsToLimitSubset(d, &x, int(set->GetID()) + 1000);
    EXPECT_TRUE(d.useTag);
    EXPECT_EQ(d.tagId, -1);
    d.tagId = 4;
    d.StopUsingTags();
    EXPECT_EQ(d.GetRangeTagID(), -1);
    EXPECT_EQ(d.tagId, 4);
    d.rangeMode = TrialSubsetDescription::kLastTrials;
    d.count = 10;
    EXPECT_NE(d.GetFriendlySummaryText(wxS("x")).Find(wxS("10")), wxNOT_FOUND);
}

// The conversions from a rule row's state to the stored forms, for every left
// side of the criteria and actions tables, as one table; and the pure placements
// back onto a row for the cases that need no window.

#include "RuleMenuTables.h"
#include "RulesHelperMappings.h"
#include "RulesSubmenusMadnessHelper.h"

#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTSdkResponses.h>

#include "TestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <functional>

using namespace Vantrel;
using M = RulesHelperMappingsFromLeftSideToRightSideAndMore;
using State = GUIDataNeededByRulesHelper;

namespace {

constexpr int kTagSet = 41, kTag = 42, kTrialLevel = 43;

struct World
{
    VTExperiment x;
    boost::shared_ptr<RulesSubmenusMadnessHelper> maps = boost::make_shared<RulesSubmenusMadnessHelper>(&x);
    World()
    {
        const std::pair<const char*, int> parameters[] = {{"Score", ParameterType::Counter},
                                                          {"Clock", ParameterType::Timer},
                                                          {"Answer", ParameterType::Response},
                                                          {"Note", ParameterType::Text}};
        int menuId = 27000;
        for (const auto& p : parameters) {
            x.GetParameters()->AddNewItem(OrderFormForParameterCreation(p.first, p.second));
            maps->LogParamItem(SubmenuKey::ScalarParameters, p.first, menuId++);
        }
        x.GetParameters()->AddNewItem(OrderFormForParameterCreation("Pool", ParameterType::Collection));
        maps->LogParamItem(SubmenuKey::CollectionParameters, "Pool", 28000);
        maps->LogVTElementItem(SubmenuKey::TagSets, "Colour", 25000, kTagSet);
        maps->LogVTElementItem(SubmenuKey::TrialLevels, "Difficulty", 26000, kTrialLevel);
    }
};

using StateFn = std::function<void(State&)>;
using ActionFn = std::function<void(OrderFormForActionCreation&)>;
using CriterionFn = std::function<void(ExpressionFromGUI&)>;

StateFn Op(const char* op, const char* text = "")
{
    return [=](State& s) {
        s.choiceString = op;
        s.textFieldContent = text;
    };
}

ActionFn Parameter(const char* name, int type, int operation,
                   std::function<void(OrderFormForActionCreation&)> more = {})
{
    return [=](OrderFormForActionCreation& f) {
        f.actionType = RuleCode::ActionParameter;
        f.parameterName = name;
        f.parameterType = type;
        f.operation = operation;
        if (more) more(f);
    };
}

CriterionFn BuiltIn(int code, int op, int value, std::function<void(ExpressionFromGUI&)> more = {})
{
    return [=](ExpressionFromGUI& f) {
        f.kind = RuleCode::KindBuiltIn;
        f.builtIn = code;
        f.operatorInContext = op;
        f.value = value;
        if (more) more(f);
    };
}

CriterionFn ScalarParameter(const char* name, int value2, int rhsKind, int op, int value,
                            std::function<void(ExpressionFromGUI&)> more = {})
{
    return [=](ExpressionFromGUI& f) {
        f.kind = RuleCode::KindScalarParameter;
        f.name = name;
        f.value2 = value2;
        f.rhsKind = rhsKind;
        f.operatorInContext = op;
        f.value = value;
        if (more) more(f);
    };
}

struct Case
{
    const char* name;
    int menuId;
    StateFn state;
    ActionFn action = {};        // set for action rows
    CriterionFn criterion = {};  // set for criteria rows
    int context = 4;
    const char* loggedError = nullptr;
};

}  // namespace

TEST(RuleFormConversions, EveryLeftSideBecomesItsStoredForm)
{
    World w;
    const auto param = [](const char* name, const char* text = "") {
        return [=](State& s) {
            s.choiceString = name;
            s.textFieldContent = text;
        };
    };
    const auto fromParameter = [](const char* name, const char* source) {
        return [=](State& s) {
            s.choiceString = name;
            s.secondChoiceString = source;
            s.rhsDirective = RhsDirective::Parameter;
        };
    };
    const auto elements = [](int one, int two) {
        return [=](State& s) {
            s.elementIdOne = one;
            s.elementIdTwo = two;
        };
    };
    const auto act = [](int type, std::function<void(OrderFormForActionCreation&)> more = {}) {
        return [=](OrderFormForActionCreation& f) {
            f.actionType = type;
            if (more) more(f);
        };
    };
    const auto submenu = [](int id, StateFn more) {
        return [=](State& s) {
            s.submenuId = id;
            if (more) more(s);
        };
    };
    const wxColour violet(120, 40, 200);
    TrialSubsetDescription lastFive;
    lastFive.rangeMode = TrialSubsetDescription::kLastTrials;
    lastFive.count = 5;

    const std::vector<Case> cases = {
        // ---- Actions.
        {"reset parameter", 15001, param("Score"), Parameter("Score", 0, RuleCode::ParamReset)},
        {"store response", 15002, param("Answer"),
         Parameter("Answer", ParameterType::Response, RuleCode::ParamStoreResponse)},
        {"store typed text", 15003, param("Note"), Parameter("Note", ParameterType::Text, RuleCode::ParamStoreTypedText)},
        {"set text", 15005, param("Note", "hello"),
         Parameter("Note", ParameterType::Text, RuleCode::ParamSetText, [](auto& f) { f.text = "hello"; })},
        {"append text", 15006, param("Note", " more"),
         Parameter("Note", ParameterType::Text, RuleCode::ParamAppendText, [](auto& f) { f.text = " more"; })},
        {"set counter", 15008, param("Score", "12"),
         Parameter("Score", ParameterType::Counter, RuleCode::ParamSetCounter, [](auto& f) { f.number = 12; })},
        {"increment counter by letters", 15009, param("Score", "4x"),
         Parameter("Score", ParameterType::Counter, RuleCode::ParamIncrementCounter, [](auto& f) { f.number = 1; })},
        {"decrement counter beyond 32 bits", 15010, param("Score", "4294967297"),
         Parameter("Score", ParameterType::Counter, RuleCode::ParamDecrementCounter, [](auto& f) { f.number = 1; })},
        {"set text from a parameter", 15005, fromParameter("Note", "Other"),
         [](auto& f) {
             Parameter("Note", ParameterType::Text, RuleCode::ParamSetText)(f);
             f.actionType = RuleCode::ActionParameterFromParameter;
             f.text = "Other";
         }},
        {"increment from a parameter", 15009, fromParameter("Score", "Bonus"),
         [](auto& f) {
             Parameter("Score", ParameterType::Counter, RuleCode::ParamIncrementCounter)(f);
             f.actionType = RuleCode::ActionParameterFromParameter;
             f.text = "Bonus";
         }},
        {"random counter", 15011, param("Score"), Parameter("Score", ParameterType::Counter, RuleCode::ParamRandomCounter)},
        {"start timer", 15046, param("Clock"),
         Parameter("Clock", ParameterType::Timer, RuleCode::ParamStartTimer,
                   [](auto& f) { f.flagText = TIMER_FEATURES_503; })},
        {"pause timer", 15047, param("Clock"),
         Parameter("Clock", ParameterType::Timer, RuleCode::ParamPauseTimer,
                   [](auto& f) { f.flagText = TIMER_FEATURES_503; })},
        {"clear collection", 15013, param("Pool"), Parameter("Pool", ParameterType::Collection, RuleCode::ParamReset)},
        {"add trial to collection", 15014, param("Pool"),
         Parameter("Pool", ParameterType::Collection, RuleCode::ParamAddTrialToCollection)},
        {"clear built-in collection", 15015, {}, act(RuleCode::ActionClearBuiltInCollection)},
        {"exit experiment", 15016, {}, act(RuleCode::ActionExitExperiment)},
        {"exit block", 15018, elements(7, -1), act(RuleCode::ActionExitBlock)},
        {"go back", 15019, {}, act(RuleCode::ActionGoBackToPreviousBlock)},
        {"present block", 15020, elements(7, -1), act(RuleCode::ActionPresentBlock, [](auto& f) { f.target = 7; })},
        {"repeat block", 15022, {}, act(RuleCode::ActionRepeatBlock)},
        {"present event", 15023, elements(9, -1), act(RuleCode::ActionPresentEvent, [](auto& f) { f.target = 9; })},
        {"repeat trial", 15024, {}, act(RuleCode::ActionRepeatTrial)},
        {"skip next trial", 15025, {}, act(RuleCode::ActionSkipNextTrial)},
        {"restart trial", 15035, {}, act(RuleCode::ActionTrialFlow, [](auto& f) { f.operation = 0; })},
        {"skip remaining events", 15036, {}, act(RuleCode::ActionTrialFlow, [](auto& f) { f.operation = 2; })},
        {"next level", 15038, elements(kTrialLevel, 2),
         act(RuleCode::ActionTrialLevel, [](auto& f) { f.operation = RuleCode::LevelNext, f.target = kTrialLevel; })},
        {"previous level", 15039, elements(kTrialLevel, 2),
         act(RuleCode::ActionTrialLevel,
             [](auto& f) { f.operation = RuleCode::LevelPrevious, f.target = kTrialLevel; })},
        {"set level", 15040,
         [](State& s) {
             s.elementIdOne = kTrialLevel;
             s.elementIdTwo = 3;
             s.levelSetting = RuleCode::LevelSetNumber;
         },
         act(RuleCode::ActionTrialLevel,
             [](auto& f) {
                 f.operation = RuleCode::LevelSetNumber;
                 f.target = kTrialLevel;
                 f.number = 3;
             })},
        {"set level without a setting: the first level", 15040,
         [](State& s) {
             s.elementIdOne = kTrialLevel;
             s.elementIdTwo = -1;
             s.levelSetting = 0;
         },
         act(RuleCode::ActionTrialLevel,
             [](auto& f) {
                 f.operation = RuleCode::LevelSetFirst;
                 f.target = kTrialLevel;
                 f.number = -1;
             })},
        {"background colour", 15042, [violet](State& s) { s.colour = violet; },
         act(RuleCode::ActionParameter,
             [violet](auto& f) {
                 f.operation = RuleCode::OperationBackgroundColour;
                 f.colour = violet;
             })},
        {"set trial's tag", 15044, elements(kTagSet, kTag),
         act(RuleCode::ActionSetTrialTag, [](auto& f) { f.target = kTagSet, f.target2 = kTag; })},
        {"tag all trials", 15045, elements(kTagSet, kTag),
         act(RuleCode::ActionSetTagOnAllTrialsInBlock, [](auto& f) { f.target = kTagSet, f.target2 = kTag; })},
        {"no such action", 15999, {}, [](auto&) {}, {}, 4, "Unable to create an action matching"},
        // ---- Criteria.
        {"always", 13091, {}, {}, [](ExpressionFromGUI& f) { f.kind = RuleCode::KindAlways; }},
        {"last response", 13092, [](State& s) { s.choiceString = "is not", s.elementIdTwo = 12; }, {},
         BuiltIn(RuleCode::BuiltInLastResponse, RuleCode::OpNotEqual, 12)},
        {"typed text", 13093, Op("begins with", "ab"), {},
         BuiltIn(RuleCode::BuiltInLastTypedText, RuleCode::OpBeginsWith, -1, [](auto& f) {
             f.rhsKind = RuleCode::RhsText;
             f.text = "ab";
         })},
        {"typed text against a parameter", 13093,
         [](State& s) {
             s.choiceString = "contains";
             s.secondChoiceString = "Note";
             s.rhsDirective = RhsDirective::Parameter;
         },
         {},
         BuiltIn(RuleCode::BuiltInLastTypedText, RuleCode::OpContains, -1, [](auto& f) {
             f.rhsKind = RuleCode::RhsParameter;
             f.text = "Note";
         })},
        {"reaction time", 13094, Op(">", "800"), {}, BuiltIn(RuleCode::BuiltInTrialReactionTime, RuleCode::OpGreater, 800)},
        {"reaction time beyond 32 bits", 13094, Op(">", "99999999999"), {},
         BuiltIn(RuleCode::BuiltInTrialReactionTime, RuleCode::OpGreater, 0)},
        {"presentations in a trial's When to Present", 13095, Op("=", "2"), {},
         BuiltIn(RuleCode::BuiltInTrialPresentationCountWhen, RuleCode::OpEqual, 2), 3},
        {"presentations in trial rules", 13095, Op("<", "3"), {},
         BuiltIn(RuleCode::BuiltInTrialPresentationCountRule, RuleCode::OpLess, 3), 4},
        {"presentations in a block", 13095, Op("<", "3"), {}, BuiltIn(-1, RuleCode::OpLess, 3), 2,
         "Failed to create trial-presentation-count criterion."},
        {"participant name", 13096, Op("is equal to", "p07"), {},
         BuiltIn(RuleCode::BuiltInParticipantName, RuleCode::OpEqual, -1, [](auto& f) { f.text = "p07"; })},
        {"percentage correct over the last five", 14098,
         [lastFive](State& s) {
             Op(">", "75")(s);
             s.trialSubset = lastFive;
         },
         {},
         BuiltIn(RuleCode::BuiltInBlockTrialStatistic, RuleCode::OpGreater, 75, [lastFive](auto& f) {
             f.rhsKind = RuleCode::RhsPercentageCorrect;
             f.trialSubset = lastFive;
         })},
        {"trials presented", 14099, Op("=", "10"), {},
         BuiltIn(RuleCode::BuiltInBlockTrialStatistic, RuleCode::OpEqual, 10,
                 [](auto& f) { f.rhsKind = RuleCode::RhsNumberOfTrialsPresented; })},
        {"average RT", 14100, Op("<", "450"), {},
         BuiltIn(RuleCode::BuiltInBlockTrialStatistic, RuleCode::OpLess, 450,
                 [](auto& f) { f.rhsKind = RuleCode::RhsAverageRT; })},
        {"time since block start in seconds", 14101,
         [](State& s) {
             Op(">", "30")(s);
             s.secondChoiceString = "seconds";
         },
         {},
         BuiltIn(RuleCode::BuiltInTimeSinceBlockStart, RuleCode::OpGreater, 30,
                 [](auto& f) { f.flagText = TIMEUNITS_SECS; })},
        {"time since experiment start", 14102,
         [](State& s) {
             Op("<", "2")(s);
             s.secondChoiceString = "minutes";
         },
         {},
         BuiltIn(RuleCode::BuiltInTimeSinceExperimentStart, RuleCode::OpLess, 2,
                 [](auto& f) { f.flagText = TIMEUNITS_MIN; })},
        {"trial's tag", 14103, submenu(25000, [](State& s) { s.choiceString = "is set to", s.elementIdTwo = kTag; }), {},
         BuiltIn(RuleCode::BuiltInTrialTagSetRuleContext, RuleCode::OpEqual, kTagSet,
                 [](auto& f) { f.value2 = kTag; })},
        {"same tag as the previous trial", 14103,
         submenu(25000, [](State& s) { s.choiceString = "is not set to", s.elementIdTwo = -5432; }), {},
         BuiltIn(RuleCode::BuiltInTrialTagSetBlockContext, RuleCode::OpNotEqual, kTagSet,
                 [](auto& f) { f.value2 = -5432; }),
         3},
        {"trial level", 14103, submenu(26000, [](State& s) { s.choiceString = "is", s.elementIdTwo = 2; }), {},
         [](ExpressionFromGUI& f) {
             f.kind = RuleCode::KindTrialLevel;
             f.operatorInContext = RuleCode::OpEqual;
             f.value2 = kTrialLevel;
             f.value = 2;
         }},
        {"counter against a number", 14103,
         submenu(27000, [](State& s) { Op(">", "5")(s), s.rhsDirective = RhsDirective::Value; }), {},
         ScalarParameter("Score", ParameterType::Counter, RuleCode::RhsNumber, RuleCode::OpGreater, 5)},
        {"timer in minutes", 14103,
         submenu(27001,
                 [](State& s) {
                     Op("<", "3")(s);
                     s.secondChoiceString = "minutes";
                     s.rhsDirective = RhsDirective::Value;
                 }),
         {},
         ScalarParameter("Clock", ParameterType::Timer, RuleCode::RhsNumber, RuleCode::OpLess, 3,
                         [](auto& f) { f.flagText = wxString(TIMEUNITS_MIN) + TIMER_EXPR_503; })},
        {"response parameter unset", 14103,
         submenu(27002,
                 [](State& s) {
                     s.choiceString = "is";
                     s.elementIdTwo = -2;
                     s.rhsDirective = RhsDirective::Value;
                 }),
         {},
         ScalarParameter("Answer", VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined(), RuleCode::RhsNumber,
                         RuleCode::OpEqual, VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined())},
        {"text parameter against another", 14103,
         submenu(27003,
                 [](State& s) {
                     s.choiceString = "ends with";
                     s.secondChoiceString = "Other";
                     s.rhsDirective = RhsDirective::Parameter;
                 }),
         {},
         ScalarParameter("Note", ParameterType::Text, RuleCode::RhsParameter, RuleCode::OpEndsWith, 0,
                         [](auto& f) { f.text = "Other"; })},
        {"collection: percentage incorrect", 14103,
         submenu(28000,
                 [](State& s) {
                     Op(">", "20")(s);
                     s.collectionFunction.function = CollectionFunctionInfo::kPercentCorrect;
                     s.collectionFunction.correct = false;
                 }),
         {},
         [](ExpressionFromGUI& f) {
             f.kind = RuleCode::KindCollection;
             f.name = "Pool";
             f.rhsKind = CollectionFunctionInfo::kPercentCorrect;
             f.builtIn = 0;
             f.value2 = -1;
             f.flagText = COLLFUNC_YES_CONT;
             f.operatorInContext = RuleCode::OpGreater;
             f.value = 20;
         }},
        {"a scalar parameter without a kind of right side", 14103, submenu(27000, Op(">", "5")), {},
         [](ExpressionFromGUI&) {}, 4, "Unable to create an expression matching"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestSupport::ClearLog();
        State state;
        if (c.state) c.state(state);
        if (c.action) {
            OrderFormForActionCreation expected, got;
            c.action(expected);
            M::PlaceRowGUIStateOntoThisActionForm(c.menuId, state, got);
            EXPECT_TRUE(got == expected) << got.actionType << "/" << got.operation << "/" << got.number;
        } else {
            ExpressionFromGUI expected, got;
            c.criterion(expected);
            M::PlaceRowGUIStateOntoThisExpressionForm(c.menuId, state, got, c.context, w.maps);
            EXPECT_TRUE(got == expected) << got.kind << "/" << got.builtIn << "/" << got.value << "/" << got.value2
                                         << "/" << got.operatorInContext << "/" << got.flagText;
            EXPECT_TRUE(got.isAnd);
        }
        if (c.loggedError)
            EXPECT_TRUE(TestSupport::LogContains(c.loggedError)) << TestSupport::LogAsText();
        else
            EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    }
}

TEST(RuleFormConversions, StoredFormsPlaceTheirLeftSideAndState)
{
    World w;
    OrderFormForActionCreation colour;
    colour.actionType = RuleCode::ActionParameter;
    colour.operation = RuleCode::OperationBackgroundColour;
    colour.colour = wxColour(1, 2, 3);
    RowPlacement p = M::PlacementForActionForm(colour);
    EXPECT_EQ(p.selectLabel, "Change background color");
    EXPECT_EQ(p.state.colour, wxColour(1, 2, 3));

    OrderFormForActionCreation increment;
    increment.actionType = RuleCode::ActionParameterFromParameter;
    increment.parameterName = "Score";
    increment.parameterType = ParameterType::Counter;
    increment.operation = RuleCode::ParamIncrementCounter;
    increment.text = "Bonus";
    p = M::PlacementForActionForm(increment);
    EXPECT_EQ(p.selectLabel, "Increment counter");
    EXPECT_EQ(p.rhsDirectiveForRow, RhsDirective::Parameter);
    EXPECT_EQ(p.state.secondChoiceString, "Bonus");

    ExpressionFromGUI level;
    level.kind = RuleCode::KindTrialLevel;
    level.value2 = 999;  // the variable was deleted
    level.value = 1;
    level.operatorInContext = RuleCode::OpNotEqual;
    TestSupport::ClearLog();
    p = M::PlacementForExpressionForm(level, w.maps, &w.x);
    EXPECT_TRUE(TestSupport::LogContains("Trial level variable no longer exists."));
    EXPECT_EQ(p.state.choiceString, "is not");
    EXPECT_EQ(p.state.elementIdTwo, 1);

    ExpressionFromGUI collection;
    collection.kind = RuleCode::KindCollection;
    collection.name = "Pool";
    collection.rhsKind = CollectionFunctionInfo::kContainsTrial;
    collection.builtIn = 1;
    collection.flagText = COLLFUNC_NOT_CONT;
    p = M::PlacementForExpressionForm(collection, w.maps, &w.x);
    EXPECT_EQ(p.state.submenuId, 28000);
    EXPECT_TRUE(p.state.collectionFunction.doesNotContain);
    EXPECT_TRUE(p.state.collectionFunction.correct);

    OrderFormForActionCreation removed;
    removed.actionType = RuleCode::ActionTrialFlow;
    removed.operation = 1;
    TestSupport::ClearLog();
    EXPECT_FALSE(M::PlacementForActionForm(removed).ok);
    EXPECT_TRUE(TestSupport::LogContains("Unable to display the stored action using the current GUI."));
}

TEST(RuleFormConversions, SubmenuRangesPagesAndDefaults)
{
    EXPECT_EQ(M::GetElementTypeFromSubmenuId(25000), 11);
    EXPECT_EQ(M::GetElementTypeFromSubmenuId(25999), 11);
    EXPECT_EQ(M::GetElementTypeFromSubmenuId(26000), 3);
    EXPECT_EQ(M::GetElementTypeFromSubmenuId(27000), 72);
    EXPECT_EQ(M::GetElementTypeFromSubmenuId(28000), 73);
    EXPECT_EQ(M::GetElementTypeFromSubmenuId(30000), -1);
    EXPECT_EQ(M::GetElementTypeFromSubmenuId(0), -1);
    TestSupport::ClearLog();
    EXPECT_FALSE(M::TheIdBelongsToTagsSubmenu(-5));
    EXPECT_TRUE(TestSupport::LogContains("Negative menu id not allowed."));

    const M::PageMap actions = MapActionMenuToBookPage;
    EXPECT_EQ(M::PageForPick(15011, -1, -1, actions, true), 16);
    EXPECT_EQ(M::PageForPick(15008, -1, -1, actions, true), 33);
    EXPECT_EQ(M::PageForPick(15008, -1, -1, actions, false), 13);
    EXPECT_EQ(M::PageForPick(15042, -1, -1, actions, false), 25);
    EXPECT_EQ(M::PageForPick(99, -1, -1, actions, false), 99999);
    EXPECT_EQ(M::PageForPick(13093, -1, -1, MapExprMenuToBookPage, true), 0);
    EXPECT_EQ(M::PageForPick(14103, 27000, ParameterType::Timer, MapExprMenuToBookPage, false), 3);
    EXPECT_EQ(M::PageForPick(14103, 28000, -1, MapExprMenuToBookPage, false), 30);

    const ExpressionFromGUI later = M::GetFormForExpressionRowDefaults(false);
    EXPECT_EQ(later.builtIn, RuleCode::BuiltInTimeSinceBlockStart);
    EXPECT_EQ(later.flagText, TIMEUNITS_MILLIS);
    EXPECT_EQ(M::GetFormForExpressionRowDefaults(true).kind, RuleCode::KindAlways);
    const OrderFormForActionCreation action = M::GetFormForActionRowDefaults();
    EXPECT_EQ(action.actionType, RuleCode::ActionParameter);
    EXPECT_EQ(action.operation, RuleCode::ParamReset);

    OrderFormForExpressionCreation form;
    CollectionFunctionInfo info;
    info.doesNotContain = true;
    info.TranslateInfoOntoExpressionForm(form);
    info.TranslateInfoOntoExpressionForm(form);
    EXPECT_EQ(form.flagText, COLLFUNC_NOT_CONT);
}

TEST(RuleFormConversions, TypedNumbersAreRead32BitOrNotAtAll)
{
    std::int32_t n = 7;
    EXPECT_TRUE(ParseRuleNumber("-2147483648", n));
    EXPECT_EQ(n, -2147483648LL);
    EXPECT_TRUE(ParseRuleNumber("2147483647", n));
    EXPECT_FALSE(ParseRuleNumber("2147483648", n));
    EXPECT_FALSE(ParseRuleNumber("4294967297", n));
    EXPECT_FALSE(ParseRuleNumber("12abc", n));
    EXPECT_FALSE(ParseRuleNumber("", n));
    EXPECT_EQ(n, 2147483647);

    State s;
    s.SetTextFieldContent("  ");
    EXPECT_TRUE(s.firstTextFieldContent.empty());
    s.SetTextFieldContent(" 5");
    s.SetTextFieldContent("6");
    EXPECT_EQ(s.firstTextFieldContent, " 5");
    EXPECT_EQ(s.GetOriginalValueOrElseThis("1"), " 5");
}

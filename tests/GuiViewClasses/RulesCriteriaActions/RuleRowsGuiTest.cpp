// Rule rows on screen: every stored criterion and action shown on a row and read
// back gives the stored form again (up to the documented normalisations), and the
// row's own controls (numbers, the gear menu, the left side) behave as a user
// expects.

#include "RuleRowsWorld.h"

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RuleRowRHSPanels.h"

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTPlugInCommon/VTSdkResponses.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/hyperlink.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <functional>

using namespace Vantrel;
using namespace RuleRows;

namespace {

ExpressionFromGUI Criterion(std::function<void(ExpressionFromGUI&)> fill)
{
    ExpressionFromGUI f;
    fill(f);
    return f;
}

ExpressionFromGUI BuiltIn(int code, int op, int value, std::function<void(ExpressionFromGUI&)> more = {})
{
    return Criterion([&](ExpressionFromGUI& f) {
        f.kind = RuleCode::KindBuiltIn;
        f.builtIn = code;
        f.operatorInContext = op;
        f.value = value;
        if (more) more(f);
    });
}

OrderFormForActionCreation Action(int type, std::function<void(OrderFormForActionCreation&)> more = {})
{
    OrderFormForActionCreation f;
    f.actionType = type;
    if (more) more(f);
    return f;
}

OrderFormForActionCreation ParameterAction(const char* name, int type, int operation,
                                           std::function<void(OrderFormForActionCreation&)> more = {})
{
    return Action(RuleCode::ActionParameter, [&](OrderFormForActionCreation& f) {
        f.parameterName = name;
        f.parameterType = type;
        f.operation = operation;
        if (more) more(f);
    });
}

std::string Describe(const ExpressionFromGUI& f)
{
    return wxString::Format("kind %d builtIn %d value %d op %d rhs %d value2 %d name '%s' text '%s' flags '%s' and %d",
                            f.kind, f.builtIn, f.value, f.operatorInContext, f.rhsKind, f.value2, f.name, f.text,
                            f.flagText, int(f.isAnd))
        .utf8_string();
}

std::string Describe(const OrderFormForActionCreation& f)
{
    return wxString::Format("type %d op %d target %d/%d number %d param '%s' (%d) text '%s' flags '%s' colour %s",
                            f.actionType, f.operation, f.target, f.target2, f.number, f.parameterName, f.parameterType,
                            f.text, f.flagText, f.colour.GetAsString(wxC2S_HTML_SYNTAX))
        .utf8_string();
}

class RuleRowsGui : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    World w;
    Host host;
};

}  // namespace

TEST_F(RuleRowsGui, EveryStoredCriterionComesBackFromARow)
{
    const int red = int(w.red->GetID()), colours = int(w.colours->GetID()), levels = int(w.difficulty->GetID());
    const int left = int(w.left->GetID());
    TrialSubsetDescription lastFive;
    lastFive.rangeMode = TrialSubsetDescription::kLastTrials;
    lastFive.count = 5;
    struct Case
    {
        const char* name;
        ExpressionFromGUI stored;
        std::function<void(ExpressionFromGUI&)> normalised = {};  // what showing it makes of it
    };
    const std::vector<Case> cases = {
        {"always", Criterion([](auto& f) { f.kind = RuleCode::KindAlways; })},
        {"last response", BuiltIn(RuleCode::BuiltInLastResponse, RuleCode::OpEqual, left)},
        {"last response unset", BuiltIn(RuleCode::BuiltInLastResponse, RuleCode::OpNotEqual, -2)},
        {"typed text", BuiltIn(RuleCode::BuiltInLastTypedText, RuleCode::OpBeginsWith, -1,
                               [](auto& f) { f.rhsKind = RuleCode::RhsText, f.text = "ab c"; })},
        {"typed text against a parameter",
         BuiltIn(RuleCode::BuiltInLastTypedText, RuleCode::OpContains, -1,
                 [](auto& f) { f.rhsKind = RuleCode::RhsParameter, f.text = "Other"; })},
        {"reaction time, joined by or",
         BuiltIn(RuleCode::BuiltInTrialReactionTime, RuleCode::OpGreater, 800, [](auto& f) { f.isAnd = false; })},
        {"presentations", BuiltIn(RuleCode::BuiltInTrialPresentationCountRule, RuleCode::OpLess, 3)},
        {"participant name",
         BuiltIn(RuleCode::BuiltInParticipantName, RuleCode::OpNotEqual, -1, [](auto& f) { f.text = "p07"; })},
        {"percentage of the last five",
         BuiltIn(RuleCode::BuiltInBlockTrialStatistic, RuleCode::OpLess, 75,
                 [&](auto& f) { f.rhsKind = RuleCode::RhsPercentageCorrect, f.trialSubset = lastFive; })},
        {"trials presented", BuiltIn(RuleCode::BuiltInBlockTrialStatistic, RuleCode::OpEqual, 10,
                                     [](auto& f) { f.rhsKind = RuleCode::RhsNumberOfTrialsPresented; })},
        {"average RT", BuiltIn(RuleCode::BuiltInBlockTrialStatistic, RuleCode::OpGreater, 450,
                               [](auto& f) { f.rhsKind = RuleCode::RhsAverageRT; })},
        {"time since block start in seconds", BuiltIn(RuleCode::BuiltInTimeSinceBlockStart, RuleCode::OpGreater, 30,
                                                      [](auto& f) { f.flagText = TIMEUNITS_SECS; })},
        {"time since experiment start", BuiltIn(RuleCode::BuiltInTimeSinceExperimentStart, RuleCode::OpLess, 2,
                                                [](auto& f) { f.flagText = TIMEUNITS_MILLIS; })},
        {"trial's tag", BuiltIn(RuleCode::BuiltInTrialTagSetRuleContext, RuleCode::OpEqual, colours,
                                [&](auto& f) { f.value2 = red; })},
        {"previous trial's tag", BuiltIn(RuleCode::BuiltInTrialTagSetRuleContext, RuleCode::OpNotEqual, colours,
                                         [](auto& f) { f.value2 = RuleCode::SameTagAsPreviousTrial; })},
        {"trial level", Criterion([&](auto& f) {
             f.kind = RuleCode::KindTrialLevel, f.operatorInContext = RuleCode::OpNotEqual;
             f.value2 = levels, f.value = 2;
         })},
        {"trial level: the last", Criterion([&](auto& f) {
             f.kind = RuleCode::KindTrialLevel, f.operatorInContext = RuleCode::OpEqual;
             f.value2 = levels, f.value = RuleCode::LevelLast;
         }),
         [](auto& f) { f.value = 3; }},
        {"trial level: none stored", Criterion([&](auto& f) {
             f.kind = RuleCode::KindTrialLevel, f.operatorInContext = RuleCode::OpEqual;
             f.value2 = levels, f.value = -1;
         }),
         [](auto& f) { f.value = 0; }},
        {"counter", Criterion([](auto& f) {
             f.kind = RuleCode::KindScalarParameter, f.name = "Score", f.value2 = ParameterType::Counter;
             f.rhsKind = RuleCode::RhsNumber, f.operatorInContext = RuleCode::OpGreater, f.value = 5;
         })},
        {"counter against a counter", Criterion([](auto& f) {
             f.kind = RuleCode::KindScalarParameter, f.name = "Score", f.value2 = ParameterType::Counter;
             f.rhsKind = RuleCode::RhsParameter, f.text = "Bonus", f.operatorInContext = RuleCode::OpLess;
             f.value = 0;
         })},
        {"timer in minutes", Criterion([](auto& f) {
             f.kind = RuleCode::KindScalarParameter, f.name = "Clock", f.value2 = ParameterType::Timer;
             f.rhsKind = RuleCode::RhsNumber, f.operatorInContext = RuleCode::OpLess, f.value = 3;
             f.flagText = wxString(TIMEUNITS_MIN) + TIMER_EXPR_503;
         })},
        {"response parameter", Criterion([&](auto& f) {
             f.kind = RuleCode::KindScalarParameter, f.name = "Answer", f.value2 = left;
             f.rhsKind = RuleCode::RhsNumber, f.operatorInContext = RuleCode::OpEqual, f.value = left;
         })},
        {"text parameter", Criterion([](auto& f) {
             f.kind = RuleCode::KindScalarParameter, f.name = "Note", f.value2 = ParameterType::Text;
             f.rhsKind = RuleCode::RhsText, f.text = "x", f.operatorInContext = RuleCode::OpEndsWith, f.value = 0;
         })},
        {"collection: percentage incorrect", Criterion([](auto& f) {
             f.kind = RuleCode::KindCollection, f.name = "Pool", f.rhsKind = CollectionFunctionInfo::kPercentCorrect;
             f.builtIn = 0, f.value2 = -1, f.flagText = COLLFUNC_YES_CONT;
             f.operatorInContext = RuleCode::OpGreater, f.value = 20;
         })},
        {"collection: number tagged red", Criterion([&](auto& f) {
             f.kind = RuleCode::KindCollection, f.name = "Pool", f.rhsKind = CollectionFunctionInfo::kNumberTagged;
             f.builtIn = 1, f.value2 = red, f.flagText = COLLFUNC_YES_CONT;
             f.operatorInContext = RuleCode::OpEqual, f.value = 3;
         })},
        {"collection: percentage tagged red", Criterion([&](auto& f) {
             f.kind = RuleCode::KindCollection, f.name = "Pool", f.rhsKind = CollectionFunctionInfo::kPercentTagged;
             f.builtIn = 1, f.value2 = red, f.flagText = COLLFUNC_YES_CONT;
             f.operatorInContext = RuleCode::OpGreater, f.value = 60;
         })},
        {"collection: full", Criterion([](auto& f) {
             f.kind = RuleCode::KindCollection, f.name = "Pool", f.rhsKind = CollectionFunctionInfo::kIsFull;
             f.builtIn = 1, f.value2 = -1, f.flagText = COLLFUNC_YES_CONT;
             f.operatorInContext = RuleCode::OpGreater, f.value = 0;
         })},
        {"collection: lacks this trial", Criterion([](auto& f) {
             f.kind = RuleCode::KindCollection, f.name = "Pool", f.rhsKind = CollectionFunctionInfo::kContainsTrial;
             f.builtIn = 1, f.value2 = -1, f.flagText = COLLFUNC_NOT_CONT;
             f.operatorInContext = RuleCode::OpLess, f.value = 0;
         })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestSupport::ClearLog();
        RuleComponentRowPanel* row = host.NewRow(4, false, &w.x);
        row->PlaceFormStateOntoGUI(c.stored);
        ExpressionFromGUI back;
        row->PlaceRowGUIStateOntoThisForm(back);
        ExpressionFromGUI expected = c.stored;
        if (c.normalised) c.normalised(expected);
        EXPECT_TRUE(back == expected && back.isAnd == expected.isAnd)
            << "stored   " << Describe(expected) << "\nfrom row " << Describe(back);
        EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    }
}

TEST_F(RuleRowsGui, EveryStoredActionComesBackFromARow)
{
    const int block = int(w.block->GetID()), event = int(w.event->GetID()), levels = int(w.difficulty->GetID());
    const int colours = int(w.colours->GetID()), blue = int(w.blue->GetID());
    struct Case
    {
        const char* name;
        OrderFormForActionCreation stored;
        std::function<void(OrderFormForActionCreation&)> normalised = {};
    };
    const auto fromParameter = [](const char* name, int type, int operation, const char* source) {
        return ParameterAction(name, type, operation, [&](auto& f) {
            f.actionType = RuleCode::ActionParameterFromParameter;
            f.text = source;
        });
    };
    const auto level = [&](int operation, int number) {
        return Action(RuleCode::ActionTrialLevel,
                      [&](auto& f) { f.target = levels, f.operation = operation, f.number = number; });
    };
    const std::vector<Case> cases = {
        {"reset", ParameterAction("Bonus", 0, RuleCode::ParamReset)},
        {"store response", ParameterAction("Answer", ParameterType::Response, RuleCode::ParamStoreResponse)},
        {"store typed text", ParameterAction("Other", ParameterType::Text, RuleCode::ParamStoreTypedText)},
        {"set text",
         ParameterAction("Note", ParameterType::Text, RuleCode::ParamSetText, [](auto& f) { f.text = "hi"; })},
        {"append text",
         ParameterAction("Other", ParameterType::Text, RuleCode::ParamAppendText, [](auto& f) { f.text = " there"; })},
        {"set counter",
         ParameterAction("Score", ParameterType::Counter, RuleCode::ParamSetCounter, [](auto& f) { f.number = 12; })},
        {"increment counter", ParameterAction("Bonus", ParameterType::Counter, RuleCode::ParamIncrementCounter,
                                              [](auto& f) { f.number = -3; })},
        {"decrement counter", ParameterAction("Score", ParameterType::Counter, RuleCode::ParamDecrementCounter,
                                              [](auto& f) { f.number = 2; })},
        {"set text from a parameter", fromParameter("Note", ParameterType::Text, RuleCode::ParamSetText, "Other")},
        {"append from a parameter", fromParameter("Other", ParameterType::Text, RuleCode::ParamAppendText, "Note")},
        {"set counter from a parameter",
         fromParameter("Score", ParameterType::Counter, RuleCode::ParamSetCounter, "Bonus")},
        {"increment from a parameter",
         fromParameter("Bonus", ParameterType::Counter, RuleCode::ParamIncrementCounter, "Score")},
        {"decrement from a parameter",
         fromParameter("Score", ParameterType::Counter, RuleCode::ParamDecrementCounter, "Bonus")},
        {"random counter", ParameterAction("Score", ParameterType::Counter, RuleCode::ParamRandomCounter)},
        {"start timer", ParameterAction("Clock", ParameterType::Timer, RuleCode::ParamStartTimer,
                                        [](auto& f) { f.flagText = TIMER_FEATURES_503; })},
        {"pause timer", ParameterAction("Clock", ParameterType::Timer, RuleCode::ParamPauseTimer,
                                        [](auto& f) { f.flagText = TIMER_FEATURES_503; })},
        {"clear collection", ParameterAction("Pool", ParameterType::Collection, RuleCode::ParamReset)},
        {"add trial to collection",
         ParameterAction("Pool", ParameterType::Collection, RuleCode::ParamAddTrialToCollection)},
        {"clear built-in collection", Action(RuleCode::ActionClearBuiltInCollection)},
        {"exit experiment", Action(RuleCode::ActionExitExperiment)},
        {"exit block", Action(RuleCode::ActionExitBlock)},
        {"go back", Action(RuleCode::ActionGoBackToPreviousBlock)},
        {"present block", Action(RuleCode::ActionPresentBlock, [&](auto& f) { f.target = block; })},
        {"repeat block", Action(RuleCode::ActionRepeatBlock)},
        {"present event", Action(RuleCode::ActionPresentEvent, [&](auto& f) { f.target = event; })},
        {"repeat trial", Action(RuleCode::ActionRepeatTrial)},
        {"skip next trial", Action(RuleCode::ActionSkipNextTrial)},
        {"restart trial", Action(RuleCode::ActionTrialFlow, [](auto& f) { f.operation = 0; })},
        {"skip remaining events", Action(RuleCode::ActionTrialFlow, [](auto& f) { f.operation = 2; })},
        {"next level", Action(RuleCode::ActionTrialLevel, [&](auto& f) { f.target = levels, f.operation = 3016; })},
        {"previous level", Action(RuleCode::ActionTrialLevel, [&](auto& f) { f.target = levels, f.operation = 3017; })},
        {"set level 2", level(RuleCode::LevelSetNumber, 2)},
        {"set a random level", level(RuleCode::LevelSetRandom, -3344)},
        {"set the last level", level(RuleCode::LevelSetLast, -1), [](auto& f) { f.operation = 3021, f.number = 4; }},
        {"set the first level", level(RuleCode::LevelSetFirst, -1), [](auto& f) { f.operation = 3021, f.number = 1; }},
        {"background colour",
         Action(RuleCode::ActionParameter, [](auto& f) { f.operation = 1001, f.colour = wxColour(12, 200, 34); })},
        {"set trial's tag",
         Action(RuleCode::ActionSetTrialTag, [&](auto& f) { f.target = colours, f.target2 = blue; })},
        {"tag all trials",
         Action(RuleCode::ActionSetTagOnAllTrialsInBlock, [&](auto& f) { f.target = colours, f.target2 = blue; })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestSupport::ClearLog();
        // The trial-flow actions belong to event feedback.
        const int context = c.stored.actionType == RuleCode::ActionTrialFlow ? 5 : 4;
        RuleComponentRowPanel* row = host.NewRow(context, true, &w.x);
        row->PlaceFormStateOntoGUI(c.stored);
        OrderFormForActionCreation back;
        row->PlaceRowGUIStateOntoThisForm(back);
        OrderFormForActionCreation expected = c.stored;
        if (c.normalised) c.normalised(expected);
        EXPECT_TRUE(back == expected) << "stored   " << Describe(expected) << "\nfrom row " << Describe(back);
        EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    }
}

TEST_F(RuleRowsGui, TypedNumbersThatAreNoNumberStoreTheFirstValueOrOne)
{
    RuleComponentRowPanel* row = host.NewRow(4, false, &w.x);
    row->ReactToLatestLeftHandID(13094, false);  // "Trial's reaction time"
    auto* field = dynamic_cast<wxTextCtrl*>(row->OperandBook()->GetCurrentPage()->FindWindow("rule_rhs_field1"));
    ASSERT_NE(field, nullptr);
    struct Case
    {
        const char* typed;
        const char* stored;
        bool logged;
    };
    // The page's own "0" reached the row first: that is the value a bad entry falls back to.
    ASSERT_EQ(row->RowState().firstTextFieldContent, "0");
    const Case cases[] = {{" 42 ", "42", false},
                          {"", "0", false},
                          {"-", "0", false},
                          {"4x", "0", true},
                          {"4294967297", "0", true},
                          {"2147483648", "0", true},
                          {"-2147483648", "-2147483648", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TestSupport::ClearLog();
        field->SetValue(c.typed);
        EXPECT_EQ(row->RowState().textFieldContent, c.stored);
        EXPECT_EQ(TestSupport::LogContains("Non-numeric value found in number entry field."), c.logged);
        EXPECT_EQ(field->GetValue(), c.typed);  // the field keeps what was typed
    }
}

TEST_F(RuleRowsGui, GearMenuAddsDuplicatesDeletesAndTogglesTheRightSide)
{
    RuleComponentRowPanel* row = host.NewRow(4, true, &w.x);
    const auto pick = [row](int id) {
        wxCommandEvent event(wxEVT_BUTTON, RuleComponentRowPanel::kRowMenuId);
        event.SetInt(id);
        event.SetEventObject(row->RowMenuButton());
        row->RowMenuButton()->GetEventHandler()->ProcessEvent(event);
    };
    EXPECT_EQ(row->AddId(), 17014);
    EXPECT_EQ(row->DeleteId(), 17016);
    pick(17014);
    pick(17015);
    pick(17016);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"insert", "duplicate", "remove"}));
    TestSupport::ClearLog();
    pick(17099);
    EXPECT_TRUE(TestSupport::LogContains("Row drop-down button produced a command id that we do not recognize."));

    // "Set counter value" allows a parameter on the right: the toggle switches its page.
    wxCommandEvent lhs(wxEVT_MENU, 15008);
    row->LeftSide()->GetEventHandler()->ProcessEvent(lhs);
    EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), 13);
    ASSERT_EQ(row->ToggleId(), 17017);
    EXPECT_EQ(row->RowMenuButton()->FindItemById(17017)->GetItemLabelText(), "Enter a Parameter");
    pick(17017);
    EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), 33);
    EXPECT_EQ(row->RowState().rhsDirective, RhsDirective::Parameter);
    EXPECT_EQ(row->RowMenuButton()->FindItemById(17017)->GetItemLabelText(), "Enter a Fixed Value");
    pick(17017);
    EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), 13);
    EXPECT_EQ(row->RowState().rhsDirective, RhsDirective::Value);
}

TEST_F(RuleRowsGui, TheLeftSideJoinerAndFormsBeforeSetUp)
{
    RuleComponentRowPanel* row = host.NewRow(4, false, &w.x);
    EXPECT_EQ(row->GetIdOfSelectedLHS(), 14101);  // a later row starts as "Time since start of block"
    const int reports = host.reports;
    wxCommandEvent dynamic(wxEVT_MENU, 14103);
    row->LeftSide()->GetEventHandler()->ProcessEvent(dynamic);
    EXPECT_EQ(row->GetIdOfSelectedLHS(), 14101);
    EXPECT_EQ(host.reports, reports);
    // A link's context menu command is no left-side pick.
    wxCommandEvent copy(wxEVT_MENU, wxID_COPY);
    row->AndOrLink()->GetEventHandler()->ProcessEvent(copy);
    EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), 3);
    EXPECT_EQ(host.reports, reports);

    // A tag set from the submenu: the row reads "Tag "Colour"" and shows the tags.
    wxCommandEvent tagSet(wxEVT_MENU, 25000);
    row->LeftSide()->GetEventHandler()->ProcessEvent(tagSet);
    EXPECT_EQ(row->LeftSide()->GetValue(), "Tag \"Colour\"");
    EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), 6);
    EXPECT_EQ(row->RowState().elementIdTwo, -5432);

    wxHyperlinkEvent click(row->AndOrLink(), RuleComponentRowPanel::kAndOrLinkId, wxString());
    row->AndOrLink()->GetEventHandler()->ProcessEvent(click);
    ExpressionFromGUI form;
    row->PlaceRowGUIStateOntoThisForm(form);
    EXPECT_FALSE(form.isAnd);
    row->AndOrLink()->GetEventHandler()->ProcessEvent(click);
    row->PlaceRowGUIStateOntoThisForm(form);
    EXPECT_TRUE(form.isAnd);

    RuleComponentRowPanel* pending = host.NewRow(4, false, &w.x, false);
    TestSupport::ClearLog();
    pending->PlaceFormStateOntoGUI(form);
    EXPECT_TRUE(TestSupport::LogContains("before the row was set up")) << TestSupport::LogAsText();
}

// The operand pages that name parameters, on real rule rows: each stored parameter
// criterion and action shows its page with the lists filtered by type and its values
// in place; what the user then changes there with the controls' own events is what
// the row stores, and that stored form shown again on a fresh row comes back unchanged.

#include "RuleRowEvents.h"
#include "RuleRowsWorld.h"

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RuleRowRHSPanels.h"
#include "RuleSubmenus.h"

#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTPlugInCommon/VTSdkResponses.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <utility>
#include <vector>

using namespace Vantrel;
using namespace RuleRows;

namespace {

using Controls = std::vector<std::pair<const char*, wxString>>;

// A stored form, the page it shows, what that page's controls show then (by window
// name; "min" and "max" are the counter limits), what the user changes there and
// what that makes of the stored form.
template <class Form>
struct PageCase
{
    const char* name;
    Form stored;
    int page;
    Controls shown;
    Controls edits;
    std::function<void(Form&)> edited;
    bool numberRefused = false;  // an edit that is no 32-bit number: named in the log, the earlier value kept
};

wxWindow* Control(RuleComponentRowPanel* row, const char* name)
{
    auto* page = static_cast<RuleRowRHSPageBase*>(row->OperandBook()->GetCurrentPage());
    if (wxString(name) == "min") return page->MinLabel();
    if (wxString(name) == "max") return page->MaxLabel();
    return page->FindWindow(name);
}

// What a user sees of a control: a choice's items and selection, a field's text, a
// label's text; "(hidden)" when it is not shown.
wxString Seen(wxWindow* window)
{
    if (!window) return "(none)";
    wxString seen;
    if (auto* choice = dynamic_cast<wxChoice*>(window))
        seen = wxJoin(choice->GetStrings(), '|', '\0') + " -> " + choice->GetStringSelection();
    else if (auto* field = dynamic_cast<wxTextCtrl*>(window))
        seen = field->GetValue();
    else if (auto* label = dynamic_cast<wxStaticText*>(window))
        seen = label->GetLabel();
    return window->IsShown() ? seen : seen + " (hidden)";
}

void Edit(RuleComponentRowPanel* row, const char* name, const wxString& value)
{
    wxWindow* window = Control(row, name);
    if (auto* choice = dynamic_cast<wxChoice*>(window))
        Choose(choice, value);
    else if (auto* field = dynamic_cast<wxTextCtrl*>(window))
        field->SetValue(value);  // sends the field's text event, as typing does
    else
        ADD_FAILURE() << "no control to change named " << name;
}

std::string Describe(const ExpressionFromGUI& f)
{
    return wxString::Format("kind %d value %d op %d rhs %d value2 %d name '%s' text '%s' flags '%s'", f.kind, f.value,
                            f.operatorInContext, f.rhsKind, f.value2, f.name, f.text, f.flagText)
        .utf8_string();
}

std::string Describe(const OrderFormForActionCreation& f)
{
    return wxString::Format("type %d op %d number %d param '%s' (%d) text '%s' flags '%s'", f.actionType, f.operation,
                            f.number, f.parameterName, f.parameterType, f.text, f.flagText)
        .utf8_string();
}

// The markers in the order the row writes them.
ExpressionFromGUI ParameterCriterion(const char* name, int value2, int rhsKind, int op, int value,
                                     const wxString& text = wxString(), const wxString& flags = wxString())
{
    ExpressionFromGUI f = Fixture::ParamRow(name, value2, op, rhsKind, value, text);
    f.flagText = flags;
    return f;
}

OrderFormForActionCreation ParameterAction(const char* name, int type, int operation, int number = -1,
                                           const wxString& text = wxString())
{
    return Fixture::ParamAct(operation, type, name, number, text);
}

OrderFormForActionCreation FromParameter(const char* name, int type, int operation, const char* source)
{
    return Fixture::FromParam(operation, type, name, source);
}

class ParameterPages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        // Beside the world's parameters: a counter without limits, a second timer and
        // a second bounded counter, so that every list offers a choice.
        auto* parameters = w.x.GetParameters().get();
        parameters->AddNewItem(OrderFormForParameterCreation("Lives", ParameterType::Counter));
        parameters->AddNewItem(OrderFormForParameterCreation("Lap", ParameterType::Timer));
        OrderFormForParameterCreation range("Range", ParameterType::Counter);
        range.hasMin = range.hasMax = true;
        range.min = -5;
        range.max = 5;
        parameters->AddNewItem(range);
    }

    template <class Form>
    void Check(const std::vector<PageCase<Form>>& cases, bool action)
    {
        for (const PageCase<Form>& c : cases) {
            SCOPED_TRACE(c.name);
            TestSupport::ClearLog();
            RuleComponentRowPanel* row = host.NewRow(4, action, &w.x);
            row->PlaceFormStateOntoGUI(c.stored);
            EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), c.page);
            for (const auto& [name, expected] : c.shown) EXPECT_EQ(Seen(Control(row, name)), expected) << name;
            for (const auto& [name, value] : c.edits) Edit(row, name, value);

            Form back;
            row->PlaceRowGUIStateOntoThisForm(back);
            Form expected = c.stored;
            if (c.edited) c.edited(expected);
            EXPECT_TRUE(back == expected) << "expected " << Describe(expected) << "\nfrom row " << Describe(back);
            EXPECT_EQ(TestSupport::LogContains("Non-numeric value found in number entry field."), c.numberRefused)
                << TestSupport::LogAsText();

            // Stored and shown again: nothing changes on the way.
            TestSupport::ClearLog();
            RuleComponentRowPanel* again = host.NewRow(4, action, &w.x);
            again->PlaceFormStateOntoGUI(back);
            Form twice;
            again->PlaceRowGUIStateOntoThisForm(twice);
            EXPECT_TRUE(twice == back) << "stored   " << Describe(back) << "\nshown as " << Describe(twice);
            EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
        }
    }

    World w;
    Host host;
};

const wxString kCounters = "Score|Bonus|Lives|Range";
const wxString kTexts = "Note|Other";
const wxString kTimers = "Clock|Lap";

}  // namespace

TEST_F(ParameterPages, CriteriaShowTheirPageAndStoreWhatTheUserChanges)
{
    namespace RC = RuleCode;
    const int left = int(w.left->GetID());
    const int right = int(w.x.GetReadOnlyElementsOfType(ElementType::Response)[1]->GetID());
    const int unset = VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined();
    const wxString timer = TIMER_EXPR_503;
    const std::vector<PageCase<ExpressionFromGUI>> cases = {
        {"counter against a number",
         ParameterCriterion("Score", ParameterType::Counter, RC::RhsNumber, RC::OpGreater, 5),
         2,
         {{"rule_rhs_choice1", "=|<|> -> >"}, {"rule_rhs_field1", "5"}},
         {{"rule_rhs_choice1", "="}, {"rule_rhs_field1", "-7"}},
         [](auto& f) { f.operatorInContext = RC::OpEqual, f.value = -7; }},
        {"counter: a number beyond 32 bits is refused",
         ParameterCriterion("Score", ParameterType::Counter, RC::RhsNumber, RC::OpLess, 4),
         2,
         {{"rule_rhs_field1", "4"}},
         {{"rule_rhs_field1", "4294967296"}},
         {},
         true},
        {"counter against another counter",
         ParameterCriterion("Score", ParameterType::Counter, RC::RhsParameter, RC::OpLess, 0, "Bonus"),
         0,
         {{"rule_rhs_choice1", "=|<|> -> <"}, {"rule_rhs_choice2", "Bonus|Lives|Range -> Bonus"}},
         {{"rule_rhs_choice1", ">"}, {"rule_rhs_choice2", "Range"}},
         [](auto& f) { f.operatorInContext = RC::OpGreater, f.text = "Range"; }},
        {"timer in minutes, changed to seconds",
         ParameterCriterion("Clock", ParameterType::Timer, RC::RhsNumber, RC::OpLess, 3, wxString(),
                            wxString(TIMEUNITS_MIN) + timer),
         3,
         {{"rule_rhs_choice1", "<|> -> <"},
          {"rule_rhs_field1", "3"},
          {"rule_rhs_choice2", "milliseconds|seconds|minutes -> minutes"}},
         {{"rule_rhs_choice2", "seconds"}, {"rule_rhs_field1", "90"}, {"rule_rhs_choice1", ">"}},
         [&](auto& f) {
             f.value = 90, f.operatorInContext = RC::OpGreater;
             f.flagText = wxString(TIMEUNITS_SECS) + timer;
         }},
        {"timer in milliseconds",
         ParameterCriterion("Clock", ParameterType::Timer, RC::RhsNumber, RC::OpGreater, 250, wxString(),
                            wxString(TIMEUNITS_MILLIS) + timer),
         3,
         {{"rule_rhs_choice2", "milliseconds|seconds|minutes -> milliseconds"}},
         {{"rule_rhs_choice2", "minutes"}},
         [&](auto& f) { f.flagText = wxString(TIMEUNITS_MIN) + timer; }},
        {"timer against another timer",
         ParameterCriterion("Clock", ParameterType::Timer, RC::RhsParameter, RC::OpGreater, 0, "Lap", timer),
         0,
         {{"rule_rhs_choice1", "<|> -> >"}, {"rule_rhs_choice2", "Lap -> Lap"}},
         {{"rule_rhs_choice1", "<"}},
         [](auto& f) { f.operatorInContext = RC::OpLess; }},
        {"stored response, changed to unset",
         ParameterCriterion("Answer", left, RC::RhsNumber, RC::OpEqual, left),
         29,
         {{"rule_rhs_choice1", "is|is not -> is"},
          {"rule_rhs_choice2", "Left|Right|unset (no stored response) -> Left"}},
         {{"rule_rhs_choice1", "is not"}, {"rule_rhs_choice2", "unset (no stored response)"}},
         [&](auto& f) { f.operatorInContext = RC::OpNotEqual, f.value = f.value2 = unset; }},
        {"stored response unset, changed to a response",
         ParameterCriterion("Answer", unset, RC::RhsNumber, RC::OpEqual, unset),
         29,
         {{"rule_rhs_choice2", "Left|Right|unset (no stored response) -> unset (no stored response)"}},
         {{"rule_rhs_choice2", "Right"}},
         [&](auto& f) { f.value = f.value2 = right; }},
        {"text, typed text with markup characters",
         ParameterCriterion("Note", ParameterType::Text, RC::RhsText, RC::OpEndsWith, 0, "x"),
         5,
         {{"rule_rhs_choice1",
           "contains|does not contain|begins with|ends with|is equal to|is not equal to -> ends with"},
          {"rule_rhs_field1", "x"}},
         {{"rule_rhs_choice1", "is not equal to"}, {"rule_rhs_field1", "<b>R&D</b>"}},
         [](auto& f) { f.operatorInContext = RC::OpNotEqual, f.text = "<b>R&D</b>"; }},
        {"text against another text",
         ParameterCriterion("Note", ParameterType::Text, RC::RhsParameter, RC::OpContains, 0, "Other"),
         0,
         {{"rule_rhs_choice1", "contains|does not contain|begins with|ends with|is equal to|is not equal to -> "
                               "contains"},
          {"rule_rhs_choice2", "Other -> Other"}},
         {{"rule_rhs_choice1", "begins with"}},
         [](auto& f) { f.operatorInContext = RC::OpBeginsWith; }},
    };
    Check(cases, false);
}

TEST_F(ParameterPages, ActionsShowTheirPageAndStoreWhatTheUserChanges)
{
    namespace RC = RuleCode;
    const wxString everyKind = "Score|Bonus|Clock|Answer|Note|Other|Lives|Lap|Range";
    const auto name = [](const char* n) { return [n](auto& f) { f.parameterName = n; }; };
    const auto source = [](const char* n) { return [n](auto& f) { f.text = n; }; };
    const std::vector<PageCase<OrderFormForActionCreation>> cases = {
        {"reset: every kind but collections",
         ParameterAction("Bonus", 0, RC::ParamReset),
         8,
         {{"rule_rhs_choice1", everyKind + " -> Bonus"}},
         {{"rule_rhs_choice1", "Lap"}},
         name("Lap")},
        {"store response",
         ParameterAction("Answer", ParameterType::Response, RC::ParamStoreResponse),
         9,
         {{"rule_rhs_choice1", "Answer -> Answer"}},
         {},
         {}},
        {"store typed text",
         ParameterAction("Other", ParameterType::Text, RC::ParamStoreTypedText),
         10,
         {{"rule_rhs_choice1", kTexts + " -> Other"}},
         {{"rule_rhs_choice1", "Note"}},
         name("Note")},
        {"set text",
         ParameterAction("Note", ParameterType::Text, RC::ParamSetText, -1, "hi"),
         11,
         {{"rule_rhs_choice1", kTexts + " -> Note"}, {"rule_rhs_field1", "hi"}},
         {{"rule_rhs_field1", "<i>a & b</i>"}},
         [](auto& f) { f.text = "<i>a & b</i>"; }},
        {"append text",
         ParameterAction("Other", ParameterType::Text, RC::ParamAppendText, -1, " there"),
         12,
         {{"rule_rhs_choice1", kTexts + " -> Other"}, {"rule_rhs_field1", " there"}},
         {{"rule_rhs_choice1", "Note"}},
         name("Note")},
        {"set counter",
         ParameterAction("Score", ParameterType::Counter, RC::ParamSetCounter, 12),
         13,
         {{"rule_rhs_choice1", kCounters + " -> Score"}, {"rule_rhs_field1", "12"}},
         {{"rule_rhs_choice1", "Lives"}, {"rule_rhs_field1", "-4"}},
         [](auto& f) { f.parameterName = "Lives", f.number = -4; }},
        {"increment counter to the 32-bit end",
         ParameterAction("Bonus", ParameterType::Counter, RC::ParamIncrementCounter, -3),
         14,
         {{"rule_rhs_choice1", kCounters + " -> Bonus"}, {"rule_rhs_field1", "-3"}},
         {{"rule_rhs_field1", "2147483647"}},
         [](auto& f) { f.number = 2147483647; }},
        {"decrement counter: a number beyond 32 bits is refused",
         ParameterAction("Score", ParameterType::Counter, RC::ParamDecrementCounter, 2),
         15,
         {{"rule_rhs_choice1", kCounters + " -> Score"}, {"rule_rhs_field1", "2"}},
         {{"rule_rhs_field1", "-2147483649"}},
         {},
         true},
        {"random number within the chosen counter's limits",
         ParameterAction("Score", ParameterType::Counter, RC::ParamRandomCounter),
         16,
         {{"rule_rhs_choice1", "Score|Range -> Score"}, {"min", "1"}, {"max", "9"}},
         {{"rule_rhs_choice1", "Range"}},
         name("Range")},
        {"set text from a parameter",
         FromParameter("Note", ParameterType::Text, RC::ParamSetText, "Other"),
         31,
         {{"rule_rhs_choice1", kTexts + " -> Note"}, {"rule_rhs_choice2", kTexts + " -> Other"}},
         {{"rule_rhs_choice2", "Note"}},
         source("Note")},
        {"append from a parameter",
         FromParameter("Other", ParameterType::Text, RC::ParamAppendText, "Note"),
         32,
         {{"rule_rhs_choice1", kTexts + " -> Other"}, {"rule_rhs_choice2", kTexts + " -> Note"}},
         {{"rule_rhs_choice1", "Note"}},
         name("Note")},
        {"set counter from a parameter",
         FromParameter("Score", ParameterType::Counter, RC::ParamSetCounter, "Bonus"),
         33,
         {{"rule_rhs_choice1", kCounters + " -> Score"}, {"rule_rhs_choice2", kCounters + " -> Bonus"}},
         {{"rule_rhs_choice2", "Range"}},
         source("Range")},
        {"increment from a parameter",
         FromParameter("Bonus", ParameterType::Counter, RC::ParamIncrementCounter, "Score"),
         34,
         {{"rule_rhs_choice1", kCounters + " -> Bonus"}, {"rule_rhs_choice2", kCounters + " -> Score"}},
         {{"rule_rhs_choice1", "Lives"}, {"rule_rhs_choice2", "Lives"}},
         [](auto& f) { f.parameterName = "Lives", f.text = "Lives"; }},
        {"decrement from a parameter",
         FromParameter("Score", ParameterType::Counter, RC::ParamDecrementCounter, "Bonus"),
         35,
         {{"rule_rhs_choice1", kCounters + " -> Score"}, {"rule_rhs_choice2", kCounters + " -> Bonus"}},
         {{"rule_rhs_choice2", "Score"}},
         source("Score")},
        {"start timer: no hint",
         ParameterAction("Clock", ParameterType::Timer, RC::ParamStartTimer),
         36,
         {{"rule_rhs_choice1", kTimers + " -> Clock"},
          {"id_helptext_zero_timer", "(Use \"Reset Parameter\" to zero the timer.) (hidden)"}},
         {{"rule_rhs_choice1", "Lap"}},
         name("Lap")},
        {"pause timer: the hint",
         ParameterAction("Lap", ParameterType::Timer, RC::ParamPauseTimer),
         36,
         {{"rule_rhs_choice1", kTimers + " -> Lap"},
          {"id_helptext_zero_timer", "(Use \"Reset Parameter\" to zero the timer.)"}},
         {{"rule_rhs_choice1", "Clock"}},
         name("Clock")},
    };
    Check(cases, true);
}

TEST_F(ParameterPages, NamesAreShownAsTheTextTheyAre)
{
    // A document from elsewhere may hold names the parameters dialog would refuse.
    auto* parameters = w.x.GetParameters().get();
    parameters->AddNewItem(OrderFormForParameterCreation("<b>A&amp;B</b>", ParameterType::Counter));
    parameters->AddNewItem(OrderFormForParameterCreation("R&D", ParameterType::Counter));
    RuleComponentRowPanel* row = host.NewRow(4, true, &w.x);
    row->PlaceFormStateOntoGUI(ParameterAction("R&D", ParameterType::Counter, RuleCode::ParamSetCounter, 3));
    EXPECT_EQ(Seen(Control(row, "rule_rhs_choice1")), kCounters + "|<b>A&amp;B</b>|R&D -> R&D");
    Edit(row, "rule_rhs_choice1", "<b>A&amp;B</b>");
    OrderFormForActionCreation back;
    row->PlaceRowGUIStateOntoThisForm(back);
    EXPECT_EQ(back.parameterName, "<b>A&amp;B</b>");

    // Picked from the left side's parameters submenu, the name is no menu mnemonic.
    RuleComponentRowPanel* criterion = host.NewRow(4, false, &w.x);
    PickLeftSide(criterion, SubmenuFirstId::ScalarParameters + 11);
    EXPECT_EQ(criterion->LeftSide()->GetTextOfSelectedMenuItem(), "Parameter \"R&D\"");
    ExpressionFromGUI picked;
    criterion->PlaceRowGUIStateOntoThisForm(picked);
    EXPECT_EQ(picked.name, "R&D");
    RuleComponentRowPanel* shownAgain = host.NewRow(4, false, &w.x);
    shownAgain->PlaceFormStateOntoGUI(picked);
    EXPECT_EQ(shownAgain->LeftSide()->GetTextOfSelectedMenuItem(), "Parameter \"R&D\"");
    ExpressionFromGUI back2;
    shownAgain->PlaceRowGUIStateOntoThisForm(back2);
    EXPECT_TRUE(back2 == picked) << Describe(back2);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(ParameterPages, WithoutAnExperimentThePagesHoldTheirPlaceholders)
{
    RuleComponentRowPanel* row = host.NewRow(4, true, &w.x);
    const wxString hint = "(Use \"Reset Parameter\" to zero the timer.)";
    const std::vector<std::pair<int, Controls>> pages = {
        {9, {{"rule_rhs_choice1", "No Parameters -> No Parameters"}}},
        {10, {{"rule_rhs_choice1", "No Response Parameters -> No Response Parameters"}}},
        {11, {{"rule_rhs_choice1", "No Text Parameters -> No Text Parameters"}}},
        {12, {{"rule_rhs_choice1", "No Text Parameters -> No Text Parameters"}, {"rule_rhs_field1", ""}}},
        {13, {{"rule_rhs_choice1", "No Text Parameters -> No Text Parameters"}, {"rule_rhs_field1", ""}}},
        {14, {{"rule_rhs_choice1", "No Counter Parameters -> No Counter Parameters"}, {"rule_rhs_field1", "0"}}},
        {15, {{"rule_rhs_choice1", "No Counter Parameters -> No Counter Parameters"}, {"rule_rhs_field1", "1"}}},
        {18,
         {{"rule_rhs_choice1", "No Bounded Counters -> No Bounded Counters"}, {"min", "??min??"}, {"max", "??max??"}}},
        {38,
         {{"rule_rhs_choice1", "is|is not -> is"},
          {"rule_rhs_choice2", "No Responses|--- [sep.]|[List] -> No Responses"}}},
        {40, {{"rule_rhs_choice1", "No Text Parameters -> No Text Parameters"}, {"rule_rhs_choice2", " -> "}}},
        {41, {{"rule_rhs_choice1", "No Text Parameters -> No Text Parameters"}, {"rule_rhs_choice2", " -> "}}},
        {42, {{"rule_rhs_choice1", "No Counter Parameters -> No Counter Parameters"}, {"rule_rhs_choice2", " -> "}}},
        {45, {{"rule_rhs_choice1", "No Timer Parameters -> No Timer Parameters"}, {"id_helptext_zero_timer", hint}}},
    };
    for (const auto& [number, shown] : pages) {
        SCOPED_TRACE(number);
        auto* page = static_cast<RuleRowRHSPageBase*>(wxClassInfo::FindClass(RhsPageClassName(number))->CreateObject());
        page->Construct(nullptr, row->OperandBook());
        for (const auto& [name, expected] : shown) {
            wxWindow* control = wxString(name) == "min"   ? page->MinLabel()
                                : wxString(name) == "max" ? page->MaxLabel()
                                                          : page->FindWindow(name);
            EXPECT_EQ(Seen(control), expected) << name;
        }
        page->Destroy();
    }
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(ParameterPages, RefillsKeepTheChosenNamesThatStillExist)
{
    RuleComponentRowPanel* row = host.NewRow(4, true, &w.x);
    row->PlaceFormStateOntoGUI(FromParameter("Range", ParameterType::Counter, RuleCode::ParamSetCounter, "Bonus"));
    auto* page = static_cast<RuleRowRHSPageBase*>(row->OperandBook()->GetCurrentPage());

    // "Bonus" gone, "Range" still there, a new counter at the front.
    VTExperiment changed;
    auto* parameters = changed.GetParameters().get();
    parameters->AddNewItem(OrderFormForParameterCreation("Fresh", ParameterType::Counter));
    parameters->AddNewItem(OrderFormForParameterCreation("Range", ParameterType::Counter));
    parameters->AddNewItem(OrderFormForParameterCreation("Note", ParameterType::Text));
    row->OperandBook()->RepopulateAllShownDropDowns(&changed);
    EXPECT_EQ(Seen(page->FirstChoice()), "Fresh|Range -> Range");
    EXPECT_EQ(Seen(page->SecondChoice()), "Fresh|Range -> Fresh");

    // A response compared on its page still shows after the responses are listed again.
    RuleComponentRowPanel* response = host.NewRow(4, false, &w.x);
    const int left = int(w.left->GetID());
    response->PlaceFormStateOntoGUI(ParameterCriterion("Answer", left, RuleCode::RhsNumber, RuleCode::OpEqual, left));
    response->RepopulateAllShownDropDowns(&w.x);
    EXPECT_EQ(Seen(Control(response, "rule_rhs_choice2")), "Left|Right|unset (no stored response) -> Left");
    ExpressionFromGUI kept;
    response->PlaceRowGUIStateOntoThisForm(kept);
    EXPECT_EQ(kept.value, left);

    // No counter left: both lists empty, nothing chosen.
    VTExperiment textsOnly;
    textsOnly.GetParameters()->AddNewItem(OrderFormForParameterCreation("Note", ParameterType::Text));
    row->OperandBook()->RepopulateAllShownDropDowns(&textsOnly);
    EXPECT_EQ(Seen(page->FirstChoice()), " -> ");
    EXPECT_EQ(Seen(page->SecondChoice()), " -> ");
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(ParameterPages, TheParameterComparisonPageFollowsTheLeftSidesType)
{
    RuleComponentRowPanel* row = host.NewRow(4, false, &w.x);
    RuleRowRHSChoiceBookWithHiddenCtrl* book = row->OperandBook();
    book->AdjustParamRHS(ParameterType::Response, "Answer");  // the only response parameter
    auto* page = static_cast<RuleRowRHSPageBase*>(book->PageAtIndex(0));
    EXPECT_EQ(Seen(page->FirstChoice()), "is|is not -> is");
    EXPECT_EQ(Seen(page->SecondChoice()), "(No comparable parameters) -> (No comparable parameters)");
    EXPECT_FALSE(page->SecondChoice()->IsThisEnabled());
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();

    book->AdjustParamRHS(ParameterType::Collection, "Pool");
    EXPECT_TRUE(TestSupport::LogContains("Unrecognized value for parameter type. Please cancel all edits."));
    EXPECT_EQ(page->FirstChoice()->GetCount(), 0u);

    // The timer page's hint is no operand: greying the row out leaves it as it is.
    TestSupport::ClearLog();
    RuleComponentRowPanel* pause = host.NewRow(4, true, &w.x);
    pause->PlaceFormStateOntoGUI(ParameterAction("Clock", ParameterType::Timer, RuleCode::ParamPauseTimer));
    ASSERT_EQ(pause->OperandBook()->CurrentPageIndex(), 36);
    auto* timers = static_cast<RuleRowRHSPageBase*>(pause->OperandBook()->GetCurrentPage());
    pause->OperandBook()->PlayDead(true);
    EXPECT_FALSE(timers->FirstChoice()->IsThisEnabled());
    EXPECT_TRUE(timers->FindWindow("id_helptext_zero_timer")->IsThisEnabled());
    EXPECT_TRUE(timers->GetBitmapResource("anything").IsSameAs(wxNullBitmap));

    // Another counter chosen for a random number: its limits are shown.
    RuleComponentRowPanel* random = host.NewRow(4, true, &w.x);
    random->PlaceFormStateOntoGUI(ParameterAction("Score", ParameterType::Counter, RuleCode::ParamRandomCounter));
    Edit(random, "rule_rhs_choice1", "Range");
    EXPECT_EQ(Seen(Control(random, "min")), "-5");
    EXPECT_EQ(Seen(Control(random, "max")), "5");
}

TEST_F(ParameterPages, APickedParameterShowsThePageOfItsTypeAndTheToggleTheComparableOnes)
{
    struct Pick
    {
        int index;  // in the experiment's parameters
        int page;
        Controls shown;
        int comparisonPage;  // with another parameter on the right side
        Controls comparable;
    };
    const std::vector<Pick> picks = {
        {0, 2, {{"rule_rhs_choice1", "=|<|> -> ="}}, 0, {{"rule_rhs_choice2", "Bonus|Lives|Range -> Bonus"}}},
        {2,
         3,
         {{"rule_rhs_choice1", "<|> -> <"}, {"rule_rhs_choice2", "milliseconds|seconds|minutes -> milliseconds"}},
         0,
         {{"rule_rhs_choice1", "<|> -> <"}, {"rule_rhs_choice2", "Lap -> Lap"}}},
        {3,
         29,
         {{"rule_rhs_choice1", "is|is not -> is"}},
         0,
         {{"rule_rhs_choice2", "(No comparable parameters) -> (No comparable parameters)"}}},
        {4,
         5,
         {{"rule_rhs_field1", ""}},
         0,
         {{"rule_rhs_choice1",
           "contains|does not contain|begins with|ends with|is equal to|is not equal to -> contains"},
          {"rule_rhs_choice2", "Other -> Other"}}},
    };
    for (const Pick& p : picks) {
        SCOPED_TRACE(p.index);
        TestSupport::ClearLog();
        RuleComponentRowPanel* row = host.NewRow(4, false, &w.x);
        PickLeftSide(row, SubmenuFirstId::ScalarParameters + p.index);
        EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), p.page);
        for (const auto& [name, expected] : p.shown) EXPECT_EQ(Seen(Control(row, name)), expected) << name;

        PickRowMenu(row, row->ToggleId());
        EXPECT_EQ(row->OperandBook()->CurrentPageIndex(), p.comparisonPage);
        for (const auto& [name, expected] : p.comparable) EXPECT_EQ(Seen(Control(row, name)), expected) << name;
        EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    }

    // With another parameter on the right: a left side without comparable ones greys
    // the list out, the next one with some lists them, usable, the first one chosen.
    RuleComponentRowPanel* compared = host.NewRow(4, false, &w.x);
    PickLeftSide(compared, SubmenuFirstId::ScalarParameters + 3);  // "Answer"
    PickRowMenu(compared, compared->ToggleId());
    auto* others = dynamic_cast<wxChoice*>(Control(compared, "rule_rhs_choice2"));
    ASSERT_NE(others, nullptr);
    EXPECT_FALSE(others->IsThisEnabled());
    PickLeftSide(compared, SubmenuFirstId::ScalarParameters + 0);  // "Score"
    ASSERT_EQ(compared->OperandBook()->CurrentPageIndex(), 0);
    EXPECT_TRUE(others->IsThisEnabled());
    EXPECT_EQ(Seen(others), "Bonus|Lives|Range -> Bonus");
    ExpressionFromGUI againstBonus;
    compared->PlaceRowGUIStateOntoThisForm(againstBonus);
    EXPECT_EQ(againstBonus.name, "Score");
    EXPECT_EQ(againstBonus.text, "Bonus");

    // A timer picked by hand, its unit and number chosen: what the row stores.
    RuleComponentRowPanel* row = host.NewRow(4, false, &w.x);
    PickLeftSide(row, SubmenuFirstId::ScalarParameters + 2);
    Edit(row, "rule_rhs_choice1", ">");
    Edit(row, "rule_rhs_choice2", "seconds");
    TypeInto(row, "rule_rhs_field1", "45");
    ExpressionFromGUI stored;
    row->PlaceRowGUIStateOntoThisForm(stored);
    ExpressionFromGUI expected =
        ParameterCriterion("Clock", ParameterType::Timer, RuleCode::RhsNumber, RuleCode::OpGreater, 45, wxString(),
                           wxString(TIMEUNITS_SECS) + TIMER_EXPR_503);
    EXPECT_TRUE(stored == expected) << "expected " << Describe(expected) << "\nfrom row " << Describe(stored);
}

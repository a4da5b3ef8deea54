// A parameter criterion and a parameter action composed on real rule rows by the
// user's picks and typing, committed through the rule model's factories, saved,
// reopened, shown again unchanged and run: "Hits < 2 -> Increment counter Hits by 1,
// Append to text parameter Note" after every trial leaves its mark in the data file's
// "Hits" and "Note" columns.

#include "RuleRowEvents.h"
#include "RuleRowsWorld.h"

#include "RuleSubmenus.h"

#include <VTCore/RuleCodes.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTTrial.h>

#include "FixtureExperiment.h"
#include "TestSupport.h"
#include "VTRuntime/VTCompiledExperiment.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

using namespace Vantrel;
using namespace RuleRows;

TEST(RuleParameterRun, ACounterCriterionAndActionComposedOnRowsRunAndFillTheColumn)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    VTTrial* m2 = Fixture::Add<VTTrial>(x, ElementType::Trial, "M2");
    m2->AddUsedEvent(Fixture::TextEvent(x, "Word M2", "word M2", 40));
    f.main->AddUsedTrial(m2);
    OrderFormForParameterCreation hits("Hits", ParameterType::Counter);
    hits.initialValue = 0;
    hits.saveToDataFile = true;
    ASSERT_TRUE(x.GetParameters()->AddNewItem(hits));
    OrderFormForParameterCreation note("Note", ParameterType::Text);
    note.saveToDataFile = true;
    ASSERT_TRUE(x.GetParameters()->AddNewItem(note));

    // ---- Composed on rows: "Hits" picked from the parameters submenu, "<" chosen and
    // 2 typed; "Increment counter" picked, "Hits" chosen and 1 typed; "Append to text
    // parameter" picked, "Note" chosen and a text with markup characters typed.
    Host host;
    RuleComponentRowPanel* criterion = host.NewRow(4, false, &x);
    RuleComponentRowPanel* action = host.NewRow(4, true, &x);
    RuleComponentRowPanel* append = host.NewRow(4, true, &x);
    PickLeftSide(criterion, SubmenuFirstId::ScalarParameters + 0);
    EXPECT_EQ(criterion->OperandBook()->CurrentPageIndex(), 2);  // "Compare to Number"
    Choose(dynamic_cast<wxChoice*>(OnPage(criterion, "rule_rhs_choice1")), "<");
    TypeInto(criterion, "rule_rhs_field1", "2");

    PickLeftSide(action, 15009);  // "Increment counter"
    EXPECT_EQ(action->OperandBook()->CurrentPageIndex(), 14);
    Choose(dynamic_cast<wxChoice*>(OnPage(action, "rule_rhs_choice1")), "Hits");
    auto* step = dynamic_cast<wxTextCtrl*>(OnPage(action, "rule_rhs_field1"));
    ASSERT_NE(step, nullptr);
    step->SetValue("1");
    PickLeftSide(append, 15006);  // "Append to text parameter"
    EXPECT_EQ(append->OperandBook()->CurrentPageIndex(), 12);
    Choose(dynamic_cast<wxChoice*>(OnPage(append, "rule_rhs_choice1")), "Note");
    TypeInto(append, "rule_rhs_field1", "<b>+</b>");

    // ---- Committed through the factories and attached to every trial.
    std::vector<ExpressionFromGUI> rows(1);
    criterion->PlaceRowGUIStateOntoThisForm(rows[0]);
    std::vector<OrderFormForActionCreation> actions(2);
    action->PlaceRowGUIStateOntoThisForm(actions[0]);
    append->PlaceRowGUIStateOntoThisForm(actions[1]);
    EXPECT_EQ(rows[0].kind, RuleCode::KindScalarParameter);
    EXPECT_EQ(rows[0].name, "Hits");
    EXPECT_EQ(rows[0].operatorInContext, RuleCode::OpLess);
    EXPECT_EQ(rows[0].value, 2);
    EXPECT_EQ(actions[0].parameterName, "Hits");
    EXPECT_EQ(actions[0].operation, RuleCode::ParamIncrementCounter);
    EXPECT_EQ(actions[0].number, 1);
    EXPECT_EQ(actions[1].parameterName, "Note");
    EXPECT_EQ(actions[1].text, "<b>+</b>");
    VTRule* rule = Fixture::MakeRule(x, "Count up", VTRule::kKindTrials, rows, actions);
    for (int t = 0; t < 2; ++t) f.practice->GetUsedTrial(t)->AttachRule(rule);
    f.main->GetUsedTrial(0)->AttachRule(rule);
    m2->AttachRule(rule);

    // ---- Saved and reopened; the reopened rule shows on fresh rows unchanged.
    const wxString folder = TestSupport::MakeTempFolder("parameter-rows");
    const wxString document = wxFileName(folder, "counted.vt6").GetFullPath();
    ASSERT_TRUE(x.OnSaveDocument(document)) << TestSupport::LogAsText();
    VTExperiment reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(document)) << TestSupport::LogAsText();
    VTRule* stored = nullptr;
    for (size_t i = 0; i < reopened.GetReadOnlyElementsOfType(ElementType::Rule).Size(); ++i)
        if (reopened.GetReadOnlyElementsOfType(ElementType::Rule)[i]->GetName() == "Count up")
            stored = dynamic_cast<VTRule*>(reopened.GetReadOnlyElementsOfType(ElementType::Rule)[i]);
    ASSERT_NE(stored, nullptr);
    RuleComponentRowPanel* criterionAgain = host.NewRow(4, false, &reopened);
    RuleComponentRowPanel* actionAgain = host.NewRow(4, true, &reopened);
    RuleComponentRowPanel* appendAgain = host.NewRow(4, true, &reopened);
    criterionAgain->PlaceFormStateOntoGUI(stored->GetExpression().GetRows().at(0));
    actionAgain->PlaceFormStateOntoGUI(stored->GetActions().GetForms().at(0));
    appendAgain->PlaceFormStateOntoGUI(stored->GetActions().GetForms().at(1));
    EXPECT_EQ(dynamic_cast<wxTextCtrl*>(OnPage(criterionAgain, "rule_rhs_field1"))->GetValue(), "2");
    EXPECT_EQ(dynamic_cast<wxChoice*>(OnPage(actionAgain, "rule_rhs_choice1"))->GetStringSelection(), "Hits");
    EXPECT_EQ(dynamic_cast<wxTextCtrl*>(OnPage(appendAgain, "rule_rhs_field1"))->GetValue(), "<b>+</b>");
    ExpressionFromGUI criterionBack;
    criterionAgain->PlaceRowGUIStateOntoThisForm(criterionBack);
    OrderFormForActionCreation actionBack;
    actionAgain->PlaceRowGUIStateOntoThisForm(actionBack);
    EXPECT_TRUE(criterionBack == rows[0]);
    EXPECT_TRUE(actionBack == actions[0]);
    appendAgain->PlaceRowGUIStateOntoThisForm(actionBack);
    EXPECT_TRUE(actionBack == actions[1]);

    // ---- Run: each row shows the values before its trial's rule; the rule counts up
    // and appends after P1 and P2, and holds from 2 on.
    const wxString data = wxFileName(folder, "run.txt").GetFullPath();
    VTRunOptions& options = reopened.GetRunOptions();
    options.SetGroupID(int(reopened.GetGroupElementByName("Everyone")->GetID()));
    options.SetSubjectName("p01");
    options.SetSaveCollectedDataFlag(true, data);
    VTCompiledExperiment compiled({});
    ASSERT_NE(reopened.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr) << TestSupport::LogAsText();
    ASSERT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    const std::vector<wxString> expectedRows = {
        "Practice/P1/Fixation P1", "Practice/P1/Word P1", "Practice/P2/Fixation P2", "Practice/P2/Word P2",
        "Main/M1/Fixation M1",     "Main/M1/Word M1",     "Main/M2/Word M2"};
    EXPECT_EQ(Fixture::DataRows(data), expectedRows) << TestSupport::LogAsText();
    const std::vector<Fixture::Row> table = Fixture::ReadRows(data);
    EXPECT_EQ(Fixture::Column(table, "Hits"), "0|0|1|1|2|2|2");
    EXPECT_EQ(Fixture::Column(table, "Note"), "||<b>+</b>|<b>+</b>|<b>+</b><b>+</b>|<b>+</b><b>+</b>|<b>+</b><b>+</b>");
}

// The block and trial editors' shared frame, shown modally and worked by clicks,
// picks and typing: "When to Present", the rule-editing bar, the reuse of the one
// editor per class; and settings made in the editors, saved, reopened and run.

#include <GuiViewClasses/BlockTrialEditors/VTEditBlockDlg.h>
#include <GuiViewClasses/BlockTrialEditors/VTEditTrialDlg.h>
#include <GuiViewClasses/RulesCriteriaActions/CriteriaExpressionPanel.h>
#include <GuiViewClasses/RulesCriteriaActions/PanelForActionsRows.h>
#include <GuiViewClasses/RulesCriteriaActions/RuleRowRHSChoiceBookWithHiddenCtrl.h>
#include <GuiViewClasses/RulesCriteriaActions/RulesPanel.h>
#include <GuiViewClasses/RulesCriteriaActions/SheetDialogObjectNameOrRename.h>
#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTRule.h>
#include <VTPlugInCommon/VTListViews.h>

#include "DialogQueue.h"
#include "EditorLaunch.h"
#include "RuleRowEvents.h"
#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "VTRuntime/VTCompiledExperiment.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

using namespace Vantrel;
using namespace RuleRows;
using EditorLaunch::Launcher;
using EditorLaunch::SavedReopenedAndRun;

namespace {

ExpressionFromGUI TimesPresentedBefore(int op, int value)
{
    ExpressionFromGUI f;
    f.kind = RuleCode::KindBuiltIn;
    f.builtIn = RuleCode::BuiltInTrialPresentationCountWhen;
    f.operatorInContext = op;
    f.value = value;
    return f;
}

}  // namespace

TEST(BlockTrialEditors, OneEditorPerClassReusedAndGoneWithItsExperiment)
{
    EXPECT_EQ(VTEditBlockDlg::GetSingletonBlockEditor(nullptr, nullptr, false, false, false), nullptr);
    Launcher launcher;
    VTEditTrialDlg* first = nullptr;
    {
        Fixture::TwoBlocks f;
        launcher.Show(f.experiment, ElementType::Trial, 0);
        first = VTEditTrialDlg::GetSingletonEditor(&f.experiment, launcher.list, false, false, true);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->TheTempObject(), nullptr);  // a pre-created editor holds no element
        EXPECT_EQ(VTEditTrialDlg::GetSingletonEditor(&f.experiment, launcher.list, false, false, true), first);
        EXPECT_EQ(VTEditTrialDlg::GetSingletonEditor(&f.experiment, launcher.list, false, false, false), first);
        ASSERT_NE(first->TheTempObject(), nullptr);
        EXPECT_EQ(first->TheTempObject()->GetName(), "P1");
        EXPECT_EQ(first->GetPersistenceName(), "TrialEditDialog");
    }
    // The experiment went: so did its editor.
    EXPECT_EQ(VTEditTrialDlg::GetSingletonEditor(nullptr, nullptr, false, false, false), nullptr);
}

TEST(BlockTrialEditors, WhenToPresentAndTheRuleEditingBar)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    // Practice is shown only while it was presented fewer than 2 times, negated.
    f.practice->ReplaceWhenToPresentExpression(boost::make_shared<MetaTFPredicate>(
        std::vector<ExpressionFromGUI>{TimesPresentedBefore(RuleCode::OpLess, 2)}, true, "p"));
    VTRule* shared = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5("Shared", &x, VTRule::kKindBlocks,
                                                                                   {}, false, false);
    f.practice->AttachRule(shared);
    Launcher launcher;
    launcher.Show(x, ElementType::Block, 0);
    VTEditBlockDlg* editor = VTEditBlockDlg::GetSingletonBlockEditor(&x, launcher.list, false, false, false);
    ASSERT_NE(editor, nullptr);
    BlockTrialFrameParts& frame = editor->Frame();

    DialogQueue dialogs;
    dialogs.Then([&](wxDialog&) {
        frame.m_Notebook->SetSelection(0);
        TestSupport::PumpFor(50);
        // Loaded: "only if", "are not met", rows alive.
        EXPECT_TRUE(frame.m_OnlyIf->GetValue());
        EXPECT_EQ(frame.m_AreMet->GetLabel(), "are not met");
        EXPECT_TRUE(frame.m_Criteria->m_rows[0]->LeftSide()->IsEnabled());
        TestSupport::ClickWindow(frame.m_Always);
        EXPECT_FALSE(frame.m_Criteria->m_rows[0]->LeftSide()->IsEnabled());
        // The link from "always": "only if" again, negation toggled each time.
        wxHyperlinkEvent click(frame.m_AreMet, frame.m_AreMet->GetId(), wxEmptyString);
        frame.m_AreMet->GetEventHandler()->ProcessEvent(click);
        EXPECT_TRUE(frame.m_OnlyIf->GetValue());
        EXPECT_EQ(frame.m_AreMet->GetLabel(), "are met");
        EXPECT_TRUE(frame.m_Criteria->m_rows[0]->LeftSide()->IsEnabled());
        frame.m_AreMet->GetEventHandler()->ProcessEvent(click);
        EXPECT_EQ(frame.m_AreMet->GetLabel(), "are not met");
        frame.m_AreMet->GetEventHandler()->ProcessEvent(click);
        // "When to Present" rows never show the rule-editing bar.
        PickLeftSide(frame.m_Criteria->m_rows[0], 13091);
        TestSupport::PumpFor(80);
        EXPECT_FALSE(frame.RuleEditingBarShown());

        // A change of the shared rule: the bar, its text, OK disabled; Apply ends it.
        frame.m_Notebook->SetSelection(size_t(frame.m_Notebook->FindPage(frame.m_Rules)));
        TestSupport::PumpFor(80);
        EXPECT_EQ(frame.m_Rules->GetUsageText()->GetLabel(), "Rule is used only by this block.");
        PickLeftSide(frame.m_Rules->GetActionsPanel()->m_rows[0], 15016);  // "Exit experiment"
        TestSupport::PumpFor(80);
        EXPECT_TRUE(frame.RuleEditingBarShown());
        EXPECT_EQ(frame.m_RuleLabel->GetLabel(), "Changes made apply to all 1 blocks using this rule.");
        EXPECT_FALSE(frame.m_OK->IsEnabled());
        TestSupport::ClickWindow(frame.m_Apply);
        EXPECT_FALSE(frame.RuleEditingBarShown());
        EXPECT_TRUE(frame.m_OK->IsEnabled());
        ASSERT_EQ(shared->GetActions().GetForms().size(), 1u);
        EXPECT_EQ(shared->GetActions().GetForms()[0].actionType, RuleCode::ActionExitExperiment);
        TestSupport::ClickWindow(frame.m_OK);
    });
    EXPECT_EQ(editor->ShowModal(), wxID_OK);
    // "Always" from the row set to "Always", not negated.
    ASSERT_NE(f.practice->GetWhenToPresent(), nullptr);
    EXPECT_FALSE(f.practice->GetWhenToPresent()->ExpressionSetToBeNegated());
    EXPECT_EQ(f.practice->GetWhenToPresent()->GetRows().at(0).kind, RuleCode::KindAlways);

    // Reused for a block without a condition: "always" and "are met", nothing negated.
    launcher.Show(x, ElementType::Block, 1);
    ASSERT_EQ(VTEditBlockDlg::GetSingletonBlockEditor(&x, launcher.list, false, false, false), editor);
    dialogs.Then([&](wxDialog&) {
        EXPECT_TRUE(frame.m_Always->GetValue());
        EXPECT_EQ(frame.m_AreMet->GetLabel(), "are met");
        EXPECT_EQ(frame.m_Criteria->CountVisibleInUseRows(), 1u);
        // A rule edit left open when the editor is put aside is dropped.
        frame.m_Notebook->SetSelection(size_t(frame.m_Notebook->FindPage(frame.m_Rules)));
        TestSupport::PumpFor(50);
        TestSupport::ClickWindow(frame.m_Cancel);
    });
    EXPECT_EQ(editor->ShowModal(), wxID_CANCEL);
    EXPECT_EQ(f.main->GetWhenToPresent(), nullptr);
    editor->SimulateDestruction();
    EXPECT_FALSE(frame.RuleEditingBarShown());
}

TEST(BlockTrialEditors, AConditionOfMoreThanTwelveRowsIsKeptWhole)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    std::vector<ExpressionFromGUI> rows(14, TimesPresentedBefore(RuleCode::OpLess, 9));
    f.main->ReplaceWhenToPresentExpression(boost::make_shared<MetaTFPredicate>(rows, false, "m"));
    Launcher launcher;
    launcher.Show(f.experiment, ElementType::Block, 1);
    VTEditBlockDlg* editor = VTEditBlockDlg::GetSingletonBlockEditor(&f.experiment, launcher.list, false, false, false);
    DialogQueue dialogs;
    dialogs.Then([&](wxDialog&) {
        EXPECT_TRUE(editor->Frame().m_Criteria->IsReadOnlyOverflow());
        TestSupport::ClickWindow(editor->Frame().m_OK);
    });
    EXPECT_EQ(editor->ShowModal(), wxID_OK);
    EXPECT_TRUE(TestSupport::LogContains("shown read-only"));
    ASSERT_NE(f.main->GetWhenToPresent(), nullptr);
    EXPECT_EQ(f.main->GetWhenToPresent()->GetRows().size(), 14u);
}

TEST(BlockTrialEditors, ConditionAndRuleSetInTheEditorsAreSavedReopenedAndRun)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    // P1 asks to be presented again after every presentation.
    VTTrial* p1 = f.practice->GetUsedTrial(0);
    VTRule* again = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5("Again", &x, VTRule::kKindTrials, {},
                                                                                  false, false);
    OrderFormForActionCreation repeat;
    repeat.actionType = RuleCode::ActionRepeatTrial;
    again->ReplaceActionsWithNewList(ActionFactory::MakeActionListFromOrderForms(&x, {repeat}, "Again", 1));
    p1->AttachRule(again);
    Launcher launcher;
    DialogQueue dialogs;

    // ---- Trial editor: P1 only while it was presented fewer than 2 times.
    launcher.Show(x, ElementType::Trial, 0);
    VTEditTrialDlg* trialEditor = VTEditTrialDlg::GetSingletonEditor(&x, launcher.list, false, false, false);
    dialogs.Then([&](wxDialog&) {
        BlockTrialFrameParts& frame = trialEditor->Frame();
        frame.m_Notebook->SetSelection(0);
        TestSupport::PumpFor(50);
        TestSupport::ClickWindow(frame.m_OnlyIf);
        RuleComponentRowPanel* row = frame.m_Criteria->m_rows[0];
        PickLeftSide(row, 13095);  // "Number of times this trial has been presented"
        Choose(dynamic_cast<wxChoice*>(OnPage(row, "rule_rhs_choice1")), "<");
        TypeInto(dynamic_cast<wxTextCtrl*>(OnPage(row, "rule_rhs_field1")), "2");
        TestSupport::ClickWindow(frame.m_OK);
    });
    ASSERT_EQ(trialEditor->ShowModal(), wxID_OK) << TestSupport::LogAsText();
    ASSERT_NE(p1->GetWhenToPresent(), nullptr);

    // ---- Block editor: a new rule on Practice, "Exit experiment".
    launcher.Show(x, ElementType::Block, 0);
    VTEditBlockDlg* blockEditor = VTEditBlockDlg::GetSingletonBlockEditor(&x, launcher.list, false, false, false);
    dialogs.Then([&](wxDialog&) {
        BlockTrialFrameParts& frame = blockEditor->Frame();
        frame.m_Notebook->SetSelection(size_t(frame.m_Notebook->FindPage(frame.m_Rules)));
        TestSupport::PumpFor(80);
        Gears(frame.m_Rules, RulesPanel::MenuCreate);  // the name sheet is the next dialog
        TestSupport::PumpFor(80);
        PickLeftSide(frame.m_Rules->GetActionsPanel()->m_rows[0], 15016);  // "Exit experiment"
        TestSupport::PumpFor(80);
        ASSERT_TRUE(frame.RuleEditingBarShown());
        TestSupport::ClickWindow(frame.m_Apply);
        TestSupport::ClickWindow(frame.m_OK);
    });
    dialogs.Then(NameSheet("Stop after practice"));
    ASSERT_EQ(blockEditor->ShowModal(), wxID_OK) << TestSupport::LogAsText();
    ASSERT_EQ(f.practice->GetNumberOfUsedRules(), 1u);

    // ---- Saved, reopened and run: P1 twice (its third presentation skipped), P2,
    // then the run ends before Main.
    const std::vector<wxString> expected = {"Practice/P1/Fixation P1", "Practice/P1/Word P1",
                                            "Practice/P1/Fixation P1", "Practice/P1/Word P1",
                                            "Practice/P2/Fixation P2", "Practice/P2/Word P2"};
    EXPECT_EQ(SavedReopenedAndRun(x), expected) << TestSupport::LogAsText();
}

TEST(BlockTrialEditors, RulesRunInTheOrderOfThePool)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    const auto blockRule = [&x](const char* name, OrderFormForActionCreation action) {
        VTRule* rule = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(name, &x, VTRule::kKindBlocks, {},
                                                                                     false, false);
        rule->ReplaceActionsWithNewList(ActionFactory::MakeActionListFromOrderForms(&x, {action}, name, 1));
        return rule;
    };
    OrderFormForActionCreation present;
    present.actionType = RuleCode::ActionPresentBlock;
    present.target = int(f.practice->GetID());
    OrderFormForActionCreation exit;
    exit.actionType = RuleCode::ActionExitExperiment;
    VTRule* again = blockRule("Practice again", present);
    VTRule* stop = blockRule("Stop", exit);
    // Attached in the other order: the pool's order decides, so "Stop" acts last and wins.
    f.practice->AttachRule(stop);
    f.practice->AttachRule(again);
    const std::vector<wxString> practiceOnce = {"Practice/P1/Fixation P1", "Practice/P1/Word P1",
                                                "Practice/P2/Fixation P2", "Practice/P2/Word P2"};
    EXPECT_EQ(SavedReopenedAndRun(x), practiceOnce) << TestSupport::LogAsText();
}

TEST(BlockTrialEditors, AnEditorMadeForRunTimeCreationGoesQuietly)
{
    std::unique_ptr<wxObject> made(wxCreateDynamicObject("VTEditBlockDlg"));
    EXPECT_NE(dynamic_cast<VTEditBlockDlg*>(made.get()), nullptr);
}

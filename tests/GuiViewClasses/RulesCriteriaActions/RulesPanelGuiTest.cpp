// The rules page on screen, worked by its gears menu, the name sheet, the sharing
// dialog, the list's keys and the rows' menus: what the user sees (pool, checks,
// usage line, enabled items) and what reaches the experiment.

#include "RuleRowEvents.h"
#include "RuleRowsWorld.h"
#include "RulesMaster.h"

#include "CriteriaExpressionPanel.h"
#include "MultipleParentRuleLinkDlg.h"
#include "PanelForActionsRows.h"
#include "RulesPanel.h"
#include "SheetDialogObjectNameOrRename.h"

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTRule.h>
#include <VTPlugInCommon/VTListViews.h>

#include "DialogQueue.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/checklst.h>
#include <wx/hyperlink.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace Vantrel;
using namespace RuleRows;

namespace {

struct Outer : Interface_OuterContainerForExpressions
{
    void OnPanelRowCountChanged(wxWindow*) override {}
    void OnEntryIntoDirtyState_EditsHaveBegun(wxString message) override { dirty.push_back(message); }
    std::vector<wxString> dirty;
};

class RulesPanelGui : public ::testing::Test
{
protected:
    RulesPanelGui()
    {
        t1 = Fixture::Add<VTTrial>(w.x, ElementType::Trial, "T1");
        t2 = Fixture::Add<VTTrial>(w.x, ElementType::Trial, "T2");
        t3 = Fixture::Add<VTTrial>(w.x, ElementType::Trial, "T3");
        // A block rule, which a trial's rules page never lists.
        VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5("Block rule", &w.x, VTRule::kKindBlocks, {},
                                                                      false, false);
        master = std::make_unique<RulesMaster<VTTrial>>(&w.x, t1);
        panel = new RulesPanel(master.get(), 4, host.frame, 10216);
        host.frame->GetSizer()->Add(panel, 1, wxEXPAND);
        panel->SetCallbackForRuleLinkMutation(
            [this](VTRule* rule, bool add) { master->EditOriginalObjectLinkToRule(rule, add); });
        panel->SetOuterContainer(&outer);
        panel->ResetPanelWithNewElement(master->temp.get());
        host.frame->SetSize(900, 700);
        host.frame->Layout();
        TestSupport::PumpFor(50);
        TestSupport::ClearLog();
    }

    void Gears(RulesPanel::MenuItem item) { RuleRows::Gears(panel, item); }
    bool Enabled(RulesPanel::MenuItem item)
    {
        return panel->GetGears()->FindItemById(panel->MenuId(item))->IsEnabled();
    }
    void Space()
    {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = WXK_SPACE;
        panel->GetList()->GetEventHandler()->ProcessEvent(key);
        TestSupport::PumpFor(30);
    }
    void Select(int row)
    {
        panel->GetList()->SetSelection(row);
        TestSupport::PumpFor(50);
    }
    wxString Usage() const { return panel->GetUsageText()->GetLabel(); }
    std::vector<wxString> PoolNames() const
    {
        std::vector<wxString> names;
        for (VTRule* rule : panel->GetPoolRules()) names.push_back(rule->GetName());
        return names;
    }
    VTRule* Rule(const wxString& name) const
    {
        for (VTRule* rule : panel->GetPoolRules())
            if (rule->GetName() == name) return rule;
        return nullptr;
    }

    World w;
    Host host;
    VTTrial* t1;
    VTTrial* t2;
    VTTrial* t3;
    std::unique_ptr<RulesMaster<VTTrial>> master;
    Outer outer;
    RulesPanel* panel;
};

}  // namespace

TEST_F(RulesPanelGui, CreateRenameMoveShareCheckAndDelete)
{
    // No trial rules yet: the empty page, and only "Create Rule..." offered.
    EXPECT_EQ(panel->GetPoolBook()->GetSelection(), 0);
    EXPECT_TRUE(Enabled(RulesPanel::MenuCreate));
    for (auto item : {RulesPanel::MenuDelete, RulesPanel::MenuRename, RulesPanel::MenuMoveUp, RulesPanel::MenuMoveDown,
                      RulesPanel::MenuAttach})
        EXPECT_FALSE(Enabled(item)) << item;
    EXPECT_EQ(panel->GetGears()->FindItemById(panel->MenuId(RulesPanel::MenuAttach))->GetItemLabelText(),
              "Attach Rule To Multiple Trials...");

    DialogQueue dialogs;
    dialogs.Then(NameSheet("Fast")).Then(NameSheet("Slow")).Then(NameSheet("Fast"));
    Gears(RulesPanel::MenuCreate);
    Gears(RulesPanel::MenuCreate);
    w.x.Modify(false);
    Gears(RulesPanel::MenuCreate);  // a name in use: nothing is made
    EXPECT_TRUE(TestSupport::LogContains("already used")) << TestSupport::LogAsText();
    EXPECT_FALSE(w.x.IsModified());
    EXPECT_EQ(PoolNames(), (std::vector<wxString>{"Fast", "Slow"}));
    EXPECT_EQ(panel->GetPoolBook()->GetSelection(), 1);
    // A new rule is attached at once, to the working copy and to the trial.
    VTRule* fast = Rule("Fast");
    VTRule* slow = Rule("Slow");
    EXPECT_TRUE(panel->GetList()->IsChecked(0) && panel->GetList()->IsChecked(1));
    EXPECT_TRUE(t1->UsesRule(fast) && t1->UsesRule(slow));
    EXPECT_TRUE(master->temp->UsesRule(slow));
    EXPECT_EQ(panel->GetList()->GetSelection(), 1);
    EXPECT_EQ(Usage(), "Rule is used only by this trial.");
    EXPECT_TRUE(Enabled(RulesPanel::MenuMoveUp));
    EXPECT_FALSE(Enabled(RulesPanel::MenuMoveDown));

    // Rename: a change of letter case only is no clash with the rule's own name.
    dialogs.Then(NameSheet("slow"));
    Gears(RulesPanel::MenuRename);
    EXPECT_EQ(slow->GetName(), "slow");
    EXPECT_EQ(panel->GetList()->GetItemText(1), "slow");
    dialogs.Then(NameSheet("Fast"));  // another rule's name
    Gears(RulesPanel::MenuRename);
    EXPECT_EQ(slow->GetName(), "slow");

    // Move up: the experiment's own order changes, across the block rule between.
    Gears(RulesPanel::MenuMoveUp);
    EXPECT_EQ(PoolNames(), (std::vector<wxString>{"slow", "Fast"}));
    EXPECT_EQ(panel->GetList()->GetSelection(), 0);
    EXPECT_FALSE(Enabled(RulesPanel::MenuMoveUp));

    // Uncheck "slow" with the keyboard: detached from the working copy and the trial.
    Space();
    EXPECT_FALSE(panel->GetList()->IsChecked(0));
    EXPECT_FALSE(t1->UsesRule(slow));
    EXPECT_FALSE(master->temp->UsesRule(slow));
    EXPECT_EQ(Usage(), "Rule is used by 0 trials.");
    Space();
    EXPECT_TRUE(t1->UsesRule(slow));
    EXPECT_EQ(Usage(), "Rule is used only by this trial.");

    // Share "slow" with T2 and T3; T1 is shown checked and stays linked once.
    dialogs.Then([](wxDialog& d) {
        auto& dialog = dynamic_cast<MultipleParentRuleLinkDlg&>(d);
        EXPECT_EQ(dialog.GetPrompt()->GetLabel(), "Check the trials that you want to apply this rule to:");
        wxCheckListBox* list = dialog.GetList();
        ASSERT_EQ(list->GetCount(), 3u);
        EXPECT_TRUE(list->IsChecked(0));
        list->Check(1);
        list->Check(2);
        TestSupport::ClickWindow(d.FindWindow(wxID_OK));
    });
    Gears(RulesPanel::MenuAttach);
    EXPECT_TRUE(t2->UsesRule(slow) && t3->UsesRule(slow));
    EXPECT_EQ(t1->GetUsedRules().Size(), 2u);
    panel->UpdateDynamicTextIfNecessary();
    EXPECT_EQ(Usage(), "Rule is used by 3 trials including this one.");
    // Unshare from this trial in the dialog: the working copy and the check follow.
    dialogs.Then([](wxDialog& d) {
        auto& dialog = dynamic_cast<MultipleParentRuleLinkDlg&>(d);
        dialog.GetList()->Check(0, false);
        TestSupport::ClickWindow(d.FindWindow(wxID_OK));
    });
    Gears(RulesPanel::MenuAttach);
    EXPECT_FALSE(t1->UsesRule(slow));
    EXPECT_FALSE(master->temp->UsesRule(slow));
    EXPECT_FALSE(panel->GetList()->IsChecked(0));
    EXPECT_EQ(Usage(), "Rule is used by 2 trials.");

    // Delete "Fast", which the working copy holds: refused, then accepted.
    Select(1);
    ASSERT_TRUE(master->temp->UsesRule(fast));
    dialogs.Answer(wxID_NO);
    Gears(RulesPanel::MenuDelete);
    EXPECT_EQ(PoolNames(), (std::vector<wxString>{"slow", "Fast"}));
    EXPECT_TRUE(master->temp->UsesRule(fast));  // given back
    dialogs.Answer(wxID_YES);
    Gears(RulesPanel::MenuDelete);
    EXPECT_EQ(PoolNames(), (std::vector<wxString>{"slow"}));
    EXPECT_EQ(master->temp->GetUsedRules().Size(), 0u);
    EXPECT_EQ(t1->GetUsedRules().Size(), 0u);
    EXPECT_EQ(dialogs.Opened(), 9);
}

TEST_F(RulesPanelGui, ApplyAndCancelOfRuleEdits)
{
    DialogQueue dialogs;
    dialogs.Then(NameSheet("Often"));
    Gears(RulesPanel::MenuCreate);
    VTRule* often = Rule("Often");
    ASSERT_NE(often, nullptr);
    CriteriaExpressionPanel* criteria = panel->GetCriteriaPanel();
    PanelForActionsRows* actions = panel->GetActionsPanel();

    // The first change puts the host into its editing state and locks the pool.
    PickLeftSide(criteria->m_rows[0], 13095);  // "Number of times this trial has been presented"
    PickLeftSide(actions->m_rows[0], 15016);   // "Exit experiment"
    TestSupport::PumpFor(80);
    ASSERT_FALSE(outer.dirty.empty());  // each of the two row lists tells its first change
    EXPECT_EQ(outer.dirty[0], "Changes made apply to all 1 trials using this rule.");
    EXPECT_FALSE(panel->GetList()->IsEnabled());
    panel->CommitCurrentEdits();
    EXPECT_TRUE(panel->GetList()->IsEnabled());
    ASSERT_EQ(often->GetExpression().GetRows().size(), 1u);
    EXPECT_EQ(often->GetExpression().GetRows()[0].builtIn, RuleCode::BuiltInTrialPresentationCountRule);
    ASSERT_EQ(often->GetActions().GetForms().size(), 1u);
    EXPECT_EQ(often->GetActions().GetForms()[0].actionType, RuleCode::ActionExitExperiment);

    // Negation toggled twice is no edit; once and cancelled, the rule keeps its own.
    wxHyperlinkEvent click(panel->GetAreMetLink(), RulesPanel::ID_ARE_MET_LINK, wxEmptyString);
    panel->GetAreMetLink()->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(panel->GetAreMetLink()->GetLabel(), "are not met");
    panel->GetAreMetLink()->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(panel->GetAreMetLink()->GetLabel(), "are met");
    EXPECT_FALSE(criteria->IsDirty());
    const size_t told = outer.dirty.size();
    panel->GetAreMetLink()->GetEventHandler()->ProcessEvent(click);
    TestSupport::PumpFor(80);
    EXPECT_EQ(outer.dirty.size(), told + 1);
    panel->RevertPanelToLastCommittedState();
    EXPECT_EQ(panel->GetAreMetLink()->GetLabel(), "are met");
    EXPECT_FALSE(often->GetExpression().ExpressionSetToBeNegated());
    EXPECT_TRUE(panel->GetList()->IsEnabled());
}

TEST_F(RulesPanelGui, ACommitWithoutARuleWritesNothing)
{
    // No trial rules: nothing is selected, and Apply has nothing to write into.
    w.x.Modify(false);
    panel->CommitCurrentEdits();
    EXPECT_TRUE(TestSupport::LogContains("Unable to commit expression changes due to invalid rule index."));
    EXPECT_FALSE(w.x.IsModified());
}

TEST_F(RulesPanelGui, TheNameSheetRefusesBlanksAndReportsChanges)
{
    auto* sheet = new SheetDialogObjectNameOrRename(host.frame, wxID_ANY);
    int calls = 0;
    sheet->ReinitializeForNextUse("  Fast \t", "Changes made affect all trials using this rule.", [&] { ++calls; });
    EXPECT_EQ(sheet->GetNameField()->GetValue(), "Fast");
    EXPECT_FALSE(sheet->DidTheTextChangeAtAll());
    sheet->GetNameField()->SetValue("fast");
    EXPECT_TRUE(sheet->DidTheTextChangeAtAll());
    DialogQueue dialogs;
    dialogs
        .Then([](wxDialog& d) {
            auto& s = dynamic_cast<SheetDialogObjectNameOrRename&>(d);
            s.GetNameField()->SetValue("   ");
            TestSupport::PumpFor(50);
            EXPECT_FALSE(d.FindWindow(wxID_OK)->IsEnabled());
            TestSupport::ClickWindow(d.FindWindow(wxID_CANCEL));
        })
        .Then([](wxDialog& d) {
            dynamic_cast<SheetDialogObjectNameOrRename&>(d).GetNameField()->SetValue("Quick");
            TestSupport::PumpFor(50);
            TestSupport::ClickWindow(d.FindWindow(wxID_OK));
        });
    sheet->ShowWindowModal();
    EXPECT_EQ(calls, 0);
    sheet->ShowWindowModal();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sheet->GetNameText(), "Quick");
    sheet->Destroy();
}

TEST_F(RulesPanelGui, TheSharingDialogChecksSelectedRowsTogetherAndCancelChangesNothing)
{
    VTRule* rule = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5("Shared", &w.x, VTRule::kKindTrials,
                                                                                 {}, false, false);
    t2->AttachRule(rule);
    int commits = 0;
    MultipleParentRuleLinkDlg dialog(
        &w.x.GetElementsOfType(ElementType::Trial), rule, [&] { ++commits; }, host.frame);
    wxCheckListBox* list = dialog.GetList();
    ASSERT_EQ(list->GetCount(), 3u);
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_TRUE(list->IsChecked(1));
    const auto clickBox = [&](int row) {
        list->Check(unsigned(row), !list->IsChecked(unsigned(row)));
        wxCommandEvent toggled(wxEVT_CHECKLISTBOX, MultipleParentRuleLinkDlg::ID_LIST);
        toggled.SetInt(row);
        toggled.SetEventObject(list);
        list->GetEventHandler()->ProcessEvent(toggled);
    };
    // Rows 0 and 2 selected: a click on the box of 2 gives both its new state.
    list->SetSelection(0);
    list->SetSelection(2);
    clickBox(2);
    EXPECT_TRUE(list->IsChecked(0) && list->IsChecked(2));
    EXPECT_TRUE(list->IsChecked(1));  // not selected: untouched
    // An unselected row changes alone.
    list->Deselect(0);
    list->Deselect(2);
    clickBox(1);
    EXPECT_FALSE(list->IsChecked(1));
    EXPECT_TRUE(list->IsChecked(0));
    // "Select All", then one click: all rows.
    wxCommandEvent all(wxEVT_BUTTON, MultipleParentRuleLinkDlg::ID_SELECT_ALL);
    dialog.GetEventHandler()->ProcessEvent(all);
    clickBox(0);
    EXPECT_FALSE(list->IsChecked(0) || list->IsChecked(1) || list->IsChecked(2));
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    dialog.GetEventHandler()->ProcessEvent(cancel);
    EXPECT_EQ(commits, 0);
    EXPECT_TRUE(t2->UsesRule(rule));
    EXPECT_FALSE(t1->UsesRule(rule));

    MultipleParentRuleLinkDlg blocks(
        &w.x.GetElementsOfType(ElementType::Block), rule, [] {}, host.frame);
    EXPECT_EQ(blocks.GetPrompt()->GetLabel(), "Check the blocks that you want to apply this rule to:");
}

// The twelve-row criteria and action lists: inserting, duplicating and removing
// rows by their gear menus, the working and committed forms, the read-only view of
// a stored list longer than twelve rows, and the negation link.

#include "RuleRowEvents.h"
#include "RuleRowsWorld.h"
#include "RulesMaster.h"

#include "CriteriaExpressionPanel.h"
#include "PanelForActionsRows.h"
#include "RulesPanel.h"

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <VTCore/RuleCodes.h>

#include "TestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <wx/hyperlink.h>

using namespace Vantrel;
using namespace RuleRows;

namespace {

// Records what a panel tells its host.
struct Outer : Interface_OuterContainerForExpressions
{
    void OnPanelRowCountChanged(wxWindow*) override { ++rowCounts; }
    void OnEntryIntoDirtyState_EditsHaveBegun(wxString message) override { dirty.push_back(message); }
    void OnSubpanelReportingAnyMinisculeChangeToAnyRow() override { ++changes; }
    int rowCounts = 0;
    int changes = 0;
    std::vector<wxString> dirty;
};

ExpressionFromGUI TimesPresented(int op, int value, bool isAnd = true)
{
    ExpressionFromGUI f;
    f.kind = RuleCode::KindBuiltIn;
    f.builtIn = RuleCode::BuiltInTrialPresentationCountRule;
    f.operatorInContext = op;
    f.value = value;
    f.isAnd = isAnd;
    return f;
}

class RuleRowLists : public ::testing::Test
{
protected:
    RuleRowLists() : master(&w.x, nullptr)
    {
        link = new wxHyperlinkCtrl(host.frame, wxID_ANY, RulesPanel::ARE_MET_TEXT(), wxEmptyString);
        criteria = new CriteriaExpressionPanel(&master, 4, host.frame);
        host.frame->GetSizer()->Add(link);
        host.frame->GetSizer()->Add(criteria, 1, wxEXPAND);
        criteria->PostDialogBlocksCreationLogic();
        criteria->SetOuterContainer(&outer);
        criteria->SetExperiment(&w.x);
        host.frame->Layout();
        TestSupport::ClearLog();
    }

    void Load(std::vector<ExpressionFromGUI> rows, bool negated)
    {
        criteria->SetMetaPredicate(boost::make_shared<MetaTFPredicate>(rows, negated, "test"), &w.x, link,
                                   host.frame->GetSizer());
    }
    // Lets the idle check run.
    void Idle() { TestSupport::PumpFor(50); }

    World w;
    Host host;
    RulesMaster<VTTrial> master;
    Outer outer;
    wxHyperlinkCtrl* link;
    CriteriaExpressionPanel* criteria;
};

}  // namespace

TEST_F(RuleRowLists, TwelveRowsAtMostOneAtLeast)
{
    Load({TimesPresented(RuleCode::OpLess, 2)}, false);
    RuleComponentRowPanel* first = criteria->m_rows[0];
    for (int i = 0; i < 11; ++i) PickRowMenu(criteria->m_rows[0], first->AddId());
    EXPECT_EQ(criteria->CountVisibleInUseRows(), 12u);
    EXPECT_EQ(criteria->m_working.size(), 12u);
    const int counted = outer.rowCounts;
    PickRowMenu(criteria->m_rows[0], first->AddId());
    EXPECT_TRUE(TestSupport::LogContains("The maximum limit of rows has been reached."));
    EXPECT_EQ(criteria->CountVisibleInUseRows(), 12u);
    EXPECT_EQ(outer.rowCounts, counted + 1);  // told even when refused

    // Removing all but one, then the last: one row, reset to defaults.
    while (criteria->CountVisibleInUseRows() > 1) PickRowMenu(criteria->m_rows[1], criteria->m_rows[1]->DeleteId());
    EXPECT_FALSE(criteria->VectorIsMutationFreeSinceLastCommit());
    PickRowMenu(criteria->m_rows[0], criteria->m_rows[0]->DeleteId());
    EXPECT_EQ(criteria->CountVisibleInUseRows(), 1u);
    EXPECT_EQ(criteria->m_rows[0]->GetIdOfSelectedLHS(), 13091);  // "Always"
    criteria->CommitAll();
    EXPECT_TRUE(criteria->VectorIsMutationFreeSinceLastCommit());
    EXPECT_EQ(criteria->m_committed.size(), 1u);

    TestSupport::ClearLog();
    criteria->RefreshRowSetAtExactlyThisRowCount(20);
    EXPECT_TRUE(TestSupport::LogContains("Unable to display 20 component rows."));
    EXPECT_EQ(criteria->CountVisibleInUseRows(), 12u);
    criteria->RefreshRowSetAtExactlyThisRowCount(0);
    EXPECT_EQ(criteria->CountVisibleInUseRows(), 1u);
}

TEST_F(RuleRowLists, DuplicateJoinsWithAndAndRowsFollowTheirPlaces)
{
    Load({TimesPresented(RuleCode::OpLess, 2), TimesPresented(RuleCode::OpGreater, 5, false)}, false);
    RuleComponentRowPanel* second = criteria->m_rows[1];
    PickRowMenu(second, second->DuplicateId());
    ASSERT_EQ(criteria->CountVisibleInUseRows(), 3u);
    EXPECT_EQ(criteria->m_working[2].value, 5);
    EXPECT_TRUE(criteria->m_working[2].isAnd);  // the copy joins with "and"
    EXPECT_FALSE(criteria->m_working[1].isAnd);
    // Removing the first row moves the others up, the former second now leading.
    PickRowMenu(criteria->m_rows[0], criteria->m_rows[0]->DeleteId());
    criteria->CommitAll();
    auto predicate = criteria->GetMetaPredicate(&w.x, "p");
    ASSERT_EQ(predicate->GetRows().size(), 2u);
    EXPECT_EQ(predicate->GetRows()[0].value, 5);
    EXPECT_EQ(predicate->GetRows()[1].value, 5);
}

TEST_F(RuleRowLists, ACommitReadsEveryRowEvenWhenReportsWereIgnored)
{
    // A row changed while the panel ignores reports (the editor is not on screen
    // yet) is still what the commit stores.
    auto rows = boost::make_shared<std::vector<ExpressionFromGUI>>(
        std::vector<ExpressionFromGUI>{TimesPresented(RuleCode::OpLess, 2), TimesPresented(RuleCode::OpLess, 3)});
    criteria->UseDataFromThisCollection(rows, false);
    master.interacting = false;
    PickLeftSide(criteria->m_rows[1], 13091);  // "Always"
    EXPECT_EQ(criteria->m_working[1].kind, RuleCode::KindBuiltIn);
    criteria->CommitAll();
    ASSERT_EQ(criteria->m_committed.size(), 2u);
    EXPECT_EQ(criteria->m_committed[1].kind, RuleCode::KindAlways);
    EXPECT_EQ(criteria->GetMetaPredicate(&w.x, "p")->GetRows()[1].kind, RuleCode::KindAlways);
}

TEST_F(RuleRowLists, MoreStoredRowsThanTwelveAreShownReadOnlyAndKeptWhole)
{
    std::vector<ExpressionFromGUI> rows;
    for (int i = 0; i < 14; ++i) rows.push_back(TimesPresented(RuleCode::OpLess, i));
    Load(rows, false);
    EXPECT_TRUE(TestSupport::LogContains("shown read-only"));
    EXPECT_TRUE(criteria->IsReadOnlyOverflow());
    EXPECT_EQ(criteria->CountVisibleInUseRows(), 12u);
    for (RuleComponentRowPanel* row : criteria->m_rows) EXPECT_FALSE(row->LeftSide()->IsEnabled());
    criteria->PlayDeadAllRows(false);  // a host bringing rows alive leaves them read-only
    EXPECT_FALSE(criteria->m_rows[0]->LeftSide()->IsEnabled());
    criteria->CommitAll();
    auto predicate = criteria->GetMetaPredicate(&w.x, "p");
    ASSERT_EQ(predicate->GetRows().size(), 14u);
    EXPECT_EQ(predicate->GetRows()[13].value, 13);
    // A shorter list afterwards is editable again.
    Load({TimesPresented(RuleCode::OpLess, 2)}, false);
    EXPECT_FALSE(criteria->IsReadOnlyOverflow());
    EXPECT_TRUE(criteria->m_rows[0]->LeftSide()->IsEnabled());
}

TEST_F(RuleRowLists, NegationShownCleanAfterTwoTogglesAndClearedByNoCondition)
{
    Load({TimesPresented(RuleCode::OpLess, 2)}, true);
    EXPECT_EQ(link->GetLabel(), "are not met");
    EXPECT_FALSE(criteria->IsDirty());
    criteria->OnClickHyperlink();
    EXPECT_EQ(link->GetLabel(), "are met");
    EXPECT_TRUE(criteria->IsDirty());
    Idle();
    EXPECT_TRUE(criteria->m_editsBegun);
    criteria->OnClickHyperlink();
    EXPECT_EQ(link->GetLabel(), "are not met");
    EXPECT_FALSE(criteria->IsDirty());

    // No condition: "are met" and not negated, also in what the panel gives back.
    criteria->SetMetaPredicate(nullptr, &w.x, link, host.frame->GetSizer());
    EXPECT_EQ(link->GetLabel(), "are met");
    criteria->CommitAll();
    EXPECT_FALSE(criteria->GetMetaPredicate(&w.x, "p")->ExpressionSetToBeNegated());
}

TEST_F(RuleRowLists, RuleRowsReportTheirFirstChangeWhenWhenToPresentOnlyCounts)
{
    // Rule criteria (context 4) put the host into its editing state; the first
    // change only, until the host clears the latch.
    Load({TimesPresented(RuleCode::OpLess, 2)}, false);
    Idle();
    EXPECT_TRUE(outer.dirty.empty());
    PickLeftSide(criteria->m_rows[0], 13091);
    EXPECT_GT(outer.changes, 0);
    Idle();
    EXPECT_EQ(outer.dirty.size(), 1u);
    PickLeftSide(criteria->m_rows[0], 13095);
    Idle();
    EXPECT_EQ(outer.dirty.size(), 1u);

    // "When to Present" criteria (context 3) never ask for the editing state.
    auto* when = new CriteriaExpressionPanel(&master, 3, host.frame);
    when->PostDialogBlocksCreationLogic();
    Outer whenOuter;
    when->SetOuterContainer(&whenOuter);
    when->SetMetaPredicate(nullptr, &w.x, nullptr, nullptr);
    PickLeftSide(when->m_rows[0], 13095);
    Idle();
    EXPECT_TRUE(when->m_editsBegun);
    EXPECT_TRUE(whenOuter.dirty.empty());
    EXPECT_GT(whenOuter.rowCounts, 0);
}

TEST_F(RuleRowLists, ActionsGiveBackTheirVisibleRows)
{
    auto* actions = new PanelForActionsRows(&master, 4, host.frame);
    actions->PostDialogBlocksCreationLogic();
    actions->SetExperiment(&w.x);
    OrderFormForActionCreation exit;
    exit.actionType = RuleCode::ActionExitExperiment;
    OrderFormForActionCreation repeat;
    repeat.actionType = RuleCode::ActionRepeatTrial;
    actions->UseTheseActions(boost::make_shared<const std::vector<OrderFormForActionCreation>>(
        std::vector<OrderFormForActionCreation>{exit, repeat}));
    EXPECT_EQ(actions->FriendlyNameTypeOfPanel(), "action");
    PickRowMenu(actions->m_rows[0], actions->m_rows[0]->DeleteId());
    actions->CommitAll();
    auto list = actions->GetActionList("a");
    ASSERT_EQ(list->GetForms().size(), 1u);
    EXPECT_EQ(list->GetForms()[0].actionType, RuleCode::ActionRepeatTrial);
}

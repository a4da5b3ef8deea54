// The block and trial editors' own pages inside the reused editors: what is set on
// them reaches the element on OK, the next element shows its own values, the
// heading's indicators follow the pages, and a run carries the settings out.

#include <GuiViewClasses/BlockTrialDialogs/VTBlockExtraActionsPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTBlockLoopingPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTBlockRandomizePage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTTrialOptionsPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTTrialTagsPage.h>
#include <GuiViewClasses/BlockTrialEditors/VTEditBlockDlg.h>
#include <GuiViewClasses/BlockTrialEditors/VTEditTrialDlg.h>
#include <GuiViewClasses/MiscGui/AtAGlancePanel.h>
#include <GuiViewClasses/MiscGui/BTEDlgHeadingPanelWithNote.h>
#include <GuiViewClasses/RulesCriteriaActions/CriteriaExpressionPanel.h>
#include <GuiViewClasses/RulesCriteriaActions/RuleComponentRowPanel.h>
#include <GuiViewClasses/RulesCriteriaActions/RuleRowRHSChoiceBookWithHiddenCtrl.h>
#include <GuiViewClasses/TagSetDialogs/VTTagsGrid.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTagSet.h>

#include "DialogQueue.h"
#include "EditorLaunch.h"
#include "PageControls.h"
#include "RuleRowEvents.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

using namespace Vantrel;
using EditorLaunch::Launcher;
using EditorLaunch::SavedReopenedAndRun;
using PageControls::Find;
using PageControls::On;

namespace {

void Settle()
{
    wxTheApp->ProcessIdle();
    TestSupport::PumpFor(60);
    wxTheApp->ProcessIdle();
}

// Shows the notebook tab that holds the page, as a click on its tab does.
void ShowPage(BlockTrialFrameParts& frame, wxWindow* page)
{
    frame.m_Notebook->SetSelection(size_t(frame.m_Notebook->FindPage(page)));
    Settle();
}

// The word the heading's at-a-glance panel shows for one of its indicators.
wxString Indicator(BlockTrialFrameParts& frame, int id)
{
    Settle();
    auto* word = dynamic_cast<wxStaticText*>(frame.m_Heading->GetAtAGlancePanel()->FindWindow(id));
    return word ? word->GetLabel() : wxString("?");
}

void Tick(wxDialog& dialog, int id)
{
    TestSupport::ClickWindow(dialog.FindWindow(id));
    Settle();
}

// A real click in the middle of a cell of the tags grid.
void ClickCell(VTTagsGrid* grid, int row, int col)
{
    const wxRect rect = grid->CellToRect(row, col);
    int x = 0, y = 0;
    grid->CalcScrolledPosition(rect.x + rect.width / 2, rect.y + rect.height / 2, &x, &y);
    wxUIActionSimulator sim;
    sim.MouseMove(grid->GetGridWindow()->ClientToScreen(wxPoint(x, y)));
    TestSupport::PumpFor(50);
    sim.MouseClick();
    TestSupport::PumpFor(300);
}

// Count up, then down again on the keyboard: the spin ends where it began, and
// the change selects "Present trials in this block" while the Looping page shows.
void NudgeCount(wxSpinCtrl* spin)
{
    TestSupport::ClickWindow(spin);
    wxUIActionSimulator().Char(WXK_UP);
    Settle();
    wxUIActionSimulator().Char(WXK_DOWN);
    Settle();
}

wxString TimeLimit(const VTBlock& b)
{
    bool on = false;
    unsigned amount = 0;
    VTBlock::TimeLimitExtraActionUnits units{};
    b.GetTimeLimitExtraActionSettings(on, amount, units);
    return wxString::Format("%d %u %d", int(on), amount, int(units));
}

wxString TrialLimit(const VTBlock& b)
{
    bool on = false;
    unsigned count = 0;
    b.GetTrialLimitExtraActionSettings(on, count);
    return wxString::Format("%d %u", int(on), count);
}

VTRule* RepeatRule(VTExperiment& x)
{
    VTRule* again = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5("Again", &x, VTRule::kKindTrials, {},
                                                                                  false, false);
    OrderFormForActionCreation repeat;
    repeat.actionType = RuleCode::ActionRepeatTrial;
    again->ReplaceActionsWithNewList(ActionFactory::MakeActionListFromOrderForms(&x, {repeat}, "Again", 1));
    return again;
}

}  // namespace

TEST(BlockEditorPages, SetOnOKAndReloadedForTheNextBlock)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    f.practice->m_LoopCount = 7;
    // Main: its own values, and a trial that shuffles its list's items (a conflict).
    f.main->m_LoopMode = VTBlock::kLoopModeForever;
    f.main->m_LoopCount = 40;
    f.main->SetTimeLimitExtraActionSettings(true, 1500, VTBlock::TimeLimitMilliseconds);
    f.main->SetRandomizeTrials(true);
    f.main->SetJumbleStimListsTogether(true);
    auto* list = Fixture::Add<VTStimList>(x, ElementType::StimList, "L");
    list->AddTextItem("a");
    VTTrial* m1 = f.main->GetUsedTrial(0);
    m1->GetUsedEvent(0)->SetStimListID(int(list->GetID()));
    m1->SetListAccessConfiguration(62, 0);

    Launcher launcher;
    launcher.Show(x, ElementType::Block, 0);
    VTEditBlockDlg* editor = VTEditBlockDlg::GetSingletonBlockEditor(&x, launcher.list, false, false, false);
    ASSERT_NE(editor, nullptr);
    BlockTrialFrameParts& frame = editor->Frame();
    // The pages in their order, "Rules" last.
    ASSERT_EQ(frame.m_Notebook->GetPageCount(), 5u);
    const wxString tabs[] = {"When to Present", "Randomize", "Looping", "Extra Actions", "Rules"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(frame.m_Notebook->GetPageText(i), tabs[i]);

    DialogQueue dialogs;
    dialogs.Then([&](wxDialog& dialog) {
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_LOOPING_WORD), "OFF");
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_RANDOM_WORD), "OFF");
        EXPECT_TRUE(On(&dialog, VTBlockLoopingPage::ID_NO_LOOPING));
        ShowPage(frame, editor->LoopingPage());
        NudgeCount(Find<wxSpinCtrl>(&dialog, VTBlockLoopingPage::ID_COUNT));
        EXPECT_TRUE(On(&dialog, VTBlockLoopingPage::ID_N_TIMES));
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_LOOPING_WORD), "ON");
        ShowPage(frame, editor->ExtraActionsPage());
        Tick(dialog, 10070);  // "Stop presenting trials past"
        RuleRows::TypeInto(Find<wxTextCtrl>(&dialog, 10071), "45");
        ShowPage(frame, editor->RandomizePage());
        Tick(dialog, VTBlockRandomizePage::ID_RANDOMIZE_TRIALS);
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_RANDOM_WORD), "ON");
        TestSupport::ClickWindow(frame.m_OK);
    });
    ASSERT_EQ(editor->ShowModal(), wxID_OK) << TestSupport::LogAsText();
    EXPECT_EQ(f.practice->m_LoopMode, VTBlock::kLoopModeCount);
    EXPECT_EQ(f.practice->m_LoopCount, 7);
    EXPECT_EQ(TimeLimit(*f.practice), "1 45 91");
    EXPECT_TRUE(f.practice->GetRandomizeTrials());

    // The same editor for Main: Main's values, none of Practice's.
    launcher.Show(x, ElementType::Block, 1);
    ASSERT_EQ(VTEditBlockDlg::GetSingletonBlockEditor(&x, launcher.list, false, false, false), editor);
    dialogs.Then([&](wxDialog& dialog) {
        EXPECT_TRUE(On(&dialog, VTBlockLoopingPage::ID_FOREVER));
        EXPECT_EQ(Find<wxSpinCtrl>(&dialog, VTBlockLoopingPage::ID_COUNT)->GetValue(), 40);
        EXPECT_EQ(Find<wxTextCtrl>(&dialog, 10071)->GetValue(), "1500");
        EXPECT_EQ(Find<wxChoice>(&dialog, 10072)->GetSelection(), 1);
        EXPECT_FALSE(On(&dialog, 10073)) << "the trial limit is Main's: off";
        ASSERT_EQ(editor->ListAccessConflicts().size(), 1u);
        EXPECT_EQ(editor->ListAccessConflicts()[0], "M1");
        EXPECT_EQ(editor->RandomizePage()->GetExplanationPage(), 3);
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_LOOPING_WORD), "ON");
        TestSupport::ClickWindow(frame.m_Cancel);
    });
    EXPECT_EQ(editor->ShowModal(), wxID_CANCEL);
    EXPECT_EQ(f.main->m_LoopMode, VTBlock::kLoopModeForever);
    // Put aside, the editor keeps no block's conflicting trials.
    editor->SimulateDestruction();
    EXPECT_TRUE(editor->ListAccessConflicts().empty());
}

TEST(TrialEditorPages, SetOnOKAndReloadedForTheNextTrial)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    auto* colour = new VTTagSet(&x);
    colour->SetName("Colour");
    colour->SetContext(VTTagSet::TrialContext);
    x.GetElementsOfType(ElementType::TagSet).AddElement(colour, -1);
    colour->AddTag("Red", -1);
    colour->AddTag("Green", -1);
    VTTrial* p1 = f.practice->GetUsedTrial(0);
    VTTrial* p2 = f.practice->GetUsedTrial(1);
    p2->SetLimitOfRepeatsDueToFeedbackFlag(false);
    p2->SetNumberOfRepeatsDueToFeedback(8);
    p2->SetRandomizeEvents(true);

    Launcher launcher;
    launcher.Show(x, ElementType::Trial, 0);
    VTEditTrialDlg* editor = VTEditTrialDlg::GetSingletonEditor(&x, launcher.list, false, false, false);
    ASSERT_NE(editor, nullptr);
    BlockTrialFrameParts& frame = editor->Frame();
    ASSERT_EQ(frame.m_Notebook->GetPageCount(), 5u);
    const wxString tabs[] = {"When to Present", "List Access", "Tags", "Rules", "Options"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(frame.m_Notebook->GetPageText(i), tabs[i]);

    DialogQueue dialogs;
    dialogs.Then([&](wxDialog& dialog) {
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_TAGS_WORD), "NO TAGS");
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_RANDOM_WORD), "OFF");
        ShowPage(frame, editor->TagsPage());
        VTTagsGrid* grid = editor->TagsPage()->GetGrid();
        ASSERT_NE(grid, nullptr);
        ASSERT_TRUE(grid->IsShown());
        ClickCell(grid, 0, 0);
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_TAGS_WORD), "HAS TAGS");
        ShowPage(frame, editor->OptionsPage());
        Tick(dialog, 10252);  // "Limit the number of restarts to"
        RuleRows::TypeInto(Find<wxTextCtrl>(&dialog, 10255), "3");
        Tick(dialog, 10304);  // "Randomize events in this trial"
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_RANDOM_WORD), "ON");
        TestSupport::ClickWindow(frame.m_OK);
    });
    ASSERT_EQ(editor->ShowModal(), wxID_OK) << TestSupport::LogAsText();
    EXPECT_TRUE(p1->GetLimitOfRepeatsDueToFeedbackFlag());
    EXPECT_EQ(p1->GetLimitOfRepeatsDueToFeedback(), 3u);
    EXPECT_TRUE(p1->GetRandomizeEvents());
    ASSERT_EQ(p1->GetUsedTags().Size(), 1u);
    EXPECT_EQ(p1->GetUsedTags().GetUsedElementPtr(0)->GetName(), "Red");

    // The same editor for P2: its own options, no tag chosen.
    launcher.Show(x, ElementType::Trial, 1);
    ASSERT_EQ(VTEditTrialDlg::GetSingletonEditor(&x, launcher.list, false, false, false), editor);
    dialogs.Then([&](wxDialog& dialog) {
        EXPECT_FALSE(On(&dialog, 10252));
        EXPECT_EQ(Find<wxTextCtrl>(&dialog, 10255)->GetValue(), "8");
        EXPECT_TRUE(On(&dialog, 10304));
        ASSERT_NE(editor->TagsPage()->GetGrid(), nullptr);
        EXPECT_EQ(editor->TagsPage()->GetGrid()->GetNumberOfUsedTags(), 0);
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_TAGS_WORD), "NO TAGS");
        EXPECT_EQ(Indicator(frame, AtAGlancePanel::ID_RANDOM_WORD), "ON");
        TestSupport::ClickWindow(frame.m_Cancel);
    });
    EXPECT_EQ(editor->ShowModal(), wxID_CANCEL);
    EXPECT_EQ(p2->GetUsedTags().Size(), 0u);
    // Put aside, the editor lets the tags grid go; the next load builds it again.
    editor->SimulateDestruction();
    EXPECT_EQ(editor->TagsPage()->GetGrid(), nullptr);
}

TEST(EditorPages, LoopingTrialLimitAndRestartLimitSetInTheEditorsAreSavedReopenedAndRun)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    f.practice->m_LoopCount = 2;
    // P2 asks to be repeated after every presentation; the trial editor limits that.
    VTTrial* p2 = f.practice->GetUsedTrial(1);
    p2->AttachRule(RepeatRule(x));
    Launcher launcher;
    DialogQueue dialogs;

    launcher.Show(x, ElementType::Trial, 1);
    VTEditTrialDlg* trialEditor = VTEditTrialDlg::GetSingletonEditor(&x, launcher.list, false, false, false);
    dialogs.Then([&](wxDialog& dialog) {
        ShowPage(trialEditor->Frame(), trialEditor->OptionsPage());
        Tick(dialog, 10252);
        RuleRows::TypeInto(Find<wxTextCtrl>(&dialog, 10255), "1");
        TestSupport::ClickWindow(trialEditor->Frame().m_OK);
    });
    ASSERT_EQ(trialEditor->ShowModal(), wxID_OK) << TestSupport::LogAsText();

    // Practice: two passes, at most 4 counted trials (the repeats are not counted).
    launcher.Show(x, ElementType::Block, 0);
    VTEditBlockDlg* blockEditor = VTEditBlockDlg::GetSingletonBlockEditor(&x, launcher.list, false, false, false);
    dialogs.Then([&](wxDialog& dialog) {
        ShowPage(blockEditor->Frame(), blockEditor->LoopingPage());
        NudgeCount(Find<wxSpinCtrl>(&dialog, VTBlockLoopingPage::ID_COUNT));
        ShowPage(blockEditor->Frame(), blockEditor->ExtraActionsPage());
        Tick(dialog, 10073);  // "Present a maximum of"
        RuleRows::TypeInto(Find<wxTextCtrl>(&dialog, 10074), "3");
        TestSupport::ClickWindow(blockEditor->Frame().m_OK);
    });
    ASSERT_EQ(blockEditor->ShowModal(), wxID_OK) << TestSupport::LogAsText();
    ASSERT_EQ(f.practice->m_LoopMode, VTBlock::kLoopModeCount);
    EXPECT_EQ(TrialLimit(*f.practice), "1 3");

    // P1, P2 and its one repeat, then the second pass's P1 is the third counted
    // trial and ends the block; Main follows.
    const std::vector<wxString> expected = {
        "Practice/P1/Fixation P1", "Practice/P1/Word P1", "Practice/P2/Fixation P2", "Practice/P2/Word P2",
        "Practice/P2/Fixation P2", "Practice/P2/Word P2", "Practice/P1/Fixation P1", "Practice/P1/Word P1",
        "Main/M1/Fixation M1",     "Main/M1/Word M1"};
    EXPECT_EQ(SavedReopenedAndRun(x), expected) << TestSupport::LogAsText();
}

TEST(BlockEditorPages, ARowsSubsetLinkOpensItsSheetFromTheEditor)
{
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    Launcher launcher;
    launcher.Show(f.experiment, ElementType::Block, 0);
    VTEditBlockDlg* editor = VTEditBlockDlg::GetSingletonBlockEditor(&f.experiment, launcher.list, false, false, false);
    BlockTrialFrameParts& frame = editor->Frame();
    wxString sheetTitle;
    DialogQueue dialogs;
    dialogs.Then([&](wxDialog&) {
        TestSupport::ClickWindow(frame.m_OnlyIf);
        RuleRowRHSChoiceBookWithHiddenCtrl* book = frame.m_Criteria->m_rows[0]->OperandBook();
        wxHyperlinkEvent click(book, RuleRowRHSChoiceBookWithHiddenCtrl::kSettingsLinkId, wxEmptyString);
        book->GetEventHandler()->ProcessEvent(click);
        TestSupport::PumpFor(300);
        TestSupport::ClickWindow(frame.m_Cancel);
    });
    dialogs.Then([&](wxDialog& sheet) {
        sheetTitle = sheet.GetTitle();
        TestSupport::ClickWindow(sheet.FindWindow(wxID_CANCEL));
    });
    EXPECT_EQ(editor->ShowModal(), wxID_CANCEL);
    EXPECT_EQ(sheetTitle, "Subset of Trials");
    EXPECT_FALSE(TestSupport::LogContains("sheet is not available")) << TestSupport::LogAsText();
}

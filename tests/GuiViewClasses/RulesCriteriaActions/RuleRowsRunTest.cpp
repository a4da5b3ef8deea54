// Rules composed on real rule rows by the user's events, committed through the
// rule model's factories, saved, reopened and run: "Trial's reaction time > 800 ms
// -> Repeat trial" repeats the slow trial in the data file, and "Always -> Change
// background color" colours the screen from the next paint on.

#include "RuleRowEvents.h"
#include "RuleRowsWorld.h"

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <VTCore/MetaTFPredicate.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTTrial.h>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "XPixelProbe.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/clrpicker.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

using namespace Vantrel;
using RuleRows::Choose;
using RuleRows::OnPage;
using RuleRows::PickLeftSide;
using RuleRows::TypeInto;

namespace {

const wxColour kChosen(0, 128, 255);

long CornerPixel(const wxString& png)
{
    wxImage image;
    if (!image.LoadFile(png, wxBITMAP_TYPE_PNG)) return -1;
    return XPixelProbe::Rgb(image.GetRed(2, 2), image.GetGreen(2, 2), image.GetBlue(2, 2));
}

}  // namespace

TEST(RuleRowsRun, RulesComposedOnRowsAreSavedReopenedAndCarriedOut)
{
    wxInitAllImageHandlers();
    TestSupport::ClearLog();
    Fixture::TwoBlocks f;
    VTExperiment& x = f.experiment;
    VTResponse* key = Fixture::KeyResponse(x, "F", 'F');
    VTTrial* m1 = f.main->GetUsedTrial(0);
    VTEvent* word = m1->GetUsedEvent(1);
    word->GetUsedResponses().AddChildElement(key);
    word->SetResponseType(2, -1, 2);
    word->AcceptInputSettingsForEditor(true, true, 0, 10000, -1);
    word->AcceptEndEventSettings(false, true, false, true);

    // ---- Composed on rows, by the events the user's picks and typing send.
    RuleRows::Host host;
    RuleComponentRowPanel* slow = host.NewRow(4, false, &x);
    RuleComponentRowPanel* repeat = host.NewRow(4, true, &x);
    PickLeftSide(slow, 13094);  // "Trial's reaction time"
    Choose(dynamic_cast<wxChoice*>(OnPage(slow, "rule_rhs_choice1")), ">");
    TypeInto(slow, "rule_rhs_field1", "800");
    PickLeftSide(repeat, 15024);  // "Repeat trial"

    host.first = true;
    RuleComponentRowPanel* always = host.NewRow(2, false, &x);
    RuleComponentRowPanel* colour = host.NewRow(2, true, &x);
    EXPECT_EQ(always->GetIdOfSelectedLHS(), 13091);  // a leading row starts as "Always"
    PickLeftSide(colour, 15042);                     // "Change background color"
    auto* picker = dynamic_cast<wxColourPickerCtrl*>(OnPage(colour, "rule_color_picker"));
    ASSERT_NE(picker, nullptr);
    picker->SetColour(kChosen);
    wxColourPickerEvent picked(picker, picker->GetId(), kChosen);
    picker->GetEventHandler()->ProcessEvent(picked);

    // ---- Committed through the factories.
    const auto commit = [&x](RuleComponentRowPanel* criterion, RuleComponentRowPanel* action, const wxString& name,
                             int kind) {
        std::vector<ExpressionFromGUI> rows(1);
        criterion->PlaceRowGUIStateOntoThisForm(rows[0]);
        std::vector<OrderFormForActionCreation> actions(1);
        action->PlaceRowGUIStateOntoThisForm(actions[0]);
        auto predicate = MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(&x, rows, false, name, 1);
        VTRule* rule =
            VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(name, &x, kind, predicate, false, false);
        rule->ReplaceActionsWithNewList(ActionFactory::MakeActionListFromOrderForms(&x, actions, name, 1));
        return rule;
    };
    VTRule* tooSlow = commit(slow, repeat, "Too slow", VTRule::kKindTrials);
    const ExpressionFromGUI& row = tooSlow->GetExpression().GetRows().at(0);
    EXPECT_EQ(row.builtIn, RuleCode::BuiltInTrialReactionTime);
    EXPECT_EQ(row.operatorInContext, RuleCode::OpGreater);
    EXPECT_EQ(row.value, 800);
    EXPECT_EQ(tooSlow->GetActions().GetForms().at(0).actionType, RuleCode::ActionRepeatTrial);
    m1->AttachRule(tooSlow);
    f.practice->AttachRule(commit(always, colour, "Blue after practice", VTRule::kKindBlocks));

    // ---- Saved and reopened.
    const wxString folder = TestSupport::MakeTempFolder("rows");
    const wxString document = wxFileName(folder, "composed.vt6").GetFullPath();
    ASSERT_TRUE(x.OnSaveDocument(document)) << TestSupport::LogAsText();
    VTExperiment reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(document)) << TestSupport::LogAsText();

    // ---- Run: the first answer to M1 comes slowly, the answer to its repetition quickly.
    const wxString data = wxFileName(folder, "run.txt").GetFullPath();
    VTRunOptions& options = reopened.GetRunOptions();
    options.SetGroupID(int(reopened.GetGroupElementByName("Everyone")->GetID()));
    options.SetSubjectName("p01");
    options.SetSaveCollectedDataFlag(true, data);
    options.SetScreenshotFlag(true);
    VTCompiledExperiment compiled({});
    ASSERT_NE(reopened.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr) << TestSupport::LogAsText();

    XPixelProbe probe;
    ASSERT_TRUE(probe.IsOpen());
    long seenOnScreen = -1;
    // Rows reach the data file as each event ends: with five, M1's word is up; with
    // seven, its repetition's.
    const auto rowsWritten = [&data](size_t n) { return [&data, n] { return Fixture::DataRows(data).size() >= n; }; };
    RunDriver driver;
    driver.FocusPresentation();
    driver.Then(
        0, [] {}, rowsWritten(5));
    driver.Then(1200, [] { wxUIActionSimulator().Char('f'); });
    driver.Then(
        0, [] {}, rowsWritten(7));
    driver.Then(150, [&] {
        seenOnScreen = probe.PixelAt(probe.ScreenWidth() - 3, probe.ScreenHeight() - 3);
        wxUIActionSimulator().Char('f');
    });
    driver.Begin();
    ASSERT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    driver.Stop();

    const std::vector<wxString> expected = {"Practice/P1/Fixation P1", "Practice/P1/Word P1", "Practice/P2/Fixation P2",
                                            "Practice/P2/Word P2",     "Main/M1/Fixation M1", "Main/M1/Word M1",
                                            "Main/M1/Fixation M1",     "Main/M1/Word M1"};
    EXPECT_EQ(Fixture::DataRows(data), expected) << TestSupport::LogAsText();
    const long chosen = XPixelProbe::Rgb(kChosen.Red(), kChosen.Green(), kChosen.Blue());
    EXPECT_EQ(seenOnScreen, chosen);
    // Before the block rule ran the background was the experiment's own; after it, the chosen one.
    const wxString shots = wxFileName(folder, "run").GetFullPath();
    EXPECT_NE(CornerPixel(shots + "-P1-1.png"), chosen);
    EXPECT_EQ(CornerPixel(shots + "-M1-1.png"), chosen);
    EXPECT_EQ(CornerPixel(shots + "-M1-2.png"), chosen);
}

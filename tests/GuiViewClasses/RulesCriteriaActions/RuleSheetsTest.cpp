// The trial-subset and collection-function sheets, shown window-modally with a real
// experiment's tags: what the controls show for the value handed in, what OK hands
// back, and that Cancel hands back nothing.

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>

#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include "DialogQueue.h"
#include "SheetDialogCollectionExpression.h"
#include "SheetDialogConfigureTIBSubset.h"
#include "TestSupport.h"

using namespace Vantrel;

namespace {

template <class T>
T* Child(wxWindow& parent, int id)
{
    return dynamic_cast<T*>(parent.FindWindow(id));
}

// Picks an item as the user does: the choice changes and sends its event.
void Pick(wxChoice* choice, int item)
{
    ASSERT_NE(choice, nullptr);
    choice->SetSelection(item);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetInt(item);
    event.SetEventObject(choice);
    choice->ProcessWindowEvent(event);
}

class RuleSheets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        auto* set = new VTTagSet(&x);
        set->SetName("Difficulty");
        x.GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
        easy = set->AddTag("easy");
        hard = set->AddTag("hard");
        frame = new wxFrame(nullptr, wxID_ANY, "Rules");
        frame->Show();
    }
    void TearDown() override { frame->Destroy(); }

    VTExperiment x;
    VTTag* easy = nullptr;
    VTTag* hard = nullptr;
    wxFrame* frame = nullptr;
};

}  // namespace

TEST_F(RuleSheets, TheSubsetSheetShowsTheSubsetAndHandsBackWhatWasChosenOnOK)
{
    auto* sheet = new SheetDialogConfigureTIBSubset(frame, 10048, "Subset of Trials");
    using S = SheetDialogConfigureTIBSubset;
    TrialSubsetDescription given;
    given.rangeMode = TrialSubsetDescription::kLastTrials;
    given.count = 0;  // keeps the spin's own value
    int oks = 0;
    TrialSubsetDescription got;
    sheet->ReinitializeWithData(&x, given, [&] {
        ++oks;
        got = sheet->ConstRefToTrialSubsetDescription();
    });
    DialogQueue dialogs;
    dialogs.Then([&](wxDialog& d) {
        EXPECT_TRUE(Child<wxRadioButton>(d, S::ID_LAST_TRIALS)->GetValue());
        EXPECT_EQ(Child<wxSpinCtrl>(d, S::ID_COUNT)->GetValue(), 10);
        EXPECT_FALSE(Child<wxChoice>(d, S::ID_TAG)->IsEnabled());
        EXPECT_EQ(Child<wxChoice>(d, S::ID_TAG)->GetString(1), hard->GetLongName_PrependsTagSetNameToTag());
        TestSupport::ClickWindow(Child<wxRadioButton>(d, S::ID_ALL_TRIALS));
        // A changed count turns "Only the last" on again.
        auto* spin = Child<wxSpinCtrl>(d, S::ID_COUNT);
        spin->SetValue(25);
        wxSpinEvent spun(wxEVT_SPINCTRL, spin->GetId());
        spun.SetEventObject(spin);
        spun.SetPosition(25);
        spin->ProcessWindowEvent(spun);
        EXPECT_TRUE(Child<wxRadioButton>(d, S::ID_LAST_TRIALS)->GetValue());
        TestSupport::ClickWindow(Child<wxCheckBox>(d, S::ID_USE_TAG));
        EXPECT_TRUE(Child<wxChoice>(d, S::ID_TAG)->IsEnabled());
        Pick(Child<wxChoice>(d, S::ID_TAG), 1);
        TestSupport::ClickWindow(d.FindWindow(wxID_OK));
    });
    sheet->ShowWindowModal();
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(got.rangeMode, TrialSubsetDescription::kLastTrials);
    EXPECT_EQ(got.count, 25);
    EXPECT_TRUE(got.useTag);
    EXPECT_EQ(got.tagId, int(hard->GetID()));

    // Cancel after changes: nothing handed back; the next opening starts from the caller's value.
    dialogs.Then([&](wxDialog& d) {
        EXPECT_TRUE(Child<wxCheckBox>(d, S::ID_USE_TAG)->GetValue());
        EXPECT_EQ(Child<wxChoice>(d, S::ID_TAG)->GetStringSelection(), hard->GetLongName_PrependsTagSetNameToTag());
        TestSupport::ClickWindow(Child<wxRadioButton>(d, S::ID_ALL_TRIALS));
        TestSupport::ClickWindow(d.FindWindow(wxID_CANCEL));
    });
    sheet->ReinitializeWithData(&x, got, [&] { ++oks; });
    sheet->ShowWindowModal();
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(sheet->GetReturnCode(), wxID_CANCEL);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(RuleSheets, TheSubsetSheetWithoutTagsOrWithAGoneTagSaysSo)
{
    using S = SheetDialogConfigureTIBSubset;
    VTExperiment bare;
    auto* sheet = new SheetDialogConfigureTIBSubset(frame, 10048, "Subset of Trials");
    TrialSubsetDescription gone;
    gone.useTag = true;
    gone.tagId = 4242;
    sheet->ReinitializeWithData(&x, gone, {});
    EXPECT_TRUE(TestSupport::LogContains("Tag from subset data does not match any known tag."));
    TestSupport::ClearLog();
    sheet->ReinitializeWithData(&bare, TrialSubsetDescription(), {});
    DialogQueue dialogs;
    dialogs.Then([&](wxDialog& d) {
        TestSupport::ClickWindow(Child<wxCheckBox>(d, S::ID_USE_TAG));
        EXPECT_TRUE(TestSupport::LogContains("Selection error on tag list."));
        EXPECT_FALSE(Child<wxCheckBox>(d, S::ID_USE_TAG)->GetValue());
        EXPECT_FALSE(Child<wxChoice>(d, S::ID_TAG)->IsEnabled());
        TestSupport::ClickWindow(d.FindWindow(wxID_OK));
    });
    sheet->ShowWindowModal();
    EXPECT_FALSE(sheet->ConstRefToTrialSubsetDescription().useTag);
}

TEST_F(RuleSheets, TheCollectionSheetHandsBackTheFunctionChosenOnOK)
{
    using S = SheetDialogCollectionExpression;
    auto* sheet = new SheetDialogCollectionExpression(frame, 10066, "Select Trial Collection Option");
    CollectionFunctionInfo got;
    int oks = 0;
    DialogQueue dialogs;
    struct Case
    {
        const char* title;
        int context;
        CollectionFunctionInfo given;
        std::function<void(wxDialog&)> work;
        int function;
        bool doesNotContain;
        int tagId;  // 0: the hard tag's
        const char* logged;
    };
    CollectionFunctionInfo removed;
    removed.function = CollectionFunctionInfo::kNumberCorrect;
    CollectionFunctionInfo contains;
    contains.function = CollectionFunctionInfo::kContainsTrialToo;
    const std::vector<Case> cases = {
        {"a removed function shows as full",
         4,
         removed,
         {},
         CollectionFunctionInfo::kIsFull,
         false,
         -1,
         "Experiment uses an option from Beta 5 that is now removed."},
        {"percentage of a tag (picking checks the tagged button)", 4, CollectionFunctionInfo(),
         [](wxDialog& d) {
             Pick(Child<wxChoice>(d, S::ID_TAG_FUNCTION), 1);
             Pick(Child<wxChoice>(d, S::ID_TAG), 1);
             EXPECT_TRUE(Child<wxRadioButton>(d, S::ID_TAGGED)->GetValue());
         },
         CollectionFunctionInfo::kPercentTagged, false, 0, nullptr},
        {"does not contain, in trial rules", 4, CollectionFunctionInfo(),
         [](wxDialog& d) { Pick(Child<wxChoice>(d, S::ID_CONTAINS), 1); }, CollectionFunctionInfo::kContainsTrial, true,
         -1, nullptr},
        {"contains, in trial criteria (clicking the current trial's text)", 3, CollectionFunctionInfo(),
         [](wxDialog& d) { TestSupport::ClickWindow(d.FindWindow(S::ID_CURRENT_TRIAL_TEXT)); },
         CollectionFunctionInfo::kContainsTrialToo, false, -1, nullptr},
        {"average reaction time", 2, CollectionFunctionInfo(),
         [](wxDialog& d) { TestSupport::ClickWindow(Child<wxRadioButton>(d, S::ID_AVERAGE_RT)); },
         CollectionFunctionInfo::kAverageRT, false, -1, nullptr},
        {"membership outside the trial contexts keeps its code", 1, contains,
         [](wxDialog& d) {
             EXPECT_FALSE(Child<wxRadioButton>(d, S::ID_MEMBERSHIP)->IsEnabled());
             EXPECT_TRUE(Child<wxRadioButton>(d, S::ID_MEMBERSHIP)->GetValue());
         },
         CollectionFunctionInfo::kContainsTrialToo, false, -1, "Corrupt expression context."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        TestSupport::ClearLog();
        sheet->ReinitializeWithData(
            &x, c.given,
            [&] {
                ++oks;
                got = sheet->ConstRefToCollFunc();
            },
            c.context);
        dialogs.Then([&](wxDialog& d) {
            if (c.work) c.work(d);
            TestSupport::ClickWindow(d.FindWindow(wxID_OK));
        });
        const int before = oks;
        sheet->ShowWindowModal();
        EXPECT_EQ(oks, before + 1);
        EXPECT_EQ(got.function, c.function);
        EXPECT_EQ(got.doesNotContain, c.doesNotContain);
        EXPECT_EQ(got.tagId, c.tagId == 0 ? int(hard->GetID()) : c.tagId);
        if (c.logged) EXPECT_TRUE(TestSupport::LogContains(c.logged)) << TestSupport::LogAsText();
    }
    // Cancel hands back nothing.
    sheet->ReinitializeWithData(
        &x, CollectionFunctionInfo(), [&] { ++oks; }, 4);
    dialogs.Then([&](wxDialog& d) {
        TestSupport::ClickWindow(Child<wxRadioButton>(d, S::ID_AVERAGE_RT));
        TestSupport::ClickWindow(d.FindWindow(wxID_CANCEL));
    });
    const int before = oks;
    sheet->ShowWindowModal();
    EXPECT_EQ(oks, before);
    EXPECT_EQ(sheet->GetReturnCode(), wxID_CANCEL);
}

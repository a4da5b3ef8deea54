// Choices filled from the experiment's content.

#include <GuiViewClasses/MiscGui/HelpersToPopulateGuiUsingExperimentContent.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>

#include <memory>

using namespace Vantrel;
using namespace Vantrel::ExperimentContentGuiHelpers;

namespace {

class ChoiceFillers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Choices");
        first = new wxChoice(frame, wxID_ANY);
        second = new wxChoice(frame, wxID_ANY);
        for (const char* name : {"Fixation", "Target", "Mask"}) {
            auto* event = new VTEvent(&experiment);
            event->SetName(name);
            experiment.GetElementsOfType(ElementType::Event).AddElement(event, -1);
        }
    }
    void TearDown() override { frame->Destroy(); }

    VTElement* Event(int i)
    {
        return experiment.GetElementsOfType(ElementType::Event)
            .GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(size_t(i));
    }
    static unsigned Data(wxChoice* choice, unsigned i)
    {
        return unsigned(reinterpret_cast<wxUIntPtr>(choice->GetClientData(i)));
    }
    void Refill()
    {
        const wxString prior = PriorChoicePreservationHelper(first);
        DoNameAndIDForVTItems(&experiment, ElementType::Event, ElementFilter(), first);
        SelectionRestorationHelper(first, prior);
    }

    VTExperiment experiment;
    wxFrame* frame = nullptr;
    wxChoice* first = nullptr;
    wxChoice* second = nullptr;
};

}  // namespace

TEST_F(ChoiceFillers, ARefillKeepsTheSelectionByItsTextElseTakesTheFirstItem)
{
    EXPECT_EQ(PriorChoicePreservationHelper(first), ".*^$#@notFinDAble-=");
    Refill();
    EXPECT_EQ(first->GetSelection(), 0) << "no prior selection: the first item";
    first->SetSelection(2);
    Refill();
    EXPECT_EQ(first->GetStringSelection(), "Mask");
    EXPECT_EQ(Data(first, 2), Event(2)->GetID());
    Event(2)->SetName("Mask 2");
    Refill();
    EXPECT_EQ(first->GetSelection(), 0) << "a renamed selection falls back to the first item, not to nothing";
    auto* empty = new wxChoice(frame, wxID_ANY);
    SelectionRestorationHelper(empty, "Fixation");
    EXPECT_EQ(empty->GetSelection(), wxNOT_FOUND);
}

TEST_F(ChoiceFillers, ACustomNameShowsInTheFirstChoiceOnlyAndFiltersApply)
{
    DoCustomNameStringAndIDForVTItems(
        &experiment, ElementType::Event, [](const Minimal_VTElement* e) { return "<" + e->GetName() + ">"; },
        [](const Minimal_VTElement* e) { return e->GetName() != "Target"; }, first, second);
    ASSERT_EQ(first->GetCount(), 2u);
    ASSERT_EQ(second->GetCount(), 2u);
    EXPECT_EQ(first->GetString(1), "<Mask>");
    EXPECT_EQ(second->GetString(1), "Mask");
    EXPECT_EQ(Data(first, 1), Event(2)->GetID());
    EXPECT_EQ(Data(second, 1), Event(2)->GetID());
    DoNameAndIDForVTItems(&experiment, ElementType::Event, &EventIsNonList, first);
    EXPECT_EQ(first->GetCount(), 3u) << "no list events here";
}

TEST_F(ChoiceFillers, TrialLevelsCarryTheirNumberAndText)
{
    auto* variable = new VTTrialVariable(&experiment);
    variable->SetName("Delay");
    variable->SetLevels({"100", "250", "400"});
    experiment.GetElementsOfType(ElementType::TrialVariable).AddElement(variable, -1);
    const std::vector<wxString> levels = variable->GetLevels();
    PopulateDropdownWithTrialLevels_ZeroBased(&experiment, int(variable->GetID()), first);
    PopulateDropdownWithTrialLevels_CountingFrom_1_NotZeroBased(&experiment, int(variable->GetID()), second);
    ASSERT_EQ(first->GetCount(), 3u);
    for (unsigned k = 1; k <= 3; ++k) {
        EXPECT_EQ(first->GetString(k - 1), wxString::Format("Level %u (%s)", k, levels[k - 1]));
        EXPECT_EQ(Data(first, k - 1), k - 1);
        EXPECT_EQ(Data(second, k - 1), k);
    }
    PopulateDropdownWithTrialLevels_ZeroBased(&experiment, 9999, first);
    EXPECT_EQ(first->GetCount(), 3u) << "an unknown variable changes nothing";
}

TEST_F(ChoiceFillers, AParameterSubsetLeavesOutOneNameAndShowsTheNoneTextDisabledWhenEmpty)
{
    auto parameters = experiment.GetParameters();
    parameters->AddNewItem(OrderFormForParameterCreation("Score", ParameterType::Counter));
    parameters->AddNewItem(OrderFormForParameterCreation("Clock", ParameterType::Timer));
    parameters->AddNewItem(OrderFormForParameterCreation("Lives", ParameterType::Counter));
    PutSubsetOfParametersOnChoiceDropdown(&experiment, first, ParameterType::Counter, "Lives", "(none)");
    ASSERT_EQ(first->GetCount(), 1u);
    EXPECT_EQ(first->GetString(0), "Score");
    EXPECT_TRUE(first->IsEnabled());
    PutSubsetOfParametersOnChoiceDropdown(&experiment, first, ParameterType::Timer, "Clock", "(none)");
    ASSERT_EQ(first->GetCount(), 1u);
    EXPECT_EQ(first->GetString(0), "(none)");
    EXPECT_EQ(first->GetSelection(), 0);
    EXPECT_FALSE(first->IsEnabled());
}

TEST_F(ChoiceFillers, FrontItemsAndTagNames)
{
    AddClientDataItemToFrontOf_wxChoice("Any", reinterpret_cast<void*>(wxUIntPtr(7)), first);
    ASSERT_EQ(first->GetCount(), 1u) << "an empty choice gets the item appended";
    DoNameAndIDForVTItems(&experiment, ElementType::Event, ElementFilter(), second);
    AddClientDataItemToFrontOf_wxChoice("Any", reinterpret_cast<void*>(wxUIntPtr(7)), second);
    EXPECT_EQ(second->GetString(0), "Any");
    EXPECT_EQ(Data(second, 0), 7u);
    EXPECT_EQ(second->GetString(1), "Fixation");

    auto* set = new VTTagSet(&experiment);
    set->SetName("Colour");
    experiment.GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
    VTTag* red = set->AddTag("Red");
    ASSERT_NE(red, nullptr);
    EXPECT_TRUE(GuiHelper::NameGetter_PrependsTagSetNameToTag(red).Contains("Colour"));
    EXPECT_TRUE(GuiHelper::NameGetter_PrependsTagSetNameToTag(red).Contains("Red"));
    EXPECT_EQ(GuiHelper::NameGetter_PrependsTagSetNameToTag(Event(0)), "{{ error. invalid tag element. }}");
    EXPECT_EQ(GuiHelper::NameGetter_PrependsTagSetNameToTag(nullptr), "{{ error. invalid tag element. }}");
    EXPECT_TRUE(TagBelongsToGivenSet(red, int(set->GetID())));
    EXPECT_FALSE(TagBelongsToGivenSet(red, int(set->GetID()) + 1));
    EXPECT_TRUE(TagSetIsForTrials(set));
}

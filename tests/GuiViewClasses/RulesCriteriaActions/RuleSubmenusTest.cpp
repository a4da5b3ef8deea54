// The submenus of experiment content and the maps of the row's helper, without a
// display: which items a submenu lists with which ids, and what the maps answer.

#include "RuleSubmenus.h"
#include "RulesSubmenusMadnessHelper.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <string>

using namespace Vantrel;
namespace H = Vantrel::ExperimentContentGuiHelpers;

namespace {

std::string Render(const std::vector<SubmenuItem>& items)
{
    std::string out;
    for (const SubmenuItem& item : items) {
        if (!out.empty()) out += " | ";
        if (item.separatorBefore) out += "- | ";
        out += std::to_string(item.menuId) + " " + std::string(item.text.utf8_str()) + (item.disabled ? " (off)" : "");
    }
    return out;
}

void AddParameters(VTExperiment& x, std::initializer_list<std::pair<const char*, int>> params)
{
    for (const auto& [name, type] : params)
        ASSERT_TRUE(x.GetParameters()->AddNewItem(OrderFormForParameterCreation(name, type)));
}

class RuleSubmenus : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
};

}  // namespace

TEST_F(RuleSubmenus, ParametersListScalarsByPlaceAndCollectionsAfterASeparator)
{
    VTExperiment x;
    AddParameters(
        x, {{"Score", ParameterType::Counter}, {"Pool", ParameterType::Collection}, {"Note", ParameterType::Text}});
    RulesSubmenusMadnessHelper helper(&x);
    EXPECT_EQ(Render(H::ParametersSubmenuItems(&x, &helper)), "27000 Score | 27002 Note | - | 28000 Pool");
    EXPECT_EQ(helper.ElNameByMenuId(28000), wxS("Pool"));
    EXPECT_EQ(helper.ElNameByMenuId(27002), wxS("Note"));
    EXPECT_EQ(helper.ElNameByMenuId(27001), wxString());
    EXPECT_EQ(helper.ElemIdByTypeAndSubmenuId(SubmenuKey::CollectionParameters, 28000), -1);
    EXPECT_EQ(helper.SubmenuIdByTypeAndElName(SubmenuKey::ScalarParameters, wxS("Note")), 27002);
    EXPECT_EQ(helper.SubmenuIdByTypeAndElName(SubmenuKey::ScalarParameters, wxS("note")), -1);
    EXPECT_EQ(helper.SubmenuIdByTypeAndElName(SubmenuKey::ScalarParameters, wxS("Pool")), -1);
    EXPECT_EQ(helper.SubmenuIdByTypeAndElName(SubmenuKey::CollectionParameters, wxS("Pool")), 28000);
    EXPECT_TRUE(TestSupport::RecordedLog().empty());
}

TEST_F(RuleSubmenus, OnlyCollectionsGiveNoSeparatorAndNothingGivesThePlaceholder)
{
    VTExperiment onlyCollections;
    AddParameters(onlyCollections, {{"A", ParameterType::Collection}, {"B", ParameterType::Collection}});
    EXPECT_EQ(Render(H::ParametersSubmenuItems(&onlyCollections, nullptr)), "28000 A | 28001 B");

    VTExperiment none;
    RulesSubmenusMadnessHelper helper(&none);
    EXPECT_EQ(Render(H::ParametersSubmenuItems(&none, &helper)), "27000 No parameters available (off)");
    EXPECT_EQ(Render(H::ParametersSubmenuItems(nullptr, &helper)), "27000 No parameters available (off)");
    EXPECT_TRUE(helper.GetEntries().empty());
    EXPECT_EQ(helper.ElNameByMenuId(27000), wxString());
}

TEST_F(RuleSubmenus, ElementSubmenusTakeIdsByPlaceAndSkipFilteredElements)
{
    VTExperiment x;
    std::vector<VTTagSet*> sets;
    for (const char* name : {"Colour", "Size", "Shape"}) {
        auto* set = new VTTagSet(&x);
        set->SetName(name);
        x.GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
        sets.push_back(set);
    }
    RulesSubmenusMadnessHelper helper(&x);
    const H::ElementFilter notSize = [](const Minimal_VTElement* el) { return el->GetName() != wxS("Size"); };
    EXPECT_EQ(Render(H::ExperimentElementsSubmenuItems(ElementType::TagSet, wxS("tag"), 25000, notSize, &x, &helper)),
              "25000 Colour | 25002 Shape");
    EXPECT_EQ(helper.ElemIdByTypeAndSubmenuId(SubmenuKey::TagSets, 25002), int(sets[2]->GetID()));
    EXPECT_EQ(helper.ElemIdByTypeAndSubmenuId(SubmenuKey::TagSets, 25001), -1);
    EXPECT_EQ(helper.SubmenuIdByTypeAndVTElemId(SubmenuKey::TagSets, int(sets[0]->GetID())), 25000);
    EXPECT_EQ(helper.SubmenuIdByTypeAndVTElemId(SubmenuKey::TagSets, int(sets[1]->GetID())), -1);
    EXPECT_EQ(helper.ElemIdByTypeAndSubmenuId(SubmenuKey::TrialLevels, 25000), -1);

    const H::ElementFilter nothing = [](const Minimal_VTElement*) { return false; };
    EXPECT_EQ(Render(H::ExperimentElementsSubmenuItems(ElementType::TagSet, wxS("tag"), 25000, nothing, &x, nullptr)),
              "25000 No tags available (off)");
    EXPECT_EQ(Render(H::ExperimentElementsSubmenuItems(ElementType::TrialVariable, wxS("trial level"), 26000, {}, &x,
                                                       nullptr)),
              "26000 No trial levels available (off)");
    EXPECT_EQ(Render(H::ExperimentElementsSubmenuItems(ElementType::TagSet, wxS("tag"), 25000, {}, nullptr, nullptr)),
              "25000 No tags available (off)");
}

TEST_F(RuleSubmenus, AThousandAreListedAndTheNextIsRefusedWithAMessage)
{
    for (int count : {1000, 1001}) {
        TestSupport::ClearLog();
        VTExperiment x;
        for (int i = 0; i < count; ++i) {
            auto* level = new VTTrialVariable(&x);
            level->SetName(wxString::Format("L%d", i));
            x.GetElementsOfType(ElementType::TrialVariable).AddElement(level, -1);
            x.GetParameters()->AddNewItem(
                OrderFormForParameterCreation(wxString::Format("P%d", i), ParameterType::Text));
        }
        const auto levels =
            H::ExperimentElementsSubmenuItems(ElementType::TrialVariable, wxS("trial level"), 26000, {}, &x, nullptr);
        ASSERT_EQ(levels.size(), 1000u);
        EXPECT_EQ(levels.back().menuId, 26999);
        EXPECT_EQ(H::ParametersSubmenuItems(&x, nullptr).size(), 1000u);
        EXPECT_EQ(TestSupport::LogContains(wxS("Menu cannot support more than 1000 trial levels."), wxLOG_Error),
                  count > 1000);
        EXPECT_EQ(TestSupport::LogContains(wxS("Menu cannot support more than 1000 parameters."), wxLOG_Error),
                  count > 1000);
    }
}

TEST_F(RuleSubmenus, TheHelperAnswersTheFirstMatchAndSearchesKeysInOrder)
{
    RulesSubmenusMadnessHelper helper(nullptr);
    helper.LogVTElementItem(SubmenuKey::TagSets, wxS("Set"), 25000, 7);
    helper.LogVTElementItem(SubmenuKey::TagSets, wxS("Set"), 25000, 7);  // recorded twice, as the menus do
    helper.LogVTElementItem(SubmenuKey::TrialLevels, wxS("Level"), 26000, 7);
    helper.LogParamItem(SubmenuKey::ScalarParameters, wxS("Score"), 27000);
    helper.LogParamItem(SubmenuKey::CollectionParameters, wxS("Score"), 28000);
    EXPECT_EQ(helper.SubmenuIdByTypeAndVTElemId(SubmenuKey::TrialLevels, 7), 26000);
    EXPECT_EQ(helper.SubmenuIdByTypeAndVTElemId(SubmenuKey::TagSets, 7), 25000);
    EXPECT_EQ(helper.ElemIdByTypeAndSubmenuId(SubmenuKey::ScalarParameters, 27000), -1);
    EXPECT_EQ(helper.SubmenuIdByTypeAndElName(SubmenuKey::CollectionParameters, wxS("Score")), 28000);
    EXPECT_EQ(helper.SubmenuIdByTypeAndElName(99, wxS("Score")), -1);
    EXPECT_EQ(helper.ElNameByMenuId(26000), wxS("Level"));
    EXPECT_EQ(helper.ElNameByMenuId(25999), wxString());
    EXPECT_EQ(helper.GetEntries().at(SubmenuKey::TagSets).size(), 2u);
    EXPECT_TRUE(helper.GetMenus().empty());
}

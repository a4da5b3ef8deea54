// The left-side menus of a context as real menus: items, separators, the disabled
// extended-only item and the submenus of experiment content with their ids.

#include "RuleMenuTables.h"
#include "RulesSubmenusMadnessHelper.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/menu.h>

#include <string>

using namespace Vantrel;

namespace {

std::string Render(const wxMenu& menu)
{
    std::string out;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (!out.empty()) out += " | ";
        if (item->IsSeparator()) {
            out += "-";
            continue;
        }
        out += std::string(item->GetItemLabelText().utf8_str());
        if (!item->IsEnabled()) out += " (off)";
        if (const wxMenu* sub = item->GetSubMenu()) {
            out += " [";
            for (const wxMenuItem* s : sub->GetMenuItems())
                out += s->IsSeparator() ? std::string("- ")
                                        : std::to_string(s->GetId()) + (s->IsEnabled() ? "" : "(off)") + " ";
            out += "]";
        }
    }
    return out;
}

}  // namespace

TEST(RuleMenus, TheCriteriaMenusOfATrialRuleWithExperimentContent)
{
    VTExperiment x;
    auto* set = new VTTagSet(&x);
    set->SetName(wxS("Colour"));
    x.GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
    x.GetParameters()->AddNewItem(OrderFormForParameterCreation(wxS("Score"), ParameterType::Counter));
    x.GetParameters()->AddNewItem(OrderFormForParameterCreation(wxS("Pool"), ParameterType::Collection));

    const auto helper = GetMenuForContext(&x, 4, GLOBAL_VECTOR_CRITERIA_MENU_INFOS());
    ASSERT_EQ(helper->GetMenus().size(), 2u);
    const std::string tail =
        "Trial's tag set [25000 ] | Parameter [27000 - 28000 ] | Trial Level [26000(off) ] | - | "
        "Percentage of trials presented in block | Number of trials presented in block | "
        "Average RT of trials presented in this block | - | Time since start of block | Time since start of experiment";
    const std::string head =
        "Always | - | Last participant response | Last text typed by participant | "
        "Trial's reaction time | Number of times this trial has been presented | Participant name | - | ";
    EXPECT_EQ(Render(*helper->GetMenus()[0]), head + tail);
    EXPECT_EQ(Render(*helper->GetMenus()[1]), head + "Dynamic Element (off) | " + tail);
    // Each element recorded once per menu, with the same ids.
    EXPECT_EQ(helper->GetEntries().at(11).size(), 2u);
    EXPECT_EQ(helper->ElemIdByTypeAndSubmenuId(11, 25000), int(set->GetID()));
    EXPECT_EQ(helper->ElNameByMenuId(28000), wxS("Pool"));
    EXPECT_EQ(helper->GetExperiment(), &x);
}

TEST(RuleMenus, WithoutAnExperimentEverySubmenuHoldsItsPlaceholder)
{
    const auto helper = GetMenuForContext(nullptr, 999, GLOBAL_VECTOR_CRITERIA_MENU_INFOS());
    const std::string plain = Render(*helper->GetMenus()[0]);
    EXPECT_NE(plain.find("Trial's tag set [25000(off) ]"), std::string::npos) << plain;
    EXPECT_NE(plain.find("Parameter [27000(off) ]"), std::string::npos) << plain;
    EXPECT_NE(plain.find("Trial Level [26000(off) ]"), std::string::npos) << plain;
    EXPECT_TRUE(helper->GetEntries().empty());
}

TEST(RuleMenus, TheActionMenusOfEventFeedback)
{
    const auto helper = GetMenuForContext(nullptr, 5, GLOBAL_VECTOR_ACTIONS_MENU_INFOS());
    const wxMenu& plain = *helper->GetMenus()[0];
    EXPECT_EQ(Render(plain), Render(*helper->GetMenus()[1]));
    EXPECT_EQ(plain.GetMenuItems().GetFirst()->GetData()->GetItemLabelText(), wxS("Reset parameter"));
    EXPECT_EQ(plain.GetMenuItems().GetLast()->GetData()->GetItemLabelText(), wxS("Set trial's tag"));
    EXPECT_EQ(plain.FindItem(15016), nullptr);  // "Exit experiment" is not offered in feedback
    EXPECT_NE(plain.FindItem(15035), nullptr);
}

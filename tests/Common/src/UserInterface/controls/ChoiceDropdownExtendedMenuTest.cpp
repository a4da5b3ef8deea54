#include "SheetTestSupport.h"
#include "TestSupport.h"
#include "UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h"
#include "UserInterface/CustomizedButtonControls/ExtendedMenuImpl.h"

#include <wx/frame.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <memory>

namespace {

enum
{
    Alpha = 101,
    Beta = 102,
    Gamma = 103,
    Delta = 104,
    Other = 201
};

// Menu 0: Alpha, ---, Beta, More > (Gamma, Deep > (Delta)).  Menu 1: Other, Beta named "Second Beta".
std::vector<std::unique_ptr<wxMenu>> SourceMenus()
{
    std::vector<std::unique_ptr<wxMenu>> menus;
    menus.emplace_back(new wxMenu);
    menus[0]->Append(Alpha, "&Alpha", "first");
    menus[0]->AppendSeparator();
    menus[0]->Append(Beta, "Beta");
    auto* more = new wxMenu;
    more->Append(Gamma, "Gamma");
    auto* deep = new wxMenu;
    deep->Append(Delta, "Delta\tCtrl-D");
    more->AppendSubMenu(deep, "Deep");
    menus[0]->AppendSubMenu(more, "More");
    menus.emplace_back(new wxMenu);
    menus[1]->Append(Other, "Other");
    menus[1]->Append(Beta, "Second Beta");
    return menus;
}

struct Pick
{
    int id;
    wxString text;
};

class ExtendedMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        frame_ = new wxFrame(nullptr, wxID_ANY, "Menus", wxPoint(50, 50), wxSize(400, 300));
        panel_ = new wxPanel(frame_);
        control_ = new ChoiceDropdownExtendedMenu(panel_, 4711, wxPoint(20, 20), wxSize(150, -1));
        panel_->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { picks_.push_back({e.GetId(), e.GetString()}); });
        frame_->Show();
        TestSupport::PumpUntil([this] { return control_->IsShownOnScreen(); });
    }
    void TearDown() override
    {
        frame_->Destroy();
        TestSupport::PumpFor(20);
    }

    void SetMenus(std::map<int, int> idMap = {})
    {
        auto sources = SourceMenus();
        control_->SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus(
            {sources[0].get(), sources[1].get()}, boost::make_shared<const std::map<int, int>>(std::move(idMap)));
        // sources are deleted here: the control must work on its copies
    }

    // What the popped-up menu sends to the control when an item is picked.
    void PickById(int id)
    {
        wxCommandEvent pick(wxEVT_MENU, id);
        pick.SetEventObject(control_);
        control_->ProcessWindowEvent(pick);
    }

    bool MenuIsOpen() const
    {
        wxMenu* menu = control_->GetExtendedMenuImpl()->GetMenuCopy(control_->GetExtendedMenuImpl()->GetMenuIndex());
        return menu && menu->GetInvokingWindow() != nullptr;
    }

    // Opens the menu with a real click and walks it with the real keyboard;
    // tries once more when the menu lost the keys and had to be closed.
    void PickWithKeyboard(const std::vector<int>& keys)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            picks_.clear();
            ExtendedMenuImpl* impl = control_->GetExtendedMenuImpl();
            SheetTest::KeyScript script(control_, impl->GetMenuCopy(impl->GetMenuIndex()), keys);
            TestSupport::ClickWindow(control_);
            TestSupport::PumpUntil([&] { return !picks_.empty() || script.ClosedByForce(); }, 12000);
            EXPECT_TRUE(script.MenuWasOpened());
            EXPECT_FALSE(MenuIsOpen());
            if (!script.ClosedByForce()) break;
            TestSupport::PumpFor(300);
        }
        ASSERT_FALSE(picks_.empty()) << "the pick did not arrive";
    }

    wxFrame* frame_ = nullptr;
    wxPanel* panel_ = nullptr;
    ChoiceDropdownExtendedMenu* control_ = nullptr;
    std::vector<Pick> picks_;
};

TEST_F(ExtendedMenuTest, StartsWithTheFirstItemOfTheFirstMenuAndKeepsCopies)
{
    SetMenus();
    EXPECT_EQ(control_->GetValue(), "Alpha");
    EXPECT_EQ(control_->GetTextOfSelectedMenuItem(), "Alpha");
    EXPECT_EQ(control_->GetIdOfSelectedMenuItem(), Alpha);
    EXPECT_EQ(control_->GetTextOfItemById(Delta), "Delta") << "labels without mnemonics or accelerators";
    EXPECT_EQ(control_->GetTextOfItemById(Beta), "Beta") << "the first menu that has the identifier";
    EXPECT_EQ(control_->GetTextOfItemById(999), "");
    ASSERT_EQ(control_->GetExtendedMenuImpl()->GetMenuCount(), 2u);
    const wxMenuItem* more = control_->GetExtendedMenuImpl()->GetMenuCopy(0)->FindItemByPosition(3);
    ASSERT_TRUE(more->IsSubMenu());
    EXPECT_EQ(more->GetSubMenu()->FindItemByPosition(1)->GetSubMenu()->FindItemByPosition(0)->GetId(), Delta);
}

TEST_F(ExtendedMenuTest, PickingANestedItemWithTheRealMenuReportsItsIdentifierAndShowsItsLabel)
{
    SetMenus();
    // Alpha, Beta, More > Gamma, Deep > Delta
    PickWithKeyboard({WXK_DOWN, WXK_DOWN, WXK_DOWN, WXK_RIGHT, WXK_DOWN, WXK_RIGHT, WXK_RETURN});
    ASSERT_EQ(picks_.size(), 1u);
    EXPECT_EQ(picks_[0].id, Delta);
    EXPECT_EQ(picks_[0].text, "Delta");
    EXPECT_EQ(control_->GetValue(), "Delta");
    EXPECT_EQ(control_->GetIdOfSelectedMenuItem(), -1) << "no top-level item carries that label";

    // The menu opens again on the next click.
    TestSupport::PumpFor(200);
    PickWithKeyboard({WXK_DOWN, WXK_RETURN});
    ASSERT_EQ(picks_.size(), 1u);
    EXPECT_EQ(picks_[0].id, Alpha);
    EXPECT_EQ(control_->GetIdOfSelectedMenuItem(), Alpha);
}

TEST_F(ExtendedMenuTest, IdentifierMapTranslatesPicksAndLabelsComeFromTheMenus)
{
    struct Case
    {
        const char* name;
        std::map<int, int> idMap;
        int picked;
        int reported;
        wxString eventText;
        wxString shown;
        bool errorLogged;
    } cases[] = {
        {"empty map", {}, Gamma, Gamma, "Gamma", "Gamma", false},
        {"mapped", {{Gamma, Other}}, Gamma, Other, "Gamma", "Other", false},
        {"same identifier in two menus", {}, Beta, Beta, "Beta", "Second Beta", false},
        {"reported identifier without item", {{Alpha, 999}}, Alpha, 999, "Alpha", "", true},
    };
    for (const Case& c : cases) {
        SetMenus(c.idMap);
        TestSupport::ClearLog();
        picks_.clear();
        PickById(c.picked);
        ASSERT_EQ(picks_.size(), 1u) << c.name;
        EXPECT_EQ(picks_[0].id, c.reported) << c.name;
        EXPECT_EQ(picks_[0].text, c.eventText) << c.name;
        EXPECT_EQ(control_->GetValue(), c.shown) << c.name;
        EXPECT_EQ(TestSupport::LogContains("Drop-down choice contains invalid empty text. Please cancel changes.",
                                           wxLOG_Error),
                  c.errorLogged)
            << c.name;
    }
}

TEST_F(ExtendedMenuTest, ChoosingByTextAndIndexWithErrorsForUnknownOnes)
{
    SetMenus();
    control_->ChooseTheMenuItemLinkedToThisString("Other");
    EXPECT_EQ(control_->GetValue(), "Other");
    EXPECT_EQ(control_->GetIdOfSelectedMenuItem(), Other);

    control_->ChooseTheMenuItemLinkedToThisString("Gamma");  // only inside a submenu
    EXPECT_TRUE(TestSupport::LogContains("Cannot select Gamma from the extended menu.", wxLOG_Error));
    EXPECT_EQ(control_->GetValue(), "Other");

    control_->ChooseExtendedMenuIndex(1);
    EXPECT_EQ(control_->GetExtendedMenuImpl()->GetMenuIndex(), 1u);
    EXPECT_EQ(control_->GetValue(), "Other") << "choosing a menu does not change the text";
    control_->ChooseExtendedMenuIndex(2);
    EXPECT_TRUE(TestSupport::LogContains("No such extended menu index!", wxLOG_Error));
    EXPECT_EQ(control_->GetExtendedMenuImpl()->GetMenuIndex(), 1u);
}

TEST_F(ExtendedMenuTest, AlteringAndDisablingItemsActsOnTheCopies)
{
    SetMenus();
    control_->AlterTextForMenuItem(Alpha, "Renamed");
    EXPECT_EQ(control_->GetValue(), "Alpha") << "shown text changes only at the next assignment";
    EXPECT_EQ(control_->GetTextOfItemById(Alpha), "Renamed");
    PickById(Alpha);
    EXPECT_EQ(control_->GetValue(), "Renamed");

    control_->SetEnablednessForMenuItem(Beta, false);
    EXPECT_FALSE(control_->GetExtendedMenuImpl()->GetMenuCopy(0)->FindItem(Beta)->IsEnabled());
    EXPECT_FALSE(control_->GetExtendedMenuImpl()->GetMenuCopy(1)->FindItem(Beta)->IsEnabled());
    control_->SetEnablednessForMenuItem(Delta, false);
    EXPECT_FALSE(control_->GetExtendedMenuImpl()->GetMenuCopy(0)->FindItem(Delta)->IsEnabled());
}

TEST_F(ExtendedMenuTest, EmptyMenusOrAFirstItemWithoutLabelLeaveAnEmptyText)
{
    control_->SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus({}, {});
    EXPECT_EQ(control_->GetValue(), "");
    EXPECT_EQ(control_->GetExtendedMenuImpl()->GetMenuCount(), 0u);
    EXPECT_EQ(control_->GetIdOfSelectedMenuItem(), -1);
    control_->ShowPopup();  // nothing to pop up: returns at once

    wxMenu empty;
    control_->SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus({&empty}, {});
    EXPECT_EQ(control_->GetValue(), "");
    EXPECT_EQ(control_->GetExtendedMenuImpl()->GetMenuCount(), 1u);

    wxMenu startsWithSubmenu;
    auto* sub = new wxMenu;
    sub->Append(Gamma, "Gamma");
    startsWithSubmenu.AppendSubMenu(sub, "More");
    control_->SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus({&startsWithSubmenu}, {});
    EXPECT_EQ(control_->GetValue(), "");

    // Replacing a set that showed a label: the old label must not stay on show.
    wxMenu plain;
    plain.Append(wxID_HIGHEST + 501, "Shown before");
    control_->SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus({&plain}, {});
    ASSERT_EQ(control_->GetValue(), "Shown before");
    control_->SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus({&startsWithSubmenu}, {});
    EXPECT_EQ(control_->GetValue(), "");
    EXPECT_EQ(control_->GetTextOfSelectedMenuItem(), "");
}

TEST_F(ExtendedMenuTest, ADisabledControlDoesNotPopUpItsMenu)
{
    SetMenus();
    control_->Disable();
    SheetTest::KeyScript watchdog(control_, control_->GetExtendedMenuImpl()->GetMenuCopy(0), {}, 3000);
    control_->ShowPopup();  // returns at once, or when the watchdog closed the menu
    EXPECT_FALSE(watchdog.MenuWasOpened());
    EXPECT_FALSE(watchdog.ClosedByForce());
    EXPECT_TRUE(picks_.empty());
}

}  // namespace

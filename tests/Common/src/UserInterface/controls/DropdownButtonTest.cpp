#include "SheetTestSupport.h"
#include "TestSupport.h"
#include "UserInterface/CustomizedButtonControls/DropdownButton.h"

#include <wx/bmpbuttn.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/panel.h>

#include <gtest/gtest.h>

namespace {

const wxBitmap& NormalLook()
{
    static const wxBitmap bitmap = [] {
        wxBitmap b(24, 16);
        wxMemoryDC dc(b);
        dc.SetBackground(*wxGREEN_BRUSH);
        dc.Clear();
        return b;
    }();
    return bitmap;
}

struct Command
{
    int id;
    int value;
    bool menuClosed;
};

class DropdownButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame_ = new wxFrame(nullptr, wxID_ANY, "Drop-down", wxPoint(60, 60), wxSize(300, 250));
        panel_ = new wxPanel(frame_);
        dropdown_ = new DropdownButton(&NormalLook, panel_, 321, wxPoint(30, 30));
        panel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) {
            commands_.push_back({e.GetId(), e.GetInt(), dropdown_->GetMenu()->GetInvokingWindow() == nullptr});
        });
        frame_->Show();
        TestSupport::PumpUntil([this] { return dropdown_->IsShownOnScreen(); });
    }
    void TearDown() override
    {
        frame_->Destroy();
        TestSupport::PumpFor(20);
    }

    wxFrame* frame_ = nullptr;
    wxPanel* panel_ = nullptr;
    DropdownButton* dropdown_ = nullptr;
    std::vector<Command> commands_;
};

TEST_F(DropdownButtonTest, ItemsAreNumberedFromTheBaseAndAddressableByIndexIdentifierAndLabel)
{
    EXPECT_EQ(dropdown_->AddDropdownMenuItem("New list"), 17014);
    dropdown_->AddSeparator();
    EXPECT_EQ(dropdown_->AddDropdownMenuItem("Import..."), 17015);
    EXPECT_EQ(dropdown_->FindItemByIndex(1)->GetId(), 17015) << "separators are not counted";
    EXPECT_EQ(dropdown_->FindItemByName("Import...")->GetId(), 17015);
    EXPECT_EQ(dropdown_->FindItemById(17014)->GetItemLabelText(), "New list");
    EXPECT_EQ(dropdown_->FindItemByName("missing"), nullptr);
    EXPECT_EQ(dropdown_->FindItemByIndex(5), nullptr);

    dropdown_->EnableItemAtIndex(0, false);
    EXPECT_FALSE(dropdown_->FindItemById(17014)->IsEnabled());
    dropdown_->EnableItemByName("New list", true);
    EXPECT_TRUE(dropdown_->FindItemById(17014)->IsEnabled());
    dropdown_->EnableItemByName("missing", false);  // changes nothing
    dropdown_->EnableItemAtIndex(9, false);
    dropdown_->DisableAllMenuItems();
    EXPECT_FALSE(dropdown_->FindItemById(17014)->IsEnabled());
    EXPECT_FALSE(dropdown_->FindItemById(17015)->IsEnabled());

    dropdown_->ClearDropdownMenu();
    EXPECT_EQ(dropdown_->GetMenu()->GetMenuItemCount(), 0u);
    dropdown_->DisableAllMenuItems();  // nothing to do on an empty menu
    EXPECT_EQ(dropdown_->AddDropdownMenuItem("Again"), 17014);
}

TEST_F(DropdownButtonTest, PickingAnItemSendsAButtonCommandWithTheItemIdentifierAfterTheMenuClosed)
{
    dropdown_->AddDropdownMenuItem("First");
    dropdown_->AddSeparator();
    const int second = dropdown_->AddDropdownMenuItem("Second");
    const auto picked = [this] {
        for (const auto& c : commands_)
            if (c.id == 321) return true;
        return false;
    };
    for (int attempt = 0; attempt < 2 && !picked(); ++attempt) {  // once more if the menu lost the keys
        SheetTest::KeyScript script(dropdown_, dropdown_->GetMenu(), {WXK_DOWN, WXK_DOWN, WXK_RETURN});
        TestSupport::ClickWindow(dropdown_->GetButton());
        TestSupport::PumpUntil([&] { return picked() || script.ClosedByForce(); }, 12000);
        EXPECT_TRUE(script.MenuWasOpened());
        TestSupport::PumpFor(100);
    }
    ASSERT_TRUE(picked()) << "the pick did not arrive";
    std::vector<Command> picks;
    for (const auto& c : commands_)
        if (c.id == 321) picks.push_back(c);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].value, second);
    EXPECT_TRUE(picks[0].menuClosed);
}

TEST_F(DropdownButtonTest, EnableButtonGreysOnlyTheButtonAndEnableGreysBoth)
{
    dropdown_->EnableButton(false);
    EXPECT_TRUE(TestSupport::PumpUntil([this] { return !dropdown_->GetButton()->IsEnabled(); }, 3000));
    EXPECT_TRUE(dropdown_->IsEnabled());
    dropdown_->EnableButton(true);
    EXPECT_TRUE(TestSupport::PumpUntil([this] { return dropdown_->GetButton()->IsEnabled(); }, 3000));

    dropdown_->Enable(false);
    TestSupport::PumpFor(50);
    EXPECT_FALSE(dropdown_->IsEnabled());
    EXPECT_FALSE(dropdown_->GetButton()->IsEnabled());
    dropdown_->Enable(true);
    EXPECT_TRUE(TestSupport::PumpUntil([this] { return dropdown_->GetButton()->IsEnabled(); }, 3000));
}

TEST_F(DropdownButtonTest, ButtonTakesTheBitmapSizeAndTheMenuOpensBelowIt)
{
    EXPECT_EQ(dropdown_->GetButton()->GetSize(), wxSize(24, 16));
    EXPECT_EQ(dropdown_->GetPopupPosition(), wxPoint(10, 16 + 11));
}

}  // namespace

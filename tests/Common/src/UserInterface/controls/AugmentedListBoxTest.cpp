#include "TestSupport.h"
#include "UserInterface/Widgets/AugmentedListBox.h"

#include <wx/frame.h>
#include <wx/html/htmlwin.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

namespace {

class AugmentedListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame_ = new wxFrame(nullptr, wxID_ANY, "List", wxPoint(40, 40), wxSize(300, 300));
        wxArrayString items;
        for (const char* name : {"<b>alpha</b>", "beta", "gamma", "delta"}) items.Add(name);
        list_ = new AugmentedListBox(frame_, wxID_ANY, wxDefaultPosition, wxSize(280, 280), items);
        frame_->Show();
        TestSupport::PumpUntil([this] { return list_->IsShownOnScreen(); });
    }
    void TearDown() override
    {
        frame_->Destroy();
        TestSupport::PumpFor(20);
    }

    void Refill(int count)
    {
        list_->Clear();
        for (int i = 0; i < count; ++i) list_->Append(wxString::Format("item %d", i));
    }

    wxFrame* frame_ = nullptr;
    AugmentedListBox* list_ = nullptr;
};

TEST_F(AugmentedListBoxTest, RemembersTheClickedItemAcrossRefills)
{
    EXPECT_EQ(list_->GetLastSelection(), wxNOT_FOUND);
    list_->SetACommonSelection(AugmentedListBox::RestoreLastSelection);
    EXPECT_EQ(list_->GetSelection(), wxNOT_FOUND) << "nothing was ever selected";

    const wxRect item = list_->GetItemRect(2);
    wxUIActionSimulator sim;
    sim.MouseMove(list_->ClientToScreen(item.GetPosition() + wxSize(item.width / 2, item.height / 2)));
    TestSupport::PumpFor(50);
    sim.MouseClick();
    ASSERT_TRUE(TestSupport::PumpUntil([this] { return list_->GetLastSelection() == 2; }, 3000));

    Refill(2);
    list_->SetACommonSelection(AugmentedListBox::RestoreLastSelection);
    EXPECT_EQ(list_->GetSelection(), wxNOT_FOUND) << "the remembered item is gone";

    Refill(5);
    list_->SetACommonSelection(AugmentedListBox::RestoreLastSelection);
    EXPECT_EQ(list_->GetSelection(), 2);
}

TEST_F(AugmentedListBoxTest, FirstLastAndUnknownCommonSelections)
{
    struct Case
    {
        int items;
        int which;
        int selected;
    } cases[] = {{3, AugmentedListBox::SelectFirst, 0},
                 {3, AugmentedListBox::SelectLast, 2},
                 {0, AugmentedListBox::SelectFirst, wxNOT_FOUND},
                 {0, AugmentedListBox::SelectLast, wxNOT_FOUND},
                 {3, 7, wxNOT_FOUND}};
    for (const Case& c : cases) {
        Refill(c.items);
        list_->SetACommonSelection(c.which);
        EXPECT_EQ(list_->GetSelection(), c.selected) << c.items << " items, choice " << c.which;
    }
    Refill(3);
    list_->SetSelection(1);
    EXPECT_EQ(list_->GetLastSelection(), 1) << "program selections are remembered too";
}

TEST(AugmentedListBoxClassTest, CreatableByClassName)
{
    const wxClassInfo* info = wxClassInfo::FindClass("AugmentedListBox");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->IsDynamic());
    EXPECT_TRUE(info->IsKindOf(wxCLASSINFO(wxSimpleHtmlListBox)));
}

TEST_F(AugmentedListBoxTest, PlainTextItemsShowExactlyTheirText)
{
    const wxString names[] = {"A < B & C", "<b>bold</b>", "x&amp;y", "plain"};
    int tag = 0;
    list_->Clear();
    for (const wxString& name : names) list_->AppendPlainText(name, &tag);
    ASSERT_EQ(list_->GetCount(), 4u);
    // What the participant sees: each item's HTML as the list's renderer turns it into text.
    auto* rendered = new wxHtmlWindow(frame_);
    for (unsigned i = 0; i < 4; ++i) {
        rendered->SetPage(list_->GetString(i));
        EXPECT_EQ(rendered->ToText(), names[i]);
        EXPECT_EQ(list_->GetClientData(i), &tag);
    }
}

}  // namespace

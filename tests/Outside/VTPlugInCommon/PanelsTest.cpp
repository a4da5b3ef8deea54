// Panel switcher, visibility-tracking panel and clickable text on real windows.

#include <gtest/gtest.h>

#include <wx/choice.h>
#include <wx/file.h>
#include <wx/frame.h>
#include <wx/xrc/xh_panel.h>
#include <wx/xrc/xmlres.h>

#include "TestSupport.h"
#include "VTPlugInCommon/VTPanels.h"

namespace {

struct Owner : Orbisk::Interface_WindowThatCanParentClickableText
{
    std::vector<long> left, right;
    void OnStaticTextRightClick(int, int, long id) override { right.push_back(id); }
    void OnStaticTextLeftClick(int, int, long id) override { left.push_back(id); }
};

class Panels : public ::testing::Test
{
protected:
    void SetUp() override { frame = new wxFrame(nullptr, wxID_ANY, "Panels", wxPoint(40, 40), wxSize(400, 300)); }
    void TearDown() override { frame->Destroy(); }
    wxFrame* frame;
};

}  // namespace

TEST_F(Panels, SwitcherShowsOnePageAndFollowsItsChoice)
{
    auto* switcher = new VTPanelSwitcher(frame);
    for (int i = 0; i < 3; ++i) new wxPanel(switcher);
    auto* choice = new wxChoice(frame, wxID_ANY);
    choice->Append({"a", "b", "c"});
    EXPECT_EQ(switcher->GetPageCount(), 3);
    EXPECT_TRUE(switcher->SelectPage(1));
    EXPECT_FALSE(switcher->SelectPage(3));
    EXPECT_EQ(switcher->GetSelectedPageIndex(), 1);
    EXPECT_TRUE(switcher->GetPage(1)->IsShown());
    EXPECT_FALSE(switcher->GetPage(0)->IsShown());
    switcher->BindManagingChoice(choice);
    choice->SetSelection(2);
    wxCommandEvent picked(wxEVT_CHOICE, choice->GetId());
    picked.SetInt(2);
    picked.SetEventObject(choice);
    choice->GetEventHandler()->ProcessEvent(picked);
    EXPECT_EQ(switcher->GetSelectedPage(), switcher->GetPage(2));
    switcher->SelectPage(0);
    EXPECT_EQ(choice->GetSelection(), 0);
}

TEST_F(Panels, XrcMakesTrackingPanelsAndSwitchersWithTheirPages)
{
    wxXmlResource resource;
    resource.AddHandler(new wxPanelXmlHandler);
    resource.AddHandler(new Orbisk::PanelWithVisibilityTrackingXmlHandler);
    const wxString path = TestSupport::MakeTempFolder("xrc") + "/panels.xrc";
    wxFile(path, wxFile::write)
        .Write("<?xml version=\"1.0\"?><resource xmlns=\"http://www.wxwidgets.org/wxxrc\" version=\"2.5.3.0\">"
               "<object class=\"Orbisk::PanelWithVisibilityTracking\" name=\"tracked\">"
               "<object class=\"VTPanelSwitcher\" name=\"panel_switcher_main\">"
               "<object class=\"wxPanel\" name=\"page0\"/><object class=\"wxPanel\" name=\"page1\"/>"
               "</object></object></resource>");
    ASSERT_TRUE(resource.Load(path));
    auto* tracked = wxDynamicCast(resource.LoadObject(frame, "tracked", "Orbisk::PanelWithVisibilityTracking"),
                                  Orbisk::PanelWithVisibilityTracking);
    ASSERT_NE(tracked, nullptr);
    auto* switcher = wxDynamicCast(tracked->FindWindow("panel_switcher_main"), VTPanelSwitcher);
    ASSERT_NE(switcher, nullptr);
    EXPECT_EQ(switcher->GetPageCount(), 2);
    EXPECT_EQ(switcher->GetSelectedPageIndex(), 0);

    EXPECT_FALSE(tracked->WasDisplayed());
    frame->Show();
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return tracked->WasDisplayed(); }, 3000));
    tracked->OnValuesStored();
    EXPECT_FALSE(tracked->WasDisplayed());
    tracked->ForceRegisterAsVisible();
    EXPECT_TRUE(tracked->WasDisplayed());
    tracked->ResetToNeverShown();
    EXPECT_FALSE(tracked->WasDisplayed());
}

TEST_F(Panels, ClickableTextTellsItsOwnerTheTextsId)
{
    Owner owner;
    auto* text = new Orbisk::wxStaticWithEvents(frame, 4711, "click me", wxPoint(10, 10));
    text->SetOwner(&owner);
    frame->Show();
    TestSupport::ClickWindow(text);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return !owner.left.empty(); }, 3000));
    EXPECT_EQ(owner.left[0], 4711);
    EXPECT_TRUE(owner.right.empty());
}

TEST_F(Panels, ModelChangedEventCanBeRefused)
{
    auto* panel = new wxPanel(frame);
    bool vetoed = false;
    frame->Bind(VT_EVT_MODEL_CHANGED, [&](wxNotifyEvent& event) { event.Veto(); });
    wxNotifyEvent changed(VT_EVT_MODEL_CHANGED, panel->GetId());
    changed.SetEventObject(panel);
    changed.ResumePropagation(wxEVENT_PROPAGATE_MAX);
    panel->GetEventHandler()->ProcessEvent(changed);
    vetoed = !changed.IsAllowed();
    EXPECT_TRUE(vetoed);
}

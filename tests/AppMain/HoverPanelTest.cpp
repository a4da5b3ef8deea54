// The hover-action entries of the welcome dialog under a real pointer: the
// whole entry lights while the mouse is over any part, and left clicks on any
// part reach the parent as one button event with the entry's identifier.
#include "AppMain/Editing/HoverPanelChildren.h"
#include "AppMain/Editing/PanelWithHoverActions.h"
#include "TestSupport.h"

#include <Resources/BitmapRsrc.h>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kEntryId = 10009;

bool SamePixels(const wxBitmap& a, const wxBitmap& b)
{
    if (!a.IsOk() || !b.IsOk()) return a.IsOk() == b.IsOk();
    if (a.GetSize() != b.GetSize()) return false;
    const wxImage ia = a.ConvertToImage(), ib = b.ConvertToImage();
    return memcmp(ia.GetData(), ib.GetData(), static_cast<size_t>(ia.GetWidth()) * ia.GetHeight() * 3) == 0;
}

class HoverPanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame_ = new wxFrame(nullptr, wxID_ANY, "Hover", wxPoint(50, 50), wxSize(500, 300));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        frame_->SetSizer(sizer);
        panel_ = new PanelWithHoverActions(frame_, kEntryId);
        sizer->Add(panel_, 0, wxGROW | wxALL, 20);
        panel_->SetTextLabelsAndTooltip("Pilot.vt6", "In \"/home/anna/Exp\"", "/home/anna/Exp/Pilot.vt6");
        frame_->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { clicks_.push_back(e.GetId()); });
        frame_->Show();
        ASSERT_TRUE(TestSupport::PumpUntil([this] { return panel_->IsShownOnScreen(); }));
        TestSupport::PumpFor(100);
    }
    void TearDown() override
    {
        frame_->Destroy();
        TestSupport::PumpFor(20);
    }

    wxPoint Middle(wxWindow* window) const
    {
        const wxRect r = window->GetScreenRect();
        return r.GetPosition() + wxSize(r.width / 2, r.height / 2);
    }
    void MoveTo(const wxPoint& where)
    {
        sim_.MouseMove(where);
        TestSupport::PumpFor(80);
    }
    // The lit look as a user sees it: hover image shown, first line blue.
    bool LooksLit() const
    {
        return panel_->IsLit() && panel_->GetHoverImage()->IsShown() && !panel_->GetNormalImage()->IsShown() &&
               panel_->GetFirstLabel()->GetForegroundColour() == wxColour(0, 0, 255);
    }
    bool LooksPlain() const
    {
        return !panel_->IsLit() && !panel_->GetHoverImage()->IsShown() && panel_->GetNormalImage()->IsShown() &&
               panel_->GetFirstLabel()->GetForegroundColour() != wxColour(0, 0, 255);
    }
    bool TurnedBack() const
    {
        return LooksPlain() && panel_->GetFirstLabel()->GetForegroundColour() == wxColour(0, 0, 0);
    }

    wxFrame* frame_ = nullptr;
    PanelWithHoverActions* panel_ = nullptr;
    std::vector<int> clicks_;
    wxUIActionSimulator sim_;
};

TEST_F(HoverPanel, LightsWhileTheMouseIsOverAnyPartAndTurnsBackWhenItLeaves)
{
    MoveTo(frame_->GetScreenRect().GetBottomRight() - wxSize(10, 10));
    EXPECT_TRUE(LooksPlain());
    for (wxWindow* part :
         std::vector<wxWindow*>{panel_->GetFirstLabel(), panel_->GetSecondLabel(), panel_->GetNormalImage()}) {
        SCOPED_TRACE(part->GetClassInfo()->GetClassName());
        MoveTo(Middle(part));
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return LooksLit(); }, 3000));
        // Away from the entry, onto the frame's empty area.
        MoveTo(frame_->GetScreenRect().GetBottomRight() - wxSize(10, 10));
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return TurnedBack(); }, 3000));
    }
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(HoverPanel, EveryLeftClickOnAnyPartIsOneButtonEventOfTheEntry)
{
    const wxPoint background = panel_->GetScreenRect().GetTopLeft() + wxSize(2, 2);
    const struct
    {
        const char* where;
        wxPoint point;
    } places[] = {{"first line", Middle(panel_->GetFirstLabel())},
                  {"second line", Middle(panel_->GetSecondLabel())},
                  {"image", Middle(panel_->GetNormalImage())},
                  {"background", background}};
    for (const auto& place : places) {
        SCOPED_TRACE(place.where);
        clicks_.clear();
        MoveTo(place.point);
        sim_.MouseClick(wxMOUSE_BTN_LEFT);
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return clicks_.size() == 1; }, 3000));
        TestSupport::PumpFor(100);
        EXPECT_EQ(clicks_, std::vector<int>{kEntryId});
        // Other buttons do not click the entry.
        clicks_.clear();
        sim_.MouseClick(wxMOUSE_BTN_RIGHT);
        sim_.MouseClick(wxMOUSE_BTN_MIDDLE);
        TestSupport::PumpFor(150);
        EXPECT_TRUE(clicks_.empty());
    }
    // A double click: the release of its first click and the double click itself.
    clicks_.clear();
    MoveTo(Middle(panel_->GetFirstLabel()));
    sim_.MouseDblClick(wxMOUSE_BTN_LEFT);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return clicks_.size() >= 2; }, 3000));
    TestSupport::PumpFor(100);
    EXPECT_GE(clicks_.size(), 2u);
}

TEST_F(HoverPanel, OverrideForcesTheLookAtOnceAndAClickIsPostedNotSent)
{
    panel_->OverrideHoverState(true);
    EXPECT_TRUE(LooksLit());  // no event processing needed
    panel_->OverrideHoverState(false);
    EXPECT_TRUE(TurnedBack());

    panel_->OnNotifiedSomethingInPanelWasClicked();
    EXPECT_TRUE(clicks_.empty());
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return !clicks_.empty(); }, 2000));
    EXPECT_EQ(clicks_, std::vector<int>{kEntryId});
}

TEST_F(HoverPanel, LabelsTooltipAndFileName)
{
    EXPECT_EQ(panel_->GetFirstLabel()->GetLabelText(), "Pilot.vt6");
    EXPECT_EQ(panel_->GetSecondLabel()->GetLabelText(), "In \"/home/anna/Exp\"");
    EXPECT_EQ(panel_->GetFullFilenameFromPanel(), "/home/anna/Exp/Pilot.vt6");
    EXPECT_EQ(panel_->GetToolTipText(), "/home/anna/Exp/Pilot.vt6");
    EXPECT_EQ(panel_->GetSecondLabel()->GetForegroundColour(), wxColour(80, 80, 80));

    // Names are shown as they are; an ampersand is not a mnemonic.
    panel_->SetTextLabelsAndTooltip("R&D.vt6", "", "/tmp/R&D.vt6");
    EXPECT_EQ(panel_->GetFirstLabel()->GetLabelText(), "R&D.vt6");
    EXPECT_FALSE(panel_->GetSecondLabel()->IsShown());
    panel_->SetTextLabelsAndTooltip("Again.vt6", "In \"/tmp\"", "/tmp/Again.vt6");
    EXPECT_EQ(panel_->GetSecondLabel()->GetLabelText(), "In \"/tmp\"");
    EXPECT_FALSE(panel_->GetSecondLabel()->IsShown());
    EXPECT_EQ(panel_->GetFullFilenameFromPanel(), "/tmp/Again.vt6");
}

TEST_F(HoverPanel, FileNumbersChooseTheImages)
{
    const struct
    {
        unsigned int number;
        const char* normal;
        const char* hover;
    } cases[] = {{1, "icon_mru1_std.png", "icon_mru1_hover.png"},
                 {2, "icon_mru2_std.png", "icon_mru2_hover.png"},
                 {3, "icon_mru3_std.png", "icon_mru3_hover.png"},
                 {4, "icon_mru4_std.png", "icon_mru4_hover.png"},
                 {5, "icon_open_file_std.png", "icon_open_file_hover.png"},
                 {0, "", ""},
                 {6, "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        panel_->SetBitmapsAccordingToFileNumber(c.number);
        EXPECT_TRUE(SamePixels(panel_->GetNormalImage()->GetBitmap(), Vantrel::GetBitmapRsrc(c.normal)));
        EXPECT_TRUE(SamePixels(panel_->GetHoverImage()->GetBitmap(), Vantrel::GetBitmapRsrc(c.hover)));
    }
    const wxClassInfo* info = wxClassInfo::FindClass("PanelWithHoverActions");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->IsDynamic());
}

}  // namespace

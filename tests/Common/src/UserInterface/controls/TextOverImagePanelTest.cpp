#include "TestSupport.h"
#include "UserInterface/Widgets/TextOverImagePanel.h"

#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <wx/dcclient.h>
#include <wx/frame.h>

#include <gtest/gtest.h>

namespace {

using Artwork = Orbisk::OrbiskImagesArtworkEtc;

class TextOverImagePanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame_ = new wxFrame(nullptr, wxID_ANY, "Badge", wxPoint(40, 40), wxSize(300, 200));
        panel_ = new TextOverImagePanel("Children", frame_, wxID_ANY, wxPoint(10, 10));
        panel_->Bind(wxEVT_PAINT, [this](wxPaintEvent& e) {
            ++paints_;
            e.Skip();
        });
        frame_->Show();
        TestSupport::PumpUntil([this] { return panel_->IsShownOnScreen(); });
        TestSupport::PumpFor(50);
    }
    void TearDown() override
    {
        frame_->Destroy();
        TestSupport::PumpFor(20);
    }

    wxFrame* frame_ = nullptr;
    TextOverImagePanel* panel_ = nullptr;
    int paints_ = 0;
};

TEST_F(TextOverImagePanelTest, BadgeSizeFollowsTheText)
{
    // The children badge of the artwork library, piece by piece.
    const int lw = Artwork::GetIcon_AaGChildrenLeft().GetWidth();
    const int mw = Artwork::GetIcon_AaGChildrenMid().GetWidth();
    const int rw = Artwork::GetIcon_AaGChildrenRight().GetWidth();
    const int height = Artwork::GetIcon_AaGChildrenLeft().GetHeight();
    const wxSize badge(lw + mw + rw, height);
    EXPECT_EQ(panel_->GetMinSize(), badge);

    panel_->SetString("0");
    EXPECT_TRUE(TestSupport::PumpUntil(
        [this] { return panel_->GetMinSize() == Artwork::GetIcon_AaGChildrenZero().GetSize(); }, 5000))
        << "zero artwork only";

    panel_->SetString("1");
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return panel_->GetMinSize() == badge; }, 5000));

    const wxString wide = "12345678901234567890";
    wxClientDC dc(panel_);
    dc.SetFont(panel_->GetFont());
    const int k = dc.GetTextExtent(wide).GetWidth() / mw;
    ASSERT_GE(k, 2);
    panel_->SetString(wide);
    const wxSize widened(lw + (k * mw + 4) + rw, height);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return panel_->GetMinSize() == widened; }, 5000))
        << panel_->GetMinSize().x << " vs " << widened.x;
}

TEST_F(TextOverImagePanelTest, SettingTheSameTextDoesNotRepaint)
{
    panel_->SetString("3");
    ASSERT_TRUE(TestSupport::PumpUntil([this] { return paints_ > 0; }, 5000));
    TestSupport::PumpFor(100);
    const int before = paints_;
    panel_->SetString("3");
    TestSupport::PumpFor(150);
    EXPECT_EQ(paints_, before);
    panel_->SetString("4");
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return paints_ > before; }, 5000));
}

TEST_F(TextOverImagePanelTest, RulesBadgeIsTheRulesArtwork)
{
    auto* rules = new TextOverImagePanel("Rules", frame_, wxID_ANY, wxPoint(100, 60));
    EXPECT_EQ(rules->GetMinSize(),
              wxSize(Artwork::GetIcon_AaGRulesLeft().GetWidth() + Artwork::GetIcon_AaGRulesMid().GetWidth() +
                         Artwork::GetIcon_AaGRulesRight().GetWidth(),
                     Artwork::GetIcon_AaGRulesLeft().GetHeight()));
    rules->SetString("0");
    EXPECT_TRUE(
        TestSupport::PumpUntil([&] { return rules->GetMinSize() == Artwork::GetIcon_AaGRulesZero().GetSize(); }, 5000));
}

TEST_F(TextOverImagePanelTest, UnknownKindHasNoArtworkAndPaintsNothing)
{
    auto* plain = new TextOverImagePanel("Something", frame_, wxID_ANY, wxPoint(100, 100));
    EXPECT_EQ(plain->GetMinSize(), wxSize(0, 0));
    plain->SetString("5");
    TestSupport::PumpFor(50);
    const wxClassInfo* info = wxClassInfo::FindClass("TextOverImagePanel");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->IsDynamic());
    EXPECT_TRUE(info->IsKindOf(wxCLASSINFO(wxPanel)));
}

}  // namespace

#include "TestSupport.h"
#include "UserInterface/Widgets/TextOverImagePanel.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include <gtest/gtest.h>

namespace {

wxBitmap Piece(int w, int h, const wxColour& colour)
{
    wxBitmap b(w, h);
    wxMemoryDC dc(b);
    dc.SetBackground(wxBrush(colour));
    dc.Clear();
    return b;
}

class TextOverImagePanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TextOverImagePanel::SetArtworkSource([](const wxString& kind) {
            TextOverImageArtwork art;
            if (kind == "Children") {
                art.left = Piece(5, 20, *wxRED);
                art.middle = Piece(8, 20, *wxGREEN);
                art.right = Piece(7, 20, *wxRED);
                art.zero = Piece(12, 16, *wxLIGHT_GREY);
            }
            return art;
        });
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
        TextOverImagePanel::SetArtworkSource({});
    }

    wxFrame* frame_ = nullptr;
    TextOverImagePanel* panel_ = nullptr;
    int paints_ = 0;
};

TEST_F(TextOverImagePanelTest, BadgeSizeFollowsTheText)
{
    EXPECT_EQ(panel_->GetMinSize(), wxSize(20, 20));

    panel_->SetString("0");
    EXPECT_TRUE(TestSupport::PumpUntil([this] { return panel_->GetMinSize() == wxSize(12, 16); }, 5000))
        << "zero artwork only";

    panel_->SetString("1");
    EXPECT_TRUE(TestSupport::PumpUntil([this] { return panel_->GetMinSize() == wxSize(20, 20); }, 5000));

    const wxString wide = "12345678901";
    wxClientDC dc(panel_);
    dc.SetFont(panel_->GetFont());
    const int k = dc.GetTextExtent(wide).GetWidth() / 8;
    ASSERT_GE(k, 2);
    panel_->SetString(wide);
    const wxSize widened(5 + (k * 8 + 4) + 7, 20);
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

// The start-up splash: its image from the shared-support folder, the status
// strip, and its owner's closing.
#include "AppMain/VTSplashScreen.h"
#include "TestSupport.h"

#include <VTPlugInCommon/VTResourceHelper.h>

#include <gtest/gtest.h>
#include <wx/image.h>

#include <cstdlib>
#include <memory>

namespace {

class SplashScreen : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { wxInitAllImageHandlers(); }
    void TearDown() override { TestSupport::PumpFor(20); }  // let destroyed windows go

    static wxImage DisplayedImage(Vantrel::VTSplashScreen& splash)
    {
        return splash.GetSplashWindow()->GetBitmap().ConvertToImage();
    }
    static wxImage OriginalImage()
    {
        wxImage image;
        image.LoadFile(VTResourceHelper::FindPath_SharedSupport_OrWin32Substitute(
            Vantrel::RAII_SplashScreenHelper::kSplashFileName));
        return image;
    }
    // True when every pixel of `rect` is the same in both images.
    static bool SameIn(const wxImage& a, const wxImage& b, const wxRect& rect)
    {
        for (int y = rect.GetTop(); y <= rect.GetBottom(); ++y)
            for (int x = rect.GetLeft(); x <= rect.GetRight(); ++x)
                if (a.GetRed(x, y) != b.GetRed(x, y) || a.GetGreen(x, y) != b.GetGreen(x, y) ||
                    a.GetBlue(x, y) != b.GetBlue(x, y))
                    return false;
        return true;
    }
};

TEST_F(SplashScreen, OwnerShowsTheSharedSupportImageWithItsTextAndClosesItOnce)
{
    const wxImage original = OriginalImage();
    ASSERT_TRUE(original.IsOk()) << "splash image missing from the shared-support folder";

    auto owner = std::make_shared<Vantrel::RAII_SplashScreenHelper>(true, "Loading preferences...");
    auto* splash = dynamic_cast<Vantrel::VTSplashScreen*>(owner->GetHidableWindowPtr());
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(owner->GetDisplayPtr(), static_cast<Vantrel::IPlugInLoadProgressDisplay*>(splash));
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return splash->IsShownOnScreen(); }));
    EXPECT_EQ(splash->GetSplashWindow()->GetBitmap().GetSize(), original.GetSize());

    // The text went into the bottom strip; the rest of the image is untouched.
    const wxImage shown = DisplayedImage(*splash);
    const wxRect strip(0, original.GetHeight() - 35, original.GetWidth(), 35);
    EXPECT_FALSE(SameIn(shown, original, strip));
    EXPECT_TRUE(SameIn(shown, original, wxRect(0, 0, original.GetWidth(), original.GetHeight() - 35)));

    // A click does not close it.
    int destroyed = 0;
    splash->Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == splash) ++destroyed;
        e.Skip();
    });
    TestSupport::ClickWindow(splash);
    TestSupport::PumpFor(100);
    EXPECT_TRUE(splash->IsShown());
    EXPECT_EQ(destroyed, 0);

    // Both dismissal points release the owner; the splash closes once.
    std::shared_ptr<Vantrel::RAII_SplashScreenHelper> second = owner;
    owner.reset();
    EXPECT_EQ(destroyed, 0);
    second.reset();
    second.reset();
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return destroyed == 1; }, 2000));
    TestSupport::PumpFor(50);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(SplashScreen, NoSplashWhenNotAskedOrWhenTheImageIsMissing)
{
    {
        Vantrel::RAII_SplashScreenHelper owner(false, "Loading preferences...");
        EXPECT_EQ(owner.GetDisplayPtr(), nullptr);
        EXPECT_EQ(owner.GetHidableWindowPtr(), nullptr);
    }
    const std::string empty = TestSupport::MakeTempFolder("nosupport");
    setenv("VANTREL_SHARED_SUPPORT_DIR", empty.c_str(), 1);
    {
        Vantrel::RAII_SplashScreenHelper owner(true, "Loading preferences...");
        EXPECT_EQ(owner.GetDisplayPtr(), nullptr);
    }
    unsetenv("VANTREL_SHARED_SUPPORT_DIR");
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(SplashScreen, ATextTallerThanTheStripStartsAtItsTopAndSavesExactlyTheStrip)
{
    const wxImage original = OriginalImage();
    ASSERT_TRUE(original.IsOk());
    auto* splash = new Vantrel::VTSplashScreen(wxBitmap(original), 10, 6);
    splash->SetString("Tall text");
    const wxRect saved = splash->GetSavedStripRect();
    EXPECT_EQ(saved, wxRect(0, original.GetHeight() - 6, original.GetWidth(), 6));
    splash->Destroy();
}

TEST_F(SplashScreen, AShorterSecondTextLeavesNoRemainsOfTheFirst)
{
    const wxImage original = OriginalImage();
    ASSERT_TRUE(original.IsOk());
    auto* splash = new Vantrel::VTSplashScreen(wxBitmap(original), 10, 35);
    splash->Show();
    splash->ShowText("Loading plug-in: a rather long plug-in name for the status line...");
    const wxRect saved = splash->GetSavedStripRect();
    EXPECT_EQ(saved.x, 0);
    EXPECT_EQ(saved.width, original.GetWidth());
    EXPECT_GT(saved.height, 5);
    EXPECT_LE(saved.height, 35);
    EXPECT_GE(saved.y, original.GetHeight() - 35);  // centred in the strip
    splash->ShowText("i");
    const wxImage shown = DisplayedImage(*splash);
    // Right of the short text the strip is as the original image again.
    const wxRect beyondSecond(40, saved.y, original.GetWidth() - 40, saved.height);
    EXPECT_TRUE(SameIn(shown, original, beyondSecond));
    EXPECT_FALSE(SameIn(shown, original, wxRect(0, saved.y, 40, saved.height)));
    EXPECT_EQ(splash->GetSavedStripRect(), saved);  // taken once
    splash->Destroy();
}

}  // namespace

// Image look-up for generated dialog code: all 112 names give an image, shared
// names give the same image, and anything else gives none.
#include "Resources/BitmapRsrc.h"

#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <gtest/gtest.h>
#include <wx/image.h>

#include <cstring>
#include <set>

namespace {

bool SamePixels(const wxBitmap& a, const wxBitmap& b)
{
    if (a.GetSize() != b.GetSize()) return false;
    const wxImage ia = a.ConvertToImage(), ib = b.ConvertToImage();
    return memcmp(ia.GetData(), ib.GetData(), static_cast<size_t>(ia.GetWidth()) * ia.GetHeight() * 3) == 0;
}

TEST(BitmapRsrc, EveryKnownNameGivesAValidImage)
{
    wxInitAllImageHandlers();
    const std::vector<wxString> names = Vantrel::KnownBitmapRsrcNames();
    EXPECT_EQ(names.size(), 112u);
    EXPECT_EQ(std::set<wxString>(names.begin(), names.end()).size(), names.size());
    for (const wxString& name : names) {
        SCOPED_TRACE(name.utf8_str().data());
        const wxBitmap bitmap = Vantrel::GetBitmapRsrc(name);
        EXPECT_TRUE(bitmap.IsOk());
        EXPECT_GT(bitmap.GetWidth(), 0);
    }
}

TEST(BitmapRsrc, NamesThatShareAGetterGiveTheSameImage)
{
    wxInitAllImageHandlers();
    EXPECT_TRUE(
        SamePixels(Vantrel::GetBitmapRsrc("icon_add_hover.gif"), Vantrel::GetBitmapRsrc("icon_add_normal.gif")));
    EXPECT_TRUE(SamePixels(Vantrel::GetBitmapRsrc("icon_plus_hover.png"), Vantrel::GetBitmapRsrc("vt_nav_up.png")));
    EXPECT_TRUE(SamePixels(Vantrel::GetBitmapRsrc("icon_edit.png"), Vantrel::GetBitmapRsrc("icon_lb_edit_std.png")));
}

TEST(BitmapRsrc, ListAndRuleIconsAreTheArtworkLibrarysOwn)
{
    wxInitAllImageHandlers();
    using Artwork = Orbisk::OrbiskImagesArtworkEtc;
    const struct
    {
        const char* name;
        wxBitmap (*getter)();
        int width;
    } cases[] = {
        {"icon_stimulus_lists_w100.png", &Artwork::LargeStimlistsIcon, 100},
        {"icon_rules.png", &Artwork::LargeRulesIcon, 100},
        {"icon_no_stimulus_list_w60.png", &Artwork::MediumStimlistsIcon_NoLists, 60},
        {"icon_stimulus_lists_w60.png", &Artwork::MediumStimlistsIcon, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const wxBitmap bitmap = Vantrel::GetBitmapRsrc(c.name);
        EXPECT_EQ(bitmap.GetWidth(), c.width);
        EXPECT_TRUE(SamePixels(bitmap, c.getter()));
    }
    EXPECT_FALSE(SamePixels(Artwork::MediumStimlistsIcon(), Artwork::MediumStimlistsIcon_NoLists()));
}

TEST(BitmapRsrc, UnknownOrDifferentlyCasedNamesGiveNoImage)
{
    for (const char* name : {"", "no_such_image.png", "ICON_ADD_NORMAL.GIF", "Icon_add_normal.gif",
                             "icon_add_normal.gif ", "stimlist_list_access/crossed_no_shuffle"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Vantrel::GetBitmapRsrc(name).IsOk());
    }
}

}  // namespace

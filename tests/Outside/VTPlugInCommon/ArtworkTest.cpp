// The artwork images: every getter gives a valid bitmap of our own.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "VTPlugInCommon/OrbiskImagesArtworkEtc.h"

using Orbisk::OrbiskImagesArtworkEtc;

TEST(Artwork, EveryImageLoadsAndUnknownNamesGiveNone)
{
    TestSupport::ClearLog();
    EXPECT_EQ(OrbiskImagesArtworkEtc::TestAllImages(), 0) << TestSupport::LogAsText();
    EXPECT_TRUE(OrbiskImagesArtworkEtc::GetIcon_BlueArrowUp().IsOk());
    EXPECT_TRUE(OrbiskImagesArtworkEtc::GetIcon_ToolBarIcon("icon_open.png").IsOk());
    EXPECT_TRUE(OrbiskImagesArtworkEtc::GetIcon_ToolBarIcon("vt_nav_up_disabled.png").IsOk());
    EXPECT_FALSE(OrbiskImagesArtworkEtc::GetIcon_ToolBarIcon("ICON_OPEN.png").IsOk());
    EXPECT_FALSE(OrbiskImagesArtworkEtc::GetByName("GetNothing").IsOk());
    EXPECT_TRUE(OrbiskImagesArtworkEtc::GetByName("GetVT5AboutLogo").IsOk());
}

TEST(Artwork, AtAGlanceIconsShareOneSizeAndBadgePiecesOneHeight)
{
    const wxBitmap icons[] = {
        OrbiskImagesArtworkEtc::GetIcon_AaGLoopingOn(),   OrbiskImagesArtworkEtc::GetIcon_AaGLoopingOff(),
        OrbiskImagesArtworkEtc::GetIcon_AaGRandomizeOn(), OrbiskImagesArtworkEtc::GetIcon_AaGRandomizeOff(),
        OrbiskImagesArtworkEtc::GetIcon_AaGTagsOn(),      OrbiskImagesArtworkEtc::GetIcon_AaGTagsOff()};
    for (const wxBitmap& b : icons) EXPECT_EQ(b.GetSize(), icons[0].GetSize());
    const wxBitmap pieces[] = {
        OrbiskImagesArtworkEtc::GetIcon_AaGChildrenLeft(),  OrbiskImagesArtworkEtc::GetIcon_AaGChildrenMid(),
        OrbiskImagesArtworkEtc::GetIcon_AaGChildrenRight(), OrbiskImagesArtworkEtc::GetIcon_AaGChildrenZero(),
        OrbiskImagesArtworkEtc::GetIcon_AaGRulesLeft(),     OrbiskImagesArtworkEtc::GetIcon_AaGRulesZero()};
    for (const wxBitmap& b : pieces) EXPECT_EQ(b.GetHeight(), pieces[0].GetHeight());
    // Copies share the image: a caller's copy stays valid.
    wxBitmap copy = OrbiskImagesArtworkEtc::GetIcon_MinusButton();
    EXPECT_TRUE(copy.IsOk());
}

// Text stimuli on screens of several widths: wrapped within the margins, every drawn
// pixel inside the screen, smaller type only when wrapping is not enough, and a text
// too long for any type cut to the screen quickly.

#include <gtest/gtest.h>

#include <chrono>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/tokenzr.h>

#include "VTRuntime/VTTextLayout.h"

using Vantrel::VTTextLayout;

namespace {

const wxString kWelcome = "Welcome to the sample task.\nPress Space when you see a word or a picture.";
const wxString kLong =
    "In this part of the study you will see one word at a time in the middle of the screen. Press the left "
    "key when the word names something alive and the right key when it names something that is not alive. "
    "Answer as quickly as you can while making as few mistakes as you can; there is no time to think twice.";

// Every drawn (non-black) pixel's bounding box.
wxRect DrawnExtent(const VTTextLayout& layout, const wxSize& screen)
{
    wxBitmap bitmap(screen);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        layout.Draw(dc, *wxWHITE);
    }
    const wxImage image = bitmap.ConvertToImage();
    int left = screen.x, right = -1, top = screen.y, bottom = -1;
    const unsigned char* rgb = image.GetData();
    for (int y = 0; y < screen.y; ++y)
        for (int x = 0; x < screen.x; ++x) {
            const unsigned char* p = rgb + 3 * (size_t(y) * screen.x + x);
            if (p[0] < 40 && p[1] < 40 && p[2] < 40) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    return right < 0 ? wxRect() : wxRect(wxPoint(left, top), wxPoint(right, bottom));
}

wxString Words(const wxString& text)
{
    wxString joined;
    for (const wxString& word : wxStringTokenize(text, " \n", wxTOKEN_STRTOK)) joined << word << ' ';
    return joined;
}

VTTextLayout Fit(const wxString& text, const wxSize& screen)
{
    wxBitmap scratch(1, 1);
    wxMemoryDC dc(scratch);
    return VTTextLayout::Fit(dc, text, screen);
}

}  // namespace

TEST(TextLayout, EveryCharacterIsDrawnInsideTheScreenAtEachWidth)
{
    const wxSize screens[] = {{1024, 768}, {1280, 800}, {1920, 1080}};
    const wxString texts[] = {kWelcome, kLong, kLong + "\n\n" + kLong + "\n\n" + kLong,
                              "Pneumonoultramicroscopicsilicovolcanoconiosis" + wxString('X', 60)};
    for (const wxSize& screen : screens) {
        for (const wxString& text : texts) {
            SCOPED_TRACE(wxString::Format("%dx%d: %s", screen.x, screen.y, text.Left(30)).utf8_string());
            const VTTextLayout layout = Fit(text, screen);
            ASSERT_FALSE(layout.lines.empty());
            wxString joined;
            for (const wxString& line : layout.lines) joined << line << '\n';
            if (!text.StartsWith("Pneumono")) {
                EXPECT_EQ(Words(joined), Words(text)) << "no word lost or cut";
            } else {
                wxString letters = joined;
                letters.Replace("\n", "");
                EXPECT_EQ(letters, text);
            }
            const wxSize margins = VTTextLayout::Margins(screen);
            for (const wxRect& r : layout.lineRects) {
                EXPECT_GE(r.x, margins.x);
                EXPECT_LE(r.GetRight(), screen.x - margins.x);
            }
            const wxRect drawn = DrawnExtent(layout, screen);
            ASSERT_FALSE(drawn.IsEmpty());
            // Glyphs may overhang their advance a little, never to the screen's edge.
            EXPECT_GE(drawn.x, margins.x / 2) << drawn.x;
            EXPECT_LE(drawn.GetRight(), screen.x - 1 - margins.x / 2) << drawn.GetRight();
            EXPECT_GE(drawn.y, 0);
            EXPECT_LE(drawn.GetBottom(), screen.y - 1);
        }
    }
}

TEST(TextLayout, TypeShrinksOnlyWhenWrappingCannotMakeItFit)
{
    const wxSize screen(1280, 800);
    const VTTextLayout welcome = Fit(kWelcome, screen);
    const VTTextLayout wrapped = Fit(kLong, screen);
    const VTTextLayout longer = Fit(kLong + "\n\n" + kLong + "\n\n" + kLong + "\n\n" + kLong, screen);
    EXPECT_EQ(welcome.pointSize, screen.y / 20);
    EXPECT_EQ(wrapped.pointSize, screen.y / 20) << "wrapping alone makes it fit";
    EXPECT_GT(wrapped.lines.size(), 2u);
    EXPECT_LT(longer.pointSize, screen.y / 20);
    EXPECT_LE(longer.lineRects.back().GetBottom(), screen.y - VTTextLayout::Margins(screen).y);
}

TEST(TextLayout, ATextBeyondTheSmallestTypeShowsFromItsStartOnTheScreenWithoutMeasuringTheRest)
{
    const wxSize screen(1024, 768);
    wxString words;
    for (int i = 0; i < 40000; ++i) words << "word" << i << ' ';
    const wxString oneWord('W', 2000000);
    for (const wxString& text : {words, oneWord, wxString('\n', 500000) + "end"}) {
        SCOPED_TRACE(text.Left(20).utf8_string());
        const auto start = std::chrono::steady_clock::now();
        const VTTextLayout layout = Fit(text, screen);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        ASSERT_FALSE(layout.lines.empty());
        EXPECT_EQ(layout.lines.size(), layout.lineRects.size());
        EXPECT_TRUE(text.StartsWith(layout.lines.front()) || layout.lines.front().empty());
        EXPECT_GE(layout.lineRects.front().y, 0);
        EXPECT_LE(layout.lineRects.back().GetBottom(), screen.y - 1);
        for (const wxRect& r : layout.lineRects) EXPECT_LE(r.GetRight(), screen.x - VTTextLayout::Margins(screen).x);
    }
}

// A text stimulus as the reading event types split it and the presentation screen
// lays it out. The first byte picks the screen size and the reading event's segment
// character; the rest is the stimulus text (UTF-8). Segmenting keeps every non-blank
// character in order and leaves no empty or blank segment; the layout of the text
// and of each segment finishes within the hang bound, keeps one rectangle per line,
// and keeps its lines on the screen. Runs on an X display (the layout measures with
// the platform's fonts).

#include "FuzzSupport.h"

#include "StimulusSegments.h"
#include <VTRuntime/VTTextLayout.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

using Vantrel::VTTextLayout;

const wxSize kScreens[] = {{640, 480}, {1024, 768}, {1920, 1080}, {320, 200}};
const char* const kSegmentCharacters[] = {"\\", "/", "", "|"};

wxString NonBlank(const wxString& text)
{
    wxString kept;
    for (wxUniChar c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f') kept += c;
    return kept;
}

std::vector<wxString> CheckedSegments(const wxString& text, const wxString& segmentCharacter)
{
    const std::vector<wxString> segments = VantrelSDK::SplitIntoSegments(text, segmentCharacter);
    wxString joined;
    for (const wxString& segment : segments) {
        if (NonBlank(segment).empty()) FuzzSupport::Fail("an empty or blank segment");
        joined += segment;
    }
    wxString expected = NonBlank(text);
    if (!segmentCharacter.empty() && text.Contains(segmentCharacter)) expected.Replace(segmentCharacter, "");
    if (NonBlank(joined) != expected) FuzzSupport::Fail("segmenting lost or changed a character");
    return segments;
}

void CheckLayout(wxDC& dc, const wxString& text, const wxSize& screen)
{
    const VTTextLayout layout = VTTextLayout::Fit(dc, text, screen);
    if (layout.lines.size() != layout.lineRects.size()) FuzzSupport::Fail("a line without its rectangle");
    if (text.empty() != layout.lines.empty()) FuzzSupport::Fail("a text without lines, or lines without a text");
    for (const wxRect& line : layout.lineRects)
        if (line.y < 0 || line.GetBottom() >= screen.y) FuzzSupport::Fail("a line is laid out off the screen");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool gui = [] {
        // The layout needs the GUI library started on a display, not the console one.
        wxApp::SetInstance(new wxApp);
        return true;
    }();
    (void)gui;
    FuzzSupport::Initialise();
    if (size < 1) return 0;
    const wxSize screen = kScreens[data[0] % 4];
    const wxString segmentCharacter = wxString::FromUTF8(kSegmentCharacters[(data[0] / 4) % 4]);
    const wxString text = wxString::FromUTF8(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<wxString> segments = CheckedSegments(text, segmentCharacter);
    wxBitmap scratch(1, 1);
    wxMemoryDC dc(scratch);
    CheckLayout(dc, text, screen);
    // A reading event shows its segments one at a time, each laid out alone.
    for (std::size_t i = 0; i < segments.size() && i < 8; ++i) CheckLayout(dc, segments[i], screen);
    return 0;
}

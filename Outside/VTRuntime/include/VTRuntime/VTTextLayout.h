#pragma once
// How a text stimulus is laid out on the presentation screen: centred, wrapped at word
// boundaries within margins, and made smaller only when wrapping cannot make it fit.

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

class wxDC;

namespace Vantrel {

struct VTTextLayout
{
    int pointSize = 0;
    std::vector<wxString> lines;
    // Where each line is drawn, in the area's coordinates.
    std::vector<wxRect> lineRects;

    // Lays `text` out for a screen of `area` pixels, measuring with `dc` (whose font
    // it changes). Line breaks in the text are kept; an empty text gives no lines. A
    // text that does not fit even in the smallest type shows from its start: the
    // lines below the screen are left out (and never measured).
    static VTTextLayout Fit(wxDC& dc, const wxString& text, const wxSize& area);
    // Draws a layout made by Fit, in `colour`, with the font it chose.
    void Draw(wxDC& dc, const wxColour& colour) const;
    // The rectangle all its lines cover (empty without lines).
    wxRect Bounds() const;

    // Free space kept at each edge of the screen.
    static wxSize Margins(const wxSize& area);
};

}  // namespace Vantrel

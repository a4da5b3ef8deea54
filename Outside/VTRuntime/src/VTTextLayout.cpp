#include "VTRuntime/VTTextLayout.h"

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/tokenzr.h>

#include <algorithm>

namespace Vantrel {

namespace {

constexpr int kSmallestPointSize = 6;

wxFont StimulusFont(int pointSize) { return wxFont(wxFontInfo(pointSize).Family(wxFONTFAMILY_SWISS)); }

// Breaks a word that is wider than the line by characters; only used at the smallest size.
void BreakWord(wxDC& dc, const wxString& word, int width, std::vector<wxString>& lines)
{
    wxString part;
    for (wxUniChar c : word) {
        if (!part.empty() && dc.GetTextExtent(part + c).x > width) {
            lines.push_back(part);
            part.clear();
        }
        part += c;
    }
    if (!part.empty()) lines.push_back(part);
}

// Greedy word wrap of every paragraph; false when a word alone is wider than the line
// (unless `breakWords`, when it is split).
bool Wrap(wxDC& dc, const wxString& text, int width, bool breakWords, std::vector<wxString>& lines)
{
    lines.clear();
    for (const wxString& paragraph : wxStringTokenize(text, "\n", wxTOKEN_RET_EMPTY_ALL)) {
        wxString line;
        for (const wxString& word : wxStringTokenize(paragraph, " \t\r", wxTOKEN_STRTOK)) {
            const wxString candidate = line.empty() ? word : line + " " + word;
            if (dc.GetTextExtent(candidate).x <= width) {
                line = candidate;
                continue;
            }
            if (!line.empty()) lines.push_back(line);
            line.clear();
            if (dc.GetTextExtent(word).x <= width) {
                line = word;
            } else if (breakWords) {
                BreakWord(dc, word, width, lines);
                line = lines.back();
                lines.pop_back();
            } else {
                return false;
            }
        }
        lines.push_back(line);
    }
    return true;
}

}  // namespace

wxSize VTTextLayout::Margins(const wxSize& area) { return wxSize(std::max(8, area.x / 20), std::max(8, area.y / 20)); }

VTTextLayout VTTextLayout::Fit(wxDC& dc, const wxString& text, const wxSize& area)
{
    VTTextLayout layout;
    if (text.empty()) return layout;
    const wxSize margins = Margins(area);
    const int width = std::max(1, area.x - 2 * margins.x), height = std::max(1, area.y - 2 * margins.y);
    int size = std::max(12, area.y / 20);
    for (;;) {
        dc.SetFont(StimulusFont(size));
        const bool smallest = size <= kSmallestPointSize;
        if (Wrap(dc, text, width, smallest, layout.lines) &&
            (smallest || dc.GetCharHeight() * int(layout.lines.size()) <= height))
            break;
        size = std::max(kSmallestPointSize, size * 9 / 10);
    }
    layout.pointSize = size;
    const int lineHeight = dc.GetCharHeight();
    int y = (area.y - lineHeight * int(layout.lines.size())) / 2;
    for (const wxString& line : layout.lines) {
        const wxSize extent = dc.GetTextExtent(line);
        layout.lineRects.emplace_back((area.x - extent.x) / 2, y, extent.x, lineHeight);
        y += lineHeight;
    }
    return layout;
}

void VTTextLayout::Draw(wxDC& dc, const wxColour& colour) const
{
    if (lines.empty()) return;
    dc.SetFont(StimulusFont(pointSize));
    dc.SetTextForeground(colour);
    for (size_t i = 0; i < lines.size(); ++i) dc.DrawText(lines[i], lineRects[i].GetPosition());
}

wxRect VTTextLayout::Bounds() const
{
    wxRect bounds;
    for (const wxRect& r : lineRects) bounds.Union(r);
    return bounds;
}

}  // namespace Vantrel

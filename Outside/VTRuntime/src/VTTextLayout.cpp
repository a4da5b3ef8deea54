#include "VTRuntime/VTTextLayout.h"

#include "VTPlugInCommon/TextPieces.h"

#include <wx/dc.h>
#include <wx/font.h>

#include <algorithm>

namespace Vantrel {

namespace {

constexpr int kSmallestPointSize = 6;
// No glyph of the smallest type is narrower or lower than this many pixels, so a
// screen shows no more characters than its area over this; the rest of a longer text
// is never laid out. The layout runs on every paint, and a document may hold megabytes
// of stimulus text.
constexpr long kSmallestCharacterArea = 16;

wxFont StimulusFont(int pointSize) { return wxFont(wxFontInfo(pointSize).Family(wxFONTFAMILY_SWISS)); }

// The most characters of `word` from `from` on that fit in `width`, and at least one:
// found by doubling and halving, so a long word costs a few measurements per line
// instead of one per character.
size_t FittingLength(wxDC& dc, const wxString& word, size_t from, int width)
{
    const size_t left = word.length() - from;
    auto fits = [&](size_t length) { return dc.GetTextExtent(word.Mid(from, length)).x <= width; };
    size_t fitting = 1, tooLong = left + 1;
    for (size_t probe = 2; probe <= left; probe *= 2) {
        if (!fits(probe)) {
            tooLong = probe;
            break;
        }
        fitting = probe;
    }
    while (tooLong - fitting > 1) {
        const size_t middle = fitting + (tooLong - fitting) / 2;
        (fits(middle) ? fitting : tooLong) = middle;
    }
    return std::min(fitting, left);
}

// Greedy word wrap of every paragraph into at most `maxLines` lines. False when a
// word alone is wider than the line or the text needs more lines; with `smallest`,
// a word wider than the line is split, and the lines past `maxLines` (below the
// screen) are left out.
bool Wrap(wxDC& dc, const wxString& text, int width, bool smallest, size_t maxLines, std::vector<wxString>& lines)
{
    lines.clear();
    auto full = [&] { return lines.size() >= maxLines; };
    for (const wxString& paragraph : Orbisk::TextPieces::SplitAtAnyOf(text, "\n", true)) {
        wxString line;
        for (const wxString& word : Orbisk::TextPieces::SplitAtAnyOf(paragraph, " \t\r", false)) {
            const wxString candidate = line.empty() ? word : line + " " + word;
            if (dc.GetTextExtent(candidate).x <= width) {
                line = candidate;
                continue;
            }
            if (!line.empty()) {
                if (full()) return smallest;
                lines.push_back(line);
            }
            line.clear();
            if (dc.GetTextExtent(word).x <= width) {
                line = word;
                continue;
            }
            if (!smallest) return false;
            // The word's pieces: every one a line of its own but the last, which the
            // next words may join.
            for (size_t from = 0; from < word.length();) {
                const size_t length = FittingLength(dc, word, from, width);
                line = word.Mid(from, length);
                from += length;
                if (from < word.length()) {
                    if (full()) return true;
                    lines.push_back(line);
                }
            }
        }
        if (full()) return smallest;
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
    const long shown = std::max(1024L, long(std::max(1, area.x)) * std::max(1, area.y) / kSmallestCharacterArea);
    const wxString laidOut = text.length() > size_t(shown) ? text.Left(size_t(shown)) : text;
    int size = std::max(12, area.y / 20);
    for (;;) {
        dc.SetFont(StimulusFont(size));
        const bool smallest = size <= kSmallestPointSize;
        // Above the smallest size the lines must fit within the margins; at the
        // smallest they may use the margins too, and what is still below is cut.
        const int lineHeight = std::max(1, dc.GetCharHeight());
        const size_t maxLines = size_t(std::max(1, (smallest ? std::max(1, area.y) : height) / lineHeight));
        if (Wrap(dc, laidOut, width, smallest, maxLines, layout.lines)) break;
        size = std::max(kSmallestPointSize, size * 9 / 10);
    }
    layout.pointSize = size;
    const int lineHeight = dc.GetCharHeight();
    int y = std::max(0, (area.y - lineHeight * int(layout.lines.size())) / 2);
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

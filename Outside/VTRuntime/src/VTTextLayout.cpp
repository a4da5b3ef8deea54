#include "VTRuntime/VTTextLayout.h"

#include "VTPlugInCommon/TextPieces.h"

#include <wx/dc.h>
#include <wx/font.h>

#include <algorithm>
#include <functional>

namespace Vantrel {

namespace {

constexpr int kSmallestPointSize = 6;
// No glyph of the smallest type is narrower or lower than this many pixels, so a
// screen shows no more characters than its area over this; the rest of a longer text
// is never laid out. The layout runs on every paint, and a document may hold megabytes
// of stimulus text.
constexpr long kSmallestCharacterArea = 16;

wxFont StimulusFont(int pointSize) { return wxFont(wxFontInfo(pointSize).Family(wxFONTFAMILY_SWISS)); }

// Whether `text` is no wider than `width`. A text with more characters than the line
// has pixels is first judged by that many of its first characters: when they do not
// fit, neither does the whole, which is then never measured (the platform's text
// measuring takes time with the text's length).
bool Fits(wxDC& dc, const wxString& text, int width)
{
    const size_t start = size_t(width) + 1;
    if (text.length() > start && dc.GetTextExtent(text.Left(start)).x > width) return false;
    return dc.GetTextExtent(text).x <= width;
}

// The largest n in [0, most] for which `fits` holds, `fits` holding for 0 and for
// every n below one it holds for. Searched from `guess` (the previous line's answer:
// lines of one text take much the same) in steps that double, then halved, so a line
// costs a few measurements however many words or characters it takes.
size_t LongestFitting(size_t most, size_t guess, const std::function<bool(size_t)>& fits)
{
    if (most == 0) return 0;
    size_t fitting = 0, tooMany = most + 1;  // known to fit, known not to
    guess = std::min(std::max<size_t>(guess, 1), most);
    if (fits(guess)) {
        fitting = guess;
        for (size_t step = 1; fitting + step < tooMany; step *= 2) {
            if (!fits(fitting + step)) {
                tooMany = fitting + step;
                break;
            }
            fitting += step;
        }
    } else {
        tooMany = guess;
        for (size_t step = 1; step < tooMany; step *= 2) {
            if (fits(tooMany - step)) {
                fitting = tooMany - step;
                break;
            }
            tooMany -= step;
        }
    }
    while (tooMany - fitting > 1) {
        const size_t middle = fitting + (tooMany - fitting) / 2;
        (fits(middle) ? fitting : tooMany) = middle;
    }
    return fitting;
}

// The words of a paragraph (separated by blanks), read only as far as they are asked
// for: the lines below the screen are never split into words.
class WordReader
{
public:
    WordReader(wxString::const_iterator begin, wxString::const_iterator end) : m_at(begin), m_end(end) {}

    // Whether the paragraph has a word `index` (counted from 0).
    bool Has(size_t index)
    {
        while (m_words.size() <= index && ReadOne()) {}
        return index < m_words.size();
    }
    const wxString& operator[](size_t index) const { return m_words[index]; }

private:
    static bool IsBlank(wxUniChar c) { return c == ' ' || c == '\t' || c == '\r'; }
    bool ReadOne()
    {
        while (m_at != m_end && IsBlank(*m_at)) ++m_at;
        if (m_at == m_end) return false;
        const auto start = m_at;
        while (m_at != m_end && !IsBlank(*m_at)) ++m_at;
        m_words.emplace_back(start, m_at);
        return true;
    }

    wxString::const_iterator m_at, m_end;
    std::vector<wxString> m_words;
};

// `start` followed by `count` words from `from` on, one space between each.
wxString Joined(const wxString& start, const WordReader& words, size_t from, size_t count)
{
    wxString line = start;
    for (size_t i = from; i < from + count; ++i) {
        if (!line.empty()) line += ' ';
        line += words[i];
    }
    return line;
}

// Greedy word wrap of every paragraph into at most `maxLines` lines. False when a
// word alone is wider than the line or the text needs more lines; with `smallest`,
// a word wider than the line is split, and the lines past `maxLines` (below the
// screen) are left out.
bool Wrap(wxDC& dc, const wxString& text, int width, bool smallest, size_t maxLines, std::vector<wxString>& lines)
{
    using Orbisk::TextPieces::Position;
    lines.clear();
    bool result = true;  // what an early stop answers
    auto full = [&] { return lines.size() >= maxLines; };
    auto stop = [&](bool answer) {
        result = answer;
        return false;
    };
    constexpr size_t kAnyNumber = size_t(1) << 40;
    size_t wordsPerLine = 1, charactersPerLine = 1;  // the guesses for the next line
    Orbisk::TextPieces::ForEachPiece(text.begin(), text.end(), "\n", true, [&](Position from, Position to) {
        WordReader words(from, to);
        wxString line;
        for (size_t next = 0;;) {
            const size_t count = LongestFitting(kAnyNumber, wordsPerLine, [&](size_t n) {
                return words.Has(next + n - 1) && Fits(dc, Joined(line, words, next, n), width);
            });
            if (count > 0) wordsPerLine = count;
            line = Joined(line, words, next, count);
            next += count;
            if (!words.Has(next)) break;
            // The next word does not fit on this line: it starts the next one, or is
            // too wide for any line.
            if (!line.empty()) {
                if (full()) return stop(smallest);
                lines.push_back(line);
                line.clear();
                continue;
            }
            if (!smallest) return stop(false);
            // The word's pieces: every one a line of its own but the last, which the
            // next words may join.
            const wxString word = words[next++];
            for (size_t at = 0; at < word.length();) {
                const size_t length =
                    std::max<size_t>(1, LongestFitting(word.length() - at, charactersPerLine,
                                                       [&](size_t n) { return Fits(dc, word.Mid(at, n), width); }));
                charactersPerLine = length;
                line = word.Mid(at, length);
                at += length;
                if (at < word.length()) {
                    if (full()) return stop(true);
                    lines.push_back(line);
                }
            }
        }
        if (full()) return stop(smallest);
        lines.push_back(line);
        return true;
    });
    return result;
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
    // The sizes tried, largest first, each nine tenths of the one before.
    std::vector<int> sizes{std::max(12, area.y / 20)};
    while (sizes.back() > kSmallestPointSize) sizes.push_back(std::max(kSmallestPointSize, sizes.back() * 9 / 10));
    size_t lastTried = 0;
    auto fitsAt = [&](size_t index) {
        lastTried = index;
        const int size = sizes[index];
        dc.SetFont(StimulusFont(size));
        const bool smallest = size <= kSmallestPointSize;
        // Above the smallest size the lines must fit within the margins; at the
        // smallest they may use the margins too, and what is still below is cut.
        const int lineHeight = std::max(1, dc.GetCharHeight());
        const size_t maxLines = size_t(std::max(1, (smallest ? std::max(1, area.y) : height) / lineHeight));
        return Wrap(dc, laidOut, width, smallest, maxLines, layout.lines);
    };
    // The largest size that fits: most texts fit the first; for the others a smaller
    // size never needs more lines, so halving the range finds it in a few tries
    // instead of one per size (the layout runs on every paint).
    size_t chosen = 0;
    if (!fitsAt(0)) {
        size_t tooLarge = 0, fitting = sizes.size() - 1;
        while (fitting - tooLarge > 1) {
            const size_t middle = tooLarge + (fitting - tooLarge) / 2;
            (fitsAt(middle) ? fitting : tooLarge) = middle;
        }
        chosen = fitting;
        if (lastTried != chosen) fitsAt(chosen);  // its lines and its font
    }
    layout.pointSize = sizes[chosen];
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

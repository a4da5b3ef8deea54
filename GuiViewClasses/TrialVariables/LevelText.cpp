#include "LevelText.h"

#include <wx/tokenzr.h>

#include <limits>

namespace Vantrel {
namespace LevelText {

bool ParseWholeInt32(const wxString& text, std::int32_t& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.length() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.length()) return false;
    // Accumulated as a magnitude that may reach 2^31 (for the most negative value).
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                        : std::int64_t(std::numeric_limits<std::int32_t>::max());
    std::int64_t magnitude = 0;
    for (; i < text.length(); ++i) {
        const wxUniChar c = text[i];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c.GetValue() - '0');
        if (magnitude > limit) return false;
    }
    value = std::int32_t(negative ? -magnitude : magnitude);
    return true;
}

TimeLimitLevels ParseTimeLimitLevels(const wxString& text, wxChar separator)
{
    TimeLimitLevels result;
    wxStringTokenizer pieces(text, wxString(separator));
    while (pieces.HasMoreTokens()) {
        wxString piece = pieces.GetNextToken();
        piece.Trim(true).Trim(false);
        if (piece.empty()) continue;
        std::int32_t value = 0;
        if (ParseWholeInt32(piece, value)) {
            result.values.push_back(value);
        } else if (result.ok) {
            result.ok = false;
            result.badPiece = piece;
        }
    }
    return result;
}

wxString JoinLevelTexts(const std::vector<wxString>& texts, wxChar separator)
{
    wxString joined;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i) joined << separator;
        joined << texts[i];
    }
    return joined;
}

}  // namespace LevelText
}  // namespace Vantrel

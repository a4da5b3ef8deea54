#pragma once
// Reading the numbers that users type for levels: whole base-10 integers that
// must fit 32 bits. Nothing here wraps or silently clamps.

#include <wx/string.h>

#include <cstdint>
#include <vector>

namespace Vantrel {
namespace LevelText {

struct TimeLimitLevels
{
    std::vector<std::int32_t> values;  // the accepted pieces, in order
    wxString badPiece;                 // the first piece that is not an integer (trimmed)
    bool ok = true;                    // false when some non-empty piece was refused
};

// Splits `text` at `separator`, trims each piece and reads it as an integer;
// empty pieces are skipped.
TimeLimitLevels ParseTimeLimitLevels(const wxString& text, wxChar separator = ',');

// The values joined by `separator` without blanks ("10,20,30").
wxString JoinLevelTexts(const std::vector<wxString>& texts, wxChar separator = ',');

}  // namespace LevelText
}  // namespace Vantrel

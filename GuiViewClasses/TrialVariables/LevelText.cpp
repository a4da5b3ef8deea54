#include "LevelText.h"

#include <wx/tokenzr.h>

#include <VTCore/WholeNumberText.h>

namespace Vantrel {
namespace LevelText {

TimeLimitLevels ParseTimeLimitLevels(const wxString& text, wxChar separator)
{
    TimeLimitLevels result;
    wxStringTokenizer pieces(text, wxString(separator));
    while (pieces.HasMoreTokens()) {
        wxString piece = pieces.GetNextToken();
        piece.Trim(true).Trim(false);
        if (piece.empty()) continue;
        std::int32_t value = 0;
        if (Vantrel::ParseWholeInt32(piece, value)) {
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

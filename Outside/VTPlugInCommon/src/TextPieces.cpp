#include "VTPlugInCommon/TextPieces.h"

namespace Orbisk {
namespace TextPieces {

bool ForEachPiece(Position begin, Position end, const wxString& separators, bool keepEmpty,
                  const std::function<bool(Position, Position)>& piece)
{
    if (begin == end) return true;
    Position start = begin;
    for (Position at = begin;; ++at) {
        const bool last = at == end;
        if (!last && separators.find(*at) == wxString::npos) continue;
        if ((keepEmpty || at != start) && !piece(start, at)) return false;
        if (last) return true;
        start = at + 1;
    }
}

std::vector<wxString> SplitAtAnyOf(const wxString& text, const wxString& separators, bool keepEmpty)
{
    std::vector<wxString> pieces;
    ForEachPiece(text.begin(), text.end(), separators, keepEmpty, [&](Position from, Position to) {
        pieces.emplace_back(from, to);
        return true;
    });
    return pieces;
}

}  // namespace TextPieces
}  // namespace Orbisk

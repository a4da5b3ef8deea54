#include "VTPlugInCommon/TextPieces.h"

namespace Orbisk {
namespace TextPieces {

std::vector<wxString> SplitAtAnyOf(const wxString& text, const wxString& separators, bool keepEmpty)
{
    std::vector<wxString> pieces;
    if (text.empty()) return pieces;
    auto start = text.begin();
    for (auto at = text.begin();; ++at) {
        const bool end = at == text.end();
        if (!end && separators.find(*at) == wxString::npos) continue;
        if (keepEmpty || at != start) pieces.emplace_back(start, at);
        if (end) break;
        start = at + 1;
    }
    return pieces;
}

}  // namespace TextPieces
}  // namespace Orbisk

#include "StimulusSegments.h"

#include "VTPlugInCommon/TextPieces.h"

#include <utility>

namespace VantrelSDK {

std::vector<wxString> SplitIntoSegments(const wxString& text, const wxString& segmentCharacter)
{
    std::vector<wxString> segments;
    const bool bySegment = !segmentCharacter.empty() && text.Contains(segmentCharacter);
    for (wxString& part :
         Orbisk::TextPieces::SplitAtAnyOf(text, bySegment ? segmentCharacter : wxString(" \t\r\n"), false)) {
        part.Trim().Trim(false);
        if (!part.empty()) segments.push_back(std::move(part));
    }
    return segments;
}

}  // namespace VantrelSDK

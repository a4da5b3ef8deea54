#include "StimulusSegments.h"

#include <wx/tokenzr.h>

namespace VantrelSDK {

std::vector<wxString> SplitIntoSegments(const wxString& text, const wxString& segmentCharacter)
{
    std::vector<wxString> segments;
    const bool bySegment = !segmentCharacter.empty() && text.Contains(segmentCharacter);
    wxStringTokenizer tokens(text, bySegment ? segmentCharacter : wxString(" \t\r\n"), wxTOKEN_STRTOK);
    while (tokens.HasMoreTokens()) {
        wxString part = tokens.GetNextToken();
        part.Trim().Trim(false);
        if (!part.empty()) segments.push_back(part);
    }
    return segments;
}

}  // namespace VantrelSDK

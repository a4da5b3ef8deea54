#pragma once
// Splitting a reading stimulus into the parts shown one at a time.

#include <wx/string.h>

#include <vector>

namespace VantrelSDK {

// With `segmentCharacter` in the text, the parts between those characters (trimmed,
// empty ones dropped); otherwise the words separated by white space.
std::vector<wxString> SplitIntoSegments(const wxString& text, const wxString& segmentCharacter);

}  // namespace VantrelSDK

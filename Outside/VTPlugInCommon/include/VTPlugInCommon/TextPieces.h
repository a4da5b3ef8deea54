#pragma once
// Splitting stimulus text into its pieces (paragraphs, words, segments) in one pass.
// The GUI library's tokenizer looks over the rest of the text for each piece it hands
// out, which a long run of separators in a document's text makes quadratic.

#include <wx/string.h>

#include <vector>

#include "VTPlugInCommon/VTSdkExport.h"

namespace Orbisk {
namespace TextPieces {

// The pieces of `text` between characters of `separators`. With `keepEmpty`, every
// piece, empty ones included (n separators give n + 1 pieces; an empty text none);
// without, the non-empty ones.
VTSDK_API std::vector<wxString> SplitAtAnyOf(const wxString& text, const wxString& separators, bool keepEmpty);

}  // namespace TextPieces
}  // namespace Orbisk

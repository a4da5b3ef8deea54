#pragma once
// Splitting stimulus text into its pieces (paragraphs, words, segments) in one pass.
// The GUI library's tokenizer looks over the rest of the text for each piece it hands
// out, which a long run of separators in a document's text makes quadratic.

#include <wx/string.h>

#include <functional>
#include <vector>

#include "VTPlugInCommon/VTSdkExport.h"

namespace Orbisk {
namespace TextPieces {

using Position = wxString::const_iterator;

// Hands `piece` the pieces of [begin, end) between characters of `separators`, in
// order, until it returns false (then false). With `keepEmpty`, every piece, empty
// ones included (n separators give n + 1 pieces; an empty range none); without, the
// non-empty ones.
VTSDK_API bool ForEachPiece(Position begin, Position end, const wxString& separators, bool keepEmpty,
                            const std::function<bool(Position, Position)>& piece);

// Every piece of `text`, as above.
VTSDK_API std::vector<wxString> SplitAtAnyOf(const wxString& text, const wxString& separators, bool keepEmpty);

}  // namespace TextPieces
}  // namespace Orbisk

#pragma once
// Reading whole numbers that users type (levels, positions, sizes): base-10 integers
// that must fit 32 bits. Nothing here wraps, clamps or reads a prefix of the text.

#include <wx/string.h>

#include <cstdint>

namespace Vantrel {

// True when the whole text is an optional sign followed by decimal digits and the
// value fits a signed 32-bit integer; `value` is set only then. Blanks are not
// skipped: callers that accept them trim first.
bool ParseWholeInt32(const wxString& text, std::int32_t& value);

}  // namespace Vantrel

#pragma once
// What the block and trial editor pages read from and write into their number
// fields, without a window: numbers never wrap, a unit switch never overflows, and
// an entry that is no number is told apart from a number.

#include <wx/string.h>

namespace Vantrel {
namespace BlockTrialValueText {

// The number the leading digits of `text` spell (no digits: 0), saturating at the
// largest unsigned value instead of wrapping.
unsigned LeadingUnsigned(const wxString& text);

// The time-limit number after switching its unit (0 seconds, 1 milliseconds): to
// milliseconds multiplied by 1000, saturating; to seconds rounded to the nearest
// second, halves up, and at least 1. The same unit gives the number unchanged.
unsigned ConvertTimeLimit(unsigned amount, int fromUnit, int toUnit);

// A whole decimal number (optional sign, digits, nothing else but surrounding
// blanks) clamped into [min, max]; false for an empty or non-numeric entry.
bool WholeNumberWithin(const wxString& text, long long min, long long max, long long& value);

}  // namespace BlockTrialValueText
}  // namespace Vantrel

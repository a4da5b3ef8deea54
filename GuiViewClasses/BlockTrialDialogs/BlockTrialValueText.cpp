#include "BlockTrialValueText.h"

#include <climits>

namespace Vantrel {
namespace BlockTrialValueText {

unsigned LeadingUnsigned(const wxString& text)
{
    unsigned long long value = 0;
    for (wxUniChar c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value >= UINT_MAX) return UINT_MAX;
    }
    return unsigned(value);
}

unsigned ConvertTimeLimit(unsigned amount, int fromUnit, int toUnit)
{
    if (fromUnit == toUnit) return amount;
    if (toUnit == 1) {
        const unsigned long long ms = (unsigned long long)(amount)*1000;
        return ms > UINT_MAX ? UINT_MAX : unsigned(ms);
    }
    const unsigned long long seconds = ((unsigned long long)(amount) + 500) / 1000;
    return seconds == 0 ? 1 : unsigned(seconds);
}

bool WholeNumberWithin(const wxString& text, long long min, long long max, long long& value)
{
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    size_t i = 0;
    bool negative = false;
    if (i < trimmed.length() && (trimmed[i] == '-' || trimmed[i] == '+')) negative = trimmed[i++] == '-';
    if (i == trimmed.length()) return false;
    // Magnitudes beyond the range only need to be known as "beyond".
    unsigned long long magnitude = 0;
    const unsigned long long beyond = (unsigned long long)(LLONG_MAX) + 1;
    for (; i < trimmed.length(); ++i) {
        const wxUniChar c = trimmed[i];
        if (c < '0' || c > '9') return false;
        const unsigned digit = unsigned(c - '0');
        if (magnitude < beyond) magnitude = magnitude > (beyond - digit) / 10 ? beyond : magnitude * 10 + digit;
    }
    long long number;
    if (negative)
        number = magnitude >= beyond ? LLONG_MIN : -(long long)(magnitude);
    else
        number = magnitude >= beyond ? LLONG_MAX : (long long)(magnitude);
    value = number < min ? min : number > max ? max : number;
    return true;
}

}  // namespace BlockTrialValueText
}  // namespace Vantrel

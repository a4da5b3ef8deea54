#include <VTCore/WholeNumberText.h>

#include <limits>

namespace Vantrel {

bool ParseWholeInt32(const wxString& text, std::int32_t& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.length() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.length()) return false;
    // Accumulated as a magnitude that may reach 2^31 (for the most negative value).
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                        : std::int64_t(std::numeric_limits<std::int32_t>::max());
    std::int64_t magnitude = 0;
    for (; i < text.length(); ++i) {
        const wxUniChar c = text[i];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c.GetValue() - '0');
        if (magnitude > limit) return false;
    }
    value = std::int32_t(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace Vantrel

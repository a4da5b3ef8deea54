#pragma once
// Lenient readers of reply values: numbers may come as JSON numbers or as
// numeric text, depending on the service's serialiser.

#include <QJsonValue>
#include <QString>

#include <cmath>
#include <cstdint>
#include <limits>

namespace Vantrel {
namespace CloudTransport {

// A whole number of the reply; 0 when the value is not one that fits (1e300,
// "inf", NaN, 2.5 and text that is not a number all read as 0), since casting
// such a value to an integer is undefined.
inline int64_t ReadInteger(const QJsonValue& value)
{
    if (value.isString()) return value.toString().trimmed().toLongLong();
    if (value.isDouble()) {
        const double number = value.toDouble();
        // The bounds are exact powers of two; -2^63 itself fits, 2^63 does not.
        if (!std::isfinite(number) || number < -9223372036854775808.0 || number >= 9223372036854775808.0) return 0;
        if (std::trunc(number) != number) return 0;
        return static_cast<int64_t>(number);
    }
    if (value.isBool()) return value.toBool() ? 1 : 0;
    return 0;
}

// A whole number that must fit 32 bits (codes, counts, sizes); 0 otherwise.
inline int32_t ReadInteger32(const QJsonValue& value)
{
    const int64_t number = ReadInteger(value);
    if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max()) return 0;
    return static_cast<int32_t>(number);
}

// A finite number of the reply; 0 for anything else ("inf", NaN).
inline double ReadNumber(const QJsonValue& value)
{
    const double number = value.isString() ? value.toString().trimmed().toDouble() : value.toDouble();
    return std::isfinite(number) ? number : 0.0;
}

// A count of bytes from a number of the reply: 0 when negative, the largest count
// when beyond what 64 bits hold (the cast would be undefined there).
inline uint64_t ByteCount(double number)
{
    if (!(number > 0)) return 0;
    if (number >= 18446744073709551616.0) return std::numeric_limits<uint64_t>::max();
    return static_cast<uint64_t>(number);
}

}  // namespace CloudTransport
}  // namespace Vantrel

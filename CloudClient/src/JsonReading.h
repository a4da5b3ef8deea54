#pragma once
// Lenient readers of reply values: numbers may come as JSON numbers or as
// numeric text, depending on the service's serialiser.

#include <QJsonValue>
#include <QString>

#include <cstdint>

namespace Vantrel {
namespace CloudTransport {

inline int64_t ReadInteger(const QJsonValue& value)
{
    if (value.isString()) return value.toString().trimmed().toLongLong();
    if (value.isDouble()) return static_cast<int64_t>(value.toDouble());
    if (value.isBool()) return value.toBool() ? 1 : 0;
    return 0;
}

inline double ReadNumber(const QJsonValue& value)
{
    if (value.isString()) return value.toString().trimmed().toDouble();
    return value.toDouble();
}

}  // namespace CloudTransport
}  // namespace Vantrel

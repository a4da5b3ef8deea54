#pragma once
// The reply text of a service request as the object the operations read.

#include <QJsonObject>

#include <string>

namespace Vantrel {
namespace CloudTransport {

// The text up to its first NUL, as the reply would read in C, when it is one JSON
// object; an empty object otherwise, and for a reply that repeats a key within an
// object (Qt's parser would keep one of the values silently, and loses the memory of
// the others) or nests past any reply of the service.
QJsonObject ParseServiceReply(const std::string& bytes);

}  // namespace CloudTransport
}  // namespace Vantrel

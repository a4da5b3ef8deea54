#include "CloudClient/ServiceReply.h"

#include "VTCore/JsonDocumentScanner.h"

#include <QByteArray>
#include <QJsonDocument>

namespace Vantrel {
namespace CloudTransport {

namespace {

// The service's replies are a few levels deep.
constexpr int kMaxReplyNesting = 64;

}  // namespace

QJsonObject ParseServiceReply(const std::string& bytes)
{
    const QByteArray text(bytes.c_str());
    if (!IsJsonWithDistinctKeys(text, kMaxReplyNesting)) return QJsonObject();
    const QJsonDocument document = QJsonDocument::fromJson(text);
    return document.isObject() ? document.object() : QJsonObject();
}

}  // namespace CloudTransport
}  // namespace Vantrel

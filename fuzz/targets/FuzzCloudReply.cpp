// Replies of the cloud service, read as the client reads them: the text up to its
// first NUL as a JSON object (a repeated key refuses it), then numbers through the lenient readers, dates through
// the expiry reckoning and codes through the task-code conversion. Every value of the
// reply goes through every reader, so a reader's undefined cast shows whichever field
// the service puts a hostile number in.

#include "FuzzSupport.h"

#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/ServiceReply.h"
#include "JsonReading.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <string>

namespace {

using namespace Vantrel::CloudTransport;

void ReadEveryWay(const QJsonValue& value)
{
    const int64_t whole = ReadInteger(value);
    const int32_t small = ReadInteger32(value);
    if (small != 0 && small != whole) FuzzSupport::Fail("a 32-bit reading differs from the whole number");
    if (!std::isfinite(ReadNumber(value))) FuzzSupport::Fail("a number reading is not finite");
    ByteCount(value.toDouble());
    ByteCount(ReadNumber(value));
    const uint32_t code = static_cast<uint32_t>(small);
    const int32_t taskCode = OmbraAPIHelper::ObfuscateExperimentID(code);
    OmbraAPIHelper::DeobfuscateExperimentID(static_cast<uint32_t>(taskCode));
    if (value.isString()) {
        ExpInfo info;
        info.expiry_date = value.toString();
        info.ExpDaysRemaining();
    }
}

void Walk(const QJsonValue& value)
{
    ReadEveryWay(value);
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) Walk(it.value());
    } else if (value.isArray()) {
        for (const QJsonValue& item : value.toArray()) Walk(item);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    const std::string reply(reinterpret_cast<const char*>(data), size);
    Walk(ParseServiceReply(reply));
    return 0;
}

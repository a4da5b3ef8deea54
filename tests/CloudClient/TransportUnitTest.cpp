#include "CloudClient/CurlCallbacks.h"
#include "CloudClient/JsonBody.h"
#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/ServiceConfiguration.h"
#include "CloudClient/ServiceReply.h"

#include "CallbackRecorder.h"
#include "CloudDoubles.h"
#include "JsonReading.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstring>

using Vantrel::CloudTransport::BuildJsonBody;
using Vantrel::CloudTransport::EscapeJsonString;
using Field = OmbraAPIHelper::CurlField;

namespace {

TEST(JsonBody, LayoutOfTheFields)
{
    EXPECT_EQ(BuildJsonBody({}), "{}");
    const std::string body = BuildJsonBody({{"email", "x", false}, {"password", "y", false}});
    EXPECT_EQ(body, R"({"email": "x", "password": "y"})");
    EXPECT_EQ(body.size(), 31u);
    // The file flag means nothing to the JSON form.
    EXPECT_EQ(BuildJsonBody({{"content", "'group_id':'7'", true}}), R"({"content": "'group_id':'7'"})");
}

TEST(JsonBody, ValuesAreEscapedAndStayValidJson)
{
    const struct
    {
        std::string raw;
        std::string escaped;
    } table[] = {
        {"plain value 123", "plain value 123"}, {"Zoë ✓", "Zoë ✓"},
        {"say \"hi\"", "say \\\"hi\\\""},       {"C:\\data", "C:\\\\data"},
        {"a\nb\rc\td", "a\\nb\\rc\\td"},        {std::string("\x01\x1f", 2), "\\u0001\\u001f"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.raw);
        EXPECT_EQ(EscapeJsonString(row.raw), row.escaped);
        const std::string body = BuildJsonBody({{"k\"ey", row.raw, false}});
        QJsonParseError error{};
        const QJsonObject parsed = QJsonDocument::fromJson(QByteArray::fromStdString(body), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << body;
        EXPECT_EQ(parsed.value("k\"ey").toString().toStdString(), row.raw);
    }
}

TEST(ProgressCallback, PercentFromDownloadThenUploadAndCancelFlagAndEachChangeIsTold)
{
    ProgStruct progress;
    TestSupport::CallbackRecorder<int> changes;
    progress.onPercent = changes.Callback();
    EXPECT_EQ(progress_callback(&progress, 200, 50, 0, 0), 0);
    EXPECT_EQ(progress.percent, 25);
    EXPECT_EQ(progress_callback(&progress, 3, 1, 0, 0), 0);
    EXPECT_EQ(progress.percent, 33);  // truncated toward zero
    EXPECT_EQ(progress_callback(&progress, 0, 0, 1000, 999), 0);
    EXPECT_EQ(progress.percent, 99);  // upload progress when nothing is downloaded
    EXPECT_EQ(progress_callback(&progress, 0, 0, 0, 0), 0);
    EXPECT_EQ(progress.percent, 99);  // both totals 0: keeps its value
    progress.cancel = true;
    EXPECT_NE(progress_callback(&progress, 10, 5, 0, 0), 0);
    EXPECT_EQ(progress.percent, 50);
    using Change = std::tuple<int>;
    EXPECT_EQ(changes.Calls(), (std::vector<Change>{{25}, {33}, {99}, {50}})) << "told once per change, not per call";
}

TEST(PayloadSource, HandsOutTheTextABufferAtATime)
{
    UploadStatus empty;
    char buffer[8];
    EXPECT_EQ(payload_source(buffer, 1, sizeof buffer, &empty), 0u);

    UploadStatus upload;
    upload.text = "Subject: x\r\n\r\nbody";
    EXPECT_EQ(payload_source(buffer, 0, 8, &upload), 0u);
    EXPECT_EQ(payload_source(buffer, 8, 0, &upload), 0u);
    std::string sent;
    size_t got;
    while ((got = payload_source(buffer, 1, sizeof buffer, &upload)) > 0) sent.append(buffer, got);
    EXPECT_EQ(sent, upload.text);
    EXPECT_EQ(upload.bytes_read, upload.text.size());
}

TEST(WriteData, AppendsEveryChunk)
{
    ReplyBuffer reply;
    char first[] = "{\"a\":";
    char second[] = "1}";
    EXPECT_EQ(write_data(first, 1, std::strlen(first), &reply), std::strlen(first));
    EXPECT_EQ(write_data(second, 1, std::strlen(second), &reply), std::strlen(second));
    EXPECT_EQ(reply.bytes, "{\"a\":1}");
}

TEST(WriteData, AReplyPastItsBoundIsRefusedAndMarked)
{
    ReplyBuffer reply;
    std::string chunk(kMaxReplyBytes / 2, ' ');
    EXPECT_EQ(write_data(&chunk[0], 1, chunk.size(), &reply), chunk.size());
    EXPECT_EQ(write_data(&chunk[0], 1, chunk.size(), &reply), chunk.size());
    EXPECT_EQ(write_data(&chunk[0], 1, 1, &reply), 0u);
    EXPECT_TRUE(reply.tooLarge);
    EXPECT_EQ(reply.bytes.size(), kMaxReplyBytes);
}

// Numbers in replies come from a server we do not control: anything that does
// not fit the integer it becomes reads as 0 instead of an undefined cast.
TEST(ServiceReply, OnlyAnObjectWithDistinctKeysIsAReply)
{
    const struct
    {
        const char* text;
        bool reply;
    } table[] = {
        {R"({"success": true, "data": {"code": 1}})", true},
        {R"({"success": true, "success": false})", false},
        {R"({"data": {"a": [1], "a": [2]}})", false},  // repeated inside: Qt's parser lost memory on it
        {R"({"data": [{"a": 1}, {"a": 2}]})", true},   // the same key in two objects is no repeat
        {R"([1, 2])", false},
        {R"({"success": tru)", false},
        {"", false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.text);
        const QJsonObject reply = Vantrel::CloudTransport::ParseServiceReply(row.text);
        EXPECT_EQ(!reply.isEmpty(), row.reply);
    }
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += R"({"a": )";
    deep += "1" + std::string(100, '}');
    EXPECT_TRUE(Vantrel::CloudTransport::ParseServiceReply(deep).isEmpty());
    // Up to the first NUL, as before.
    EXPECT_FALSE(Vantrel::CloudTransport::ParseServiceReply(std::string("{\"a\": 1}\0{", 10)).isEmpty());
}

TEST(JsonReading, NumbersAreRangeCheckedBeforeTheyBecomeIntegers)
{
    using Vantrel::CloudTransport::ReadInteger;
    using Vantrel::CloudTransport::ReadInteger32;
    const QJsonObject reply = QJsonDocument::fromJson(R"({"big": 1e300, "neg": -1e300, "half": 2.5,
        "fits": 12345678, "text": "42", "wide": 5000000000, "words": "inf", "min": -2147483648})")
                                  .object();
    struct Case
    {
        const char* key;
        int64_t whole;
        int32_t narrow;
    } cases[] = {
        {"big", 0, 0},    {"neg", 0, 0},           {"half", 0, 0},  {"fits", 12345678, 12345678},
        {"text", 42, 42}, {"wide", 5000000000, 0}, {"words", 0, 0}, {"min", -2147483648LL, INT32_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ReadInteger(reply.value(c.key)), c.whole);
        EXPECT_EQ(ReadInteger32(reply.value(c.key)), c.narrow);
    }
    EXPECT_EQ(Vantrel::CloudTransport::ByteCount(1e300), UINT64_MAX);
    EXPECT_EQ(Vantrel::CloudTransport::ByteCount(-5), 0u);
    EXPECT_EQ(Vantrel::CloudTransport::ReadNumber(QJsonValue(QString("inf"))), 0.0);
}

TEST(Configuration, DefaultsAndEnvironmentOverrides)
{
    using namespace Vantrel::ServiceConfiguration;
    {
        TestDoubles::ScopedEnvironmentVariable host("VANTREL_CLOUD_HOST", nullptr);
        TestDoubles::ScopedEnvironmentVariable key("VANTREL_CLOUD_API_KEY", nullptr);
        TestDoubles::ScopedEnvironmentVariable relay("VANTREL_MAIL_RELAY", nullptr);
        EXPECT_EQ(CloudApiKey(), "Rq4Tz9WmXc2Lb7NvHs5Ke3Pj8Gd1Fa6YuQo0ViEt4BnMr7Sw2Cx9Zh5Jl3Dp8Ag1");
        EXPECT_EQ(CloudApiKey().size(), 64u);
        EXPECT_EQ(CloudBaseUrl(), "https://" + CloudHost() + "/api/");
        EXPECT_EQ(MailRelayUrl().rfind(":587"), MailRelayUrl().size() - 4);
    }
    TestDoubles::ScopedEnvironmentVariable host("VANTREL_CLOUD_HOST", "127.0.0.1:4443");
    TestDoubles::ScopedEnvironmentVariable relay("VANTREL_MAIL_RELAY", "mail.example.test");
    TestDoubles::ScopedEnvironmentVariable sender("VANTREL_MAIL_SENDER", "me@example.test");
    EXPECT_EQ(CloudBaseUrl(), "https://127.0.0.1:4443/api/");
    EXPECT_EQ(MailRelayUrl(), "smtp://mail.example.test:587");
    EXPECT_EQ(MailSenderAddress(), "me@example.test");
    EXPECT_NE(MailFromHeaderValue().find("<me@example.test>"), std::string::npos);
    TestDoubles::ScopedEnvironmentVariable relayWithPort("VANTREL_MAIL_RELAY", "127.0.0.1:2525");
    EXPECT_EQ(MailRelayUrl(), "smtp://127.0.0.1:2525");
}

}  // namespace

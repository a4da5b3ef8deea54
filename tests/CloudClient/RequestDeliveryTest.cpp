// Whether a failed request can have reached the service, from libcurl's result and
// how much of the body it handed over.

#include "CloudClient/RequestDelivery.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

namespace {

using Vantrel::ClassifyDelivery;
using Vantrel::RequestDelivery;

TEST(RequestDelivery, OnlyWhatCannotHaveArrivedIsNotSent)
{
    const struct
    {
        const char* name;
        CURLcode code;
        bool hasBody;
        long long sent;
        long long total;
        RequestDelivery expected;
    } table[] = {
        {"answered", CURLE_OK, true, 100, 100, RequestDelivery::Answered},
        {"connection refused", CURLE_COULDNT_CONNECT, true, 0, -1, RequestDelivery::NotSent},
        {"name not found", CURLE_COULDNT_RESOLVE_HOST, true, 0, -1, RequestDelivery::NotSent},
        {"TLS handshake failed", CURLE_SSL_CONNECT_ERROR, true, 0, -1, RequestDelivery::NotSent},
        {"certificate refused", CURLE_PEER_FAILED_VERIFICATION, false, 0, -1, RequestDelivery::NotSent},
        {"reset before any body byte", CURLE_SEND_ERROR, true, 0, 100, RequestDelivery::NotSent},
        {"reset half-way through the body", CURLE_SEND_ERROR, true, 50, 100, RequestDelivery::NotSent},
        {"timed out half-way through the body", CURLE_OPERATION_TIMEDOUT, true, 99, 100, RequestDelivery::NotSent},
        {"cancelled half-way through the body", CURLE_ABORTED_BY_CALLBACK, true, 10, 100, RequestDelivery::NotSent},
        {"timed out after the whole body", CURLE_OPERATION_TIMEDOUT, true, 100, 100, RequestDelivery::Unanswered},
        {"reset after the whole body", CURLE_RECV_ERROR, true, 100, 100, RequestDelivery::Unanswered},
        {"closed without an answer", CURLE_GOT_NOTHING, true, 100, 100, RequestDelivery::Unanswered},
        {"answer too large", CURLE_WRITE_ERROR, true, 100, 100, RequestDelivery::Unanswered},
        {"body of unknown size partly out", CURLE_RECV_ERROR, true, 10, -1, RequestDelivery::Unanswered},
        {"request without a body, timed out", CURLE_OPERATION_TIMEDOUT, false, 0, -1, RequestDelivery::Unanswered},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ClassifyDelivery(row.code, row.hasBody, row.sent, row.total), row.expected);
    }
}

}  // namespace

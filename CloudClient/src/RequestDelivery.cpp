#include "CloudClient/RequestDelivery.h"

#include <curl/curl.h>

namespace Vantrel {

namespace {

// Failures that happen before libcurl writes the first byte of the request: the
// name, the connection or the TLS handshake did not come about.
bool FailsBeforeTheRequest(CURLcode code)
{
    switch (code) {
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_CRL_BADFILE: return true;
        default: return false;
    }
}

}  // namespace

RequestDelivery ClassifyDelivery(int curlCode, bool hasBody, std::int64_t bodyBytesSent, std::int64_t bodyBytes)
{
    const auto code = static_cast<CURLcode>(curlCode);
    if (code == CURLE_OK) return RequestDelivery::Answered;
    if (FailsBeforeTheRequest(code)) return RequestDelivery::NotSent;
    if (hasBody) {
        // A server acts on a request only once its body has arrived whole.
        if (bodyBytesSent <= 0) return RequestDelivery::NotSent;
        if (bodyBytes > 0 && bodyBytesSent < bodyBytes) return RequestDelivery::NotSent;
    }
    // The whole request may have gone out (a body of unknown size that went
    // partly out counts as whole: the safe side is never to send it twice).
    return RequestDelivery::Unanswered;
}

}  // namespace Vantrel

#pragma once
// How far a failed request got towards the service. An upload may be sent again
// only when the service cannot have received it; once the whole request has gone
// out, the service may have acted on it even if no answer came back, and sending
// it again could store the participant's data twice.

#include <cstdint>

namespace Vantrel {

enum class RequestDelivery
{
    NotSent,     // the service cannot have the whole request: no connection, TLS refused,
                 // or the connection ended before the last byte of the body went out
    Unanswered,  // the whole request went out and no complete answer came back
    Answered     // the service answered (whatever it said)
};

// The delivery of a finished transfer from libcurl's result code and how much of
// the request body libcurl handed over: `bodyBytesSent` of `bodyBytes` (-1 when
// libcurl did not know the body's size). `hasBody` says whether the request
// carries a body at all.
RequestDelivery ClassifyDelivery(int curlCode, bool hasBody, std::int64_t bodyBytesSent, std::int64_t bodyBytes);

}  // namespace Vantrel

#pragma once
// Why a request to the cloud service or the mail relay failed, in the terms a
// participant can act on, and the message that tells them.

#include <wx/string.h>

namespace Vantrel {

enum class TransferFailure
{
    None,
    Network,      // no connection: refused, unreachable, reset, name not found
    Certificate,  // the peer's identity could not be verified
    TimedOut,     // no complete answer before the deadline
    Service,      // the service answered with a server error (5xx, 408, 429)
    Refused,      // the service answered that it will not serve this request (other 4xx)
    TooLarge,     // the answer passed its size bound
    Cancelled
};

// The kind of a finished transfer from libcurl's result code and the HTTP status.
TransferFailure ClassifyTransfer(int curlCode, long httpStatus);

// The participant's message for a failure; `refusalText` is the step's own text,
// used when the service itself refused (an unknown or withdrawn task code).
wxString DescribeTransferFailure(TransferFailure failure, const wxString& refusalText);

}  // namespace Vantrel

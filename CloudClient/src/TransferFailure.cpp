#include "CloudClient/TransferFailure.h"

#include <curl/curl.h>
#include <wx/intl.h>

namespace Vantrel {

TransferFailure ClassifyTransfer(int curlCode, long httpStatus)
{
    switch (static_cast<CURLcode>(curlCode)) {
        case CURLE_OK: break;
        case CURLE_OPERATION_TIMEDOUT: return TransferFailure::TimedOut;
        case CURLE_ABORTED_BY_CALLBACK: return TransferFailure::Cancelled;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS: return TransferFailure::Certificate;
        default: return TransferFailure::Network;
    }
    if (httpStatus >= 500 || httpStatus == 408 || httpStatus == 429) return TransferFailure::Service;
    if (httpStatus >= 400) return TransferFailure::Refused;
    return TransferFailure::None;
}

wxString DescribeTransferFailure(TransferFailure failure, const wxString& refusalText)
{
    switch (failure) {
        case TransferFailure::None:
        case TransferFailure::Refused: return refusalText;
        case TransferFailure::Network:
            return _("The task service could not be reached. Check the internet connection and try again.");
        case TransferFailure::Certificate:
            return _("The task service's identity could not be verified, so nothing was sent or fetched. Check the "
                     "computer's date and network, or contact the researcher.");
        case TransferFailure::TimedOut: return _("The task service did not answer in time. Try again in a moment.");
        case TransferFailure::Service:
            return _("The task service could not handle the request just now. Try again later.");
        case TransferFailure::TooLarge:
            return _("The task service sent more than expected, so the transfer was stopped. Contact the researcher.");
        case TransferFailure::Cancelled: return wxString();
    }
    return refusalText;
}

}  // namespace Vantrel

#pragma once
// Handing a finished run's data file back to the researcher, off the GUI thread:
// the upload (a few tries, each under a deadline in proportion to the file's
// size), the run-info line, and the fallback e-mail when no upload succeeded.
// Everything it needs is copied in; the result is handed back whole.
//
// The service knows nothing of runs: every upload it receives is stored. So an
// upload is tried again only when the service cannot have received it (no
// connection, TLS refused, the connection ended before the whole request went
// out). Once a whole request has gone out unanswered, the data may be at the
// service, and it is never uploaded again; the e-mail still goes. The run-info
// line follows the same rule, so the run is counted once.

#include "CloudClient/OmbraAPIHelper.h"

#include <wx/string.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Vantrel {

constexpr int kMaxUploadTries = 3;
constexpr std::chrono::milliseconds kUploadTryFloor{30000};

struct HandBackRequest
{
    long experimentCode = 0;
    std::string dataFile;
    // Names this run's entry in the outbox; the service never sees it.
    std::string runId;
    // The run-info line still to send; empty once it has gone out (or may have).
    std::string runInfoLine;
    // A whole upload of this data already went out unanswered (or was under way
    // when the program ended): only the e-mail is left to try.
    bool uploadMayHaveArrived = false;
    // The fallback e-mail, prepared on the GUI thread.
    std::vector<std::string> mailHeaders;
    std::string mailBody;
    std::string mailTo;
    // The least time one upload try is given (tests shorten it).
    std::chrono::milliseconds uploadTryFloor = kUploadTryFloor;
};

struct HandBackResult
{
    bool uploaded = false;              // the service answered that it stored the data
    bool uploadMayHaveArrived = false;  // not answered, but the whole upload went out
    bool noFurtherUpload = false;       // uploaded, or a try reached the service: never upload again
    bool runInfoPending = false;        // the run-info line never left: a later send may count the run
    bool emailSent = false;
    int uploadTries = 0;
    wxString cause;  // for the log: the last transfer's own error
};

// The deadline of one upload try: a floor, plus the time the file takes at a slow
// but working connection's speed.
std::chrono::milliseconds UploadTryDeadline(std::uint64_t fileBytes, std::chrono::milliseconds floor = kUploadTryFloor);

// Told the request's state before each step that may reach the service and after
// each step that surely did not, so that a hand-back cut short (the program
// closed mid-upload) is never taken for one that sent nothing.
using HandBackJournal = std::function<void(const HandBackRequest&)>;

HandBackResult RunHandBack(OmbraAPIHelper client, HandBackRequest request, const HandBackJournal& journal = {});

// A fresh identifier for one run: 32 hexadecimal digits.
std::string NewRunId();

}  // namespace Vantrel

#pragma once
// Handing a finished run's data file back to the researcher, off the GUI thread:
// the upload (a few tries, each under a deadline in proportion to the file's
// size), the run-info line, and the fallback e-mail when no upload succeeded.
// Everything it needs is copied in; the result is handed back whole.

#include "CloudClient/OmbraAPIHelper.h"

#include <wx/string.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace Vantrel {

constexpr int kMaxUploadTries = 3;

struct HandBackRequest
{
    long experimentCode = 0;
    std::string dataFile;
    // Identifies this run at the service, so that a try the client gave up on but
    // the service stored is never stored twice.
    std::string runId;
    std::string runInfoLine;
    // The fallback e-mail, prepared on the GUI thread.
    std::vector<std::string> mailHeaders;
    std::string mailBody;
    std::string mailTo;
};

struct HandBackResult
{
    bool uploaded = false;
    bool emailSent = false;
    wxString cause;  // for the log: the last transfer's own error
};

// The deadline of one upload try: a floor, plus the time the file takes at a slow
// but working connection's speed.
std::chrono::milliseconds UploadTryDeadline(std::uint64_t fileBytes);

HandBackResult RunHandBack(OmbraAPIHelper client, const HandBackRequest& request);

// A fresh identifier for one run: 32 hexadecimal digits.
std::string NewRunId();

}  // namespace Vantrel

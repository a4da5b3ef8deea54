#pragma once
// The checks of a task code against the cloud service, run off the GUI thread:
// the experiment's details, its information file and its run-info file, each
// judged in the order the participant's first page has always used. Everything
// the checks need is copied in; the result is handed back whole.

#include "CloudClient/OmbraAPIHelper.h"

#include <wx/string.h>

#include <chrono>
#include <cstdint>

namespace Vantrel {

// How long the checks of one press of Next may take altogether (30 s; tests
// shorten it to see a silent server end in test time).
std::chrono::milliseconds TaskChecksDeadline();
void SetTaskChecksDeadlineForTesting(std::chrono::milliseconds deadline);

struct TaskChecksResult
{
    wxString message;  // empty when the task may go on; else the one line the participant reads
    wxString cause;    // for the log: the transfer's own error, when a transfer failed
    ExpInfo info;
    std::uint32_t participantCount = 0;
};

// Runs every check; `lastRunCode` is the code of the experiment last run on this
// computer (for run-once experiments).
TaskChecksResult RunTaskChecks(OmbraAPIHelper client, long experimentCode, long lastRunCode);

}  // namespace Vantrel

#include "CloudTaskChecks.h"

#include "CloudTaskSupport/TaskFolderFiles.h"

#include <wx/intl.h>

#include <atomic>

namespace Vantrel {

namespace {

std::atomic<long long> s_deadlineMs{30000};

// The step's own text when the service refused; the failure's own text when the
// transfer failed (a network, certificate, time-out or service problem).
void Refuse(TaskChecksResult& result, const OmbraAPIHelper& client, const wxString& stepText)
{
    const TransferFailure failure =
        client.DidCurlRequestFail() ? client.GetTransferFailure() : TransferFailure::Refused;
    result.message = DescribeTransferFailure(failure, stepText);
    if (client.DidCurlRequestFail()) result.cause = wxString::FromUTF8(client.GetCurlErrString().c_str());
}

}  // namespace

std::chrono::milliseconds TaskChecksDeadline() { return std::chrono::milliseconds(s_deadlineMs.load()); }
void SetTaskChecksDeadlineForTesting(std::chrono::milliseconds deadline) { s_deadlineMs = deadline.count(); }

TaskChecksResult RunTaskChecks(OmbraAPIHelper client, long experimentCode, long lastRunCode)
{
    TaskChecksResult result;
    client.SetDeadline(std::chrono::steady_clock::now() + TaskChecksDeadline());
    ExpInfo& info = result.info;

    if (!client.GetExperimentDetail(experimentCode, info)) {
        Refuse(result, client, _("Invalid experiment ID. Contact the researcher if you have questions."));
        return result;
    }
    if (info.ExpDaysRemaining() < 0) {
        result.message = _("This experiment has expired. Contact the researcher if you have questions.");
        return result;
    }
    if (info.is_terminated) {
        result.message = _("This experiment was deleted. Contact the researcher if you have questions.");
        return result;
    }
    if (!client.GetExpInfoFile(experimentCode) || client.DidCurlRequestFail()) {
        Refuse(result, client, _("Unable to retrieve experiment info. Try again."));
        return result;
    }
    // An information file that is not one (an error reply written in its place)
    // must not let the task go on without its rules.
    if (!OmbraAPIHelper::GetValuesFromExpInfoFile(experimentCode, info)) {
        result.message = _("Unable to retrieve experiment info. Try again.");
        return result;
    }
    if (info.run_once && lastRunCode == static_cast<long>(info.code)) {
        result.message =
            _("This experiment can only be run once per participant! Contact the researcher if you have questions.");
        return result;
    }
    if (!client.GetRTInfoFile(experimentCode) || client.DidCurlRequestFail()) {
        Refuse(result, client, _("Unable to retrieve additional experiment info. Try again."));
        return result;
    }
    result.participantCount = static_cast<std::uint32_t>(OmbraAPIHelper::CountRunInfoLines(
        OmbraAPIHelper::GetCloudFolderPath(experimentCode) + wxFILE_SEP_PATH + kTaskRunInfoFileName));
    if (info.max_prtcpnt != 0 && result.participantCount >= info.max_prtcpnt) {
        result.message = _("Maximum number of participants reached. Contact the researcher if you have questions.");
        return result;
    }
    return result;
}

}  // namespace Vantrel

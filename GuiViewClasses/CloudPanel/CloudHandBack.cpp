#include "CloudHandBack.h"

#include <wx/filename.h>

#include <ctime>
#include <random>

namespace Vantrel {

namespace {

// A connection slower than this is not worth waiting for.
constexpr std::uint64_t kSlowestBytesPerSecond = 16 * 1024;
constexpr std::chrono::seconds kRunInfoDeadline{30};

std::uint64_t FileBytes(const std::string& path)
{
    const wxULongLong size = wxFileName::GetSize(wxString(path.c_str(), wxConvFile));
    return size == wxInvalidSize ? 0 : size.GetValue();
}

bool CannotHaveArrived(const OmbraAPIHelper& client) { return client.GetRequestDelivery() == RequestDelivery::NotSent; }

wxString LastError(const OmbraAPIHelper& client) { return wxString::FromUTF8(client.GetApiErrString().c_str()); }

}  // namespace

std::chrono::milliseconds UploadTryDeadline(std::uint64_t fileBytes, std::chrono::milliseconds floor)
{
    return floor + std::chrono::milliseconds(fileBytes * 1000 / kSlowestBytesPerSecond);
}

HandBackResult RunHandBack(OmbraAPIHelper client, HandBackRequest request, const HandBackJournal& journal)
{
    const auto note = [&] {
        if (journal) journal(request);
    };
    HandBackResult result;
    const std::string code = std::to_string(request.experimentCode);
    const std::chrono::milliseconds tryDeadline =
        UploadTryDeadline(FileBytes(request.dataFile), request.uploadTryFloor);
    while (!request.uploadMayHaveArrived && result.uploadTries < kMaxUploadTries) {
        request.uploadMayHaveArrived = true;  // from here on the service may get it
        note();
        ++result.uploadTries;
        client.SetDeadline(std::chrono::steady_clock::now() + tryDeadline);
        if (client.UploadExpResults(code.c_str(), request.dataFile.c_str())) {
            result.uploaded = true;
            break;
        }
        result.cause = LastError(client);
        // Answered with a failure, or gone out whole: never sent again. Even an
        // answered failure may follow a stored file (a service that fails after
        // storing), so the fallback e-mail takes over.
        if (client.GetRequestDelivery() == RequestDelivery::Unanswered) result.uploadMayHaveArrived = true;
        if (!CannotHaveArrived(client)) break;
        request.uploadMayHaveArrived = false;
        note();
    }
    if (result.uploadTries == 0) result.uploadMayHaveArrived = true;  // an earlier try went out unanswered
    result.noFurtherUpload = request.uploadMayHaveArrived;

    // The run counts once for group balancing and the participant limit, whatever
    // became of the upload: the participant has taken part.
    for (int attempt = 0; attempt < kMaxUploadTries && !request.runInfoLine.empty(); ++attempt) {
        const std::string line = request.runInfoLine;
        request.runInfoLine.clear();
        note();
        client.SetDeadline(std::chrono::steady_clock::now() + kRunInfoDeadline);
        if (client.AppendRtInfo(request.experimentCode, line) || !CannotHaveArrived(client)) break;
        request.runInfoLine = line;
        note();
    }
    result.runInfoPending = !request.runInfoLine.empty();
    if (result.uploaded) return result;

    client.SetDeadline(std::chrono::steady_clock::now() + tryDeadline);
    std::vector<std::string> headers = request.mailHeaders;
    result.emailSent = client.SendEmailWithAttachment(headers, request.mailBody.c_str(), request.mailTo.c_str(), "",
                                                      request.dataFile.c_str());
    if (!result.emailSent) result.cause += " / " + wxString::FromUTF8(client.GetCurlErrString().c_str());
    return result;
}

std::string NewRunId()
{
    std::random_device entropy;
    std::mt19937_64 random((static_cast<std::uint64_t>(entropy()) << 32) ^ entropy() ^
                           static_cast<std::uint64_t>(std::time(nullptr)));
    char text[33];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(random()),
                  static_cast<unsigned long long>(random()));
    return text;
}

}  // namespace Vantrel

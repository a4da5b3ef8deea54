#include "CloudHandBack.h"

#include <wx/filename.h>

#include <ctime>
#include <random>

namespace Vantrel {

namespace {

// A connection slower than this is not worth waiting for.
constexpr std::uint64_t kSlowestBytesPerSecond = 16 * 1024;
constexpr std::chrono::seconds kUploadFloor{30};
constexpr std::chrono::seconds kRunInfoDeadline{30};

std::uint64_t FileBytes(const std::string& path)
{
    const wxULongLong size = wxFileName::GetSize(wxString(path.c_str(), wxConvFile));
    return size == wxInvalidSize ? 0 : size.GetValue();
}

}  // namespace

std::chrono::milliseconds UploadTryDeadline(std::uint64_t fileBytes)
{
    return kUploadFloor + std::chrono::milliseconds(fileBytes * 1000 / kSlowestBytesPerSecond);
}

HandBackResult RunHandBack(OmbraAPIHelper client, const HandBackRequest& request)
{
    HandBackResult result;
    const std::string code = std::to_string(request.experimentCode);
    const std::chrono::milliseconds tryDeadline = UploadTryDeadline(FileBytes(request.dataFile));
    for (int attempt = 0; attempt < kMaxUploadTries && !result.uploaded; ++attempt) {
        client.SetDeadline(std::chrono::steady_clock::now() + tryDeadline);
        result.uploaded = client.UploadExpResults(code.c_str(), request.dataFile.c_str(), request.runId.c_str());
        if (!result.uploaded) result.cause = wxString::FromUTF8(client.GetApiErrString().c_str());
    }
    if (result.uploaded) {
        client.SetDeadline(std::chrono::steady_clock::now() + kRunInfoDeadline);
        for (int attempt = 0; attempt < kMaxUploadTries; ++attempt)
            if (client.AppendRtInfo(request.experimentCode, request.runInfoLine)) break;
        return result;
    }
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

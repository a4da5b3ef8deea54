#include "CloudHandBack.h"

#include "CloudClient/ServiceConfiguration.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <ctime>
#include <fstream>
#include <random>
#include <sstream>

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

std::string ReadFailureMailTemplate()
{
    const wxString templatePath =
        wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath() + "/../PlugIns/email/sending_data_file.html";
    std::ifstream in(std::string(templatePath.fn_str()), std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    return text.str();
}

std::vector<std::string> FailureMailHeaders(const std::string& to)
{
    return {
        "Date: " + Rfc2822DateNow(),
        "To: " + to,
        "From: " + ServiceConfiguration::MailFromHeaderValue(),
        "Subject: Failed to upload experiment data",
    };
}

std::string Rfc2822DateNow()
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char zone[8] = "+0000";
    std::strftime(zone, sizeof zone, "%z", &local);
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %s", days[local.tm_wday], local.tm_mday,
                  months[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec, zone);
    return text;
}

}  // namespace Vantrel

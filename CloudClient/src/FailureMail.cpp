#include "CloudClient/FailureMail.h"

#include "CloudClient/ServiceConfiguration.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace Vantrel {

namespace {

constexpr std::streamoff kMaxTemplateBytes = 1 << 20;

}  // namespace

wxString FailureMailTemplatePath(const wxString& executablePath)
{
    return wxFileName(executablePath).GetPath() + "/../PlugIns/email/sending_data_file.html";
}

std::string ReadFailureMailTemplate(const wxString& templatePath)
{
    std::ifstream in(std::string(templatePath.fn_str()), std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxTemplateBytes) return {};
    in.seekg(0);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), size)) return {};
    return text;
}

std::string ReadFailureMailTemplate()
{
    return ReadFailureMailTemplate(FailureMailTemplatePath(wxStandardPaths::Get().GetExecutablePath()));
}

std::vector<std::string> FailureMailHeaders(const std::string& to, const std::string& date)
{
    return {
        "Date: " + date,
        "To: " + to,
        "From: " + ServiceConfiguration::MailFromHeaderValue(),
        "Subject: Failed to upload experiment data",
    };
}

std::vector<std::string> FailureMailHeaders(const std::string& to) { return FailureMailHeaders(to, Rfc2822DateNow()); }

std::string Rfc2822Date(const std::tm& local, long utcOffsetSeconds)
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char sign = utcOffsetSeconds < 0 ? '-' : '+';
    const long offsetMinutes = std::labs(utcOffsetSeconds) / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", days[(local.tm_wday % 7 + 7) % 7],
                  local.tm_mday, months[(local.tm_mon % 12 + 12) % 12], local.tm_year + 1900, local.tm_hour,
                  local.tm_min, local.tm_sec, sign, offsetMinutes / 60, offsetMinutes % 60);
    return text;
}

std::string Rfc2822DateNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Rfc2822Date(local, local.tm_gmtoff);
}

}  // namespace Vantrel

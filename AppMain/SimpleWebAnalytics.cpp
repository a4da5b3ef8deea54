#include "AppMain/SimpleWebAnalytics.h"

#include "AppMain/AppIdentity.h"
#include "AppMain/WebAddresses.h"

#include "UserInterface/UtilityClasses/OperatingSystemHelpers.h"
#include "UserInterface/UtilityClasses/UrlEncoding.h"

#include <wx/utils.h>

namespace Vantrel {

std::string SimpleWebAnalytics::ComputeThe_GET_StringStd(bool encode)
{
    wxString os = Orbisk::BriefOperatingSystemVersionString();
    wxString version = ProgramVersionString;
    if (encode) {
        os = Orbisk::UrlEncode_But_DontConvert_NonReservedChars(os);
        version = Orbisk::UrlEncode_But_DontConvert_NonReservedChars(version);
    }
    const wxString query = "?vtapp_os=" + os + "&vtapp_vt=" + version;
    return std::string(query.utf8_str().data());
}

wxString SimpleWebAnalytics::ComputeThe_GET_StringWx(bool encode)
{
    return wxString::FromUTF8(ComputeThe_GET_StringStd(encode));
}

void SimpleWebAnalytics::LaunchWebFeedback() { wxLaunchDefaultBrowser(kFeedbackUrl); }

}  // namespace Vantrel

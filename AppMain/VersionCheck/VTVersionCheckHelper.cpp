#include "AppMain/VersionCheck/VTVersionCheckHelper.h"

#include "AppMain/AppIdentity.h"
#include "AppMain/SimpleWebAnalytics.h"
#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include <OrbiskNetworking/VTSdkNetConnectionInfo.h>

#include <boost/bind/bind.hpp>

namespace Vantrel {

namespace {

const wxString kSeparator = "||pro_file_separator||";

wxString Trimmed(wxString text)
{
    const wxString blanks = " \t\n\r\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == wxString::npos) return wxString();
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

const wxString& RunningVersionTrimmed()
{
    static const wxString version = Trimmed(wxString::FromUTF8(ProgramVersionString));
    return version;
}

}  // namespace

const char* const VTVersionCheckHelper::RequestPathStart = "/vantrel/update/vt6ver";

VTVersionCheckHelper::~VTVersionCheckHelper() { DisposeOfVersionTesterObj(); }

void VTVersionCheckHelper::GetVersionInfo(Callback callback)
{
    m_Callback = std::move(callback);
    const std::string path = std::string(RequestPathStart) + SimpleWebAnalytics::ComputeThe_GET_StringStd(true);
    m_Download = OrbiskSDK::VTSdkNetConnectionInfo::AsyncSimpleFileDownload(
        OrbiskSDK::VTSdkNetConnectionInfo::UpdateHost(), path,
        boost::bind(&VTVersionCheckHelper::DestroySustainingPointerAndDelegateToRealCallback, this,
                    boost::placeholders::_1, boost::placeholders::_2, boost::placeholders::_3),
        9000, 10000, 2);
}

void VTVersionCheckHelper::DestroySustainingPointerAndDelegateToRealCallback(bool success, wxString message,
                                                                             wxString contents)
{
    {
        auto released = std::move(m_Download);
    }
    const size_t at = contents.find(kSeparator);
    if (at == wxString::npos) {
        Orbisk::EitherLogVerboseOrLogErrorBasedOnEnvironment(
            "Web version-update file is missing expected flag content.");
    } else {
        m_LatestVersion = Trimmed(contents.substr(0, at));
        m_ChangeLog = Trimmed(contents.substr(at + kSeparator.length()));
    }
    // The client may destroy this checker inside its callback: call a copy and
    // touch nothing afterwards.
    const Callback callback = m_Callback;
    if (callback) callback(success, message);
}

bool VTVersionCheckHelper::IsCurrentAppOutOfDate(wxString* message) const
{
    const bool outOfDate = !m_LatestVersion.empty() && m_LatestVersion.Upper() != RunningVersionTrimmed().Upper();
    if (message) {
        if (outOfDate)
            *message = wxString::Format(_("Version %s is now available."), m_LatestVersion);
        else if (!m_LatestVersion.empty())
            *message = _("You are using the most recent version.");
        else
            message->clear();
    }
    return outOfDate;
}

void VTVersionCheckHelper::DisposeOfVersionTesterObj()
{
    if (!m_Download) return;
    m_Download->Stop();
    m_Download.reset();
}

}  // namespace Vantrel

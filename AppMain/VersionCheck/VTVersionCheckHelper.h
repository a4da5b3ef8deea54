#pragma once
// One background request for the version file: the newest released version and
// its change log. One checker serves one request and is then thrown away.

#include <wx/string.h>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

namespace OrbiskSDK {
class Interface_StrategyForConnectingLocalSocketToRemoteEndpoint;
}

namespace Vantrel {

class VTVersionCheckHelper
{
public:
    using Callback = boost::function<void(bool success, wxString message)>;

    VTVersionCheckHelper() = default;
    VTVersionCheckHelper(const VTVersionCheckHelper&) = delete;
    VTVersionCheckHelper& operator=(const VTVersionCheckHelper&) = delete;
    ~VTVersionCheckHelper();

    void GetVersionInfo(Callback callback);
    void DestroySustainingPointerAndDelegateToRealCallback(bool success, wxString message, wxString contents);
    bool IsCurrentAppOutOfDate(wxString* message) const;
    wxString GetLatestVersionString() const { return m_LatestVersion; }
    wxString GetChangeLogString() const { return m_ChangeLog; }
    void DisposeOfVersionTesterObj();

    static const char* const RequestPathStart;  // "/vantrel/update/vt6ver"

private:
    boost::shared_ptr<OrbiskSDK::Interface_StrategyForConnectingLocalSocketToRemoteEndpoint> m_Download;
    Callback m_Callback;
    wxString m_LatestVersion;
    wxString m_ChangeLog;
};

}  // namespace Vantrel

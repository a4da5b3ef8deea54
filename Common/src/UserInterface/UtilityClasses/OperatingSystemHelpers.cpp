#include "UserInterface/UtilityClasses/OperatingSystemHelpers.h"

#include <wx/gdicmn.h>
#include <wx/strconv.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <unistd.h>

namespace Orbisk {

wxString BriefOperatingSystemVersionString()
{
    int major = 0;
    int minor = 0;
    wxGetOsVersion(&major, &minor);
    return wxString::Format("mac%d_%d", major, minor);
}

bool WeHaveAtLeastThisMinimumMacVersion(int major, int minor)
{
    int systemMajor = 0;
    int systemMinor = 0;
    wxGetOsVersion(&systemMajor, &systemMinor);
    if (systemMajor != major) return systemMajor > major;
    return systemMinor >= minor;
}

bool ModernBuildForElCapitan_HardcodedOnWin32ToTrue() { return true; }

bool RunningOnPowerPC(const wxString&) { return false; }

bool CurrSystemMatchesLocalHostName(const wxString& pattern)
{
    char hostName[256] = {};
    if (gethostname(hostName, sizeof hostName) != 0) hostName[0] = '\0';
    // A truncated name need not be terminated.
    hostName[sizeof hostName - 1] = '\0';
    const wxString host = wxString(hostName, wxConvISO8859_1).Upper();
    return host.Matches("*" + pattern.Upper() + "*");
}

void ExecuteMacOnlyCodeToCenterOnParent(wxWindow* window, wxWindow* parent)
{
    if (window == nullptr || parent == nullptr) return;
    const wxRect centred = window->GetScreenRect().CentreIn(parent->GetScreenRect(), wxBOTH);
    wxPoint position = centred.GetPosition();
    if (!window->IsTopLevel() && window->GetParent() != nullptr)
        position = window->GetParent()->ScreenToClient(position);
    window->Move(position);
}

void ExecuteMacOnlyCodeToEnableWindowsMenu() {}

void create_one_intentional_leak() {}

}  // namespace Orbisk

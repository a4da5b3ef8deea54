#pragma once
// Operating-system queries and window placement. The macOS-facing ones have their
// GTK equivalent here (or do nothing) and keep their names.

#include <wx/string.h>

class wxWindow;

namespace Orbisk {

// "mac%d_%d" filled with the system's major and minor version (wxGetOsVersion).
wxString BriefOperatingSystemVersionString();
// True when the system version is at least (major, minor), compared lexicographically.
bool WeHaveAtLeastThisMinimumMacVersion(int major, int minor);
bool ModernBuildForElCapitan_HardcodedOnWin32ToTrue();
bool RunningOnPowerPC(const wxString& unused = wxString());

// True when pattern (wildcards * and ?) occurs in the host name, ignoring case.
bool CurrSystemMatchesLocalHostName(const wxString& pattern);

// Centres window on parent's screen rectangle, keeping its size.
void ExecuteMacOnlyCodeToCenterOnParent(wxWindow* window, wxWindow* parent);
// GTK has no application-wide "Window" menu: nothing to do.
void ExecuteMacOnlyCodeToEnableWindowsMenu();

void create_one_intentional_leak();

}  // namespace Orbisk

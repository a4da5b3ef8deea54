#pragma once
// The one per-user preferences file and its start-up check for duplicated
// file-history lines, which make the GUI library's file history misbehave.

#include <wx/string.h>

class wxApp;

namespace Vantrel {

// Switches to the XDG layout (so the preferences file and the per-user data
// folder never share a path), names the application, checks the file and
// installs the process-wide wxFileConfig. Returns true.
bool ConfigureTheSingletonWxConfigObject(wxApp& app);

// The per-user preferences file for the program's name (XDG layout).
wxString PreferencesFilePath();

// Asks the user, at most once, what to do when some "fileN=" key (N = 1..9)
// appears on several lines: delete the later duplicates, or move the file to
// "<path> (old)". Cancel or a missing dialog leaves the file alone. Returns true.
bool ValidateConfigFile(const wxString& path);

}  // namespace Vantrel

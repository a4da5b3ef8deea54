#pragma once
// The one per-user preferences file and its start-up check: a file beyond what the
// configuration classes read in bounded time and stack is set aside, and duplicated
// file-history lines, which make the GUI library's file history misbehave, are offered
// for removal.

#include <wx/string.h>

class wxApp;

namespace Vantrel {

// Switches to the XDG layout (so the preferences file and the per-user data
// folder never share a path), names the application, checks the file and
// installs the process-wide wxFileConfig. Returns true.
bool ConfigureTheSingletonWxConfigObject(wxApp& app);

// The per-user preferences file for the program's name (XDG layout).
wxString PreferencesFilePath();

// Moves a file beyond the bounds of PreferencesText.h to "<path> (old)", with a
// warning in the log naming why; false when it could not be moved (the caller must
// not let the configuration classes read it). Otherwise asks the user, at most once,
// what to do when some "fileN=" key (N = 1..9) appears on several lines: delete the
// later duplicates, or move the file to "<path> (old)". Cancel or a missing dialog
// leaves the file alone. Returns true.
bool ValidateConfigFile(const wxString& path);

}  // namespace Vantrel

#pragma once
// Puts a copy of the participant's data file into a folder (the desktop)
// without ever touching a file that is already there.

#include <wx/string.h>

namespace Vantrel {

struct DesktopCopyResult
{
    bool verified = false;  // the copy exists and has the data file's size
    wxString path;          // where the copy is (also when it could not be verified)
    wxString error;
};

// Takes the first free name of "Task Data.txt", "Task Data 1.txt", ...; creates the
// folder when it is missing; writes a temporary file first and only then gives it
// its name, so a copy under a final name is always complete.
DesktopCopyResult CopyDataFileToFolder(const wxString& dataFile, const wxString& folder);

// The user's desktop folder (the desktop location of the standard paths); the
// "Desktop" folder in the home folder when the standard paths know of none.
wxString DesktopFolder();

}  // namespace Vantrel

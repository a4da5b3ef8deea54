#pragma once
// The end of a cloud task: the task folder holds the only data file, so it goes
// only once that data is safe elsewhere.

#include <wx/string.h>

namespace Vantrel {

struct DataSafetyFacts
{
    bool dataFileExists = false;       // a data file lies in the task folder
    bool uploaded = false;             // the service acknowledged the upload
    bool emailSent = false;            // the mail relay took the data file for the researcher
    bool desktopCopyVerified = false;  // a copy of the same size is on the desktop
    bool keepRequested = false;        // the experiment's "no_delete" setting
};

// True when removing the task folder can lose nothing that was not asked to be kept:
// the service has the data, or the researcher's mail has it and a verified copy is on
// the desktop. When only the participant's desktop holds a copy, the original stays too.
bool TaskFolderMayBeRemoved(const DataSafetyFacts& facts);

// Removes both possible package files beside the task folder, and the folder with
// everything in it when `removeFolder`. Links inside are removed, never followed.
// Returns false when something that should have gone is still there.
bool CleanUpTaskFiles(const wxString& taskFolder, bool removeFolder);

}  // namespace Vantrel

#pragma once
// The paths of the files that the program keeps at the top of a task folder (their
// names are the cloud client's), and setting an earlier run's data file aside
// before a new run writes its own.

#include <CloudClient/TaskFolderNames.h>

#include <wx/string.h>

namespace Vantrel {

// How many earlier data files one task folder holds at the most.
constexpr int kMaxEarlierDataFiles = 9999;

// "<taskFolder>/Task Data.txt": the file a run writes.
wxString TaskDataFilePath(const wxString& taskFolder);
// "Task Data (earlier N).txt".
wxString EarlierDataFileName(int number);

struct EarlierDataSetAside
{
    enum class Outcome
    {
        NoEarlierData,   // no data file: nothing to do
        MovedToDesktop,  // a verified copy is on the desktop and the file is gone
        KeptAside,       // renamed to the first free "Task Data (earlier N).txt"
        LeftInPlace      // neither worked: the file is still where the run writes
    };
    Outcome outcome = Outcome::NoEarlierData;
    wxString path;  // the desktop copy, or the name it was kept under
    // The task folder holds data that is not safe elsewhere and must not be removed.
    bool keepTaskFolder = false;
};

// Data of an earlier run that never reached the researcher: the new run must not
// write over it. It is moved to a verified copy in `desktopFolder` when possible,
// else renamed beside it in `taskFolder`.
EarlierDataSetAside SetEarlierDataFileAside(const wxString& dataFile, const wxString& taskFolder,
                                            const wxString& desktopFolder);

}  // namespace Vantrel

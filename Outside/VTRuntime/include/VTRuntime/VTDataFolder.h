#pragma once
// Where a run's data file goes. A run that names an absolute data file writes
// there; otherwise the file (the name given, or a fresh one) goes into the
// experiment's preferred data folder, which its save options designate:
//   mode 0: the folder of the experiment file,
//   mode 1: a folder inside it (the sub-folder name),
//   mode 2: the folder string, "$(Name)" references expanded,
//   mode 3: the folder the previous such run saved into, kept in the application's
//           configuration under kPreviousFolderKey.
// When the mode gives no usable folder (an experiment never saved, nothing
// recorded yet) the default folder "Study Station Data" in the user's documents
// folder is used: the XDG documents folder, or ~/Documents when the account has
// none set (the toolkit would give the home folder itself).
// The folder is created when missing, and every run that saves into its preferred
// folder records it under kPreviousFolderKey.

#include <wx/string.h>

namespace Vantrel {

class VTExperiment;

class VTDataFolder
{
public:
    static const char* const kPreviousFolderKey;

    static wxString DefaultFolder();
    // The folder the experiment's folder mode designates, as an absolute path.
    static wxString PreferredFolder(const VTExperiment& experiment);
    // The data file for a run that names `file` ("" for a fresh name made from the
    // experiment's and participant's names, never an existing file).
    // `inPreferredFolder` tells whether the preferred folder was used.
    static wxString ResolveDataFile(const VTExperiment& experiment, const wxString& file,
                                    const wxString& experimentName, const wxString& subjectName,
                                    bool* inPreferredFolder = nullptr);
    // A fresh file name in `folder` (created when missing) that no file has yet.
    static wxString FreshFileIn(const wxString& folder, const wxString& experimentName, const wxString& subjectName);
    // Records the folder of a data file for mode 3.
    static void RememberFolderOf(const wxString& dataFile);
};

}  // namespace Vantrel

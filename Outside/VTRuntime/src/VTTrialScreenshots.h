#pragma once
// "Save screenshots of all trials": one PNG of the display per presented trial, in
// the data file's folder, named after the data file, the trial and how many times
// the run has presented that trial ("p01-Trial 1-2.png": the second "Trial 1").

#include <wx/string.h>

#include <map>

namespace Vantrel {

class VTPresenterFrame;

class VTTrialScreenshots
{
public:
    // `dataFile` empty: no screenshots are taken.
    explicit VTTrialScreenshots(const wxString& dataFile);
    // The file the next screenshot of `trialName` goes to.
    wxString NextPath(const wxString& trialName) const;
    // Saves what `frame` shows for the trial that just ended. A screenshot that cannot
    // be written is logged once (as a warning: the data file is what counts) and no
    // more are tried.
    void Take(VTPresenterFrame& frame, const wxString& trialName);

private:
    wxString m_DataFile;
    std::map<wxString, int> m_Presentations;
    bool m_GaveUp = false;
};

}  // namespace Vantrel

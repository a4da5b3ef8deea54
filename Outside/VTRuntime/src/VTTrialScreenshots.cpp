#include "VTTrialScreenshots.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

#include "VTPresenterFrame.h"

namespace Vantrel {

namespace {
// A trial name may hold what a file name cannot.
wxString FileNamePart(const wxString& text)
{
    wxString part = text;
    for (wxUniChar c : wxFileName::GetForbiddenChars()) part.Replace(wxString(c), "_");
    part.Replace("/", "_");
    return part.empty() ? wxString("trial") : part;
}
}  // namespace

VTTrialScreenshots::VTTrialScreenshots(const wxString& dataFile) : m_DataFile(dataFile) {}

wxString VTTrialScreenshots::NextPath(const wxString& trialName) const
{
    const wxFileName data(m_DataFile);
    const auto seen = m_Presentations.find(trialName);
    const int number = (seen == m_Presentations.end() ? 0 : seen->second) + 1;
    return wxFileName(data.GetPath(), wxString::Format("%s-%s-%d.png", data.GetName(), FileNamePart(trialName), number))
        .GetFullPath();
}

void VTTrialScreenshots::Take(VTPresenterFrame& frame, const wxString& trialName)
{
    if (m_DataFile.empty() || m_GaveUp) return;
    const wxString path = NextPath(trialName);
    ++m_Presentations[trialName];
    if (frame.SaveScreenshot(path)) return;
    m_GaveUp = true;
    wxLogWarning(_("The screenshot \"%s\" could not be saved; no more screenshots are taken in this run."), path);
}

}  // namespace Vantrel

// The data file of a command-line run: where it may be written, and the
// numbered and automatic names that keep one run from writing into another's.
#include "AppMain/VTStartupOptions.h"

#include <VTCore/VTExperiment.h>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>

namespace Vantrel {
namespace {

// Anything at all at the path counts as taken: a file, a folder, or a symbolic
// link (even a dangling one, which a write would follow somewhere else).
bool SomethingExistsAt(const wxString& path)
{
    return !path.empty() && wxFileName::Exists(path, wxFILE_EXISTS_ANY | wxFILE_EXISTS_NO_FOLLOW);
}

}  // namespace

bool FilePathIsAcceptableOrElseItIsEmpty(const wxString& path)
{
    if (path.empty()) return true;
    if (wxFileName::DirExists(path)) return false;
    const wxFileName file(path);
    if (file.FileExists()) {
        if (!file.IsFileWritable()) return false;
        if (file.GetName().empty() && file.GetExt().empty()) return false;
    }
    const wxString folder = file.GetPath(wxPATH_GET_VOLUME | wxPATH_GET_SEPARATOR);
    return !folder.empty() && wxFileName::DirExists(folder) && wxFileName::IsDirWritable(folder);
}

wxString VTStartupOptions::AddFileNameSuffixesForUniquenessIfNeeded(const wxString& path)
{
    const wxFileName given(path);
    const wxString folder = given.GetPath(wxPATH_GET_VOLUME);
    // A name without a folder stays without one, and a name without an
    // extension gets no trailing dot.
    const wxString stem = folder.empty() ? given.GetName() : folder + wxFileName::GetPathSeparator() + given.GetName();
    const wxString extension = given.GetExt().empty() ? wxString() : "." + given.GetExt();
    wxString candidate = path;
    for (unsigned long n = 1; SomethingExistsAt(candidate); ++n)
        candidate = wxString::Format("%s %lu%s", stem, n, extension);
    return candidate;
}

wxString VTStartupOptions::GetAutomaticOutputFileName(const wxString& dataFile, const VTExperiment& experiment)
{
    const wxString folder = wxFileName(dataFile).GetPath(wxPATH_GET_VOLUME | wxPATH_GET_SEPARATOR);
    return AddFileNameSuffixesForUniquenessIfNeeded(folder + wxFileName(experiment.GetFilename()).GetFullName() +
                                                    ".txt");
}

bool VTStartupOptions::VerifyOutputDataFile(VTExperiment& experiment, wxString& dataFile)
{
    dataFile = experiment.SubstitutePathVariables(dataFile);
    // The dialog asks again while the chosen place cannot be written either:
    // a run must not start towards a data file that it cannot create.
    while (!FilePathIsAcceptableOrElseItIsEmpty(dataFile)) {
        wxFileDialog dialog(nullptr, _("Please save the task data file to your desktop:"), wxEmptyString,
                            wxFileName(dataFile).GetFullName(), _("Text Files (*.txt)|*.txt"),
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT, wxDefaultPosition, wxDefaultSize);
        if (dialog.ShowModal() != wxID_OK) return false;
        dataFile = dialog.GetPath();
        if (dataFile.empty()) return false;
    }
    dataFile = AddFileNameSuffixesForUniquenessIfNeeded(dataFile);
    return true;
}

}  // namespace Vantrel

#include "VTRuntime/VTDataFolder.h"

#include <wx/config.h>
#include <wx/datetime.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <VTCore/VTExperiment.h>

namespace Vantrel {

const char* const VTDataFolder::kPreviousFolderKey = "/LastExperimentRun/last_saved_results_dir";

namespace {

wxString Sanitised(const wxString& text)
{
    wxString clean;
    for (wxUniChar c : text) clean += (wxIsalnum(c) || c == '-' || c == '_') ? c : wxUniChar('_');
    return clean.empty() ? wxString("data") : clean;
}

wxString ExperimentFolder(const VTExperiment& experiment)
{
    wxString folder;
    if (VantrelVariable* v =
            const_cast<VTExperiment&>(experiment).GetMutableFolderPathVariable(VantrelVariable::FolderPathID))
        v->GetValueAsText(folder, 0);
    return folder;
}

// The designated folder, or "" when the mode gives none.
wxString DesignatedFolder(const VTExperiment& experiment)
{
    const VTSaveDataOptions& options = experiment.GetSaveDataOptions();
    const wxString experimentFolder = ExperimentFolder(experiment);
    switch (options.m_FolderMode) {
        case VTSaveDataOptions::ExperimentFolder: return experimentFolder;
        case VTSaveDataOptions::SubFolderOfExperiment: {
            const wxString name = options.m_SubFolderName.GetFullPath();
            if (experimentFolder.empty() || name.empty()) return experimentFolder;
            return wxFileName(experimentFolder, "").GetPathWithSep() + name;
        }
        case VTSaveDataOptions::AnotherFolder: {
            wxFileName folder = wxFileName::DirName(options.GetExpandedFolder(&experiment));
            if (options.m_Folder.GetFullPath().empty()) return wxString();
            if (!folder.IsAbsolute()) {
                if (experimentFolder.empty()) return wxString();
                folder.MakeAbsolute(experimentFolder);
            }
            return folder.GetPath();
        }
        case VTSaveDataOptions::PreviousFolder: {
            wxString previous;
            wxConfigBase* config = wxConfigBase::Get();
            if (!config || !config->Read(VTDataFolder::kPreviousFolderKey, &previous)) return wxString();
            // Stored as a path whose last component is a file name (a folder ends with a separator).
            const wxFileName stored(previous);
            return stored.IsAbsolute() ? stored.GetPath() : wxString();
        }
    }
    return wxString();
}

}  // namespace

wxString VTDataFolder::DefaultFolder()
{
    // Without XDG user folders (no user-dirs.dirs, or a documents folder set to
    // the home folder itself) the toolkit names the home folder: the data then go
    // to ~/Documents all the same.
    wxFileName folder = wxFileName::DirName(wxStandardPaths::Get().GetDocumentsDir());
    if (folder.SameAs(wxFileName::DirName(wxFileName::GetHomeDir()))) folder.AppendDir("Documents");
    folder.AppendDir("Study Station Data");
    return folder.GetPath();
}

wxString VTDataFolder::PreferredFolder(const VTExperiment& experiment)
{
    wxFileName folder = wxFileName::DirName(DesignatedFolder(experiment));
    if (folder.GetPath().empty() || !folder.IsAbsolute()) return DefaultFolder();
    folder.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_TILDE | wxPATH_NORM_ABSOLUTE);
    return folder.GetPath();
}

wxString VTDataFolder::ResolveDataFile(const VTExperiment& experiment, const wxString& file,
                                       const wxString& experimentName, const wxString& subjectName,
                                       bool* inPreferredFolder)
{
    const wxFileName given(file);
    if (inPreferredFolder) *inPreferredFolder = !given.IsAbsolute();
    if (!file.empty() && given.IsAbsolute()) return file;

    const wxString folder = PreferredFolder(experiment);
    if (file.empty()) return FreshFileIn(folder, experimentName, subjectName);
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileName named(file);
    named.MakeAbsolute(folder);
    return named.GetFullPath();
}

wxString VTDataFolder::FreshFileIn(const wxString& folder, const wxString& experimentName, const wxString& subjectName)
{
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    const wxString stem =
        Sanitised(experimentName) + "-" + Sanitised(subjectName) + "-" + wxDateTime::Now().Format("%Y%m%d-%H%M%S");
    wxFileName fresh(folder, stem, "txt");
    for (int n = 2; fresh.FileExists(); ++n) fresh.SetName(wxString::Format("%s-%d", stem, n));
    return fresh.GetFullPath();
}

void VTDataFolder::RememberFolderOf(const wxString& dataFile)
{
    wxConfigBase* config = wxConfigBase::Get();
    if (!config) return;
    config->Write(kPreviousFolderKey, wxFileName(dataFile).GetPathWithSep());
    config->Flush();
}

}  // namespace Vantrel

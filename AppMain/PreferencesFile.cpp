#include "AppMain/PreferencesFile.h"

#include "AppMain/AppIdentity.h"
#include "AppMain/DisplayEssentials.h"

#include <wx/app.h>
#include <wx/convauto.h>
#include <wx/dialog.h>
#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/radiobut.h>
#include <wx/stdpaths.h>
#include <wx/textfile.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {
namespace {

enum class DuplicatesChoice
{
    DeleteDuplicates,
    MoveFile,
    LeaveAlone
};

DuplicatesChoice AskWhatToDoWithDuplicates()
{
    wxDialog dialog;
    if (!wxXmlResource::Get()->LoadDialog(&dialog, nullptr, "dlg_delete_preferences"))
        return DuplicatesChoice::LeaveAlone;
    const int answer = dialog.ShowModal();
    auto* deleteChoice = wxDynamicCast(dialog.FindWindow(XRCID("id_delete_duplicates")), wxRadioButton);
    const bool deleteSelected = deleteChoice && deleteChoice->GetValue();
    if (answer != wxID_OK) return DuplicatesChoice::LeaveAlone;
    return deleteSelected ? DuplicatesChoice::DeleteDuplicates : DuplicatesChoice::MoveFile;
}

}  // namespace

wxString PreferencesFilePath()
{
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    return wxFileConfig::GetLocalFileName(AppNameForConfig, 0);
}

bool ValidateConfigFile(const wxString& path)
{
    EnsureThatGUIDisplayEssentialsAreInitialized();
    if (!wxFileName::FileExists(path)) return true;

    wxTextFile text;
    if (!text.Open(path, wxConvAuto())) return true;

    bool asked = false;
    bool deleteDuplicates = false;
    for (unsigned key = 1; key <= 9; ++key) {
        const wxString prefix = wxString::Format("file%u=", key);
        unsigned matches = 0;
        size_t line = 0;
        while (line < text.GetLineCount()) {
            if (!text.GetLine(line).StartsWith(prefix)) {
                ++line;
                continue;
            }
            ++matches;
            if (matches > 1 && !asked) {
                asked = true;
                switch (AskWhatToDoWithDuplicates()) {
                    case DuplicatesChoice::DeleteDuplicates: deleteDuplicates = true; break;
                    case DuplicatesChoice::MoveFile:
                        text.Close();
                        wxRenameFile(path, path + " (old)", true);
                        return true;
                    case DuplicatesChoice::LeaveAlone: return true;
                }
            }
            if (matches > 1 && deleteDuplicates) {
                text.RemoveLine(line);  // the line after it moves up into `line`
                continue;
            }
            ++line;
        }
    }
    if (deleteDuplicates) text.Write(wxTextFileType_None, wxConvAuto());
    return true;
}

bool ConfigureTheSingletonWxConfigObject(wxApp& app)
{
    app.SetVendorName(VendorNameForConfig);
    app.SetAppName(AppNameForConfig);
    const wxString path = PreferencesFilePath();
    ValidateConfigFile(path);
    // The GUI library writes the file with a temporary file in its folder, so
    // the folder must exist before the first flush.
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    delete wxConfigBase::Set(new wxFileConfig(AppNameForConfig, VendorNameForConfig, wxEmptyString, wxEmptyString,
                                              wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE, wxConvAuto()));
    return true;
}

}  // namespace Vantrel

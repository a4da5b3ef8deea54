#include "AppMain/PreferencesFile.h"

#include "AppMain/AppIdentity.h"
#include "AppMain/DisplayEssentials.h"
#include "AppMain/PreferencesText.h"

#include <wx/app.h>
#include <wx/convauto.h>
#include <wx/ffile.h>
#include <wx/dialog.h>
#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/radiobut.h>
#include <wx/stdpaths.h>
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
    wxString text;
    const PreferencesVerdict verdict = ReadPreferencesText(path, text);
    if (verdict == PreferencesVerdict::Unreadable) return true;
    if (verdict != PreferencesVerdict::Readable) {
        // Set aside whole, as the duplicates' move does: nothing of it is lost, and the
        // configuration classes start from an empty file.
        const wxString aside = path + " (old)";
        if (wxRenameFile(path, aside, true)) {
            wxLogWarning(_("The preferences file \"%s\" was not read because %s. It was moved to \"%s\", and "
                           "the default preferences are used."),
                         path, PreferencesVerdictReason(verdict), aside);
            return true;
        }
        wxLogWarning(_("The preferences file \"%s\" was not read because %s, and it could not be moved aside. "
                       "The default preferences are used, and changes to them are not saved."),
                     path, PreferencesVerdictReason(verdict));
        return false;
    }

    const std::vector<wxString> lines = PreferencesLines(text);
    const std::vector<std::size_t> duplicates = LaterDuplicateHistoryLines(lines);
    if (duplicates.empty()) return true;
    switch (AskWhatToDoWithDuplicates()) {
        case DuplicatesChoice::DeleteDuplicates: {
            wxFFile file(path, "wb");
            if (file.IsOpened()) file.Write(JoinedWithout(lines, duplicates), wxConvUTF8);
            break;
        }
        case DuplicatesChoice::MoveFile: wxRenameFile(path, path + " (old)", true); break;
        case DuplicatesChoice::LeaveAlone: break;
    }
    return true;
}

bool ConfigureTheSingletonWxConfigObject(wxApp& app)
{
    app.SetVendorName(VendorNameForConfig);
    app.SetAppName(AppNameForConfig);
    const wxString path = PreferencesFilePath();
    // A file that could not be set aside is never handed to the configuration
    // classes: they keep the preferences in memory only.
    const long localFile = ValidateConfigFile(path) ? wxCONFIG_USE_LOCAL_FILE : 0;
    // The GUI library writes the file with a temporary file in its folder, so
    // the folder must exist before the first flush.
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    delete wxConfigBase::Set(new wxFileConfig(AppNameForConfig, VendorNameForConfig, wxEmptyString, wxEmptyString,
                                              localFile | wxCONFIG_USE_GLOBAL_FILE, wxConvAuto()));
    return true;
}

}  // namespace Vantrel

#include "VTPlugInCommon/VTResourceHelper.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace {
wxString FolderFromEnvironmentOr(const char* variable, const wxString& fallback)
{
    wxString value;
    if (wxGetEnv(variable, &value) && !value.empty()) return value;
    return fallback;
}
}  // namespace

wxString VTResourceHelper::GetExecutableFolder()
{
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
}

wxString VTResourceHelper::GetSharedSupportFolder()
{
    return FolderFromEnvironmentOr("VANTREL_SHARED_SUPPORT_DIR",
                                   GetExecutableFolder() + wxFileName::GetPathSeparator() + "SharedSupport");
}

wxString VTResourceHelper::GetPlugInFolder()
{
    return FolderFromEnvironmentOr("VANTREL_PLUGIN_DIR",
                                   GetExecutableFolder() + wxFileName::GetPathSeparator() + "PlugIns");
}

wxString VTResourceHelper::FindPath_SharedSupport_OrWin32Substitute(const wxString& fileName)
{
    if (fileName.empty()) return wxString();
    wxFileName path(GetSharedSupportFolder(), fileName);
    return path.FileExists() ? path.GetFullPath() : wxString();
}

#include "VTPlugInCommon/VTResourceHelper.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "Environment.h"

namespace {
wxString FolderOr(const wxString& configured, const wxString& fallback)
{
    return configured.empty() ? fallback : configured;
}
}  // namespace

wxString VTResourceHelper::GetExecutableFolder()
{
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
}

wxString VTResourceHelper::GetSharedSupportFolder()
{
    return FolderOr(VantrelSDK::Environment::SharedSupportFolder(),
                    GetExecutableFolder() + wxFileName::GetPathSeparator() + "SharedSupport");
}

wxString VTResourceHelper::GetPlugInFolder()
{
    return FolderOr(VantrelSDK::Environment::PlugInFolder(),
                    GetExecutableFolder() + wxFileName::GetPathSeparator() + "PlugIns");
}

wxString VTResourceHelper::FindPath_SharedSupport_OrWin32Substitute(const wxString& fileName)
{
    if (fileName.empty()) return wxString();
    wxFileName path(GetSharedSupportFolder(), fileName);
    return path.FileExists() ? path.GetFullPath() : wxString();
}

#include "VTPlugInCommon/VTResourceHelper.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "Environment.h"

namespace VantrelSDK {
namespace Environment {

namespace {
wxString Value(const char* variable)
{
    wxString value;
    return wxGetEnv(variable, &value) ? value : wxString();
}
}  // namespace

wxString SharedSupportFolder() { return Value("VANTREL_SHARED_SUPPORT_DIR"); }
wxString PlugInFolder() { return Value("VANTREL_PLUGIN_DIR"); }
bool QtPlatformChosen() { return wxGetEnv("QT_QPA_PLATFORM", nullptr); }

}  // namespace Environment
}  // namespace VantrelSDK

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

#include "Environment.h"

#include <wx/utils.h>

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

#pragma once
// What this library reads from the environment, read in VTResourceHelper.cpp
// only (README.md lists the variables). Read on every call.

#include <wx/string.h>

namespace VantrelSDK {
namespace Environment {

// VANTREL_SHARED_SUPPORT_DIR: the folder of shared support files; "" when unset or empty.
wxString SharedSupportFolder();
// VANTREL_PLUGIN_DIR: the plug-in folder; "" when unset or empty.
wxString PlugInFolder();
// QT_QPA_PLATFORM is set: Qt's platform was chosen by whoever started the process.
bool QtPlatformChosen();

}  // namespace Environment
}  // namespace VantrelSDK

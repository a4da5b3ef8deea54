// The library's one plug-in object and its one exported entry point.

#include "VTSdkMouseInput.h"

#include "VTPlugInCommon/VTSdkExport.h"

namespace {
VantrelSDK::VTSdkMouseInput my_dll;
}

VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr() { return &my_dll; }

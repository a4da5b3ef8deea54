// A library whose entry point hands out an object of no known plug-in kind.
#include "VTPlugInCommon/VTSdkBase.h"
#include "VTPlugInCommon/VTSdkExport.h"

namespace {
class NeitherInputNorEvent : public VantrelSDK::VTSdkBase
{
public:
    int GetPlugInID() override { return 9902; }
};
NeitherInputNorEvent object;
}  // namespace

VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr() { return &object; }

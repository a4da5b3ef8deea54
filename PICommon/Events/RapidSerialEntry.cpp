#include "EventPlugInEntry.h"
#include "VTSdkTextEvents.h"

VTSDK_DEFINE_EVENT_PLUGIN_ENTRY(VantrelSDK::VTSdkRapidSerialEvent)

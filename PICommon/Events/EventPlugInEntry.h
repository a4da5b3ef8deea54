#pragma once
// Each event-type plug-in library holds one plug-in object and exports one symbol,
// VTSdkGetObjectPtr, that hands the manager its address.

#include "VTPlugInCommon/VTSdkExport.h"

#define VTSDK_DEFINE_EVENT_PLUGIN_ENTRY(PlugInClass)                                                                   \
    namespace {                                                                                                        \
    PlugInClass my_dll;                                                                                                \
    }                                                                                                                  \
    VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr() { return &my_dll; }

#pragma once
// Kinds of plug-in objects, as the plug-in manager lists them.

namespace VantrelSDK {

enum VTPlugInKind
{
    VT_PLUGIN_KIND_EVENT = 1,  // a VTSdkEventPlugin: one event type (its id is the stimulus-list kind)
    VT_PLUGIN_KIND_INPUT = 4,  // a VTSdkInputPlugin: one input device
};

}  // namespace VantrelSDK

#pragma once
// Symbol visibility of the plug-in support library and of plug-in entry points.

#define VTSDK_API __attribute__((visibility("default")))
// A plug-in library exports exactly one symbol with this: its VTSdkGetObjectPtr.
#define VTSDK_PLUGIN_ENTRY extern "C" __attribute__((visibility("default")))

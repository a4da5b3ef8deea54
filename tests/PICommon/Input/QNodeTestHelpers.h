#pragma once
// Shared set-up of the q-node plug-in tests: the library's plug-in object, its
// settings reset to defaults, and the detection pointed at simulated devices.

#include "VTSdkQNodeInput.h"
#include "VTSdkQpxInputSettings.h"

#include "QPXDriver/QPXDevice.h"
#include "ScopedQpxDevicePaths.h"
#include "SimulatedQNode.h"
#include "VTPlugInCommon/VTHwQpxDevice.h"
#include "VTPlugInCommon/VTSdkExport.h"

#include <boost/make_shared.hpp>

#include <string>
#include <vector>

VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr();

namespace QNodeTest {

inline VantrelSDK::VTSdkQNodeInput& PlugIn()
{
    return *dynamic_cast<VantrelSDK::VTSdkQNodeInput*>(VTSdkGetObjectPtr());
}

// Applies a fresh suite (after `edit`) through the settings manager, as a host does.
template <class Edit>
boost::shared_ptr<VantrelSDK::VTSdkQpxInputSettings> ApplySettings(Edit edit)
{
    auto suite = boost::make_shared<VantrelSDK::VTSdkQpxInputSettings>();
    edit(*suite);
    PlugIn().SettingsManager().ApplySettingsSuiteToCurrentPluginState(suite);
    return PlugIn().GetQpxSettings();
}

inline void ForgetDevices()
{
    VantrelSDK::VTSdkQpxInput::ms_pQpxPort.reset();
    PlugIn().GetHwDevicePtr()->CloseAll();
}

inline Orbisk::Testing::SimulatedQNodeIdentity Identity(unsigned model, char character, int major, int minor,
                                                        const std::string& name)
{
    Orbisk::Testing::SimulatedQNodeIdentity id;
    id.modelNumber = model;
    id.modelCharacter = character;
    id.majorVersion = major;
    id.minorVersion = minor;
    id.deviceName = name;
    return id;
}

using Orbisk::Testing::ScopedQpxDevicePaths;

}  // namespace QNodeTest

#pragma once
// Devices a run cannot do without, checked before anything is shown.

#include <wx/string.h>

#include <vector>

#include "VTRuntime/VTRunPlan.h"

namespace VantrelSDK {
class VTSdkInputPlugin;
}

namespace Vantrel {

// False, with why (naming the response), when an event of the plan accepts an
// eye-tracker response and no eye tracker of that id is among the started plug-ins.
bool CheckDevicesBeforeRun(const VTRunPlan& plan, const std::vector<VantrelSDK::VTSdkInputPlugin*>& started,
                           wxString& why);

}  // namespace Vantrel

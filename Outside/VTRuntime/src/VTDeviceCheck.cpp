#include "VTDeviceCheck.h"

#include <wx/intl.h>

#include <VTCore/VTResponse.h>

#include <algorithm>

#include "VTPlugInCommon/VTSdkInputPlugin.h"

namespace Vantrel {

bool CheckDevicesBeforeRun(const VTRunPlan& plan, const std::vector<VantrelSDK::VTSdkInputPlugin*>& started,
                           wxString& why)
{
    auto attached = [&](int id) {
        return std::any_of(started.begin(), started.end(),
                           [id](VantrelSDK::VTSdkInputPlugin* p) { return p && p->GetPlugInID() == id; });
    };
    for (const VTPlannedBlock& block : plan.blocks)
        for (const VTPlannedTrial& trial : block.trials)
            for (const VTPlannedEvent& event : trial.events)
                for (const VTPlannedResponse& r : event.accepted)
                    if (InputPlugIn::IsEyeTracker(r.pluginID) && !attached(r.pluginID)) {
                        why = wxString::Format(_("the response \"%s\" needs an eye tracker, and none is attached."),
                                               r.name);
                        return false;
                    }
    return true;
}

}  // namespace Vantrel

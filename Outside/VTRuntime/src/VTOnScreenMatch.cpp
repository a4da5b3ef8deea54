#include "VTOnScreenMatch.h"

#include "VTPlugInCommon/VTSdkResponses.h"

namespace Vantrel {

bool MatchOnScreen(int pluginID, const VantrelSDK::VTSdkOnScreenHit& hit, const VTPlannedEvent& event,
                   VTPlannedResponse& out)
{
    if (event.accepted.empty()) {
        out = VTPlannedResponse();
        out.pluginID = pluginID;
        out.key = hit.keyOrActionCode;
        out.phase = hit.GetPhase();
        out.name = hit.GetDescription();
        out.endsEvent = event.anyResponseEnds;
        return hit.GetPhase() == 1;
    }
    for (const VTPlannedResponse& r : event.accepted) {
        if (r.pluginID != pluginID) continue;
        VantrelSDK::VTSdkOnScreenResp defined;
        defined.keyOrActionCode = r.key;
        defined.SetPhase(r.phase);
        defined.SetRegion(r.regionMode);
        defined.SetBoundingRectForRegion(r.regionX, r.regionY, r.regionWidth, r.regionHeight);
        if (hit.Satisfies(defined)) {
            out = r;
            return true;
        }
    }
    return false;
}

}  // namespace Vantrel

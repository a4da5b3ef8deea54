#include "VTOnScreenMatch.h"

#include "VTPlugInCommon/VTSdkResponses.h"

namespace Vantrel {

namespace {
bool Satisfies(const VantrelSDK::VTSdkOnScreenHit& hit, const VTPlannedResponse& r)
{
    VantrelSDK::VTSdkOnScreenResp defined;
    defined.keyOrActionCode = r.key;
    defined.SetPhase(r.phase);
    defined.SetRegion(r.regionMode);
    defined.SetBoundingRectForRegion(r.regionX, r.regionY, r.regionWidth, r.regionHeight);
    return hit.Satisfies(defined);
}
}  // namespace

bool MatchOnScreen(int pluginID, const VantrelSDK::VTSdkOnScreenHit& hit, const VTPlannedEvent& event,
                   VTPlannedResponse& out)
{
    // A click on a clickable stimulus is its response, whatever else the event accepts.
    if (event.clickable.responseID >= 0 && event.clickable.pluginID == pluginID && Satisfies(hit, event.clickable)) {
        out = event.clickable;
        return true;
    }
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
        if (Satisfies(hit, r)) {
            out = r;
            return true;
        }
    }
    return false;
}

}  // namespace Vantrel

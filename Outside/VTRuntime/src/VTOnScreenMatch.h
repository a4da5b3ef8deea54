#pragma once
// Which of an event's accepted responses a mouse button on the presentation window is.

#include "VTRuntime/VTRunPlan.h"

namespace VantrelSDK {
class VTSdkOnScreenHit;
}

namespace Vantrel {

// The event's clickable response when the hit is on the drawn stimulus; else the first
// accepted response of plug-in `pluginID` that the hit satisfies (button, phase,
// region). With none defined, any press answers, as a key does.
bool MatchOnScreen(int pluginID, const VantrelSDK::VTSdkOnScreenHit& hit, const VTPlannedEvent& event,
                   VTPlannedResponse& out);

}  // namespace Vantrel

#pragma once
// Every element class of the model.
#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrial.h>
#include <VTCore/VTTrialVariable.h>

namespace Vantrel {
// A new element of the class of `type` (null for numbers without a class). With an
// experiment it gets a fresh id; without one its id is 0 until replaced.
Minimal_VTElement* NewElementOfType(VTElementType type, VTExperiment* experiment);
}  // namespace Vantrel

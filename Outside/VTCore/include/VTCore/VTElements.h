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

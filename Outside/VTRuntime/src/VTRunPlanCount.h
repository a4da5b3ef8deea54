#pragma once
// Counts what planning the given blocks would copy into a run's budget, walking the
// document's links without building anything: each distinct event and stimulus list
// is measured once, and the walk stops at the first count over its limit.

#include <cstdint>
#include <vector>

#include "VTRuntime/VTRunBudget.h"

namespace Vantrel {

class VTBlock;

struct VTPlannedTrialSize
{
    std::uint64_t savedVariables = 0;   // level labels each planned trial keeps
    std::uint64_t labelCharacters = 0;  // their characters at the most
};

VTRunBudget CountRunPlan(const std::vector<VTBlock*>& blocks, const VTPlannedTrialSize& trialSize,
                         const VTRunBudget::Limits& limits = VTRunBudget::Limits());

}  // namespace Vantrel

#pragma once
// Carries out rules at one decision point of a run: each rule whose criteria hold (or,
// negated, do not hold) runs its actions in order. Flow actions are collected, not
// obeyed: the decision is applied when the decision point ends, and the last flow
// action wins. "Present event" is no flow action: every one is kept, in order;
// nor is "Change background color": the last one that ran gives the colour.
// Parameter actions change the parameters' values at once, so a later rule of the
// same decision point reads the changed value.
//
// Rows join left to right, "and" binding tighter than "or" (A or B and C is
// A or (B and C)); the first row's join is ignored.

#include <vector>

#include "VTRuntime/DynamicRuntimeEnvironment.h"
#include "VTRuntime/VTRunRules.h"

namespace Vantrel {

struct VTFlowDecision
{
    bool hasFlow = false;
    VTActionKind flow = VTActionKind::ExitExperiment;
    int targetBlockID = -1;
    // Events to present, by id, in order.
    std::vector<int> presentEvents;
    // The background the last "Change background color" that ran asks for; invalid: none ran.
    wxColour background;
    // The level moves that ran, in order (VTActionKind::MoveTrialLevel).
    std::vector<VTPlannedAction> levelMoves;
};

class VTRuleEvaluator
{
public:
    static bool CriterionHolds(const VTPlannedCriterion& criterion, const DynamicRuntimeEnvironment& dre,
                               unsigned long long nowMicroseconds);
    static bool CriteriaMet(const VTPlannedRule& rule, const DynamicRuntimeEnvironment& dre,
                            unsigned long long nowMicroseconds);
    // The rules named by `indexes` into `pool`, in that order.
    static VTFlowDecision RunRules(const std::vector<VTPlannedRule>& pool, const std::vector<size_t>& indexes,
                                   DynamicRuntimeEnvironment& dre, unsigned long long nowMicroseconds);
    static void ApplyParameterAction(const VTPlannedAction& action, DynamicRuntimeEnvironment& dre,
                                     unsigned long long nowMicroseconds);
};

}  // namespace Vantrel

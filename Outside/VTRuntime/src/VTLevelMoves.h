#pragma once
// What a trial variable's level does to the events that name the variable, and where
// a rule's level move takes the variable, shared by the planner and the running engine.

#include <cstddef>
#include <functional>
#include <vector>

#include "VTRuntime/VTRunPlan.h"

namespace Vantrel {

// Uniform in [0, n).
using VTLevelDraw = std::function<std::size_t(std::size_t n)>;

// Gives the event the time limit, place and colour of the levels its variables are at
// (`levels`: one level index per variable of `variables`); an unusable or missing
// level changes nothing.
void ApplyLevelsToEvent(const std::vector<VTPlannedVariable>& variables, const std::vector<int>& levels,
                        VTPlannedEvent& event);

// The level a move (RuleCode::LevelNext ... LevelSetNumber; `number`: the level's index
// for LevelSetNumber) takes the variable to from `current`. Next and previous go round
// at the ends when the variable wraps, else they stay at the end; a number the
// variable has no level for keeps the current level. -1 for a variable without levels.
int MovedLevel(const VTPlannedVariable& variable, int current, int operation, int number, const VTLevelDraw& draw);

}  // namespace Vantrel

#pragma once
// The trial variables of an experiment while a run is planned: the current level of
// each (picked by a VTLevelSelector), what those levels do to the events that use
// the variables, and the data file's level columns.

#include <wx/string.h>

#include <cstdint>
#include <map>
#include <vector>

#include "VTRuntime/VTLevelSelector.h"
#include "VTRuntime/VTRunPlan.h"

namespace Vantrel {

class VTEvent;
class VTExperiment;
class VTParticipantGroup;
class VTTrialVariable;

class VTTrialLevels
{
public:
    // `group` may be null (an experiment without groups).
    VTTrialLevels(VTExperiment& experiment, const VTParticipantGroup* group);

    // Random choices of the run come from the process's random numbers.
    void StartRun();
    void StartBlock();
    void StartTrial();

    // The names of the variables whose level is saved with the data, in the
    // experiment's order, and the current level of each, in the same order.
    std::vector<wxString> GetColumnNames() const;
    std::vector<wxString> GetCurrentLabels() const;
    // The current level's index of every variable, in the experiment's order.
    std::vector<int> GetCurrentLevelIndexes() const;
    // The most characters the current labels can hold together: the longest label of
    // each saved variable, summed (what a planned trial copies at the most).
    std::uint64_t LongestLabelsLength() const;
    // The event's time limit, place and colour from the current levels of the
    // variables it names (what it names without a usable level changes nothing).
    void ApplyToEvent(const VTEvent& event, VTPlannedEvent& planned) const;
    // Every variable's levels, in the experiment's order, for the rules that move levels.
    const std::vector<VTPlannedVariable>& GetPlannedVariables() const { return m_Planned; }

private:
    struct Entry
    {
        const VTTrialVariable* variable;
        VTLevelSelector selector;
    };
    // The index of the variable with that id when it is of that type, else -1.
    int Find(int variableID, int type) const;

    VTRunGroup m_Group;
    std::vector<Entry> m_Entries;
    std::map<std::uint32_t, std::size_t> m_ByID;
    std::vector<VTPlannedVariable> m_Planned;
};

}  // namespace Vantrel

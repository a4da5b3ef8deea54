#include "VTTrialLevels.h"

#include <algorithm>

#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTTrialVariable.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include "VTLevelMoves.h"
#include "VTPlugInCommon/RNG_Wrapper.h"

namespace Vantrel {

namespace {

const Orbisk::Var::VarValue* CurrentLevel(const VTTrialVariable& variable, const VTLevelSelector& selector)
{
    return variable.GetVariable().GetValue(selector.GetCurrentLevel());
}

// What the data file says for a level: its name, or for a time limit (whose name the
// editor never shows) its milliseconds.
wxString Label(const VTTrialVariable& variable, const Orbisk::Var::VarValue& level)
{
    return variable.GetVariableType() == VariableType::TimeLimit ? level.GetText() : level.GetName();
}

// What a level gives the events that name its variable.
VTPlannedLevel PlannedLevel(const VTTrialVariable& variable, const Orbisk::Var::VarValue& level)
{
    VTPlannedLevel planned;
    planned.label = Label(variable, level);
    if (const auto* limit = dynamic_cast<const Orbisk::Var::TimeLimitSingleLevel*>(&level)) {
        planned.usable = variable.GetVariableType() == VariableType::TimeLimit;
        // A negative limit is none, as for a fixed one.
        planned.timeLimitMs = limit->GetMilliseconds() >= 0 ? limit->GetMilliseconds() : -1;
    } else if (const auto* place = dynamic_cast<const Orbisk::Var::LocationSingleLevel*>(&level)) {
        planned.usable = variable.GetVariableType() == VariableType::Location;
        planned.position = wxPoint(place->GetX(), place->GetY());
    } else if (const auto* colour = dynamic_cast<const Orbisk::Var::ColorSingleLevel*>(&level)) {
        planned.usable = variable.GetVariableType() == VariableType::Colour;
        planned.colour = colour->GetColour();
    }
    return planned;
}

}  // namespace

VTTrialLevels::VTTrialLevels(VTExperiment& experiment, const VTParticipantGroup* group)
{
    VTElementsList& groups = experiment.GetElementsOfType(ElementType::ParticipantGroup);
    if (group) {
        m_Group.id = group->GetID();
        for (std::size_t i = 0; i < groups.Size(); ++i)
            if (groups[i] == group) m_Group.index = i;
    }
    VTElementsList& variables = experiment.GetElementsOfType(ElementType::TrialVariable);
    int column = 0;
    for (std::size_t i = 0; i < variables.Size(); ++i) {
        const auto* variable = dynamic_cast<const VTTrialVariable*>(variables[i]);
        if (!variable) continue;
        const Orbisk::Var::Variable& v = variable->GetVariable();
        m_ByID[variable->GetID()] = m_Entries.size();
        m_Entries.push_back({variable, VTLevelSelector(v.GetMethod(), v.GetScope(), v.GetFlag(), v.GetLevels().size(),
                                                       variable->GetID())});
        VTPlannedVariable planned;
        planned.manual = v.GetMethod() == SelectionMethod::Manual;
        planned.wraps = planned.manual && v.GetFlag();
        if (variable->GetSaveToDataFlag()) planned.column = column++;
        for (const Orbisk::Var::VarValue* level : v.GetLevels())
            planned.levels.push_back(level ? PlannedLevel(*variable, *level) : VTPlannedLevel());
        m_Planned.push_back(std::move(planned));
    }
}

void VTTrialLevels::StartRun()
{
    auto stream = Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed();
    const VTLevelSelector::RunDraw draw = [stream](std::size_t n) { return std::size_t(stream->Draw(0, int(n) - 1)); };
    for (Entry& entry : m_Entries) entry.selector.StartRun(m_Group, draw);
}

void VTTrialLevels::StartBlock()
{
    for (Entry& entry : m_Entries) entry.selector.StartBlock();
}

void VTTrialLevels::StartTrial()
{
    for (Entry& entry : m_Entries) entry.selector.StartTrial();
}

std::vector<wxString> VTTrialLevels::GetColumnNames() const
{
    std::vector<wxString> names;
    for (const Entry& entry : m_Entries)
        if (entry.variable->GetSaveToDataFlag()) names.push_back(entry.variable->GetName());
    return names;
}

std::vector<wxString> VTTrialLevels::GetCurrentLabels() const
{
    std::vector<wxString> labels;
    for (const Entry& entry : m_Entries) {
        if (!entry.variable->GetSaveToDataFlag()) continue;
        const Orbisk::Var::VarValue* level = CurrentLevel(*entry.variable, entry.selector);
        labels.push_back(level ? Label(*entry.variable, *level) : wxString());
    }
    return labels;
}

std::vector<int> VTTrialLevels::GetCurrentLevelIndexes() const
{
    std::vector<int> indexes;
    for (const Entry& entry : m_Entries) indexes.push_back(entry.selector.GetCurrentLevel());
    return indexes;
}

std::uint64_t VTTrialLevels::LongestLabelsLength() const
{
    std::uint64_t total = 0;
    for (const Entry& entry : m_Entries) {
        if (!entry.variable->GetSaveToDataFlag()) continue;
        std::size_t longest = 0;
        for (const Orbisk::Var::VarValue* level : entry.variable->GetVariable().GetLevels())
            if (level) longest = std::max(longest, Label(*entry.variable, *level).length());
        total += longest;
    }
    return total;
}

int VTTrialLevels::Find(int variableID, int type) const
{
    if (variableID < 1) return -1;
    const auto it = m_ByID.find(std::uint32_t(variableID));
    if (it == m_ByID.end() || m_Entries[it->second].variable->GetVariableType() != type) return -1;
    return int(it->second);
}

void VTTrialLevels::ApplyToEvent(const VTEvent& event, VTPlannedEvent& planned) const
{
    if (event.GetEndEventOption(EndEventOption::TimeLimit))
        planned.timeLimitVariable = Find(event.GetTimeLimitVariableID(), VariableType::TimeLimit);
    planned.locationVariable = Find(event.GetLocationVariableID(), VariableType::Location);
    planned.colourVariable = Find(event.GetColourVariableID(), VariableType::Colour);
    ApplyLevelsToEvent(m_Planned, GetCurrentLevelIndexes(), planned);
}

}  // namespace Vantrel

#include "VTLevelMoves.h"

#include <VTCore/RuleCodes.h>

namespace Vantrel {

void ApplyLevelsToEvent(const std::vector<VTPlannedVariable>& variables, const std::vector<int>& levels,
                        VTPlannedEvent& event)
{
    auto levelOf = [&](int variable) -> const VTPlannedLevel* {
        if (variable < 0 || std::size_t(variable) >= variables.size() || std::size_t(variable) >= levels.size())
            return nullptr;
        const int level = levels[std::size_t(variable)];
        const std::vector<VTPlannedLevel>& all = variables[std::size_t(variable)].levels;
        if (level < 0 || std::size_t(level) >= all.size() || !all[std::size_t(level)].usable) return nullptr;
        return &all[std::size_t(level)];
    };
    if (const VTPlannedLevel* level = levelOf(event.timeLimitVariable)) event.timeLimitMs = level->timeLimitMs;
    if (const VTPlannedLevel* level = levelOf(event.locationVariable)) {
        event.hasPosition = true;
        event.position = level->position;
    }
    if (const VTPlannedLevel* level = levelOf(event.colourVariable)) {
        event.hasColour = true;
        event.colour = level->colour;
    }
}

int MovedLevel(const VTPlannedVariable& variable, int current, int operation, int number, const VTLevelDraw& draw)
{
    const int count = int(variable.levels.size());
    if (count == 0) return -1;
    if (current < 0 || current >= count) current = 0;
    switch (operation) {
        case RuleCode::LevelNext:
            if (current + 1 < count) return current + 1;
            return variable.wraps ? 0 : current;
        case RuleCode::LevelPrevious:
            if (current > 0) return current - 1;
            return variable.wraps ? count - 1 : current;
        case RuleCode::LevelSetFirst: return 0;
        case RuleCode::LevelSetLast: return count - 1;
        case RuleCode::LevelSetRandom: return int(draw(std::size_t(count)));
        case RuleCode::LevelSetNumber: return number >= 0 && number < count ? number : current;
        default: return current;
    }
}

}  // namespace Vantrel

#pragma once
// Which level of one trial variable is current while a run is planned, by the
// variable's selection method, scope and flag.
//
// The scope says how often a new level is selected, for sequential selection and
// random selection without replacement:
//   0 once per group (between subjects): one level for the whole run, the group's own:
//     sequential gives the n-th group (in the experiment's order) the n-th level; without
//     replacement the levels are dealt out to the groups in an order shuffled from the
//     variable's id, so it is the same every time and differs between groups;
//   1 each run: one level for the whole run;
//   2 each block: a new level at the start of each block;
//   3 each trial: a new level at the start of each trial;
//   4 as 3, and again when a trial is repeated due to feedback (3 keeps its level then).
// Sequential selection starts each run at the first level and steps on at each new
// selection; past the last level it restarts at the first with the flag set, otherwise
// it stays on the last. Without replacement every level is picked once (in an order
// shuffled at the start of the run) before any is picked again; then, with the flag
// set, the order is shuffled anew, otherwise the same order repeats.
// Random selection with replacement draws a level at the start of each trial from a
// stream that, with scope 0, is seeded from the group and the variable (every
// participant of a group sees the same levels in the same order, reproducibly), and
// otherwise comes from the run's random numbers; a repeated trial keeps its level.
// Manual selection stays on the first level: only rules and feedback actions move it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace Vantrel {

namespace SelectionMethod {
constexpr int Sequential = 0;
constexpr int RandomWithoutReplacement = 1;
constexpr int RandomWithReplacement = 2;
constexpr int Manual = 3;
}  // namespace SelectionMethod

namespace SelectionScope {
constexpr int Group = 0;
constexpr int Run = 1;
constexpr int Block = 2;
constexpr int Trial = 3;
constexpr int TrialAndRepeat = 4;
}  // namespace SelectionScope

// The group a run is for: its id and its position among the experiment's groups.
struct VTRunGroup
{
    std::uint32_t id = 0;
    std::size_t index = 0;
};

class VTLevelSelector
{
public:
    // Uniform in [0, n) from the run's random numbers.
    using RunDraw = std::function<std::size_t(std::size_t n)>;

    VTLevelSelector(int method, int scope, bool flag, std::size_t levelCount, std::uint32_t variableID);

    void StartRun(const VTRunGroup& group, const RunDraw& runDraw);
    void StartBlock();
    void StartTrial();
    void RepeatTrialDueToFeedback();
    // The current level's index; -1 for a variable without levels.
    int GetCurrentLevel() const { return m_Current; }

private:
    // What selects at each new unit, after the scope's rules.
    enum class Unit
    {
        None,
        Run,
        Block,
        Trial
    };
    std::size_t Draw(std::size_t n);
    std::size_t Next();
    std::size_t NextInSequence();
    std::size_t NextFromDeck();
    void Shuffle(std::vector<std::size_t>& deck);
    void SelectForGroup(const VTRunGroup& group);

    int m_Method;
    int m_Scope;
    bool m_Flag;
    std::size_t m_Count;
    std::uint32_t m_VariableID;
    Unit m_Unit = Unit::Trial;
    int m_Current = -1;
    std::size_t m_Picked = 0;
    std::vector<std::size_t> m_Deck;
    std::size_t m_DeckPosition = 0;
    RunDraw m_RunDraw;
    bool m_FromGroupStream = false;
    std::mt19937 m_GroupStream;
};

}  // namespace Vantrel

#pragma once
// Where a run stands and what it presents next: the group's blocks in their order,
// each block presentation's trials, each trial presentation's events. A block or
// trial whose "When to Present" is false at that moment is skipped (not counted). The order is
// decided as the run goes: rules change it at the end of a trial or block
// presentation (Apply...), and the guard ends the run when it has presented as many
// trials or events as a run may (VTRunPlan::maxTrialPresentations and
// maxEventPresentations).
//
// Flow actions:
//  - after a trial: "Repeat trial" presents it again next, "Skip next trial" drops the
//    trial that would come next; "Exit block", "Present block" and "Go back to
//    previous block" end the block presentation at once; "Repeat current block" acts
//    when the block ends; "Exit experiment" ends the run.
//  - after a block: "Present block X" presents X next, then the order goes on after
//    this block; "Go back to previous block" presents the block presented before this
//    one again and the order goes on from it (nothing happens at the first block);
//    "Repeat current block" presents it again; "Exit experiment" ends the run.
//  - "Present event X" adds X to the current trial presentation, after its events;
//    after a block, X is presented on its own before the next block.
// Numbers (for the data file) count presentations: blocks in the run, trials in
// their block presentation, events in their trial presentation, all from 1.
//
// Within a block presentation: its trials pass once, a number of times (loop mode
// 82) or until a pass presents none (83); orders shuffled at every presentation are
// drawn at each pass (trials) and each trial presentation (events). The block
// presentation presents no new trial once its time limit has passed or its trial
// limit is reached (a repeated trial is not counted); a trial is repeated at most its
// repeat limit times in a row.

#include <wx/string.h>

#include <deque>
#include <functional>
#include <vector>

#include "VTRuleEvaluator.h"
#include "VTShuffling.h"
#include "VTRuntime/VTRunPlan.h"

namespace Vantrel {

class VTRunCursor
{
public:
    explicit VTRunCursor(const VTRunPlan& plan);
    // Asked before each block and trial presentation that has a "When to Present"
    // (the index of its criteria in VTRunPlan::rules, and the trial; null for a block);
    // false skips that presentation.
    void SetWhenToPresent(std::function<bool(size_t, const VTPlannedTrial*)> test)
    {
        m_WhenToPresent = std::move(test);
    }
    // The run clock in microseconds, for the blocks' time limits.
    void SetClock(std::function<unsigned long long()> clock) { m_Clock = std::move(clock); }

    // The next block presentation, or null when the run is over.
    const VTPlannedBlock* NextBlock();
    // The next trial of the current block presentation, or null when it is over.
    // Null too when the guard ends the run (IsStoppedByGuard()).
    const VTPlannedTrial* NextTrial();
    // The next event of the current trial presentation, or null when it is over
    // (or the guard ended the run).
    const VTPlannedEvent* NextEvent();

    // The event that comes after the current one if no decision changes course.
    const VTPlannedEvent* PredictNextEvent() const;

    void ApplyTrialDecision(const VTFlowDecision& decision);
    void ApplyBlockDecision(const VTFlowDecision& decision);

    bool IsRunOver() const { return m_RunOver; }
    bool IsStoppedByGuard() const { return !m_GuardReason.empty(); }
    const wxString& GetGuardReason() const { return m_GuardReason; }

    // Trials of the current block presentation counted by its trial limit (repeats not
    // counted), and whether the last one presented was such a trial.
    unsigned long long GetCountedTrials() const { return m_CountedTrials; }
    bool WasLastTrialCounted() const { return m_LastTrialCounted; }
    // Whether the block presentation may present another trial (the "When to Present"
    // of the trials to come is not asked).
    bool HasTrialToCome() const;

    int GetBlockNumber() const { return m_BlockNumber; }
    int GetTrialNumber() const { return m_TrialNumber; }
    int GetEventNumber() const { return m_EventNumber; }
    unsigned long long GetTrialPresentations() const { return m_TrialPresentations; }
    unsigned long long GetEventPresentations() const { return m_EventPresentations; }

private:
    // A block presentation: a block of the order (at orderPosition) or one a rule
    // inserted (orderPosition -1).
    struct BlockVisit
    {
        const VTPlannedBlock* block = nullptr;
        long orderPosition = -1;
    };

    struct QueuedTrial
    {
        const VTPlannedTrial* trial = nullptr;
        // Its events' order when they are shuffled at every presentation; else empty.
        std::vector<size_t> eventOrder;
        bool repeat = false;
    };

    const VTPlannedBlock* FindBlock(int blockID) const;
    void StartBlockPresentation(const VTPlannedBlock& block);
    bool MorePasses() const;
    void QueuePass();
    QueuedTrial Queued(const VTPlannedTrial& trial, bool repeat) const;
    bool LimitReached() const;
    size_t EventIndex(size_t position) const
    {
        return position < m_EventOrder.size() ? m_EventOrder[position] : position;
    }
    const VTPlannedEvent* FindRuleEvent(int eventID) const;
    void PresentBlockNext(const BlockVisit& visit);
    void GoBack();
    void EndBlockPresentation()
    {
        m_TrialQueue.clear();
        m_BlockOver = true;
    }
    // The first event of the trial after the current one, course unchanged.
    const VTPlannedEvent* FirstEventOfNextTrial() const;
    bool StopByGuard(const wxString& reason);

    bool Presentable(size_t whenToPresent, const VTPlannedTrial* trial = nullptr) const
    {
        return whenToPresent == kAlwaysPresent || !m_WhenToPresent || m_WhenToPresent(whenToPresent, trial);
    }

    const VTRunPlan& m_Plan;
    std::function<bool(size_t, const VTPlannedTrial*)> m_WhenToPresent;
    bool m_RunOver = false;
    wxString m_GuardReason;
    // Next position in the order; blocks rules put first.
    size_t m_NextOrderPosition = 0;
    std::deque<BlockVisit> m_InsertedBlocks;
    std::vector<BlockVisit> m_Visited;
    // Current block presentation: the trials of its pass still to come, in order.
    const VTPlannedBlock* m_Block = nullptr;
    std::deque<QueuedTrial> m_TrialQueue;
    bool m_BlockOver = false;
    unsigned m_PassesDone = 0;
    unsigned long long m_PassPresented = 0;
    unsigned long long m_CountedTrials = 0;
    bool m_LastTrialCounted = false;
    unsigned long long m_BlockStart = 0;
    long long m_RepeatsInARow = 0;
    std::function<unsigned long long()> m_Clock;
    VTDraw m_Draw;
    // A block flow a trial rule asked for, obeyed when the block presentation ends
    // unless the block's own rules decide otherwise.
    VTFlowDecision m_PendingBlockFlow;
    // Current trial presentation.
    const VTPlannedTrial* m_Trial = nullptr;
    size_t m_NextEventIndex = 0;
    std::vector<size_t> m_EventOrder;
    std::deque<const VTPlannedEvent*> m_ExtraEvents;
    int m_BlockNumber = 0, m_TrialNumber = 0, m_EventNumber = 0;
    unsigned long long m_TrialPresentations = 0, m_EventPresentations = 0;
};

}  // namespace Vantrel

#include "VTRunCursor.h"

#include <wx/intl.h>

namespace Vantrel {

VTRunCursor::VTRunCursor(const VTRunPlan& plan) : m_Plan(plan), m_Draw(RunDraw()) {}

void VTRunCursor::StartBlockPresentation(const VTPlannedBlock& block)
{
    m_Block = &block;
    m_BlockOver = false;
    m_PassesDone = 0;
    m_CountedTrials = 0;
    m_LastTrialCounted = false;
    m_RepeatsInARow = 0;
    m_BlockStart = m_Clock ? m_Clock() : 0;
    m_TrialQueue.clear();
    QueuePass();
}

bool VTRunCursor::MorePasses() const
{
    if (!m_Block || m_BlockOver) return false;
    // A pass that presented nothing ends a loop for ever: nothing more can be presented.
    if (m_Block->loopsForever) return m_PassPresented > 0;
    return m_PassesDone < m_Block->passes;
}

void VTRunCursor::QueuePass()
{
    ++m_PassesDone;
    m_PassPresented = 0;
    const std::vector<VTPlannedTrial>& trials = m_Block->trials;
    std::vector<const VTPlannedTrial*> order;
    for (const VTPlannedTrial& trial : trials) order.push_back(&trial);
    if (m_Block->reshuffleTrials && m_Block->jumbleLists) {
        ShuffleWith(order, m_Draw);
    } else {
        // The presentations of one trial stay together, in their list order.
        std::vector<std::vector<const VTPlannedTrial*>> units;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i == 0 || order[i]->unit != order[i - 1]->unit) units.emplace_back();
            units.back().push_back(order[i]);
        }
        for (std::vector<const VTPlannedTrial*>& unit : units)
            if (unit.front()->reshuffleInUnit) ShuffleWith(unit, m_Draw);
        if (m_Block->reshuffleTrials) ShuffleWith(units, m_Draw);
        order.clear();
        for (const std::vector<const VTPlannedTrial*>& unit : units)
            order.insert(order.end(), unit.begin(), unit.end());
    }
    for (const VTPlannedTrial* trial : order) m_TrialQueue.push_back(Queued(*trial, false));
}

VTRunCursor::QueuedTrial VTRunCursor::Queued(const VTPlannedTrial& trial, bool repeat) const
{
    QueuedTrial queued;
    queued.trial = &trial;
    queued.repeat = repeat;
    if (trial.reshuffleEvents) {
        queued.eventOrder.resize(trial.events.size());
        for (size_t i = 0; i < queued.eventOrder.size(); ++i) queued.eventOrder[i] = i;
        ShuffleKeepingEnds(queued.eventOrder, trial.keepFirstEvent, trial.keepLastEvent, m_Draw);
    }
    return queued;
}

bool VTRunCursor::LimitReached() const
{
    if (!m_Block) return false;
    if (m_Block->trialLimit >= 0 && m_CountedTrials >= (unsigned long long)(m_Block->trialLimit)) return true;
    if (m_Block->timeLimitMs >= 0 && m_Clock) {
        const unsigned long long now = m_Clock();
        const unsigned long long limit = (unsigned long long)(m_Block->timeLimitMs) * 1000;
        if (now >= m_BlockStart && now - m_BlockStart >= limit) return true;
    }
    return false;
}

bool VTRunCursor::HasTrialToCome() const
{
    if (m_RunOver || !m_Block) return false;
    const bool repeatNext = !m_TrialQueue.empty() && m_TrialQueue.front().repeat;
    if (!repeatNext && LimitReached()) return false;
    return !m_TrialQueue.empty() || MorePasses();
}

const VTPlannedBlock* VTRunCursor::NextBlock()
{
    m_Trial = nullptr;
    m_ExtraEvents.clear();
    if (m_RunOver) return nullptr;
    BlockVisit visit;
    do {
        if (!m_InsertedBlocks.empty()) {
            visit = m_InsertedBlocks.front();
            m_InsertedBlocks.pop_front();
        } else if (m_NextOrderPosition < m_Plan.blocks.size()) {
            visit.block = &m_Plan.blocks[m_NextOrderPosition];
            visit.orderPosition = long(m_NextOrderPosition);
            ++m_NextOrderPosition;
        } else {
            m_RunOver = true;
            return nullptr;
        }
    } while (!Presentable(visit.block->whenToPresent));
    m_Visited.push_back(visit);
    ++m_BlockNumber;
    m_TrialNumber = 0;
    m_PendingBlockFlow = VTFlowDecision();
    StartBlockPresentation(*visit.block);
    return visit.block;
}

const VTPlannedTrial* VTRunCursor::NextTrial()
{
    m_Trial = nullptr;
    m_ExtraEvents.clear();
    if (m_RunOver) return nullptr;
    for (;;) {
        if (m_TrialQueue.empty()) {
            if (!MorePasses()) return nullptr;
            QueuePass();
            if (m_TrialQueue.empty()) return nullptr;
        }
        if (m_TrialPresentations >= m_Plan.maxTrialPresentations) {
            StopByGuard(wxString::Format(_("The run was stopped after %llu trial presentations, the most a run may "
                                           "present: its rules, repeats or loops would have gone on."),
                                         m_Plan.maxTrialPresentations));
            return nullptr;
        }
        // The extra actions stop new trials; a repeat still follows its trial.
        if (!m_TrialQueue.front().repeat && LimitReached()) {
            EndBlockPresentation();
            return nullptr;
        }
        QueuedTrial queued = std::move(m_TrialQueue.front());
        m_TrialQueue.pop_front();
        if (!Presentable(queued.trial->whenToPresent, queued.trial)) continue;
        m_Trial = queued.trial;
        m_EventOrder = std::move(queued.eventOrder);
        m_LastTrialCounted = !queued.repeat;
        m_RepeatsInARow = queued.repeat ? m_RepeatsInARow + 1 : 0;
        if (m_LastTrialCounted) ++m_CountedTrials;
        break;
    }
    ++m_PassPresented;
    ++m_TrialPresentations;
    ++m_TrialNumber;
    m_EventNumber = 0;
    m_NextEventIndex = 0;
    return m_Trial;
}

const VTPlannedEvent* VTRunCursor::NextEvent()
{
    if (m_RunOver) return nullptr;
    const VTPlannedEvent* event = nullptr;
    if (m_Trial && m_NextEventIndex < m_Trial->events.size()) {
        event = &m_Trial->events[EventIndex(m_NextEventIndex++)];
    } else if (!m_ExtraEvents.empty()) {
        event = m_ExtraEvents.front();
        m_ExtraEvents.pop_front();
    } else {
        return nullptr;
    }
    if (m_EventPresentations >= m_Plan.maxEventPresentations) {
        StopByGuard(wxString::Format(_("The run was stopped after %llu event presentations, the most a run may "
                                       "present: its rules, repeats or loops would have gone on."),
                                     m_Plan.maxEventPresentations));
        return nullptr;
    }
    ++m_EventPresentations;
    ++m_EventNumber;
    return event;
}

bool VTRunCursor::StopByGuard(const wxString& reason)
{
    m_GuardReason = reason;
    m_RunOver = true;
    m_Trial = nullptr;
    m_TrialQueue.clear();
    m_ExtraEvents.clear();
    return false;
}

const VTPlannedEvent* VTRunCursor::FirstEventOfNextTrial() const
{
    for (const QueuedTrial& queued : m_TrialQueue)
        if (!queued.trial->events.empty())
            return &queued.trial->events[queued.eventOrder.empty() ? 0 : queued.eventOrder.front()];
    const VTPlannedBlock* block = nullptr;
    if (!m_InsertedBlocks.empty())
        block = m_InsertedBlocks.front().block;
    else if (m_NextOrderPosition < m_Plan.blocks.size())
        block = &m_Plan.blocks[m_NextOrderPosition];
    if (block)
        for (const VTPlannedTrial& trial : block->trials)
            if (!trial.events.empty()) return &trial.events.front();
    return nullptr;
}

const VTPlannedEvent* VTRunCursor::PredictNextEvent() const
{
    if (m_RunOver) return nullptr;
    if (m_Trial && m_NextEventIndex < m_Trial->events.size()) return &m_Trial->events[EventIndex(m_NextEventIndex)];
    if (!m_ExtraEvents.empty()) return m_ExtraEvents.front();
    return FirstEventOfNextTrial();
}

const VTPlannedBlock* VTRunCursor::FindBlock(int blockID) const
{
    for (const VTPlannedBlock& block : m_Plan.blocks)
        if (block.blockID == blockID) return &block;
    for (const VTPlannedBlock& block : m_Plan.otherBlocks)
        if (block.blockID == blockID) return &block;
    return nullptr;
}

const VTPlannedEvent* VTRunCursor::FindRuleEvent(int eventID) const
{
    for (const VTPlannedEvent& event : m_Plan.ruleEvents)
        if (event.eventID == eventID) return &event;
    return nullptr;
}

void VTRunCursor::PresentBlockNext(const BlockVisit& visit)
{
    if (visit.orderPosition >= 0)
        m_NextOrderPosition = size_t(visit.orderPosition);  // the order goes on from it
    else
        m_InsertedBlocks.push_front(visit);
}

void VTRunCursor::GoBack()
{
    if (m_Visited.size() < 2) return;  // the first block has none before it
    PresentBlockNext(m_Visited[m_Visited.size() - 2]);
}

void VTRunCursor::ApplyTrialDecision(const VTFlowDecision& decision)
{
    for (int eventID : decision.presentEvents)
        if (const VTPlannedEvent* event = FindRuleEvent(eventID)) m_ExtraEvents.push_back(event);
    if (!decision.hasFlow) return;
    switch (decision.flow) {
        case VTActionKind::ExitExperiment:
            m_RunOver = true;
            m_TrialQueue.clear();
            m_ExtraEvents.clear();
            break;
        case VTActionKind::ExitBlock: EndBlockPresentation(); break;
        case VTActionKind::RepeatTrial:
            // Past the trial's limit of repeats in a row the run goes on instead.
            if (m_Trial && (m_Trial->repeatLimit < 0 || m_RepeatsInARow < m_Trial->repeatLimit))
                m_TrialQueue.push_front(Queued(*m_Trial, true));
            break;
        case VTActionKind::SkipNextTrial:
            if (!m_TrialQueue.empty()) m_TrialQueue.pop_front();
            break;
        case VTActionKind::RepeatCurrentBlock: m_PendingBlockFlow = decision; break;
        case VTActionKind::PresentBlock:
        case VTActionKind::GoBackToPreviousBlock:
            m_PendingBlockFlow = decision;
            EndBlockPresentation();
            break;
        case VTActionKind::PresentEvent:
        case VTActionKind::ChangeBackground:
        case VTActionKind::Parameter: break;  // no flow actions: the evaluator carried them out
    }
}

void VTRunCursor::ApplyBlockDecision(const VTFlowDecision& decision)
{
    const VTFlowDecision flow = decision.hasFlow ? decision : m_PendingBlockFlow;
    m_PendingBlockFlow = VTFlowDecision();
    m_Trial = nullptr;
    m_ExtraEvents.clear();
    m_EventNumber = 0;
    for (int eventID : decision.presentEvents)
        if (const VTPlannedEvent* event = FindRuleEvent(eventID)) m_ExtraEvents.push_back(event);
    if (!flow.hasFlow || m_Visited.empty()) return;
    switch (flow.flow) {
        case VTActionKind::ExitExperiment:
            m_RunOver = true;
            m_ExtraEvents.clear();
            break;
        case VTActionKind::PresentBlock:
            if (const VTPlannedBlock* block = FindBlock(flow.targetBlockID)) m_InsertedBlocks.push_front({block, -1});
            break;
        case VTActionKind::GoBackToPreviousBlock: GoBack(); break;
        case VTActionKind::RepeatCurrentBlock: PresentBlockNext(m_Visited.back()); break;
        default: break;  // the block is over anyway
    }
}

}  // namespace Vantrel

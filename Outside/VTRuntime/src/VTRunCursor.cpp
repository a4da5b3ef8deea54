#include "VTRunCursor.h"

#include <wx/intl.h>

namespace Vantrel {

VTRunCursor::VTRunCursor(const VTRunPlan& plan) : m_Plan(plan) {}

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
    m_TrialQueue.clear();
    for (const VTPlannedTrial& trial : visit.block->trials) m_TrialQueue.push_back(&trial);
    return visit.block;
}

const VTPlannedTrial* VTRunCursor::NextTrial()
{
    m_Trial = nullptr;
    m_ExtraEvents.clear();
    if (m_RunOver || m_TrialQueue.empty()) return nullptr;
    if (m_TrialPresentations >= m_Plan.maxTrialPresentations) {
        StopByGuard(wxString::Format(_("The run was stopped after %llu trial presentations, the most a run may "
                                       "present: its rules, repeats or loops would have gone on."),
                                     m_Plan.maxTrialPresentations));
        return nullptr;
    }
    do {
        m_Trial = m_TrialQueue.front();
        m_TrialQueue.pop_front();
        if (Presentable(m_Trial->whenToPresent, m_Trial)) break;
        m_Trial = nullptr;
    } while (!m_TrialQueue.empty());
    if (!m_Trial) return nullptr;
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
        event = &m_Trial->events[m_NextEventIndex++];
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
    for (const VTPlannedTrial* trial : m_TrialQueue)
        if (!trial->events.empty()) return &trial->events.front();
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
    if (m_Trial && m_NextEventIndex < m_Trial->events.size()) return &m_Trial->events[m_NextEventIndex];
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
            if (m_Trial) m_TrialQueue.push_front(m_Trial);
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

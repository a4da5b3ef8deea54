#include "VTRuntime/DynamicRuntimeEnvironment.h"

#include <wx/defs.h>

#include "VTRuntime/VTDataColumns.h"

namespace Vantrel {

namespace {
double Elapsed(bool started, unsigned long long start, unsigned long long now)
{
    return started && now > start ? double(now - start) / 1000.0 : 0.0;
}

std::function<std::vector<wxString>()>& BuiltInNamesSource()
{
    static std::function<std::vector<wxString>()> source;
    return source;
}

}  // namespace

std::vector<wxString> DynamicRuntimeEnvironment::GetVectorOfBuiltInParamNames()
{
    if (BuiltInNamesSource()) return BuiltInNamesSource()();
    return VTDataColumns::FixedColumnTitles();
}

void DynamicRuntimeEnvironment::SetBuiltInParamNamesForTesting(std::function<std::vector<wxString>()> names)
{
    BuiltInNamesSource() = std::move(names);
}

DynamicRuntimeEnvironment::DynamicRuntimeEnvironment(const wxString& participantName)
    : m_ParticipantName(participantName)
{}

void DynamicRuntimeEnvironment::StartBlockPresentation()
{
    m_BlockStarted = false;
    ClearBlockHistory();
}

void DynamicRuntimeEnvironment::ClearBlockHistory()
{
    m_BlockHistory.clear();
    m_BlockCorrect = m_BlockAnswered = 0;
    m_BlockReactionTimeSum = 0;
}

void DynamicRuntimeEnvironment::StartTrialPresentation(int trialID, const std::vector<int>* levels)
{
    m_TrialLevels = levels;
    m_PreviousTrialID = m_Trial.trialID;
    m_Trial = TrialRecord();
    m_Trial.trialID = trialID;
    m_TrialTimerStarted = false;
    m_TypedText.clear();
    ++m_Presentations[trialID];
}

void DynamicRuntimeEnvironment::NoteEventOnset(unsigned long long onsetMicroseconds, bool resetsReactionTimer)
{
    if (!m_RunStarted) {
        m_RunStarted = true;
        m_RunStart = onsetMicroseconds;
    }
    if (!m_BlockStarted) {
        m_BlockStarted = true;
        m_BlockStart = onsetMicroseconds;
    }
    if (resetsReactionTimer || !m_TrialTimerStarted) {
        m_TrialTimerStarted = true;
        m_ReactionTimerStart = onsetMicroseconds;
    }
}

void DynamicRuntimeEnvironment::NoteResponse(int responseID, bool correct, unsigned long long timeMicroseconds)
{
    m_LastResponseID = responseID;
    m_Trial.responded = true;
    m_Trial.responseID = responseID;
    m_Trial.correct = correct;
    m_Trial.reactionTimeMs = Elapsed(m_TrialTimerStarted, m_ReactionTimerStart, timeMicroseconds);
}

void DynamicRuntimeEnvironment::NoteTypedKey(int keyCode)
{
    if (keyCode == WXK_BACK) {
        if (!m_TypedText.empty()) m_TypedText.RemoveLast();
    } else if (keyCode >= 32 && keyCode < 127 && m_TypedText.length() < VTParameterValues::kMaxTextLength) {
        m_TypedText += wxUniChar(keyCode);
    }
}

void DynamicRuntimeEnvironment::EndTrialPresentation()
{
    m_BlockHistory.push_back(m_Trial);
    if (m_Trial.correct) ++m_BlockCorrect;
    if (m_Trial.responded) {
        ++m_BlockAnswered;
        m_BlockReactionTimeSum += m_Trial.reactionTimeMs;
    }
}

int DynamicRuntimeEnvironment::GetSubjectLevel(int variable) const
{
    const std::vector<int>* levels = m_CandidateTrialID >= 0 ? m_CandidateLevels : m_TrialLevels;
    return levels && variable >= 0 && size_t(variable) < levels->size() ? (*levels)[size_t(variable)] : -1;
}

unsigned long DynamicRuntimeEnvironment::GetPresentationCount(int trialID) const
{
    const auto found = m_Presentations.find(trialID);
    return found == m_Presentations.end() ? 0 : found->second;
}

double DynamicRuntimeEnvironment::GetBlockPercentCorrect() const
{
    return m_BlockHistory.empty() ? 0 : 100.0 * double(m_BlockCorrect) / double(m_BlockHistory.size());
}

double DynamicRuntimeEnvironment::GetBlockAverageReactionTimeMs() const
{
    return m_BlockAnswered ? m_BlockReactionTimeSum / double(m_BlockAnswered) : 0;
}

DynamicRuntimeEnvironment::Statistics DynamicRuntimeEnvironment::GetBlockSubsetStatistics(int lastCount,
                                                                                          int tagID) const
{
    Statistics s;
    size_t taken = 0, correct = 0, answered = 0;
    double reactionTimes = 0;
    // From the newest back, so "the last N" stops early.
    for (auto it = m_BlockHistory.rbegin(); it != m_BlockHistory.rend(); ++it) {
        if (lastCount > 0 && taken >= size_t(lastCount)) break;
        if (tagID >= 0 && !m_Tags.HasTag(it->trialID, tagID)) continue;
        ++taken;
        if (it->correct) ++correct;
        if (it->responded) {
            ++answered;
            reactionTimes += it->reactionTimeMs;
        }
    }
    s.count = double(taken);
    s.percentCorrect = taken ? 100.0 * double(correct) / double(taken) : 0;
    s.averageReactionTimeMs = answered ? reactionTimes / double(answered) : 0;
    return s;
}

double DynamicRuntimeEnvironment::GetMsSinceRunStart(unsigned long long nowMicroseconds) const
{
    return Elapsed(m_RunStarted, m_RunStart, nowMicroseconds);
}

double DynamicRuntimeEnvironment::GetMsSinceBlockStart(unsigned long long nowMicroseconds) const
{
    return Elapsed(m_BlockStarted, m_BlockStart, nowMicroseconds);
}

}  // namespace Vantrel

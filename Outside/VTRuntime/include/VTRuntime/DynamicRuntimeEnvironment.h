#pragma once
// What the rules of a running experiment read: the run's and the block's clocks, the
// trials presented in the current block presentation, how often each trial has been
// presented in the run, the last response, what the participant typed in the trial, and
// the parameters' live values. The run engine feeds it as it presents; times are
// run-timer microseconds.

#include <wx/string.h>

#include <functional>
#include <map>
#include <vector>

#include "VTRuntime/VTParameterValues.h"
#include "VTRuntime/VTTrialTags.h"

namespace Vantrel {

class DynamicRuntimeEnvironment
{
public:
    // What "Last participant response" reads before any response was recorded in the run.
    static constexpr int kNoResponseYet = -2;

    // The names no parameter may take (the data file's own column titles, which a
    // parameter's column would repeat), compared exactly.
    static std::vector<wxString> GetVectorOfBuiltInParamNames();
    // Tests: replace the names (an empty function restores them).
    static void SetBuiltInParamNamesForTesting(std::function<std::vector<wxString>()> names);

    struct TrialRecord
    {
        int trialID = -1;
        bool responded = false;
        int responseID = kNoResponseYet;  // of the last recorded response
        bool correct = false;
        double reactionTimeMs = 0;  // valid when responded
    };

    explicit DynamicRuntimeEnvironment(const wxString& participantName = wxString());

    void StartBlockPresentation();
    // The trials of the block being presented ("Set tag on all trials in block").
    void SetBlockTrials(std::vector<int> trialIDs) { m_BlockTrials = std::move(trialIDs); }
    const std::vector<int>& GetBlockTrials() const { return m_BlockTrials; }
    // While a trial's "When to Present" is asked: the trial asked about (-1 after).
    void SetCandidateTrial(int trialID, const std::vector<int>* levels)
    {
        m_CandidateTrialID = trialID;
        m_CandidateLevels = levels;
    }
    // The level index of trial variable `variable` (in the experiment's order) that the
    // subject trial has; -1 when unknown.
    int GetSubjectLevel(int variable) const;
    // The trial that trial criteria speak of: the one a "When to Present" asks about,
    // else the current trial; and the trial presented before it in the run (-1 none).
    int GetSubjectTrialID() const { return m_CandidateTrialID >= 0 ? m_CandidateTrialID : m_Trial.trialID; }
    int GetTrialBeforeSubject() const { return m_CandidateTrialID >= 0 ? m_Trial.trialID : m_PreviousTrialID; }
    // "Clear built-in trials collection": the block statistics start again from here.
    void ClearBlockHistory();
    // `levels`: the trial's level of each trial variable (kept, not copied; may be null).
    void StartTrialPresentation(int trialID, const std::vector<int>* levels = nullptr);
    // The first onset starts the run's clock, the first of a block presentation its
    // clock; an event that resets the reaction timer (and a trial's first event)
    // starts the trial's reaction time.
    void NoteEventOnset(unsigned long long onsetMicroseconds, bool resetsReactionTimer);
    void NoteResponse(int responseID, bool correct, unsigned long long timeMicroseconds);
    // A key of a recorded keyboard response: a printable character joins the trial's
    // typed text, Backspace removes its last character.
    void NoteTypedKey(int keyCode);
    // The trial joins the block's history; its record stays current for its rules.
    void EndTrialPresentation();

    int GetLastResponseID() const { return m_LastResponseID; }
    // The onset the trial's reaction times count from (run-timer microseconds).
    unsigned long long GetReactionTimerStart() const { return m_ReactionTimerStart; }
    const TrialRecord& GetCurrentTrial() const { return m_Trial; }
    unsigned long GetPresentationCount(int trialID) const;
    unsigned long GetCurrentTrialPresentationCount() const { return GetPresentationCount(m_Trial.trialID); }
    const wxString& GetParticipantName() const { return m_ParticipantName; }
    // What the participant typed since the current trial began.
    const wxString& GetTypedText() const { return m_TypedText; }
    VTParameterValues& Parameters() { return m_Parameters; }
    const VTParameterValues& Parameters() const { return m_Parameters; }
    const std::vector<TrialRecord>& GetBlockHistory() const { return m_BlockHistory; }
    // Over every trial presented in the current block presentation: the percentage
    // answered correctly, their number, and the mean reaction time of those answered
    // (0 when there is none).
    double GetBlockPercentCorrect() const;
    double GetBlockTrialCount() const { return double(m_BlockHistory.size()); }
    double GetBlockAverageReactionTimeMs() const;
    // The same over a subset of the block's history: the last `lastCount` trials
    // (all when below 1) among those carrying `tagID` (all when below 0).
    struct Statistics
    {
        double count = 0, percentCorrect = 0, averageReactionTimeMs = 0;
    };
    Statistics GetBlockSubsetStatistics(int lastCount, int tagID) const;
    VTTrialTags& Tags() { return m_Tags; }
    const VTTrialTags& Tags() const { return m_Tags; }
    // 0 before the first onset.
    double GetMsSinceRunStart(unsigned long long nowMicroseconds) const;
    double GetMsSinceBlockStart(unsigned long long nowMicroseconds) const;

private:
    wxString m_ParticipantName;
    wxString m_TypedText;
    VTParameterValues m_Parameters;
    int m_LastResponseID = kNoResponseYet;
    bool m_RunStarted = false, m_BlockStarted = false, m_TrialTimerStarted = false;
    unsigned long long m_RunStart = 0, m_BlockStart = 0, m_ReactionTimerStart = 0;
    TrialRecord m_Trial;
    int m_PreviousTrialID = -1, m_CandidateTrialID = -1;
    const std::vector<int>*m_TrialLevels = nullptr, *m_CandidateLevels = nullptr;
    std::vector<int> m_BlockTrials;
    VTTrialTags m_Tags;
    std::vector<TrialRecord> m_BlockHistory;
    // Running sums over the block's history: rules read them after every trial.
    size_t m_BlockCorrect = 0, m_BlockAnswered = 0;
    double m_BlockReactionTimeSum = 0;
    std::map<int, unsigned long> m_Presentations;
};

}  // namespace Vantrel

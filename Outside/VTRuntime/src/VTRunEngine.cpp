#include "VTRuntime/VTRunEngine.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <algorithm>
#include <map>

#include "VTPlugInCommon/ProcessServices.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTEventPresentation.h"
#include "VTOnScreenMatch.h"
#include "VTPresenterFrame.h"
#include "VTRuleEvaluator.h"
#include "VTLevelMoves.h"
#include "VTPlugInCommon/RNG_Wrapper.h"
#include "VTRunCursor.h"
#include "VTRuntime/DynamicRuntimeEnvironment.h"
#include "VTRuntime/VTPlugIn.h"
#include "VTStimulusFailure.h"
#include "VTTrialScreenshots.h"

namespace Vantrel {

namespace {

bool g_Running = false;

// Ends what was started, in reverse, whatever way the run leaves.
struct RunGuard
{
    VTPresenterFrame* frame = nullptr;
    std::unique_ptr<wxWindowDisabler> disabler;
    bool logSuspended = false;
    ~RunGuard()
    {
        disabler.reset();
        if (frame) {
            frame->Hide();
            frame->Destroy();
        }
        VantrelSDK::GetPresenter()->SetVisible(false);
        if (logSuspended) LogThatSuspendsDuringExpRun::ResumeAfterRun();
        g_Running = false;
    }
};

wxString KeyLabel(int code)
{
    if (code > 32 && code < 127) return wxString(wxUniChar(code));
    switch (code) {
        case WXK_SPACE: return "Space";
        case WXK_RETURN: return "Return";
        case WXK_LEFT: return "Left";
        case WXK_RIGHT: return "Right";
        case WXK_UP: return "Up";
        case WXK_DOWN: return "Down";
        default: return wxString::Format("key %d", code);
    }
}

class EventWait
{
public:
    enum class Result
    {
        Response,
        TimeLimit,
        Ended,
        Cancelled,
        // The stimulus failed while it was presented.
        Failed
    };

    // `event`: the presented event as its trial's current levels shape it.
    EventWait(VTPresenterFrame& frame, VTInputPoller& poller, VTEventPresentation& presentation,
              const VTPlannedEvent& event, unsigned long long onsetMicroseconds)
        : m_Frame(frame), m_Poller(poller), m_Presentation(presentation), m_Event(event), m_Onset(onsetMicroseconds)
    {}

    // Pumps the GUI until the event ends. Never waits more than 1 ms for the next event.
    Result Wait()
    {
        VTTimer& timer = VTTimer::GetTimer();
        const long long limit = m_Event.endsImmediately ? 0 : m_Event.timeLimitMs;
        for (;;) {
            if (m_Frame.TakeEscape() && ConfirmCancel()) return Result::Cancelled;
            if (m_Event.recordsResponses && TakeAcceptedResponse()) {
                if (m_Matched.endsEvent) return Result::Response;
            }
            m_Presentation.Tick(m_Frame, timer.GetElapsedMicroseconds());
            wxString problem;
            if (m_Presentation.HasFailed(problem)) return Result::Failed;
            if (m_Presentation.IsFinished()) return m_Responded ? Result::Response : Result::Ended;
            if (limit >= 0 && timer.GetElapsedMicroseconds() >= m_Onset + static_cast<unsigned long long>(limit) * 1000)
                return m_Responded ? Result::Response : Result::TimeLimit;
            PumpOnce();
        }
    }

    // Holds the display until the run timer reaches `end` microseconds (trial pacing),
    // still answering Escape.
    static bool HoldUntil(VTPresenterFrame& frame, unsigned long long end)
    {
        VTTimer& timer = VTTimer::GetTimer();
        while (timer.GetElapsedMicroseconds() < end) {
            if (frame.TakeEscape() && ConfirmCancelOn(frame)) return false;
            PumpOnce();
        }
        return true;
    }

    bool Responded() const { return m_Responded; }
    // A correct response followed an incorrect one; it is the one recorded.
    bool SelfCorrected() const { return m_SelfCorrected; }
    const VTPlannedResponse& Matched() const { return m_Matched; }
    unsigned long long ResponseTime() const { return m_ResponseTime; }
    bool FromPlugin() const { return m_FromPlugin; }
    const std::vector<unsigned long long>& StepPluginTimes() const { return m_StepPluginTimes; }

    static void PumpOnce()
    {
        wxEventLoopBase* loop = wxEventLoopBase::GetActive();
        if (wxTheApp) wxTheApp->ProcessPendingEvents();
        if (loop) {
            if (loop->Pending())
                loop->Dispatch();
            else
                loop->DispatchTimeout(1);
        } else {
            wxMilliSleep(1);
        }
    }

    static bool ConfirmCancelOn(VTPresenterFrame& frame)
    {
        wxMessageDialog ask(&frame, _("Do you want to stop the experiment now?"), _("Stop the experiment?"),
                            wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
        const bool stop = ask.ShowModal() == wxID_YES;
        if (!stop) {
            VTTimer::GetTimer().ClearCancellationKeypress();
            frame.Raise();
        }
        return stop;
    }

private:
    bool ConfirmCancel() { return ConfirmCancelOn(m_Frame); }

    // First matching response of the keyboard or a plug-in since onset.
    bool TakeAcceptedResponse()
    {
        VTPresenterFrame::Key key;
        while (m_Frame.TakeKey(key)) {
            if (key.timeMicroseconds < m_Onset) continue;
            VTPlannedResponse match;
            if (Match(InputPlugIn::Keyboard, key.code, 0, key.phase,
                      VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined(), match)) {
                if (match.name.empty()) match.name = KeyLabel(key.code) + (key.phase == 2 ? " (release)" : "");
                return Accept(match, key.timeMicroseconds, false);
            }
        }
        VTInputPoller::Detected d;
        while (m_Poller.TakeDetected(d)) {
            if (d.timeMicroseconds < m_Onset || !d.response) continue;
            if (auto* hit = dynamic_cast<const VantrelSDK::VTSdkOnScreenHit*>(d.response.get())) {
                VTPlannedResponse match;
                if (MatchOnScreen(d.pluginID, *hit, m_Event, match)) return Accept(match, d.timeMicroseconds, true);
                continue;
            }
            int keyNumber = 0, port = 0;
            if (auto* discrete = dynamic_cast<VantrelSDK::VTSdkDiscreteKeyResp*>(d.response.get())) {
                keyNumber = discrete->GetKeyNumber();
                port = discrete->GetPortNumber();
            }
            VTPlannedResponse match;
            if (Match(d.pluginID, keyNumber, port, d.response->GetResponseType(), d.response->GetResponseID(), match)) {
                if (match.name.empty()) match.name = d.response->GetDescription();
                return Accept(match, d.timeMicroseconds, true);
            }
        }
        return false;
    }

    bool Match(int pluginID, int key, int port, int phase, int responseID, VTPlannedResponse& out) const
    {
        if (m_Event.accepted.empty()) {
            out = VTPlannedResponse();
            out.pluginID = pluginID;
            out.key = key;
            out.port = port;
            out.phase = phase;
            // Nothing was defined, so nothing is scored (see Scored()).
            out.correct = false;
            out.endsEvent = m_Event.anyResponseEnds;
            return phase == 1;  // with nothing defined, a press of anything answers
        }
        for (const VTPlannedResponse& r : m_Event.accepted) {
            const bool byId =
                responseID != VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined() && r.responseID == responseID;
            const bool byFields = r.pluginID == pluginID && r.key == key && r.phase == phase &&
                                  (pluginID == InputPlugIn::Keyboard || r.port == port);
            if (byId || byFields) {
                out = r;
                return true;
            }
        }
        return false;
    }

    bool Accept(const VTPlannedResponse& match, unsigned long long time, bool fromPlugin)
    {
        if (m_Presentation.TakesStepResponses()) {
            // Each accepted response moves the stimulus on; the presentation keeps them.
            m_Presentation.Step(m_Frame, time, match.name, match.correct);
            if (fromPlugin) m_StepPluginTimes.push_back(time);
            return false;
        }
        if (m_Responded) {
            // Only the first response is recorded, unless a correct response follows an
            // incorrect one: that correction is recorded instead. A later one may still end the event.
            if (!m_SelfCorrected && !m_Matched.correct && match.correct) {
                m_SelfCorrected = true;
                m_Matched = match;
                m_ResponseTime = time;
                m_FromPlugin = fromPlugin;
            }
            m_Matched.endsEvent = match.endsEvent;
            return true;
        }
        m_Responded = true;
        m_Matched = match;
        m_ResponseTime = time;
        m_FromPlugin = fromPlugin;
        return true;
    }

    VTPresenterFrame& m_Frame;
    VTInputPoller& m_Poller;
    VTEventPresentation& m_Presentation;
    const VTPlannedEvent& m_Event;
    unsigned long long m_Onset;
    bool m_Responded = false;
    bool m_SelfCorrected = false;
    VTPlannedResponse m_Matched;
    unsigned long long m_ResponseTime = 0;
    bool m_FromPlugin = false;
    std::vector<unsigned long long> m_StepPluginTimes;
};

// Starts loading an event's stimulus on the frame; a stimulus that cannot be loaded
// keeps its failure, which stops the run when the event is due.
std::unique_ptr<VTEventPresentation> PrepareEvent(const VTPlannedEvent& event, VTPresenterFrame& frame)
{
    auto presentation = std::make_unique<VTEventPresentation>(event);
    wxString problem;
    presentation->Prepare(frame, problem);
    return presentation;
}

// Pumps until the stimulus can start (it usually is by then: it was prepared while
// the previous event ran) or has failed. False when the participant cancelled meanwhile.
bool WaitUntilPrepared(VTEventPresentation& presentation, VTPresenterFrame& frame)
{
    const long kBoundMs = 10000;
    wxStopWatch waited;
    bool failed = false;
    wxString problem;
    while (!presentation.IsPrepared(failed, problem) && !failed) {
        if (frame.TakeEscape() && EventWait::ConfirmCancelOn(frame)) return false;
        if (waited.Time() > kBoundMs) {
            presentation.Fail(wxString::Format(_("it was not ready after %ld seconds"), kBoundMs / 1000));
            break;
        }
        EventWait::PumpOnce();
    }
    return true;
}

// An event that only a response ends, when every response that would end it comes from
// a device that does not run: nothing but Escape could end it. Null when there is none.
const VTPlannedEvent* EventOnlyAbsentDevicesEnd(const VTRunPlan& plan, const VTRunSettings& settings, int& deviceOut)
{
    auto runs = [&](int pluginID) {
        if (pluginID == InputPlugIn::Keyboard) return true;
        for (VantrelSDK::VTSdkInputPlugin* input : settings.inputPlugins)
            if (input && input->GetPlugInID() == pluginID) return true;
        return false;
    };
    auto stranded = [&](const VTPlannedEvent& event) {
        if (event.endsImmediately || event.timeLimitMs >= 0 || !event.recordsResponses || event.accepted.empty())
            return false;
        bool endsByResponse = false;
        for (const VTPlannedResponse& r : event.accepted) {
            if (!r.endsEvent) continue;
            if (runs(r.pluginID)) return false;
            endsByResponse = true;
            deviceOut = r.pluginID;
        }
        return endsByResponse;
    };
    auto inBlocks = [&](const std::vector<VTPlannedBlock>& blocks) -> const VTPlannedEvent* {
        for (const VTPlannedBlock& block : blocks)
            for (const VTPlannedTrial& trial : block.trials)
                for (const VTPlannedEvent& event : trial.events)
                    if (stranded(event)) return &event;
        return nullptr;
    };
    if (const VTPlannedEvent* event = inBlocks(plan.blocks)) return event;
    if (const VTPlannedEvent* event = inBlocks(plan.otherBlocks)) return event;
    for (const VTPlannedEvent& event : plan.ruleEvents)
        if (stranded(event)) return &event;
    return nullptr;
}

// Between two stimuli that both raise the light-sensor patch, the patch is down for
// at least one frame of the display, so that every onset is a transition the sensor sees.
void LowerSensorPatchForAFrame(VTPresenterFrame& frame)
{
    if (!frame.IsSensorPatchUp()) return;
    frame.ShowSensorPatch(false);
    frame.PaintNow();
    VTTimer& timer = VTTimer::GetTimer();
    const unsigned long long end = timer.GetElapsedMicroseconds() + frame.FramePeriodMicroseconds();
    while (timer.GetElapsedMicroseconds() < end) EventWait::PumpOnce();
}

// Correctness is scored only against the event's defined responses.
bool Scored(const VTPlannedEvent& event) { return event.recordsResponses && !event.accepted.empty(); }

double Milliseconds(unsigned long long microseconds) { return double(microseconds) / 1000.0; }

// The data-file rows of one presented event: one row, or one per word shown.
// `base` holds what every row of the event shares (names, numbers, correct responses,
// where the stimulus was drawn).
std::vector<VTDataFileRow> RowsOfEvent(const VTRunPlan& plan, const VTDataFileRow& base,
                                       const VTEventPresentation& presentation, const EventWait& wait,
                                       unsigned long long onset, unsigned long long reactionTimerStart)
{
    const VTPlannedEvent& event = presentation.GetEvent();
    std::vector<VTDataFileRow> rows;
    const std::vector<VantrelSDK::VTSdkSegmentTime> segments = presentation.GetSegmentTimes();
    if (segments.empty()) {
        VTDataFileRow row = base;
        row.stimulus = event.stimulusLabel;
        row.hasOnset = true;
        row.onsetMs = Milliseconds(onset);
        if (event.recordsResponses) {
            if (wait.Responded()) {
                row.response = wait.Matched().name;
                row.hasReactionTime = true;
                // From the last event that reset the reaction timer (this one unless
                // it leaves the timer running).
                row.reactionTimeMs = Milliseconds(wait.ResponseTime() - std::min(reactionTimerStart, onset));
                row.correctness = wait.SelfCorrected()     ? plan.codeSelfCorrect
                                  : wait.Matched().correct ? plan.codeCorrect
                                                           : plan.codeIncorrect;
            } else {
                row.correctness = plan.codeNoResponse;
            }
            if (!Scored(event)) row.correctness.clear();
        }
        rows.push_back(row);
        return rows;
    }
    // A response that ended a rapid presentation belongs to the word shown at its time.
    size_t responseSegment = segments.size();
    if (event.recordsResponses && wait.Responded() && !presentation.TakesStepResponses())
        for (size_t i = 0; i < segments.size(); ++i)
            if (segments[i].onsetMicroseconds <= wait.ResponseTime()) responseSegment = i;
    for (size_t i = 0; i < segments.size(); ++i) {
        const VantrelSDK::VTSdkSegmentTime& segment = segments[i];
        VTDataFileRow row = base;
        row.stimulus = segment.text;
        row.hasOnset = true;
        row.onsetMs = Milliseconds(segment.onsetMicroseconds);
        // Each word was drawn in its own place.
        row.hasStimulusRect = segment.hasRect;
        row.stimulusRect = segment.rect;
        if (event.recordsResponses) {
            if (segment.answered) {
                row.response = segment.responseName;
                row.hasReactionTime = true;
                row.reactionTimeMs = Milliseconds(segment.responseMicroseconds - segment.onsetMicroseconds);
                row.correctness = segment.responseCorrect ? plan.codeCorrect : plan.codeIncorrect;
            } else if (i == responseSegment) {
                row.response = wait.Matched().name;
                row.hasReactionTime = true;
                row.reactionTimeMs = Milliseconds(wait.ResponseTime() - segment.onsetMicroseconds);
                row.correctness = wait.Matched().correct ? plan.codeCorrect : plan.codeIncorrect;
            } else {
                row.correctness = plan.codeNoResponse;
            }
            if (!Scored(event)) row.correctness.clear();
        }
        rows.push_back(row);
    }
    return rows;
}

// One run in progress, on a window, poller and data file that Run() has started: the
// cursor decides what comes next, the rules decide as the run goes.
class RunSession
{
public:
    enum class Status
    {
        Going,
        Cancelled,
        DataFailed,
        // A stimulus could not be presented; GetStimulusFailure() says which and why.
        StimulusFailed
    };

    RunSession(const VTRunPlan& plan, const VTRunSettings& settings, VTRunReport& report, VTPresenterFrame& frame,
               VTInputPoller& poller, VTDataFile& file)
        : m_Plan(plan),
          m_Report(report),
          m_Frame(frame),
          m_Poller(poller),
          m_File(file),
          m_Cursor(plan),
          m_Environment(settings.subjectName),
          m_Screenshots(settings.saveScreenshots && file.IsOpen() ? settings.dataFile : wxString())
    {
        m_Environment.Parameters().Start(plan.parameters);
        m_Cursor.SetClock([] { return VTTimer::GetTimer().GetElapsedMicroseconds(); });
        m_Environment.Tags().Start(plan.trialTags);
        m_Cursor.SetWhenToPresent([this](size_t criteria, const VTPlannedTrial* trial) {
            // Trial criteria of a "When to Present" speak of the trial about to be presented.
            if (trial) m_CandidateLevels = LevelsWithMoves(*trial);
            m_Environment.SetCandidateTrial(trial ? trial->trialID : -1, trial ? &m_CandidateLevels : nullptr);
            const bool present = criteria < m_Plan.rules.size() &&
                                 VTRuleEvaluator::CriteriaMet(m_Plan.rules[criteria], m_Environment,
                                                              VTTimer::GetTimer().GetElapsedMicroseconds());
            m_Environment.SetCandidateTrial(-1, nullptr);
            return present;
        });
    }

    // Every block presentation until the run is over, cancelled, or its data cannot be kept.
    Status Run()
    {
        if (const VTPlannedEvent* first = m_Cursor.PredictNextEvent()) m_Next = PrepareEvent(*first, m_Frame);
        Status status = Status::Going;
        while (status == Status::Going) {
            const VTPlannedBlock* block = m_Cursor.NextBlock();
            if (!block) break;
            status = RunBlock(*block);
        }
        m_Next.reset();
        return status;
    }

    const VTRunCursor& GetCursor() const { return m_Cursor; }
    const wxString& GetStimulusFailure() const { return m_StimulusFailure; }

private:
    // One presentation of a block: its trials, then its rules (and the events they present).
    Status RunBlock(const VTPlannedBlock& block)
    {
        m_Environment.StartBlockPresentation();
        std::vector<int> trialIDs;
        for (const VTPlannedTrial& trial : block.trials) trialIDs.push_back(trial.trialID);
        m_Environment.SetBlockTrials(std::move(trialIDs));
        Status status = Status::Going;
        while (status == Status::Going) {
            const VTPlannedTrial* trial = m_Cursor.NextTrial();
            if (!trial) break;
            status = RunTrial(block, *trial);
            if (status == Status::Going && PauseIsDue(block)) status = Pause(block);
        }
        if (status != Status::Going || m_Cursor.IsRunOver()) return status;
        m_Cursor.ApplyBlockDecision(Decide(block.rules));
        return RunEvents(block, nullptr);
    }

    // One presentation of a trial: its start period, its events, its rules, and the
    // events its rules present.
    Status RunTrial(const VTPlannedBlock& block, const VTPlannedTrial& trial)
    {
        VantrelSDK::TrialInfoNecessities info;
        info.blockIndex = m_Cursor.GetBlockNumber() - 1;
        info.trialIndex = m_Cursor.GetTrialNumber() - 1;
        info.blockID = block.blockID;
        info.trialID = trial.trialID;
        m_Poller.StartTrial(info);
        StartTrialLevels(trial);
        m_Environment.StartTrialPresentation(trial.trialID, &m_TrialLevels);
        Status status = Status::Going;
        // A paced trial before this one set when this one starts.
        if (m_PacedStart > VTTimer::GetTimer().GetElapsedMicroseconds()) {
            m_Frame.ShowBlank();
            m_Frame.ShowSensorPatch(false);
            m_Frame.PaintNow();
            if (!EventWait::HoldUntil(m_Frame, m_PacedStart)) status = Status::Cancelled;
        }
        m_PacedStart = 0;
        if (status == Status::Going) status = RunEvents(block, &trial);
        m_Environment.EndTrialPresentation();
        if (status == Status::Going && !m_Cursor.IsRunOver()) {
            m_Cursor.ApplyTrialDecision(Decide(trial.rules));
            status = RunEvents(block, &trial);
        }
        if (status == Status::Going) m_Screenshots.Take(m_Frame, trial.name);
        m_Poller.EndTrial();
        return status;
    }

    // The block's pause, after every so many trials it counts, when more are to come.
    bool PauseIsDue(const VTPlannedBlock& block) const
    {
        if (block.pauseEvery == 0 || m_Cursor.IsRunOver() || !m_Cursor.WasLastTrialCounted()) return false;
        return m_Cursor.GetCountedTrials() % block.pauseEvery == 0 && m_Cursor.HasTrialToCome();
    }

    // Shows the block's pause message until the participant presses any key or
    // button of a device the run uses (Escape still asks to stop).
    Status Pause(const VTPlannedBlock& block)
    {
        m_Report.pauses.push_back({m_Cursor.GetBlockNumber(), m_Cursor.GetTrialNumber(), block.pauseMessage});
        m_Frame.ShowSensorPatch(false);
        m_Frame.SetStimulusPlacement(wxPoint(), wxNullColour);
        m_Frame.ShowText(block.pauseMessage);
        m_Frame.PaintNow();
        m_Frame.DropQueuedKeys();
        m_Poller.FlushAndStartPolling();
        m_Poller.StartEventInput();
        Status status = Status::Going;
        for (bool pressed = false; !pressed;) {
            if (m_Frame.TakeEscape() && EventWait::ConfirmCancelOn(m_Frame)) {
                status = Status::Cancelled;
                break;
            }
            VTPresenterFrame::Key key;
            while (m_Frame.TakeKey(key)) pressed = pressed || key.phase == 1;
            VTInputPoller::Detected detected;
            while (m_Poller.TakeDetected(detected))
                pressed = pressed || (detected.response && detected.response->GetResponseType() == 1);
            if (!pressed) EventWait::PumpOnce();
        }
        m_Poller.EndEventInput(true);
        m_Frame.ShowBlank();
        m_Frame.PaintNow();
        return status;
    }

    // The events the cursor gives until the current presentation has none left.
    Status RunEvents(const VTPlannedBlock& block, const VTPlannedTrial* trial)
    {
        Status status = Status::Going;
        while (status == Status::Going) {
            const VTPlannedEvent* event = m_Cursor.NextEvent();
            if (!event) break;
            status = RunEvent(block, trial, *event);
        }
        return status;
    }

    VTFlowDecision Decide(const std::vector<size_t>& rules)
    {
        if (rules.empty()) return VTFlowDecision();
        VTFlowDecision decision =
            VTRuleEvaluator::RunRules(m_Plan.rules, rules, m_Environment, VTTimer::GetTimer().GetElapsedMicroseconds());
        // Kept for the rest of the run; what is on screen now stays until the next paint.
        if (decision.background.IsOk()) m_Frame.SetBackground(decision.background);
        MoveLevels(decision.levelMoves);
        return decision;
    }

    // A move starts from the level an earlier move of the same variable left, else from
    // the level of the trial presented last.
    void MoveLevels(const std::vector<VTPlannedAction>& moves)
    {
        auto stream = Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed();
        const VTLevelDraw draw = [stream](std::size_t n) { return std::size_t(stream->Draw(0, int(n) - 1)); };
        for (const VTPlannedAction& move : moves) {
            if (move.target < 0 || std::size_t(move.target) >= m_Plan.variables.size()) continue;
            const auto moved = m_MovedLevels.find(move.target);
            const int current = moved != m_MovedLevels.end() ? moved->second
                                : std::size_t(move.target) < m_TrialLevels.size()
                                    ? m_TrialLevels[std::size_t(move.target)]
                                    : 0;
            m_MovedLevels[move.target] =
                MovedLevel(m_Plan.variables[std::size_t(move.target)], current, move.operation, move.number, draw);
        }
    }

    // The trial's levels with the levels rules moved in their place.
    std::vector<int> LevelsWithMoves(const VTPlannedTrial& trial) const
    {
        std::vector<int> levels = trial.levelIndexes;
        for (const auto& [variable, level] : m_MovedLevels)
            if (std::size_t(variable) < levels.size()) levels[std::size_t(variable)] = level;
        return levels;
    }

    // The levels (and their data-file labels) the trial is presented with. A moved level of
    // a manually selected variable stays until moved again; of any other variable it
    // stands for this one trial, then the variable's own selection goes on.
    void StartTrialLevels(const VTPlannedTrial& trial)
    {
        m_TrialLevels = LevelsWithMoves(trial);
        m_TrialLabels = trial.levels;
        for (auto it = m_MovedLevels.begin(); it != m_MovedLevels.end();) {
            const VTPlannedVariable& variable = m_Plan.variables[std::size_t(it->first)];
            const int level = it->second;
            if (variable.column >= 0 && std::size_t(variable.column) < m_TrialLabels.size() && level >= 0 &&
                std::size_t(level) < variable.levels.size())
                m_TrialLabels[std::size_t(variable.column)] = variable.levels[std::size_t(level)].label;
            it = variable.manual ? std::next(it) : m_MovedLevels.erase(it);
        }
    }

    // The presentation prepared for `event`: the one prepared while the previous event
    // ran when the run went the way it predicted, else a fresh one (a decision changed course).
    std::unique_ptr<VTEventPresentation> TakePrepared(const VTPlannedEvent& event)
    {
        std::unique_ptr<VTEventPresentation> presentation = std::move(m_Next);
        if (presentation && &presentation->GetEvent() != &event) {
            presentation.reset();
            ++m_Report.discardedPreparations;
        }
        if (!presentation) presentation = PrepareEvent(event, m_Frame);
        return presentation;
    }

    // One presented event and its data rows (trial null: an event a block rule presents).
    Status RunEvent(const VTPlannedBlock& block, const VTPlannedTrial* trial, const VTPlannedEvent& event)
    {
        std::unique_ptr<VTEventPresentation> presentation = TakePrepared(event);
        if (!WaitUntilPrepared(*presentation, m_Frame)) return Status::Cancelled;
        // A level a rule moved changes only the time limit, place and colour, which act
        // from the onset on: the stimulus prepared ahead stays good.
        VTPlannedEvent leveled;
        const VTPlannedEvent* shown = &event;
        if (trial && m_TrialLevels != trial->levelIndexes) {
            leveled = event;
            ApplyLevelsToEvent(m_Plan.variables, m_TrialLevels, leveled);
            shown = &leveled;
        }
        wxString problem;
        if (presentation->HasFailed(problem)) return StimulusFailed(event, problem);
        if (event.showsSensorPatch) LowerSensorPatchForAFrame(m_Frame);
        // Stale input is flushed before the stimulus appears, and polling goes
        // on while it is drawn: the flush takes no part in the reaction time,
        // and a press stamped before the onset is no answer to this event.
        if (event.recordsResponses) m_Poller.FlushAndStartPolling();
        // The onset is when the plug-in has drawn the stimulus (or handed its
        // first sample to the sound output); the sensor patch goes up with the
        // paint that shows the stimulus.
        m_Frame.ShowSensorPatch(event.showsSensorPatch);
        m_Frame.SetStimulusPlacement(shown->hasPosition ? shown->position : wxPoint(),
                                     shown->hasColour ? shown->colour : wxNullColour);
        m_Frame.BeginStimulus();
        const unsigned long long onset = presentation->Start(m_Frame);
        m_Environment.NoteEventOnset(onset, event.resetsReactionTimer);
        // A paced trial's next trial starts its start period after this first onset.
        if (trial && m_Cursor.GetEventNumber() == 1 && trial->paced)
            m_PacedStart = onset + (unsigned long long)(trial->startPeriodMs) * 1000;
        if (trial && m_Cursor.GetEventNumber() == 1 && m_LastEventEnd)
            m_Report.trialChangeMicroseconds.push_back(onset - std::min(onset, m_LastEventEnd));
        // The next stimulus loads while this one is up, so it too starts at once.
        if (const VTPlannedEvent* following = m_Cursor.PredictNextEvent()) m_Next = PrepareEvent(*following, m_Frame);
        if (event.recordsResponses) m_Poller.StartEventInput();
        EventWait wait(m_Frame, m_Poller, *presentation, *shown, onset);
        const EventWait::Result result = wait.Wait();
        m_LastEventEnd = VTTimer::GetTimer().GetElapsedMicroseconds();
        if (event.recordsResponses) m_Poller.EndEventInput(wait.Responded());
        // Read while the stimulus is still up: the paint that drew it may come
        // after the onset's own.
        wxRect stimulusRect;
        const bool stimulusDrawn = m_Frame.GetStimulusRect(stimulusRect);
        presentation->Stop();
        m_Report.droppedFrames += presentation->GetDroppedFrameCount();
        if (result == EventWait::Result::Cancelled) return Status::Cancelled;
        // What failed while it was presented never reached the participant whole:
        // it gets no row, and the run stops.
        if (result == EventWait::Result::Failed) {
            presentation->HasFailed(problem);
            return StimulusFailed(event, problem);
        }
        // A response that is none of the experiment's defined responses still counts as the last one.
        if (event.recordsResponses && wait.Responded())
            m_Environment.NoteResponse(wait.Matched().responseID >= 0
                                           ? wait.Matched().responseID
                                           : VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined(),
                                       wait.Matched().correct || wait.SelfCorrected(), wait.ResponseTime());
        if (event.recordsResponses && wait.Responded() && wait.Matched().pluginID == InputPlugIn::Keyboard)
            m_Environment.NoteTypedKey(wait.Matched().key);
        VTDataFileRow base;
        base.block = block.name;
        base.trial = trial ? trial->name : wxString();
        base.event = event.name;
        base.blockNumber = m_Cursor.GetBlockNumber();
        base.trialNumber = trial ? m_Cursor.GetTrialNumber() : 0;
        base.eventNumber = m_Cursor.GetEventNumber();
        base.correctResponses = event.correctResponses;
        base.hasStimulusRect = stimulusDrawn;
        base.stimulusRect = stimulusRect;
        if (trial) base.levels = m_TrialLabels;
        const unsigned long long written = VTTimer::GetTimer().GetElapsedMicroseconds();
        for (int index : m_Plan.parameterColumns)
            base.parameters.push_back(m_Environment.Parameters().ColumnValue(index, written, m_Plan.responseNames));
        for (int tagSet : m_Plan.tagColumnSets) {
            const auto name = m_Plan.tagNames.find(trial ? m_Environment.Tags().TagOf(trial->trialID, tagSet) : -1);
            base.tags.push_back(name == m_Plan.tagNames.end() ? wxString() : name->second);
        }
        if (wait.Responded() && wait.FromPlugin()) m_Report.pluginResponseTimes.push_back(wait.ResponseTime());
        for (unsigned long long time : wait.StepPluginTimes()) m_Report.pluginResponseTimes.push_back(time);
        for (const VTDataFileRow& row :
             RowsOfEvent(m_Plan, base, *presentation, wait, onset, m_Environment.GetReactionTimerStart())) {
            m_Report.rows.push_back(row);
            // Data that cannot be kept ends the run here: going on would collect
            // answers that are then lost.
            if (m_File.IsOpen() && !m_File.WriteRow(row)) return Status::DataFailed;
        }
        return Status::Going;
    }

    Status StimulusFailed(const VTPlannedEvent& event, const wxString& problem)
    {
        m_StimulusFailure = StimulusFailureMessage(event, problem);
        return Status::StimulusFailed;
    }

    const VTRunPlan& m_Plan;
    VTRunReport& m_Report;
    VTPresenterFrame& m_Frame;
    VTInputPoller& m_Poller;
    VTDataFile& m_File;
    VTRunCursor m_Cursor;
    DynamicRuntimeEnvironment m_Environment;
    unsigned long long m_LastEventEnd = 0;
    // When the trial after a paced one starts (run-timer microseconds; 0: at once).
    unsigned long long m_PacedStart = 0;
    // The stimulus prepared for the event the cursor predicted would come next.
    std::unique_ptr<VTEventPresentation> m_Next;
    // Levels rules moved, by variable index, not yet taken by a trial (manual ones stay).
    std::map<int, int> m_MovedLevels;
    // The current trial's levels and data-file labels, moves included; the levels a
    // "When to Present" asks about.
    std::vector<int> m_TrialLevels, m_CandidateLevels;
    std::vector<wxString> m_TrialLabels;
    VTTrialScreenshots m_Screenshots;
    wxString m_StimulusFailure;
};
}  // namespace

bool VTRunEngine::IsRunning() { return g_Running; }

std::vector<VantrelSDK::VTSdkInputPlugin*> VTRunEngine::AllLoadedInputPlugins()
{
    std::vector<VTPlugIn*> list;
    VTPlugIn::GetPlugInsList(list, VantrelSDK::VT_PLUGIN_KIND_INPUT);
    std::vector<VantrelSDK::VTSdkInputPlugin*> inputs;
    for (VTPlugIn* plugin : list)
        if (VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr()) inputs.push_back(input);
    return inputs;
}

VTRunOutcome VTRunEngine::Run(const VTRunPlan& plan, const VTRunSettings& settings, VTRunReport* reportOrNull)
{
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    if (g_Running) {
        wxLogError(_("An experiment is already running."));
        return VTRunOutcome::NotStarted;
    }
    VTRunReport localReport;
    VTRunReport& report = reportOrNull ? *reportOrNull : localReport;
    report = VTRunReport();
    presenter->SetLastRunCanceled(true);  // until the run has really ended
    presenter->SetLastRunFailure(wxString());
    auto notStarted = [&](const wxString& why) {
        wxLogError("%s", why);
        report.failure = why;
        presenter->SetLastRunFailure(why);
        return VTRunOutcome::NotStarted;
    };

    // Every stimulus must be presentable before anything is shown or written.
    VTPlugIn::EnsureEventPlugInsLoaded();
    wxString stimulusProblems;
    if (!CheckStimuliBeforeRun(plan, stimulusProblems)) return notStarted(stimulusProblems);

    // A preview is ended with Escape by whoever looks at it; a run must end by itself.
    int absentDevice = -1;
    if (!settings.preview)
        if (const VTPlannedEvent* stranded = EventOnlyAbsentDevicesEnd(plan, settings, absentDevice)) {
            VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(absentDevice);
            return notStarted(wxString::Format(
                _("The event \"%s\" could never end: every response that ends it comes from the input device "
                  "\"%s\", which this run does not use. The experiment was not started."),
                stranded->name, plugin ? plugin->GetName() : wxString::Format("%d", absentDevice)));
        }

    // The data file comes first: a run whose data cannot be kept must not start.
    VTDataFile file;
    if (settings.saveData && !settings.preview) {
        wxString error;
        VTDataFileHeader header{plan.experimentName, settings.subjectName, settings.sessionID, plan.groupName,
                                plan.columns};
        if (!file.Create(settings.dataFile, header, error))
            return notStarted(error + " " + _("The experiment was not started."));
        report.runID = file.GetRunID();
    }

    g_Running = true;
    RunGuard guard;
    VTTimer& timer = VTTimer::GetTimer();
    VTInputPoller poller(settings.inputPlugins, settings.dre);
    timer.Reset();
    timer.ClearCancellationKeypress();

    VantrelSDK::RunningExperimentNecessities necessities;
    necessities.experimentName = plan.experimentName;
    necessities.subjectName = settings.subjectName;
    necessities.sessionID = settings.sessionID;
    necessities.isPreview = settings.preview;
    necessities.screenWidth = presenter->GetScreenWidth();
    necessities.screenHeight = presenter->GetScreenHeight();
    int failedPlugin = -1;
    const int started = poller.StartExperiment(necessities, &failedPlugin);
    if (started != 0) {
        VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(failedPlugin);
        poller.EndExperiment();
        return notStarted(
            wxString::Format(_("The input device \"%s\" is not ready (code %d). The experiment was not started."),
                             plugin ? plugin->GetName() : wxString::Format("%d", failedPlugin), started));
    }

    guard.frame = new VTPresenterFrame();
    guard.frame->SetGrid(settings.showGrid);
    guard.frame->SetBackground(plan.background);
    guard.frame->SetSensorPatch(plan.sensorPatch, plan.sensorPatchColour);
    guard.disabler.reset(new wxWindowDisabler(guard.frame));
    guard.frame->Present();
    presenter->SetVisible(true);
    LogThatSuspendsDuringExpRun::SuspendForRun();
    guard.logSuspended = true;
    {
        wxStopWatch shown;
        while (!guard.frame->IsShownOnScreen() && shown.Time() < 1000) EventWait::PumpOnce();
    }
    VTPresenterFrame& frame = *guard.frame;

    RunSession session(plan, settings, report, frame, poller, file);
    const RunSession::Status status = session.Run();
    const bool cancelled = status == RunSession::Status::Cancelled;
    bool dataFailed = status == RunSession::Status::DataFailed;
    const wxString stimulusFailure = session.GetStimulusFailure();
    const wxString guardReason = session.GetCursor().GetGuardReason();
    // A run the guard ended says so where its data are.
    if (!guardReason.empty() && file.IsOpen() && !file.WriteStopped(guardReason)) dataFailed = true;
    poller.EndExperiment();
    report.pollStats = poller.GetPollStats();
    if (!stimulusFailure.empty() && file.IsOpen() && !dataFailed) file.WriteStopped(stimulusFailure);
    if (!file.Close() || dataFailed) {
        report.failure = file.GetLastError() + " " + _("The experiment was stopped.");
        wxLogError("%s", report.failure);
        presenter->SetLastRunFailure(report.failure);
        presenter->SetLastRunCanceled(true);
        return VTRunOutcome::DataFileFailed;
    }
    if (!stimulusFailure.empty()) {
        report.failure = stimulusFailure;
        wxLogError("%s", report.failure);
        presenter->SetLastRunFailure(report.failure);
        presenter->SetLastRunCanceled(true);
        return VTRunOutcome::StimulusFailed;
    }
    if (!guardReason.empty() && !cancelled) {
        report.failure = guardReason;
        presenter->SetLastRunFailure(guardReason);
        presenter->SetLastRunCanceled(true);
        wxLogError("%s", guardReason);
        return VTRunOutcome::StoppedByGuard;
    }
    presenter->SetLastRunCanceled(cancelled);
    return cancelled ? VTRunOutcome::Cancelled : VTRunOutcome::Completed;
}

}  // namespace Vantrel

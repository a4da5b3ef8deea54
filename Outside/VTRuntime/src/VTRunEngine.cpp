#include "VTRuntime/VTRunEngine.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "VTPlugInCommon/ProcessServices.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTEventPresentation.h"
#include "VTOnScreenMatch.h"
#include "VTPresenterFrame.h"
#include "VTRuntime/VTPlugIn.h"

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
        Cancelled
    };

    EventWait(VTPresenterFrame& frame, VTInputPoller& poller, VTEventPresentation& presentation,
              unsigned long long onsetMicroseconds)
        : m_Frame(frame),
          m_Poller(poller),
          m_Presentation(presentation),
          m_Event(presentation.GetEvent()),
          m_Onset(onsetMicroseconds)
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
            if (m_Presentation.IsFinished()) return m_Responded ? Result::Response : Result::Ended;
            if (limit >= 0 && timer.GetElapsedMicroseconds() >= m_Onset + static_cast<unsigned long long>(limit) * 1000)
                return m_Responded ? Result::Response : Result::TimeLimit;
            PumpOnce();
        }
    }

    // Holds the display for `ms` (trial start periods), still answering Escape.
    static bool Pause(VTPresenterFrame& frame, int ms)
    {
        VTTimer& timer = VTTimer::GetTimer();
        const unsigned long long end = timer.GetElapsedMicroseconds() + static_cast<unsigned long long>(ms) * 1000;
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

// The event that follows event e of trial t of block b, or null after the last.
const VTPlannedEvent* FollowingEvent(const VTRunPlan& plan, size_t b, size_t t, size_t e)
{
    for (++e; b < plan.blocks.size(); ++b, t = 0, e = 0)
        for (; t < plan.blocks[b].trials.size(); ++t, e = 0)
            if (e < plan.blocks[b].trials[t].events.size()) return &plan.blocks[b].trials[t].events[e];
    return nullptr;
}

// Starts loading an event's stimulus on the frame; a stimulus that cannot be loaded
// is reported with its event and shows as a blank display.
std::unique_ptr<VTEventPresentation> PrepareEvent(const VTPlannedEvent& event, VTPresenterFrame& frame)
{
    auto presentation = std::make_unique<VTEventPresentation>(event);
    wxString problem;
    if (!presentation->Prepare(frame, problem))
        wxLogError(_("The stimulus of the event \"%s\" cannot be presented: %s"), event.name, problem);
    return presentation;
}

// Pumps until the stimulus can start (it usually is by then: it was prepared while
// the previous event ran). False when the participant cancelled meanwhile.
bool WaitUntilPrepared(VTEventPresentation& presentation, VTPresenterFrame& frame)
{
    const long kBoundMs = 10000;
    wxStopWatch waited;
    bool failed = false;
    wxString problem;
    while (!presentation.IsPrepared(failed, problem) && !failed) {
        if (frame.TakeEscape() && EventWait::ConfirmCancelOn(frame)) return false;
        if (waited.Time() > kBoundMs) {
            problem = wxString::Format(_("it was not ready after %ld seconds"), kBoundMs / 1000);
            failed = true;
            break;
        }
        EventWait::PumpOnce();
    }
    if (failed)
        wxLogError(_("The stimulus of the event \"%s\" cannot be presented: %s"), presentation.GetEvent().name,
                   problem);
    return true;
}

double Milliseconds(unsigned long long microseconds) { return double(microseconds) / 1000.0; }

// The data-file rows of one presented event: one row, or one per word shown.
// `base` holds what every row of the event shares (names, numbers, correct responses,
// where the stimulus was drawn).
std::vector<VTDataFileRow> RowsOfEvent(const VTRunPlan& plan, const VTDataFileRow& base,
                                       const VTEventPresentation& presentation, const EventWait& wait,
                                       unsigned long long onset)
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
                row.reactionTimeMs = Milliseconds(wait.ResponseTime() - onset);
                row.correctness = wait.SelfCorrected()     ? plan.codeSelfCorrect
                                  : wait.Matched().correct ? plan.codeCorrect
                                                           : plan.codeIncorrect;
            } else {
                row.correctness = plan.codeNoResponse;
            }
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
            } else if (presentation.TakesStepResponses()) {
                row.correctness = plan.codeNoResponse;
            }
        }
        rows.push_back(row);
    }
    return rows;
}
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
    if (!CheckStimuliBeforeRun(plan, stimulusProblems)) {
        wxLogError("%s", stimulusProblems);
        return VTRunOutcome::NotStarted;
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

    bool cancelled = false;
    bool dataFailed = false;
    std::unique_ptr<VTEventPresentation> next;
    if (const VTPlannedEvent* first = FollowingEvent(plan, 0, 0, size_t(-1))) next = PrepareEvent(*first, frame);
    for (size_t b = 0; b < plan.blocks.size() && !cancelled && !dataFailed; ++b) {
        const VTPlannedBlock& block = plan.blocks[b];
        for (size_t t = 0; t < block.trials.size() && !cancelled && !dataFailed; ++t) {
            const VTPlannedTrial& trial = block.trials[t];
            VantrelSDK::TrialInfoNecessities info;
            info.blockIndex = int(b);
            info.trialIndex = int(t);
            info.blockID = block.blockID;
            info.trialID = trial.trialID;
            poller.StartTrial(info);
            if (trial.startPeriodMs > 0) {
                frame.ShowBlank();
                frame.ShowSensorPatch(false);
                frame.PaintNow();
                if (!EventWait::Pause(frame, trial.startPeriodMs)) {
                    cancelled = true;
                    break;
                }
            }
            for (size_t e = 0; e < trial.events.size() && !dataFailed; ++e) {
                std::unique_ptr<VTEventPresentation> presentation = std::move(next);
                if (!presentation) presentation = PrepareEvent(trial.events[e], frame);
                if (!WaitUntilPrepared(*presentation, frame)) {
                    cancelled = true;
                    break;
                }
                const VTPlannedEvent& event = trial.events[e];
                // Stale input is flushed before the stimulus appears, and polling goes
                // on while it is drawn: the flush takes no part in the reaction time,
                // and a press stamped before the onset is no answer to this event.
                if (event.recordsResponses) poller.FlushAndStartPolling();
                // The onset is when the plug-in has drawn the stimulus (or handed its
                // first sample to the sound output); the sensor patch goes up with the
                // paint that shows the stimulus.
                frame.ShowSensorPatch(event.showsSensorPatch);
                frame.SetStimulusPlacement(event.hasPosition ? event.position : wxPoint(),
                                           event.hasColour ? event.colour : wxNullColour);
                const unsigned long long onset = presentation->Start(frame);
                // The next stimulus loads while this one is up, so it too starts at once.
                if (const VTPlannedEvent* following = FollowingEvent(plan, b, t, e))
                    next = PrepareEvent(*following, frame);
                if (event.recordsResponses) poller.StartEventInput();
                EventWait wait(frame, poller, *presentation, onset);
                const EventWait::Result result = wait.Wait();
                if (event.recordsResponses) poller.EndEventInput(wait.Responded());
                // Read while the stimulus is still up: the paint that drew it may come
                // after the onset's own.
                wxRect stimulusRect;
                const bool stimulusDrawn = frame.GetStimulusRect(stimulusRect);
                presentation->Stop();
                report.droppedFrames += presentation->GetDroppedFrameCount();
                if (result == EventWait::Result::Cancelled) {
                    cancelled = true;
                    break;
                }
                VTDataFileRow base;
                base.block = block.name;
                base.trial = trial.name;
                base.event = event.name;
                base.blockNumber = int(b) + 1;
                base.trialNumber = int(t) + 1;
                base.eventNumber = int(e) + 1;
                base.correctResponses = event.correctResponses;
                base.hasStimulusRect = stimulusDrawn;
                base.stimulusRect = stimulusRect;
                base.levels = trial.levels;
                if (wait.Responded() && wait.FromPlugin()) report.pluginResponseTimes.push_back(wait.ResponseTime());
                for (unsigned long long time : wait.StepPluginTimes()) report.pluginResponseTimes.push_back(time);
                for (const VTDataFileRow& row : RowsOfEvent(plan, base, *presentation, wait, onset)) {
                    report.rows.push_back(row);
                    // Data that cannot be kept ends the run here: going on would collect
                    // answers that are then lost.
                    if (file.IsOpen() && !file.WriteRow(row)) {
                        dataFailed = true;
                        break;
                    }
                }
            }
            poller.EndTrial();
        }
    }
    poller.EndExperiment();
    report.pollStats = poller.GetPollStats();
    if (!file.Close() || dataFailed) {
        report.failure = file.GetLastError() + " " + _("The experiment was stopped.");
        wxLogError("%s", report.failure);
        presenter->SetLastRunFailure(report.failure);
        presenter->SetLastRunCanceled(true);
        return VTRunOutcome::DataFileFailed;
    }
    presenter->SetLastRunCanceled(cancelled);
    return cancelled ? VTRunOutcome::Cancelled : VTRunOutcome::Completed;
}

}  // namespace Vantrel

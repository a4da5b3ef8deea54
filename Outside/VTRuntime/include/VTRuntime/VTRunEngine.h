#pragma once
// Presents a run plan on screen and collects its responses.
//
// The run decides as it goes (VTRunCursor): after each trial presentation its rules
// run, after each block presentation the block's rules, and what they decide (exit,
// repeat, skip, present another block or event, go back) changes what comes next.
// Data rows are numbered by presentation. A run that reaches the run guard
// (VTRunPlan::maxTrialPresentations, maxEventPresentations) ends with StoppedByGuard.
//
// Every stimulus is presented by the event-type plug-in of its event's type (see
// VTSdkEventInstance): before the run each stimulus file is checked by its plug-in
// and a run with a stimulus that cannot be presented does not start; each stimulus
// is prepared while the event before it runs, so it starts at once.
//
// Run() returns only when the run has ended. It covers the display with the
// presentation window and runs its own loop on the GUI thread (other windows take no
// input meanwhile; timers, idle events and pending calls still run). Each event shows
// its stimulus until an accepted response arrives or its time limit ends. Responses
// come from the keyboard (plug-in id InputPlugIn::Keyboard, key codes as wxWidgets gives
// them, letters in upper case) and from every input plug-in given, which the runtime
// thread polls. Escape asks the participant to confirm ("Stop the experiment?", a
// wxMessageDialog with Yes and No) and Yes ends the run as cancelled.
//
// Between trials: the trial after a paced one starts its start period after the
// paced trial's first onset (a blank screen until then), and a block's pause shows
// its message until a key or a button of a device the run uses is pressed (reported
// in VTRunReport::pauses, not in the data file).

#include <wx/string.h>

#include <boost/shared_ptr.hpp>

#include <vector>

#include "VTRuntime/VTDataFile.h"
#include "VTRuntime/VTInputPoller.h"
#include "VTRuntime/VTRunPlan.h"

#include <VTCore/VTResponse.h>

namespace VantrelSDK {
class Interface_DREForPlugins;
class VTSdkInputPlugin;
}  // namespace VantrelSDK

namespace Vantrel {

struct VTRunSettings
{
    bool saveData = false;
    wxString dataFile;
    wxString subjectName;
    wxString sessionID;
    bool preview = false;
    bool showGrid = false;
    // One PNG of the display per trial beside the data file (needs saveData).
    bool saveScreenshots = false;
    // The input plug-ins polled during the run.
    std::vector<VantrelSDK::VTSdkInputPlugin*> inputPlugins;
    // Gives plug-in responses the ids of the experiment's defined responses; may be null.
    boost::shared_ptr<VantrelSDK::Interface_DREForPlugins> dre;
};

enum class VTRunOutcome
{
    Completed,
    Cancelled,
    NotStarted,
    // A row, the flush or the sync of the data file failed: the run stopped there.
    DataFileFailed,
    // The run presented as many trials or events as a run may (the run guard) and
    // stopped there; the reason is the data file's last line and the report's failure.
    StoppedByGuard,
    // A stimulus could not be presented after the run had begun (its file changed, the
    // sound output could not be made, a decoder failed while it played): the run
    // stopped there, without a row for that event.
    StimulusFailed
};

// A block's pause shown during a run: after which trial, with what message.
struct VTRunPause
{
    int blockNumber = 0;
    int trialNumber = 0;
    wxString message;
};

// What a run collected, for callers and tests.
struct VTRunReport
{
    // The pauses shown, in order.
    std::vector<VTRunPause> pauses;
    std::vector<VTDataFileRow> rows;
    VTInputPoller::PollStats pollStats;
    wxString runID;
    // Run-timer microseconds of each accepted plug-in response, in order.
    std::vector<unsigned long long> pluginResponseTimes;
    // Film frames that fell due but never reached the display.
    unsigned long droppedFrames = 0;
    // For each trial presentation after the first: run-timer microseconds from the end
    // of the previous trial's last event (its rules included) to this trial's first onset.
    std::vector<unsigned long long> trialChangeMicroseconds;
    // Stimuli prepared ahead for an event that a decision then replaced.
    unsigned long discardedPreparations = 0;
    // Why the run did not start or was stopped; empty when it completed or was cancelled.
    wxString failure;
};

class VTRunEngine
{
public:
    // Not started: a stimulus cannot be presented (all of them named in one logged
    // error), another run is on, the data file cannot be created (logged at
    // error level before anything is shown), or an input plug-in does not start
    // (logged). A data file that cannot be written during the run stops it at once
    // (DataFileFailed, logged), and so does a stimulus that fails once the run has
    // begun (StimulusFailed: logged once, the event and its file named, and the data
    // file's last line "Stopped<TAB>" the same message). Those count as cancelled for
    // WasLastRunCanceled(), and the presenter's GetLastRunFailure() says why.
    static VTRunOutcome Run(const VTRunPlan& plan, const VTRunSettings& settings, VTRunReport* reportOrNull = nullptr);
    static bool IsRunning();
    // The input plug-ins the manager has loaded.
    static std::vector<VantrelSDK::VTSdkInputPlugin*> AllLoadedInputPlugins();
};

}  // namespace Vantrel

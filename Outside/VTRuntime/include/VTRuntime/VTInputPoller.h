#pragma once
// The one runtime thread that drives input plug-ins during a run.
//
// Every plug-in call of a run happens on this thread, never concurrently. While an
// event waits for input the thread calls each plug-in's detection function in turn,
// sleeping at most 1 ms between sweeps (normally about 0.1 ms). A detected response is
// stamped with the run timer at the moment of detection and queued for the GUI thread.

#include <boost/shared_ptr.hpp>

#include <functional>
#include <memory>
#include <vector>

namespace VantrelSDK {
class Interface_DREForPlugins;
class VTSdkBaseResponse;
class VTSdkInputPlugin;
struct RunningExperimentNecessities;
struct TrialInfoNecessities;
}  // namespace VantrelSDK

namespace Vantrel {

class VTInputPoller
{
public:
    struct Detected
    {
        int pluginID = -1;
        boost::shared_ptr<VantrelSDK::VTSdkBaseResponse> response;
        // Run-timer microseconds: when the detection function reported the response
        // (or the plug-in's own earlier time, when it reports one).
        unsigned long long timeMicroseconds = 0;
    };
    struct PollStats
    {
        unsigned long long sweeps = 0;
        double meanGapMicroseconds = 0;
        double maxGapMicroseconds = 0;
        unsigned long long gapsOver1ms = 0;  // sweeps that came more than 1 ms after the previous one
        // What the polling thread was granted: a real-time slot, a raised priority, or neither.
        enum class Scheduling
        {
            Unknown,
            RealTime,
            RaisedPriority,
            Normal
        } scheduling = Scheduling::Unknown;
    };

    // `dre` must outlive the poller. The thread starts at once and idles until armed.
    VTInputPoller(const std::vector<VantrelSDK::VTSdkInputPlugin*>& plugins,
                  boost::shared_ptr<VantrelSDK::Interface_DREForPlugins> dre);
    ~VTInputPoller();

    // Each call below runs on the runtime thread; the caller waits for it to finish.
    // The first plug-in's non-zero start result, or 0; `failedPluginID` names it.
    int StartExperiment(VantrelSDK::RunningExperimentNecessities& necessities, int* failedPluginID);
    void StartTrial(const VantrelSDK::TrialInfoNecessities& trial);
    // Flushes stale input, then polls until EndEventInput. Called before the stimulus
    // is drawn: what arrives meanwhile is stamped, and the caller drops it by its time.
    void FlushAndStartPolling();
    // The event's input period begins (after the onset); polls too if not yet polling.
    void StartEventInput();
    void EndEventInput(bool responded);
    void EndTrial();
    void EndExperiment();

    // GUI thread: the next detected response, if any.
    bool TakeDetected(Detected& out);
    // Called on the runtime thread after each detection (e.g. to wake the GUI thread).
    void SetDetectionNotifier(std::function<void()> notify);
    PollStats GetPollStats() const;
    static const char* SchedulingName(PollStats::Scheduling scheduling);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

}  // namespace Vantrel

#pragma once
// What the response-latency benchmarks share: a wx application with a display and an
// active event loop around the measurement (a run pumps it), the plan of waiting
// events they answer, and percentiles.

#include <VTRuntime/VTRunPlan.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace LatencyBench {

inline double Percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p / 100.0 * double(values.size() - 1) + 0.5));
    return values[index];
}

// One block of one trial of `count` text events ("+") that each wait up to
// `timeLimitMs` for any response; `eachEvent(i)` runs as event i is added.
inline Vantrel::VTRunPlan WaitingEventsPlan(const char* experimentName, int count, long timeLimitMs,
                                            const std::function<void(int)>& eachEvent = {})
{
    Vantrel::VTRunPlan plan;
    plan.experimentName = experimentName;
    Vantrel::VTPlannedBlock block;
    Vantrel::VTPlannedTrial trial;
    for (int i = 0; i < count; ++i) {
        Vantrel::VTPlannedEvent event;
        event.name = "Wait";
        event.pluginID = 330;
        event.kind = Vantrel::VTPlannedEvent::StimulusKind::Text;
        event.text = "+";
        event.timeLimitMs = timeLimitMs;
        trial.events.push_back(event);
        if (eachEvent) eachEvent(i);
    }
    block.trials.push_back(trial);
    plan.blocks.push_back(block);
    return plan;
}

class App : public wxApp
{
public:
    bool OnInit() override { return true; }
};

// Starts wx, runs `bench` inside a GUI event loop and ends wx; `bench`'s code, or 2
// without a display.
inline int RunWithDisplay(const char* programName, const std::function<int()>& bench)
{
    wxApp::SetInstance(new App);
    int one = 1;
    std::string name(programName);
    char* args[] = {&name[0], nullptr};
    if (!wxEntryStart(one, args)) {
        std::fprintf(stderr, "Needs a display: run it under xvfb-run -a.\n");
        return 2;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    int rc = 1;
    if (wxTheApp->CallOnInit()) {
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        rc = bench();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}

}  // namespace LatencyBench

// Mouse against keyboard in one run: clicks and key presses are injected in turn
// through XTest while a real run presents events that take any response; reports,
// for each, the recorded time minus the injected time (median and p99).
//
//   xvfb-run -a build/bin/mouse-latency-bench [responses]   (default 400, half of each)

#include <wx/log.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "LatencyBenchApp.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTPlugIn.h"
#include "VTRuntime/VTRunEngine.h"

namespace {

constexpr int kMouse = 2250;

wxTopLevelWindow* Presentation()
{
    for (wxWindow* w : wxTopLevelWindows)
        if (w->GetLabel() == "Study Station Presentation" && w->IsShownOnScreen())
            return static_cast<wxTopLevelWindow*>(w);
    return nullptr;
}

// Injects a click or a key press every `gapMs`, in turn, noting the run-timer time
// just before each goes to the X server.
class Injector : public wxTimer
{
public:
    Injector(int count, long gapMs) : m_Left(count), m_GapMs(gapMs) {}
    struct Sent
    {
        bool mouse;
        double ms;
    };
    std::vector<Sent> sent;

    void Notify() override
    {
        wxTopLevelWindow* window = Presentation();
        if (!window) return;
        wxUIActionSimulator sim;
        if (!m_Placed) {
            const wxRect r = window->GetScreenRect();
            sim.MouseMove(r.GetPosition() + wxSize(r.width / 2, r.height / 2));
            sim.MouseClick();  // gives the window the keyboard; before any onset, so no answer
            m_Placed = true;
            Start(int(m_GapMs));
            return;
        }
        if (m_Left-- <= 0) {
            Stop();
            return;
        }
        const bool mouse = sent.size() % 2 == 0;
        sent.push_back({mouse, Vantrel::VTTimer::GetTimer().GetElapsedMilliseconds()});
        if (mouse)
            sim.MouseClick();
        else
            sim.Char('A');
    }

private:
    int m_Left;
    long m_GapMs;
    bool m_Placed = false;
};

int Bench(int count)
{
    Vantrel::VTPlugIn::LocateAllInFolder(STUDYSTATION_PLUGIN_DIR, nullptr);
    Vantrel::VTRunSettings settings;
    for (VantrelSDK::VTSdkInputPlugin* p : Vantrel::VTRunEngine::AllLoadedInputPlugins())
        if (p->GetPlugInID() == kMouse) settings.inputPlugins.push_back(p);
    if (settings.inputPlugins.empty()) {
        std::fprintf(stderr, "The mouse plug-in did not load from %s\n", STUDYSTATION_PLUGIN_DIR);
        return 1;
    }

    // Every event takes any press, so each injection answers the event it finds
    // waiting; more events than injections, so none is short of one.
    const Vantrel::VTRunPlan plan = LatencyBench::WaitingEventsPlan("Mouse latency", count, 400);

    Injector injector(count, 60);
    injector.Start(20);
    Vantrel::VTRunReport report;
    if (Vantrel::VTRunEngine::Run(plan, settings, &report) != Vantrel::VTRunOutcome::Completed) return 1;
    injector.Stop();

    // Each recorded answer belongs to the last injection sent before it.
    std::vector<double> mouse, keyboard;
    for (const Vantrel::VTDataFileRow& row : report.rows) {
        if (!row.hasReactionTime) continue;
        const double recorded = row.onsetMs + row.reactionTimeMs;
        const Injector::Sent* match = nullptr;
        for (const Injector::Sent& s : injector.sent)
            if (s.ms <= recorded) match = &s;
        if (!match) continue;
        (match->mouse ? mouse : keyboard).push_back(recorded - match->ms);
    }
    std::printf("responses: %zu mouse and %zu keyboard recorded of %zu injected\n", mouse.size(), keyboard.size(),
                injector.sent.size());
    std::printf("mouse    recorded - injected (ms): median %.3f  p99 %.3f\n", LatencyBench::Percentile(mouse, 50),
                LatencyBench::Percentile(mouse, 99));
    std::printf("keyboard recorded - injected (ms): median %.3f  p99 %.3f\n", LatencyBench::Percentile(keyboard, 50),
                LatencyBench::Percentile(keyboard, 99));
    const double difference = LatencyBench::Percentile(mouse, 99) - LatencyBench::Percentile(keyboard, 99);
    std::printf("goal: mouse p99 within 0.1 ms of the keyboard's (difference %.3f ms): %s\n", difference,
                !mouse.empty() && !keyboard.empty() && difference <= 0.1 ? "met" : "NOT met");
    Vantrel::VTPlugIn::DeleteAllObjects();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(2, std::atoi(argv[1])) : 400;
    return LatencyBench::RunWithDisplay("mouse-latency-bench", [count] { return Bench(count); });
}

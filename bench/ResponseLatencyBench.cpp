// Response timing through the test input plug-in: responses are injected at known
// times while a real run presents events; reports recorded time minus injected time
// and the interval between polls of the runtime thread.
//
//   xvfb-run -a build/bin/ResponseLatencyBench [responses]   (default 1000)

#include <wx/filename.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "TestPlugInAccess.h"
#include "LatencyBenchApp.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTPlugIn.h"
#include "VTRuntime/VTRunEngine.h"

namespace {

int Bench(int count)
{
    const wxString folder = wxFileName(VT_TEST_INPUT_PLUGIN_PATH).GetPath();
    Vantrel::VTPlugIn::LocateAllInFolder(folder, nullptr);
    TestPlugInAccess access;
    if (!access.Attach(VT_TEST_INPUT_PLUGIN_PATH)) {
        std::fprintf(stderr, "The test input plug-in did not load from %s\n", VT_TEST_INPUT_PLUGIN_PATH);
        return 1;
    }
    access.reset();

    const Vantrel::VTRunPlan plan = LatencyBench::WaitingEventsPlan("Latency", count, 2000, [&](int i) {
        // 5 to 15 ms after the event starts waiting, spread over the millisecond.
        access.scheduleOnEvent(i, 1, 1, 1, 5000 + (unsigned long long)(i * 7919 % 10000));
    });

    Vantrel::VTRunSettings settings;
    settings.inputPlugins = Vantrel::VTRunEngine::AllLoadedInputPlugins();
    Vantrel::VTRunReport report;
    if (Vantrel::VTRunEngine::Run(plan, settings, &report) != Vantrel::VTRunOutcome::Completed) return 1;

    Vantrel::VTTimer& timer = Vantrel::VTTimer::GetTimer();
    const unsigned long long origin = timer.GetAbsoluteMicroseconds() - timer.GetElapsedMicroseconds();
    std::vector<unsigned long long> due(size_t(count) + 16);
    const size_t delivered = access.deliveredDueTimes(due.data(), due.size());
    std::vector<double> latencies;
    for (size_t i = 0; i < report.pluginResponseTimes.size() && i < delivered; ++i)
        latencies.push_back((double(report.pluginResponseTimes[i] + origin) - double(due[i])) / 1000.0);
    const size_t missed = size_t(count) - latencies.size();
    std::printf("responses: %zu recorded of %d injected\n", latencies.size(), count);
    std::printf("recorded - injected (ms): median %.3f  p99 %.3f  max %.3f  min %.3f\n",
                LatencyBench::Percentile(latencies, 50), LatencyBench::Percentile(latencies, 99),
                latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end()),
                latencies.empty() ? 0.0 : *std::min_element(latencies.begin(), latencies.end()));
    std::printf("poll interval while waiting (ms): mean %.3f  max %.3f  over %llu polls, %llu above 1 ms\n",
                report.pollStats.meanGapMicroseconds / 1000.0, report.pollStats.maxGapMicroseconds / 1000.0,
                report.pollStats.sweeps, report.pollStats.gapsOver1ms);
    std::printf("poll thread scheduling: %s\n", Vantrel::VTInputPoller::SchedulingName(report.pollStats.scheduling));
    std::printf("goal: p99 <= 0.25 ms, longest poll gap <= 1 ms: %s\n",
                LatencyBench::Percentile(latencies, 99) <= 0.25 && report.pollStats.maxGapMicroseconds <= 1000.0 &&
                        !missed
                    ? "met"
                    : "NOT met");
    Vantrel::VTPlugIn::DeleteAllObjects();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    return LatencyBench::RunWithDisplay("ResponseLatencyBench", [count] { return Bench(count); });
}

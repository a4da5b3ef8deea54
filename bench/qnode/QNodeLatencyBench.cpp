// qnode-latency-bench [presses]
//
// Measures, for each press, the time from the moment the simulated q-node writes
// the press to its pseudo-terminal to the moment the plug-in's
// OnGetCompleteResponse has stamped it, with the runtime's own poll thread doing
// the polling. Prints median, 99th percentile and maximum, and the poll interval
// of the runtime's wait loop. Goal: 99th percentile <= 0.25 ms, maximum <= 1 ms.

#include "SimulatedQNode.h"
#include "VTSdkQNodeInput.h"
#include "VTSdkQpxInputSettings.h"

#include "VTPlugInCommon/VTSdkExport.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTRuntime/VTInputPoller.h"

#include <wx/init.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr();

namespace {

using Clock = std::chrono::steady_clock;

// Passes every run-time call on to the q-node plug-in and notes when its
// OnGetCompleteResponse has finished.
class StampingInput : public VantrelSDK::VTSdkInputPlugin
{
public:
    explicit StampingInput(VantrelSDK::VTSdkQNodeInput& target) : m_target(target) {}

    int GetPlugInID() override { return m_target.GetPlugInID(); }
    int OnStartExperiment(VantrelSDK::RunningExperimentNecessities& n) override
    {
        return m_target.OnStartExperiment(n);
    }
    int OnEndExperiment() override { return m_target.OnEndExperiment(); }
    void OnStartTrial(const VantrelSDK::TrialInfoNecessities& t) override { m_target.OnStartTrial(t); }
    void OnFlushInput() override { m_target.OnFlushInput(); }
    VantrelSDK::InputDetectedFunctionPtr GetIsInputDetectedFunctionPtr() override
    {
        return m_target.GetIsInputDetectedFunctionPtr();
    }
    boost::shared_ptr<VantrelSDK::VTSdkBaseResponse>
    OnGetCompleteResponse(unsigned long long& time, boost::shared_ptr<VantrelSDK::Interface_DREForPlugins> dre) override
    {
        auto response = m_target.OnGetCompleteResponse(time, dre);
        m_stampNs.store(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count());
        m_count.fetch_add(1);
        return response;
    }

    long long StampNs() const { return m_stampNs.load(); }
    int Count() const { return m_count.load(); }

private:
    VantrelSDK::VTSdkQNodeInput& m_target;
    std::atomic<long long> m_stampNs{0};
    std::atomic<int> m_count{0};
};

double Percentile(std::vector<double> sorted, double p)
{
    if (sorted.empty()) return 0;
    const std::size_t index =
        std::min(sorted.size() - 1, static_cast<std::size_t>(p * double(sorted.size() - 1) + 0.5));
    return sorted[index];
}

}  // namespace

int main(int argc, char** argv)
{
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    wxInitializer wx;
    Orbisk::Testing::SimulatedQNode sim;
    ::setenv("VANTREL_QPX_DEVICE", sim.DevicePath().c_str(), 1);

    auto& qnode = *dynamic_cast<VantrelSDK::VTSdkQNodeInput*>(VTSdkGetObjectPtr());
    StampingInput input(qnode);
    Vantrel::VTInputPoller poller({&input}, boost::shared_ptr<VantrelSDK::Interface_DREForPlugins>());
    VantrelSDK::RunningExperimentNecessities necessities;
    int failed = -1;
    if (poller.StartExperiment(necessities, &failed) != 0) {
        std::fprintf(stderr, "the simulated q-node was not found\n");
        return 1;
    }
    poller.StartTrial(VantrelSDK::TrialInfoNecessities());
    poller.FlushAndStartPolling();
    poller.StartEventInput();

    std::vector<double> latenciesMs;
    latenciesMs.reserve(static_cast<std::size_t>(presses));
    int lost = 0;
    for (int i = 0; i < presses; ++i) {
        const int key = i % 8;
        const int before = input.Count();
        const auto written = sim.Press(key);
        const auto deadline = Clock::now() + std::chrono::seconds(1);
        while (input.Count() == before && Clock::now() < deadline) std::this_thread::yield();
        if (input.Count() == before) {
            ++lost;
        } else {
            const long long writtenNs =
                std::chrono::duration_cast<std::chrono::nanoseconds>(written.time_since_epoch()).count();
            latenciesMs.push_back(double(input.StampNs() - writtenNs) / 1e6);
        }
        sim.Release(key);  // consumed by the poll (presses only)
        // Presses a human could not make faster; also lets the release go through.
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        Vantrel::VTInputPoller::Detected d;
        while (poller.TakeDetected(d)) {}
    }
    const Vantrel::VTInputPoller::PollStats stats = poller.GetPollStats();
    poller.EndEventInput(true);
    poller.EndTrial();
    poller.EndExperiment();

    // The same path without the runtime's thread: this thread polls the plug-in
    // itself, which shows what the driver and plug-in cost apart from scheduling.
    std::vector<double> directMs;
    {
        VantrelSDK::RunningExperimentNecessities again;
        qnode.OnStartExperiment(again);
        auto poll = qnode.GetIsInputDetectedFunctionPtr();
        for (int i = 0; i < std::min(presses, 2000); ++i) {
            const auto written = sim.Press(i % 8);
            const auto deadline = written + std::chrono::seconds(1);
            bool found = false;
            while (!found && Clock::now() < deadline) found = poll(nullptr);
            if (found) {
                unsigned long long t = 0;
                qnode.OnGetCompleteResponse(t, boost::shared_ptr<VantrelSDK::Interface_DREForPlugins>());
                directMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - written).count());
            }
            sim.Release(i % 8);
        }
        qnode.OnEndExperiment();
        std::sort(directMs.begin(), directMs.end());
    }

    std::sort(latenciesMs.begin(), latenciesMs.end());
    const double median = Percentile(latenciesMs, 0.5);
    const double p99 = Percentile(latenciesMs, 0.99);
    const double max = latenciesMs.empty() ? 0 : latenciesMs.back();
    std::printf("q-node press latency over %zu presses (%d lost)\n", latenciesMs.size(), lost);
    std::printf("  median   %.3f ms\n", median);
    std::printf("  p99      %.3f ms   (goal <= 0.250)\n", p99);
    std::printf("  maximum  %.3f ms   (goal <= 1.000)\n", max);
    std::printf("poll thread scheduling: %s\n", Vantrel::VTInputPoller::SchedulingName(stats.scheduling));
    std::printf("runtime poll interval: mean %.3f ms, maximum %.3f ms over %llu sweeps\n",
                stats.meanGapMicroseconds / 1000.0, stats.maxGapMicroseconds / 1000.0, stats.sweeps);
    std::printf("plug-in polled directly (%zu presses): median %.3f ms, p99 %.3f ms, maximum %.3f ms\n",
                directMs.size(), Percentile(directMs, 0.5), Percentile(directMs, 0.99),
                directMs.empty() ? 0 : directMs.back());
    const bool met = lost == 0 && p99 <= 0.25 && max <= 1.0;
    std::printf("%s\n", met ? "goal met" : "goal NOT met");
    return met ? 0 : 2;
}

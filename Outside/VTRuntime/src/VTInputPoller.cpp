#include "VTRuntime/VTInputPoller.h"

#include <pthread.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <algorithm>

#include <wx/intl.h>
#include <wx/log.h>

#include "VTPlugInCommon/VTException.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTTimer.h"

namespace Vantrel {

namespace {
// Response times are only as good as the poll: ask for a real-time slot, else a
// higher share of the processor. The thread sleeps between sweeps, so it cannot
// starve the rest of the system; where neither is allowed it runs as it is.
VTInputPoller::PollStats::Scheduling RaisePollingThreadPriority()
{
    using Scheduling = VTInputPoller::PollStats::Scheduling;
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);  // wake from the short sleeps on time
    sched_param param{};
    param.sched_priority = std::min(20, sched_get_priority_max(SCHED_FIFO));
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0) return Scheduling::RealTime;
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), -10) == 0) return Scheduling::RaisedPriority;
    return Scheduling::Normal;
}
}  // namespace

struct VTInputPoller::Impl
{
    struct Source
    {
        VantrelSDK::VTSdkInputPlugin* plugin;
        VantrelSDK::InputDetectedFunctionPtr detect;
        int id;
    };

    std::vector<Source> sources;
    boost::shared_ptr<VantrelSDK::Interface_DREForPlugins> dre;

    // The polling thread runs at a higher priority than the GUI thread, so it never
    // waits for a lock the GUI thread may hold while polling: it looks at atomics first
    // and hands detections over only when the queue's lock is free at once.
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> tasks;
    std::atomic<bool> tasksPending{false};
    bool stopping = false;
    std::atomic<bool> armed{false};

    std::mutex detectedMutex;
    std::deque<Detected> detected;
    std::atomic<size_t> detectedCount{0};
    std::vector<Detected> notHandedOver;  // polling thread only
    std::function<void()> notify;

    mutable std::mutex statsMutex;
    wxString sweepFailure;  // what the first failed sweep threw, under statsMutex
    PollStats stats;
    double gapSum = 0;
    unsigned long long lastSweep = 0;

    std::thread thread;

    void Loop()
    {
        for (;;) {
            std::function<void()> task;
            if (!armed || tasksPending) {
                std::unique_lock<std::mutex> lock(mutex);
                if (!armed) wake.wait(lock, [&] { return stopping || !tasks.empty() || armed; });
                if (stopping && tasks.empty()) return;
                if (!tasks.empty()) {
                    task = std::move(tasks.front());
                    tasks.pop_front();
                }
                tasksPending = !tasks.empty();
            }
            if (task) {
                task();
                HandOver();
                continue;
            }
            if (armed) {
                try {
                    Sweep();
                } catch (...) {
                    // A failing device must not take the run down; it simply detects nothing.
                    // The first failure is kept and logged on the GUI thread when the run ends.
                    std::lock_guard<std::mutex> lock(statsMutex);
                    if (sweepFailure.empty()) sweepFailure = VantrelSDK::DescribeCurrentException();
                }
                HandOver();
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
        }
    }

    // Detections are stamped when found; handing them over a sweep later costs no accuracy.
    void HandOver()
    {
        if (notHandedOver.empty()) return;
        std::unique_lock<std::mutex> lock(detectedMutex, std::try_to_lock);
        if (!lock.owns_lock()) return;
        for (Detected& d : notHandedOver) detected.push_back(std::move(d));
        detectedCount = detected.size();
        notHandedOver.clear();
        lock.unlock();
        if (notify) notify();
    }

    void Sweep()
    {
        VTTimer& timer = VTTimer::GetTimer();
        const unsigned long long sweepStart = timer.GetAbsoluteMicroseconds();
        {
            std::lock_guard<std::mutex> lock(statsMutex);
            if (lastSweep) {
                const double gap = double(sweepStart - lastSweep);
                gapSum += gap;
                ++stats.sweeps;
                stats.meanGapMicroseconds = gapSum / double(stats.sweeps);
                if (gap > stats.maxGapMicroseconds) stats.maxGapMicroseconds = gap;
                if (gap > 1000.0) ++stats.gapsOver1ms;
            }
            lastSweep = sweepStart;
        }
        VantrelSDK::RAII_InputDetectionForCyclingOverAllDevices detection(dre.get());
        for (Source& source : sources) {
            if (!source.detect || !source.detect(&detection)) continue;
            const unsigned long long stamp = timer.GetElapsedMicroseconds();
            unsigned long long pluginTime = 0;
            boost::shared_ptr<VantrelSDK::VTSdkBaseResponse> response =
                source.plugin->OnGetCompleteResponse(pluginTime, dre);
            if (!response) continue;
            Detected d;
            d.pluginID = source.id;
            d.response = response;
            // A plug-in that reports an earlier time knows better than our poll: to the
            // microsecond when the response carries one, else to the whole millisecond.
            const unsigned long long exact = response->GetTimeMicroseconds();
            if (exact != 0 && exact <= stamp)
                d.timeMicroseconds = exact;
            else
                d.timeMicroseconds = pluginTime < stamp / 1000 ? pluginTime * 1000 : stamp;
            notHandedOver.push_back(d);
        }
    }

    // Runtime thread only, so polling never waits for the GUI thread.
    void Arm()
    {
        {
            std::lock_guard<std::mutex> lock(statsMutex);
            lastSweep = 0;  // the gap across an idle period is no poll interval
        }
        armed = true;
    }

    template <class F>
    auto Run(F f) -> decltype(f())
    {
        auto job = std::make_shared<std::packaged_task<decltype(f())()>>(f);
        auto result = job->get_future();
        {
            std::lock_guard<std::mutex> lock(mutex);
            tasks.push_back([job] { (*job)(); });
            tasksPending = true;
        }
        wake.notify_one();
        return result.get();
    }
};

VTInputPoller::VTInputPoller(const std::vector<VantrelSDK::VTSdkInputPlugin*>& plugins,
                             boost::shared_ptr<VantrelSDK::Interface_DREForPlugins> dre)
    : m(new Impl)
{
    m->dre = dre;
    for (VantrelSDK::VTSdkInputPlugin* plugin : plugins) {
        if (!plugin) continue;
        m->sources.push_back({plugin, plugin->GetIsInputDetectedFunctionPtr(), plugin->GetPlugInID()});
    }
    m->thread = std::thread([this] {
        const PollStats::Scheduling granted = RaisePollingThreadPriority();
        {
            std::lock_guard<std::mutex> lock(m->statsMutex);
            m->stats.scheduling = granted;
        }
        m->Loop();
    });
}

VTInputPoller::~VTInputPoller()
{
    {
        std::lock_guard<std::mutex> lock(m->mutex);
        m->stopping = true;
        m->armed = false;
    }
    m->wake.notify_one();
    m->thread.join();
}

int VTInputPoller::StartExperiment(VantrelSDK::RunningExperimentNecessities& necessities, int* failedPluginID)
{
    return m->Run([&]() -> int {
        for (auto& source : m->sources) {
            const int result = source.plugin->OnStartExperiment(necessities);
            if (result != 0) {
                if (failedPluginID) *failedPluginID = source.id;
                return result;
            }
        }
        return 0;
    });
}

void VTInputPoller::StartTrial(const VantrelSDK::TrialInfoNecessities& trial)
{
    m->Run([&] {
        for (auto& source : m->sources) source.plugin->OnStartTrial(trial);
    });
}

void VTInputPoller::FlushAndStartPolling()
{
    m->Run([&] {
        for (auto& source : m->sources) source.plugin->OnFlushInput();
        m->Arm();
    });
}

void VTInputPoller::StartEventInput()
{
    m->Run([&] {
        for (auto& source : m->sources) source.plugin->OnStartEventInput();
        if (!m->armed) m->Arm();
    });
}

void VTInputPoller::EndEventInput(bool responded)
{
    {
        std::lock_guard<std::mutex> lock(m->mutex);
        m->armed = false;
    }
    m->Run([&] {
        for (auto& source : m->sources) source.plugin->OnEndEventInput(responded);
    });
}

void VTInputPoller::EndTrial()
{
    m->Run([&] {
        for (auto& source : m->sources) source.plugin->OnEndTrial();
    });
}

void VTInputPoller::EndExperiment()
{
    {
        std::lock_guard<std::mutex> lock(m->mutex);
        m->armed = false;
    }
    m->Run([&] {
        for (auto& source : m->sources) source.plugin->OnEndExperiment();
    });
    wxString failure;
    {
        std::lock_guard<std::mutex> lock(m->statsMutex);
        failure.swap(m->sweepFailure);
    }
    if (!failure.empty())
        wxLogWarning(_("An input device failed while it was polled, and detected nothing more in the run: %s"),
                     failure);
}

bool VTInputPoller::TakeDetected(Detected& out)
{
    if (m->detectedCount == 0) return false;  // the usual case takes no lock
    std::lock_guard<std::mutex> lock(m->detectedMutex);
    if (m->detected.empty()) return false;
    out = m->detected.front();
    m->detected.pop_front();
    m->detectedCount = m->detected.size();
    return true;
}

void VTInputPoller::SetDetectionNotifier(std::function<void()> notify)
{
    m->Run([&] { m->notify = notify; });
}

const char* VTInputPoller::SchedulingName(PollStats::Scheduling scheduling)
{
    switch (scheduling) {
        case PollStats::Scheduling::RealTime: return "real-time (SCHED_FIFO) granted";
        case PollStats::Scheduling::RaisedPriority: return "real-time refused, raised priority (nice -10) granted";
        case PollStats::Scheduling::Normal: return "real-time and raised priority refused, normal scheduling";
        case PollStats::Scheduling::Unknown: break;
    }
    return "not known yet";
}

VTInputPoller::PollStats VTInputPoller::GetPollStats() const
{
    std::lock_guard<std::mutex> lock(m->statsMutex);
    return m->stats;
}

}  // namespace Vantrel

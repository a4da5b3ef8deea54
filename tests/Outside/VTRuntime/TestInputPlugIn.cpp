// A small input plug-in for tests and the benchmark, loaded through the same
// dlopen path as every other plug-in.

#include <mutex>
#include <deque>
#include <vector>
#include <atomic>
#include <chrono>
#include <thread>

#include <boost/make_shared.hpp>

#include "TestInputPlugIn.h"
#include "VTPlugInCommon/VTSdkExport.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTTimer.h"

namespace {

struct Scheduled
{
    int key, port;
    bool pressed;
    unsigned long long due;
};

std::mutex g_Mutex;
std::deque<Scheduled> g_Queue;
struct OnEvent
{
    unsigned long long eventInputIndex;
    Scheduled response;  // due = delay after the event's input start
};
std::vector<OnEvent> g_OnEvent;
std::vector<unsigned long long> g_Delivered;
std::atomic<int> g_StartResult{0};
std::atomic<unsigned long long> g_FlushBusy{0};
std::atomic<int> g_StaleKey{-1};
std::atomic<int> g_ConflictingID{-1};

void InsertLocked(const Scheduled& s)
{
    auto it = g_Queue.begin();
    while (it != g_Queue.end() && it->due <= s.due) ++it;
    g_Queue.insert(it, s);
}
std::atomic<unsigned long long> g_Counts[7];
unsigned long long g_LastPoll = 0;
double g_GapSum = 0, g_GapMax = 0;
unsigned long long g_Gaps = 0;

class TestInputPlugIn : public VantrelSDK::VTSdkInputPlugin
{
public:
    TestInputPlugIn() : m_Last(true) {}

    int GetPlugInID() override { return VTTEST_INPUT_PLUGIN_ID; }
    bool GetString(int id, wxString& out) override
    {
        if (id == 5001) {
            out = "Test Input";
            return true;
        }
        return VTSdkInputPlugin::GetString(id, out);
    }
    int OnStartExperiment(VantrelSDK::RunningExperimentNecessities&) override
    {
        ++g_Counts[0];
        std::lock_guard<std::mutex> lock(g_Mutex);
        g_LastPoll = 0;
        return g_StartResult;
    }
    int OnEndExperiment() override
    {
        ++g_Counts[1];
        return VTSdkInputPlugin::OnEndExperiment();
    }
    void OnStartTrial(const VantrelSDK::TrialInfoNecessities&) override
    {
        ++g_Counts[2];
        m_Last.ResetToDiscreteKeyDefaults();
    }
    void OnFlushInput() override
    {
        ++g_Counts[5];
        if (g_FlushBusy) std::this_thread::sleep_for(std::chrono::microseconds(g_FlushBusy.load()));
        if (g_StaleKey >= 0) {
            std::lock_guard<std::mutex> lock(g_Mutex);
            InsertLocked(Scheduled{g_StaleKey, 1, true, Vantrel::VTTimer::GetTimer().GetAbsoluteMicroseconds()});
        }
    }
    void OnStartEventInput() override
    {
        const unsigned long long index = g_Counts[6]++;
        const unsigned long long now = Vantrel::VTTimer::GetTimer().GetAbsoluteMicroseconds();
        std::lock_guard<std::mutex> lock(g_Mutex);
        for (const OnEvent& pending : g_OnEvent) {
            if (pending.eventInputIndex != index) continue;
            Scheduled s = pending.response;
            s.due += now;
            InsertLocked(s);
        }
    }
    VantrelSDK::InputDetectedFunctionPtr GetIsInputDetectedFunctionPtr() override { return &Detect; }
    int HasResponseConflicts(int otherPluginID) override { return otherPluginID == g_ConflictingID ? 1 : 0; }

    boost::shared_ptr<VantrelSDK::VTSdkBaseResponse>
    OnGetCompleteResponse(unsigned long long& time, boost::shared_ptr<VantrelSDK::Interface_DREForPlugins>) override
    {
        ++g_Counts[4];
        time = Vantrel::VTTimer::GetTimer().GetElapsedTime();
        auto copy = boost::make_shared<VantrelSDK::VTSdkDiscreteKeyResp>(m_Last);
        m_Last.ResetToDiscreteKeyDefaults();
        return copy;
    }

    void CreateDefaultResponses(VantrelSDK::AddResponseCallback add) override
    {
        for (int i = 0; i < 4; ++i) {
            auto* response = new VantrelSDK::VTSdkDiscreteKeyResp(false);
            response->SetKeyNumber(i);
            response->SetPortNumber(1);
            add(wxString::Format("Button %d", i + 1), response);
        }
    }

    static bool Detect(VantrelSDK::RAII_InputDetectionForCyclingOverAllDevices* detection);

    VantrelSDK::VTSdkDiscreteKeyResp m_Last;
};

TestInputPlugIn my_plugin;

bool TestInputPlugIn::Detect(VantrelSDK::RAII_InputDetectionForCyclingOverAllDevices* detection)
{
    ++g_Counts[3];
    const unsigned long long now = Vantrel::VTTimer::GetTimer().GetAbsoluteMicroseconds();
    Scheduled next;
    {
        std::lock_guard<std::mutex> lock(g_Mutex);
        if (g_LastPoll) {
            const double gap = double(now - g_LastPoll);
            g_GapSum += gap;
            ++g_Gaps;
            if (gap > g_GapMax) g_GapMax = gap;
        }
        g_LastPoll = now;
        if (g_Queue.empty() || g_Queue.front().due > now) return false;
        next = g_Queue.front();
        g_Queue.pop_front();
        if (next.pressed) g_Delivered.push_back(next.due);
    }
    const auto& keys = my_plugin.GetConstReferenceToKeypressKeyreleaseSettings();
    if (!next.pressed && keys.RespondsToPressesOnly()) return false;
    my_plugin.m_Last.SetResponseType(next.pressed ? 1 : 2);
    my_plugin.m_Last.SetKeyNumber(next.key);
    my_plugin.m_Last.SetPortNumber(next.port);
    my_plugin.SetResponseIDForLastResponse(&my_plugin.m_Last, detection ? detection->GetDREForPlugins() : nullptr);
    if (keys.AcceptsOnlyDefinedResponses()) return my_plugin.CheckIfResponseIsDefined(&my_plugin.m_Last);
    return true;
}

}  // namespace

VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr() { return &my_plugin; }

VTSDK_PLUGIN_ENTRY void VTTestInput_Schedule(int key, int port, int pressed, unsigned long long dueMicroseconds)
{
    std::lock_guard<std::mutex> lock(g_Mutex);
    InsertLocked(Scheduled{key, port, pressed != 0, dueMicroseconds});
}

VTSDK_PLUGIN_ENTRY void VTTestInput_ScheduleOnEvent(int eventInputIndex, int key, int port, int pressed,
                                                    unsigned long long delayMicroseconds)
{
    std::lock_guard<std::mutex> lock(g_Mutex);
    g_OnEvent.push_back(
        {static_cast<unsigned long long>(eventInputIndex), Scheduled{key, port, pressed != 0, delayMicroseconds}});
}

VTSDK_PLUGIN_ENTRY void VTTestInput_Reset()
{
    std::lock_guard<std::mutex> lock(g_Mutex);
    g_Queue.clear();
    g_OnEvent.clear();
    g_Delivered.clear();
    for (auto& c : g_Counts) c = 0;
    g_StartResult = 0;
    g_FlushBusy = 0;
    g_StaleKey = -1;
    g_LastPoll = 0;
    g_GapSum = g_GapMax = 0;
    g_Gaps = 0;
}

VTSDK_PLUGIN_ENTRY void VTTestInput_SetStartResult(int result) { g_StartResult = result; }

VTSDK_PLUGIN_ENTRY void VTTestInput_SetFlush(unsigned long long busyMicroseconds, int staleKey)
{
    g_FlushBusy = busyMicroseconds;
    g_StaleKey = staleKey;
}

VTSDK_PLUGIN_ENTRY void VTTestInput_SetConflictingPlugInID(int pluginID) { g_ConflictingID = pluginID; }

VTSDK_PLUGIN_ENTRY unsigned long long VTTestInput_Count(int which)
{
    return which >= 0 && which < 7 ? g_Counts[which].load() : 0;
}

VTSDK_PLUGIN_ENTRY void VTTestInput_PollGaps(double* meanMicroseconds, double* maxMicroseconds)
{
    std::lock_guard<std::mutex> lock(g_Mutex);
    if (meanMicroseconds) *meanMicroseconds = g_Gaps ? g_GapSum / double(g_Gaps) : 0;
    if (maxMicroseconds) *maxMicroseconds = g_GapMax;
}

VTSDK_PLUGIN_ENTRY size_t VTTestInput_DeliveredDueTimes(unsigned long long* out, size_t max)
{
    std::lock_guard<std::mutex> lock(g_Mutex);
    for (size_t i = 0; i < g_Delivered.size() && i < max; ++i) out[i] = g_Delivered[i];
    return g_Delivered.size();
}

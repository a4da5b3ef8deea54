#include "QNodeTestHelpers.h"

#include "QPXDriver/QPXProtocol.h"
#include "VTPlugInCommon/VTTimer.h"

#include <gtest/gtest.h>

#include <wx/log.h>

#include <atomic>
#include <chrono>
#include <future>
#include <set>
#include <thread>

#include "TestSupport.h"

using namespace VantrelSDK;
using Orbisk::Testing::SimulatedQNode;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kNotFound = "Vantrel couldn't find a q-node with input connected to this computer.";

// The run's defined responses: the listed keys on port 3.
class DefinedKeys : public Interface_DREForPlugins
{
public:
    explicit DefinedKeys(std::set<int> keys) : m_keys(std::move(keys)) {}
    int FindDefinedResponseID(int pluginID, const VTSdkBaseResponse& response) const override
    {
        const auto* key = dynamic_cast<const VTSdkDiscreteKeyResp*>(&response);
        if (pluginID == 2103 && key && key->GetPortNumber() == 3 && m_keys.count(key->GetKeyNumber()))
            return 100 + key->GetKeyNumber();
        return VTSdkBaseResponse::GetUniqueIdForUndefined();
    }

private:
    std::set<int> m_keys;
};

class QNodeRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QNodeTest::ForgetDevices();
        QNodeTest::ApplySettings([](VTSdkQpxInputSettings&) {});
        Vantrel::VTTimer::GetTimer().ClearCancellationKeypress();
        Vantrel::VTTimer::GetTimer().Reset();
        TestSupport::ClearLog();
    }
    void TearDown() override
    {
        Vantrel::VTTimer::GetTimer().ClearCancellationKeypress();
        QNodeTest::ForgetDevices();
    }

    int StartRun()
    {
        RunningExperimentNecessities necessities;
        return plugin.OnStartExperiment(necessities);
    }

    // Calls the runtime's poll function until it reports a response (at most two seconds).
    bool PollUntilFound(RAII_InputDetectionForCyclingOverAllDevices* detection = nullptr)
    {
        auto poll = plugin.GetIsInputDetectedFunctionPtr();
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (Clock::now() < deadline) {
            if (poll(detection)) return true;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    }

    // Polls for a while and tells whether any poll reported a response.
    bool AnyFoundWithin(std::chrono::milliseconds span)
    {
        auto poll = plugin.GetIsInputDetectedFunctionPtr();
        const auto deadline = Clock::now() + span;
        bool found = false;
        while (Clock::now() < deadline) found = poll(nullptr) || found;
        return found;
    }

    boost::shared_ptr<VTSdkDiscreteKeyResp> Collect(unsigned long long& time)
    {
        auto response = plugin.OnGetCompleteResponse(time, boost::shared_ptr<Interface_DREForPlugins>());
        return boost::dynamic_pointer_cast<VTSdkDiscreteKeyResp>(response);
    }

    VTSdkQNodeInput& plugin = QNodeTest::PlugIn();
};

}  // namespace

TEST_F(QNodeRun, ASavedDeviceThatIsThereIsOpenedWithoutDetection)
{
    SimulatedQNode first(QNodeTest::Identity(5071, '1', 2, 21, "q-node 1"));
    SimulatedQNode saved(QNodeTest::Identity(5122, '4', 2, 21, "q-node 4"));
    QNodeTest::ScopedQpxDevicePaths env({first.DevicePath(), saved.DevicePath()});
    QNodeTest::ApplySettings([&](VTSdkQpxInputSettings& s) {
        s.modelID = 5122;
        s.portConfig.portName = saved.DevicePath();
        s.portConfig.configValue = 0;
    });
    ASSERT_EQ(0, StartRun()) << TestSupport::LogAsText();
    ASSERT_TRUE(VTSdkQpxInput::ms_pQpxPort);
    EXPECT_EQ(5122u, VTSdkQpxInput::ms_pQpxPort->GetDeviceConfig().GetModelNumber());
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (saved.LastInputMode() != 116 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(116, saved.LastInputMode());
}

TEST_F(QNodeRun, ANameWithAnUnsetConfigurationMeansDetection)
{
    SimulatedQNode first(QNodeTest::Identity(5071, '1', 2, 21, "q-node 1"));
    SimulatedQNode saved(QNodeTest::Identity(5122, '4', 2, 21, "q-node 4"));
    QNodeTest::ScopedQpxDevicePaths env({saved.DevicePath(), first.DevicePath()});
    QNodeTest::ApplySettings([&](VTSdkQpxInputSettings& s) {
        s.modelID = 5122;
        s.portConfig.portName = saved.DevicePath();
        s.portConfig.configValue = VTHwSerialPortConfigInfo::CONFIG_UNSET;
    });
    ASSERT_EQ(0, StartRun()) << TestSupport::LogAsText();
    ASSERT_TRUE(VTSdkQpxInput::ms_pQpxPort);
    // Detection takes the first accepted model; the saved one is not consulted.
    EXPECT_EQ(5071u, VTSdkQpxInput::ms_pQpxPort->GetDeviceConfig().GetModelNumber());
    // A detected model is not written back into the settings by a run.
    EXPECT_EQ(5122, plugin.GetQpxSettings()->modelID);
}

TEST_F(QNodeRun, NothingConnectedStopsTheRunWithAnError)
{
    QNodeTest::ScopedQpxDevicePaths env({"/dev/ttyUSB-absent"});
    EXPECT_EQ(-10, StartRun());
    EXPECT_TRUE(TestSupport::LogContains(kNotFound, wxLOG_Error)) << TestSupport::LogAsText();
    EXPECT_FALSE(VTSdkQpxInput::ms_pQpxPort);
}

TEST_F(QNodeRun, AnotherModelIsNamedAndRefused)
{
    SimulatedQNode other(QNodeTest::Identity(4410, 'K', 3, 2, "KP response pad"));
    QNodeTest::ScopedQpxDevicePaths env({other.DevicePath()});
    EXPECT_EQ(-10, StartRun());
    EXPECT_TRUE(TestSupport::LogContains("Vantrel found an \"KP response pad\" but not a q-node that supports input.",
                                         wxLOG_Error))
        << TestSupport::LogAsText();
    EXPECT_FALSE(VTSdkQpxInput::ms_pQpxPort);
}

TEST_F(QNodeRun, PressesAndReleasesBecomeResponsesWithTheRunTime)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) { s.keySettings.SetRespondToPressesOnly(false); });
    ASSERT_EQ(0, StartRun());
    plugin.OnStartTrial(TrialInfoNecessities());

    const unsigned long long before = Vantrel::VTTimer::GetTimer().GetElapsedTime();
    sim.Press(6);
    ASSERT_TRUE(PollUntilFound());
    unsigned long long time = 0;
    auto press = Collect(time);
    const unsigned long long after = Vantrel::VTTimer::GetTimer().GetElapsedTime();
    ASSERT_TRUE(press);
    EXPECT_EQ(1, press->GetResponseType());
    EXPECT_EQ(6, press->GetKeyNumber());
    EXPECT_EQ(3, press->GetPortNumber());
    EXPECT_FALSE(press->IsPluginStatic());
    EXPECT_GE(time, before);
    EXPECT_LE(time, after);
    // The response being assembled starts again from its defaults.
    EXPECT_EQ(-1, VTSdkQpxInput::ms_LastResponse.GetKeyNumber());

    sim.Release(6);
    ASSERT_TRUE(PollUntilFound());
    auto release = Collect(time);
    ASSERT_TRUE(release);
    EXPECT_EQ(2, release->GetResponseType());
    EXPECT_EQ(6, release->GetKeyNumber());
    EXPECT_NE(press.get(), release.get());
}

TEST_F(QNodeRun, WithPressesOnlyAReleaseIsConsumedAndDropped)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) { s.keySettings.SetRespondToPressesOnly(true); });
    ASSERT_EQ(0, StartRun());
    sim.Press(2);
    sim.Release(2);
    ASSERT_TRUE(PollUntilFound());
    unsigned long long time = 0;
    EXPECT_EQ(1, Collect(time)->GetResponseType());
    EXPECT_FALSE(AnyFoundWithin(std::chrono::milliseconds(100)));
    EXPECT_FALSE(VTSdkQpxInput::ms_pQpxPort->HasQueuedResponses());
    EXPECT_EQ(0, VTSdkQpxInput::ms_pQpxPort->GetNumberOfKeysDown());
}

TEST_F(QNodeRun, WithDefinedResponsesOnlyOtherLinesAreIgnored)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) { s.keySettings.SetAcceptOnlyDefinedResponses(true); });
    ASSERT_EQ(0, StartRun());
    DefinedKeys defined({1});
    RAII_InputDetectionForCyclingOverAllDevices detection(&defined);
    auto poll = plugin.GetIsInputDetectedFunctionPtr();

    sim.Press(0);
    const auto deadline = Clock::now() + std::chrono::milliseconds(300);
    bool found = false;
    while (Clock::now() < deadline) found = poll(&detection) || found;
    EXPECT_FALSE(found);

    sim.Press(1);
    ASSERT_TRUE(PollUntilFound(&detection));
    unsigned long long time = 0;
    auto response = Collect(time);
    EXPECT_EQ(1, response->GetKeyNumber());
    EXPECT_EQ(101, response->GetResponseID());
}

TEST_F(QNodeRun, TrialStartResetsTheDeviceClockAndTheResponse)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    ASSERT_EQ(0, StartRun());
    sim.Press(4);
    ASSERT_TRUE(PollUntilFound());
    EXPECT_EQ(4, VTSdkQpxInput::ms_LastResponse.GetKeyNumber());
    plugin.OnStartTrial(TrialInfoNecessities());
    EXPECT_EQ(-1, VTSdkQpxInput::ms_LastResponse.GetKeyNumber());
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (sim.TimerResets() < 1 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(1, sim.TimerResets());
}

TEST_F(QNodeRun, WithoutADeviceEverythingReturnsAtOnce)
{
    auto poll = plugin.GetIsInputDetectedFunctionPtr();
    ASSERT_EQ(&VTSdkQpxInput::IsResponsePadInputFound, poll);
    const auto start = Clock::now();
    EXPECT_FALSE(poll(nullptr));
    plugin.OnFlushInput();
    plugin.OnStartTrial(TrialInfoNecessities());
    EXPECT_EQ(0, plugin.WaitForAllKeysToBeReleased(nullptr));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(0, plugin.OnEndExperiment());
}

TEST_F(QNodeRun, FlushDropsWaitingInputQuietly)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) { s.keySettings.SetRespondToPressesOnly(false); });
    ASSERT_EQ(0, StartRun());
    for (int k = 0; k < 8; ++k) sim.Press(k);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    plugin.OnFlushInput();
    EXPECT_FALSE(AnyFoundWithin(std::chrono::milliseconds(50)));
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

namespace {
// A device that never stops sending: every read brings another key record.
class EndlessKeysLink : public Orbisk::QPXLink
{
public:
    long ReadAvailable(std::uint8_t* buffer, std::size_t size) override
    {
        std::vector<std::uint8_t> frame;
        if (!m_identified) {
            Orbisk::QPXProtocol::Identification id;
            id.modelNumber = 5103;
            id.modelCharacter = '2';
            id.majorVersion = 2;
            id.minorVersion = 21;
            id.deviceName = "endless q-node";
            frame = Orbisk::QPXProtocol::EncodeIdentification(id);
            m_identified = true;
        } else {
            Orbisk::QPXProtocol::KeyRecord record;
            record.key = m_count % 8;
            record.port = 3;
            record.pressed = (m_count++ % 2) == 0;
            frame = Orbisk::QPXProtocol::EncodeKeyRecord(record);
        }
        const std::size_t n = std::min(size, frame.size());
        std::copy(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(n), buffer);
        return static_cast<long>(n);
    }
    bool WaitReadable(int) override { return true; }
    bool WriteAll(const std::uint8_t*, std::size_t) override { return true; }
    void DiscardInput() override {}
    std::string Description() const override { return "endless"; }

private:
    bool m_identified = false;
    int m_count = 0;
};

boost::shared_ptr<Orbisk::QPXDevice> EndlessDevice()
{
    return Orbisk::QPXDevice::OpenOnLink(std::unique_ptr<Orbisk::QPXLink>(new EndlessKeysLink), 100);
}
}  // namespace

TEST_F(QNodeRun, AFlushThatRunsOutOfTimeWarnsOncePerRun)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    // The run timer's injected clock: every reading is one millisecond later, so the
    // flush's limit is reached by counting, not by waiting.
    struct SteppingClock
    {
        std::atomic<unsigned long long> now{0};
        SteppingClock()
        {
            Vantrel::VTTimer::GetTimer().SetMicrosecondClockForTesting([this] { return now += 1000; });
        }
        ~SteppingClock() { Vantrel::VTTimer::GetTimer().SetMicrosecondClockForTesting({}); }
    };
    auto flushTimed = [&] {
        SteppingClock clock;
        Vantrel::VTTimer& timer = Vantrel::VTTimer::GetTimer();
        const unsigned long long start = timer.GetElapsedTime();
        plugin.OnFlushInput();
        return static_cast<long long>(timer.GetElapsedTime() - start);
    };
    auto warnings = [] {
        int n = 0;
        for (const auto& record : TestSupport::RecordedLog())
            n += record.level == wxLOG_Error &&
                 record.text == "Flushing QPX input buffers took an unusually long time. \n\n"
                                "QPX responses occurring during ISI periods may have carried over into "
                                "subsequent events. \n\nPlease contact Orbisk Corp. for assistance if "
                                "this problem persists.";
        return n;
    };

    ASSERT_EQ(0, StartRun());
    VTSdkQpxInput::ms_pQpxPort = EndlessDevice();
    ASSERT_TRUE(VTSdkQpxInput::ms_pQpxPort);
    const auto took = flushTimed();
    EXPECT_GE(took, 101);
    EXPECT_LT(took, 110) << "the flush stops as soon as its limit has passed";
    flushTimed();
    EXPECT_EQ(1, warnings()) << TestSupport::LogAsText();

    ASSERT_EQ(0, StartRun());
    VTSdkQpxInput::ms_pQpxPort = EndlessDevice();
    flushTimed();
    EXPECT_EQ(2, warnings()) << TestSupport::LogAsText();
}

TEST_F(QNodeRun, TheReleaseWaitEndsWhenTheLastKeyIsUp)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    ASSERT_EQ(0, StartRun());
    sim.Press(0);
    sim.Press(5);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    auto waiting = std::async(std::launch::async, [&] { return plugin.WaitForAllKeysToBeReleased(nullptr); });
    EXPECT_EQ(std::future_status::timeout, waiting.wait_for(std::chrono::milliseconds(80)));
    sim.Release(0);
    EXPECT_EQ(std::future_status::timeout, waiting.wait_for(std::chrono::milliseconds(80)));
    sim.Release(5);
    ASSERT_EQ(std::future_status::ready, waiting.wait_for(std::chrono::seconds(2)));
    EXPECT_EQ(Vantrel::VTTimer::BLOCK_RELEASED, waiting.get());
}

TEST_F(QNodeRun, TheReleaseWaitGivesWayToTheCancellationKey)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    ASSERT_EQ(0, StartRun());
    sim.Press(3);
    auto waiting = std::async(std::launch::async, [&] { return plugin.WaitForAllKeysToBeReleased(nullptr); });
    EXPECT_EQ(std::future_status::timeout, waiting.wait_for(std::chrono::milliseconds(80)));
    Vantrel::VTTimer::GetTimer().SignalCancellationKeypress();
    ASSERT_EQ(std::future_status::ready, waiting.wait_for(std::chrono::seconds(2)));
    EXPECT_EQ(Vantrel::VTTimer::BLOCK_CANCELLED, waiting.get());
}

TEST_F(QNodeRun, EndOfRunKeepsTheDeviceForTheNextRun)
{
    SimulatedQNode sim;
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    ASSERT_EQ(0, StartRun());
    auto device = VTSdkQpxInput::ms_pQpxPort;
    sim.Press(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(0, plugin.OnEndExperiment());
    EXPECT_EQ(device.get(), VTSdkQpxInput::ms_pQpxPort.get());
    EXPECT_FALSE(device->HasQueuedResponses());  // stale input is gone
    ASSERT_EQ(0, StartRun());
    EXPECT_EQ(device.get(), VTSdkQpxInput::ms_pQpxPort.get());
    EXPECT_EQ(1, sim.IdentifyRequests());
}

TEST_F(QNodeRun, AnUnpluggedDeviceIsFoundMissingAtTheNextStart)
{
    auto sim = std::make_unique<SimulatedQNode>();
    QNodeTest::ScopedQpxDevicePaths env({sim->DevicePath()});
    ASSERT_EQ(0, StartRun());
    sim.reset();
    EXPECT_FALSE(PollUntilFound());  // polling a dead line neither throws nor hangs
    EXPECT_EQ(0, plugin.WaitForAllKeysToBeReleased(nullptr));
    EXPECT_EQ(-10, StartRun());
    EXPECT_TRUE(TestSupport::LogContains(kNotFound, wxLOG_Error));
}

#include "QPXDriver/QPXDevice.h"
#include "ScopedQpxDevicePaths.h"
#include "SimulatedQNode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <thread>
#include <unistd.h>

#include "TestSupport.h"

using namespace Orbisk;
using Orbisk::Testing::SimulatedQNode;
using Orbisk::Testing::SimulatedQNodeIdentity;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<QPXResponse> Collect(QPXDevice& device, std::size_t count)
{
    std::vector<QPXResponse> out;
    TestSupport::WaitUntil(
        [&] {
            device.PollForResponse();
            while (device.HasQueuedResponses()) out.push_back(device.GetNextResponse());
            return out.size() >= count;
        },
        std::chrono::seconds(2));
    return out;
}

}  // namespace

TEST(QPXDevice, OpensASimulatedQNodeAndReadsItsIdentity)
{
    SimulatedQNodeIdentity identity;
    identity.modelNumber = 5122;
    identity.modelCharacter = '4';
    identity.majorVersion = 0;
    identity.minorVersion = 5;
    identity.deviceName = "q-node \xE2\x80\x93 lab 2";
    SimulatedQNode sim(identity);
    QPXOpenResult result;
    std::string reason;
    auto device = QPXDevice::Open(sim.DevicePath(), 1000, result, reason);
    ASSERT_TRUE(device) << reason;
    EXPECT_EQ(QPXOpenResult::Opened, result);
    const DeviceConfig config = device->GetDeviceConfig();
    EXPECT_EQ('4', config.GetModelID());
    EXPECT_EQ(5122u, config.GetModelNumber());
    EXPECT_EQ(0, config.GetMajorVersion());
    EXPECT_EQ(5, device->GetMinorFirmwareVersion());
    EXPECT_EQ(identity.deviceName, config.GetDeviceName());
    EXPECT_EQ(sim.DevicePath(), device->GetPath());
    EXPECT_TRUE(device->IsConnected());
}

TEST(QPXDevice, QueuesPressesAndReleasesInOrderAndCountsKeysDown)
{
    SimulatedQNode sim;
    auto device = QPXDevice::Open(sim.DevicePath(), 1000);
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->HasQueuedResponses());
    EXPECT_EQ(0, device->GetNumberOfKeysDown());

    sim.Press(0);
    sim.Press(7);
    auto got = Collect(*device, 2);
    ASSERT_EQ(2u, got.size());
    EXPECT_EQ(0, got[0].Key());
    EXPECT_EQ(3, got[0].Port());
    EXPECT_TRUE(got[0].IsPress());
    EXPECT_EQ(7, got[1].Key());
    EXPECT_EQ(2, device->GetNumberOfKeysDown());

    sim.Release(0);
    got = Collect(*device, 1);
    ASSERT_EQ(1u, got.size());
    EXPECT_FALSE(got[0].IsPress());
    EXPECT_EQ(0, got[0].Key());
    EXPECT_EQ(1, device->GetNumberOfKeysDown());

    // Clearing the queue forgets records but not which keys are held.
    sim.Release(7);
    sim.Press(4);
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    while (device->GetNumberOfKeysDown() != 1 || !device->HasQueuedResponses()) {
        ASSERT_LT(Clock::now(), deadline);
        device->PollForResponse();
    }
    device->ClearResponseQueue();
    EXPECT_FALSE(device->HasQueuedResponses());
    EXPECT_EQ(1, device->GetNumberOfKeysDown());
    EXPECT_EQ(0u, device->GetNextResponse().keyAndPort);  // empty queue: a zero record, not a crash
}

TEST(QPXDevice, InputModeAndTimerResetReachTheDevice)
{
    SimulatedQNode sim;
    auto device = QPXDevice::Open(sim.DevicePath(), 1000);
    ASSERT_TRUE(device);
    device->SetQNodeInputMode(116);
    device->ResetRtTimer();
    device->ResetRtTimer();
    TestSupport::WaitUntil([&] { return sim.LastInputMode() == 116 && sim.TimerResets() == 2; },
                           std::chrono::seconds(2));
    EXPECT_EQ(116, sim.LastInputMode());
    EXPECT_EQ(2, sim.TimerResets());
}

TEST(QPXDevice, AHangUpLeavesADisconnectedDeviceWithNoKeysHeld)
{
    SimulatedQNode sim;
    auto device = QPXDevice::Open(sim.DevicePath(), 1000);
    ASSERT_TRUE(device);
    sim.Press(1);
    ASSERT_EQ(1u, Collect(*device, 1).size());
    EXPECT_EQ(1, device->GetNumberOfKeysDown());
    sim.HangUp();
    TestSupport::WaitUntil(
        [&] {
            device->PollForResponse();
            return !device->IsConnected();
        },
        std::chrono::seconds(2));
    EXPECT_FALSE(device->IsConnected());
    EXPECT_EQ(0, device->GetNumberOfKeysDown());
    device->SetQNodeInputMode('t');  // harmless on a dead line
    device->PollForResponse();
    EXPECT_FALSE(device->HasQueuedResponses());
}

TEST(QPXDevice, PortsThatCannotBeAQNodeAreRefusedQuickly)
{
    SimulatedQNode silent(SimulatedQNodeIdentity(), SimulatedQNode::Personality::Silent);
    SimulatedQNode foreign(SimulatedQNodeIdentity(), SimulatedQNode::Personality::Foreign);
    SimulatedQNode held;
    auto holder = QPXDevice::Open(held.DevicePath(), 1000);
    ASSERT_TRUE(holder);
    const std::string plainFile = TestSupport::MakeTempFolder("qpx") + "/not-a-tty";
    std::ofstream(plainFile) << "hello";

    struct Case
    {
        std::string path;
        QPXOpenResult expected;
    } cases[] = {
        {"/dev/ttyUSB-definitely-absent", QPXOpenResult::Absent},
        {held.DevicePath(), QPXOpenResult::Busy},
        {plainFile, QPXOpenResult::NotATerminal},
        {silent.DevicePath(), QPXOpenResult::NoAnswer},
        {foreign.DevicePath(), QPXOpenResult::NoAnswer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        QPXOpenResult result = QPXOpenResult::Opened;
        std::string reason;
        const auto start = Clock::now();
        auto device = QPXDevice::Open(c.path, 200, result, reason);
        const auto tookMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        EXPECT_FALSE(device);
        EXPECT_EQ(c.expected, result);
        EXPECT_FALSE(reason.empty());
        EXPECT_LT(tookMs, 1000);
    }
    // The refused attempts did not disturb the device that holds the busy line.
    held.Press(2);
    EXPECT_EQ(1u, Collect(*holder, 1).size());
}

TEST(QPXDevice, AClosedDeviceFreesItsLineForTheNextOpen)
{
    SimulatedQNode sim;
    auto first = QPXDevice::Open(sim.DevicePath(), 1000);
    ASSERT_TRUE(first);
    first.reset();
    auto second = QPXDevice::Open(sim.DevicePath(), 1000);
    ASSERT_TRUE(second);
    EXPECT_EQ(2, sim.IdentifyRequests());
}

TEST(QPXDevice, CandidatePathsPutTheEnvironmentFirstWithoutRepeats)
{
    Orbisk::Testing::ScopedQpxDevicePaths env({"/dev/pts/98", "", "/dev/pts/99", "/dev/pts/98"});
    const auto paths = QPXDevice::CandidatePaths();
    ASSERT_GE(paths.size(), 2u);
    EXPECT_EQ("/dev/pts/98", paths[0]);
    EXPECT_EQ("/dev/pts/99", paths[1]);
    for (std::size_t i = 2; i < paths.size(); ++i) {
        EXPECT_TRUE(paths[i].rfind("/dev/ttyUSB", 0) == 0 || paths[i].rfind("/dev/ttyACM", 0) == 0) << paths[i];
    }
}

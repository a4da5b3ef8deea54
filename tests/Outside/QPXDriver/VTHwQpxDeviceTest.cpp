#include "VTPlugInCommon/VTHwQpxDevice.h"

#include "QPXDriver/QPXDevice.h"
#include "ScopedQpxDevicePaths.h"
#include "SimulatedQNode.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using Orbisk::Testing::ScopedQpxDevicePaths;
using Orbisk::Testing::SimulatedQNode;
using Orbisk::Testing::SimulatedQNodeIdentity;
using VantrelSDK::VTHwQpxDevice;
using Clock = std::chrono::steady_clock;

namespace {
const std::vector<unsigned> kQNodeModels{5071, 5103, 5122};

SimulatedQNodeIdentity Identity(unsigned model, char character, const std::string& name)
{
    SimulatedQNodeIdentity id;
    id.modelNumber = model;
    id.modelCharacter = character;
    id.deviceName = name;
    return id;
}
}  // namespace

TEST(VTHwQpxDevice, DetectionSkipsUselessPortsAndFindsTheQNodeBehindThem)
{
    SimulatedQNode silent(SimulatedQNodeIdentity(), SimulatedQNode::Personality::Silent);
    SimulatedQNode foreign(SimulatedQNodeIdentity(), SimulatedQNode::Personality::Foreign);
    SimulatedQNode busy;
    auto holder = Orbisk::QPXDevice::Open(busy.DevicePath(), 1000);  // another program's line
    ASSERT_TRUE(holder);
    SimulatedQNode qnode(Identity(5122, '4', "q-node 4"));
    ScopedQpxDevicePaths env(
        {"/dev/ttyUSB-absent", busy.DevicePath(), silent.DevicePath(), foreign.DevicePath(), qnode.DevicePath()});

    VTHwQpxDevice hw;
    const auto start = Clock::now();
    auto found = hw.AutoDetectQpxModel(nullptr, kQNodeModels, "q-node", 2);
    const auto tookMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    ASSERT_TRUE(found);
    EXPECT_EQ(5122u, found->GetModelID());
    EXPECT_EQ(wxString("q-node 4"), found->GetDisplayName());
    EXPECT_EQ(qnode.DevicePath(), found->GetDevicePath());
    // Two tries of the silent port and one of the foreign one, nothing more.
    EXPECT_LT(tookMs, 2500);
    EXPECT_EQ(0, busy.IdentifyRequests() - 1);  // only the holder ever asked it
}

TEST(VTHwQpxDevice, AWantedModelWinsOverAnotherDeviceFoundFirst)
{
    SimulatedQNode other(Identity(4410, 'K', "KP response pad"));
    SimulatedQNode qnode(Identity(5071, '1', "q-node 1"));
    ScopedQpxDevicePaths env({other.DevicePath(), qnode.DevicePath()});
    VTHwQpxDevice hw;
    auto found = hw.AutoDetectQpxModel(nullptr, kQNodeModels, "q-node", 2);
    ASSERT_TRUE(found);
    EXPECT_EQ(5071u, found->GetModelID());
}

TEST(VTHwQpxDevice, AnotherDeviceAloneIsDescribedSoTheCallerCanNameIt)
{
    SimulatedQNode other(Identity(4410, 'K', "KP response pad"));
    ScopedQpxDevicePaths env({other.DevicePath()});
    VTHwQpxDevice hw;
    auto found = hw.AutoDetectQpxModel(nullptr, kQNodeModels, "q-node", 2);
    ASSERT_TRUE(found);
    EXPECT_EQ(4410u, found->GetModelID());
    EXPECT_EQ(wxString("KP response pad"), found->GetDisplayName());
    EXPECT_FALSE(hw.IsModelAvailable(5103));
    EXPECT_FALSE(hw.OpenModel(5103));
}

TEST(VTHwQpxDevice, NothingConnectedGivesNull)
{
    ScopedQpxDevicePaths env({"/dev/ttyUSB-absent"});
    VTHwQpxDevice hw;
    EXPECT_FALSE(hw.AutoDetectQpxModel(nullptr, kQNodeModels, "q-node", 2));
    EXPECT_FALSE(hw.IsModelAvailable(5103));
    EXPECT_FALSE(hw.OpenModel(5103));
}

TEST(VTHwQpxDevice, OneConnectionPerModelIsSharedAndAGoneDeviceIsDropped)
{
    auto qnode = std::make_unique<SimulatedQNode>(Identity(5103, '2', "q-node 2"));
    ScopedQpxDevicePaths env({qnode->DevicePath()});
    VTHwQpxDevice hw;
    ASSERT_TRUE(hw.IsModelAvailable(5103));
    auto a = hw.OpenModel(5103);
    auto b = hw.OpenModel(5103);
    ASSERT_TRUE(a);
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(1, qnode->IdentifyRequests());
    ASSERT_TRUE(hw.AutoDetectQpxModel(nullptr, kQNodeModels, "q-node", 2));
    EXPECT_EQ(1, qnode->IdentifyRequests());

    // Stale input is dropped at the end of a run.
    qnode->Press(3);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    hw.OnEndExperimentBeforeBase();
    a->PollForResponse();
    EXPECT_FALSE(a->HasQueuedResponses());

    qnode->HangUp();
    TestSupport::WaitUntil(
        [&] {
            a->PollForResponse();
            return !a->IsConnected();
        },
        std::chrono::seconds(2));
    hw.OnEndExperimentAfterBase();
    a.reset();
    b.reset();
    EXPECT_FALSE(hw.OpenModel(5103));
}

#include "QPXDriver/QPXDevice.h"
#include "SimulatedQNodeProcess.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using Orbisk::QPXDevice;
using Orbisk::Testing::SimulatedQNodeProcess;

TEST(QNodeSimProgram, AnswersAsTheChosenModelAndSendsKeysOnCommand)
{
    SimulatedQNodeProcess sim(QNODE_SIM_PROGRAM, {"--model", "5071", "--char", "1", "--major", "2", "--minor", "30",
                                                  "--name", "Bench q-node"});
    ASSERT_TRUE(sim.IsRunning());
    auto device = QPXDevice::Open(sim.DevicePath(), 1000);
    ASSERT_TRUE(device);
    EXPECT_EQ(5071u, device->GetDeviceConfig().GetModelNumber());
    EXPECT_EQ('1', device->GetDeviceConfig().GetModelID());
    EXPECT_EQ(30, device->GetMinorFirmwareVersion());
    EXPECT_EQ("Bench q-node", device->GetDeviceConfig().GetDeviceName());

    EXPECT_EQ("ok", sim.Command("tap 6"));
    EXPECT_EQ("error key", sim.Command("press"));
    EXPECT_EQ("error unknown command", sim.Command("jump"));
    std::vector<Orbisk::QPXResponse> got;
    TestSupport::WaitUntil(
        [&] {
            device->PollForResponse();
            while (device->HasQueuedResponses()) got.push_back(device->GetNextResponse());
            return got.size() >= 2;
        },
        std::chrono::seconds(2));
    ASSERT_EQ(2u, got.size());
    EXPECT_TRUE(got[0].IsPress());
    EXPECT_FALSE(got[1].IsPress());
    EXPECT_EQ(6, got[1].Key());
    device->SetQNodeInputMode('t');
    std::string stats;
    TestSupport::WaitUntil([&] { return (stats = sim.Command("stats")) == "stats 1 0 116"; }, std::chrono::seconds(2));
    EXPECT_EQ("stats 1 0 116", stats);
}

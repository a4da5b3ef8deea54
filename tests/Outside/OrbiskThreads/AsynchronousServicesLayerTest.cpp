#include "TestSupport.h"

#include <OrbiskThreads/AsynchronousServicesLayer.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace OrbiskAsynchronous;

namespace {
boost::shared_ptr<AsynchronousServicesLayer> Make(THREADING_TYPE type)
{
    return AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(type, nullptr);
}

bool WaitFor(const std::function<bool()>& cond)
{
    return TestSupport::WaitUntil(cond, std::chrono::milliseconds(2000));
}
}  // namespace

TEST(AsynchronousServicesLayer, CompletionsRunOnlyInsidePollOnTheCallingThread)
{
    auto app = Make(THREADING_TYPE_OwnWorkerThread);
    auto polled = Make(THREADING_TYPE_PolledByHolder);
    ASSERT_TRUE(app && polled);
    app->Start();

    std::thread::id ranOn;
    int runs = 0;
    app->PostWork([&] {  // background work hands its result back as a completion
        polled->PostCompletion([&] {
            ranOn = std::this_thread::get_id();
            ++runs;
        });
    });
    // Nothing runs before somebody polls, however long we wait.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(runs, 0);
    ASSERT_TRUE(WaitFor([&] {
        polled->PollOnce();
        return runs == 1;
    }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    polled->PollOnce();
    EXPECT_EQ(runs, 1);
    app->Stop();
}

TEST(AsynchronousServicesLayer, PollNeverWaitsAndNothingRunsAfterStop)
{
    auto app = Make(THREADING_TYPE_OwnWorkerThread);
    auto polled = Make(THREADING_TYPE_PolledByHolder);
    const auto before = std::chrono::steady_clock::now();
    polled->PollOnce();  // empty queue, not started: returns at once
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));

    int runs = 0;
    polled->PostCompletion([&] { ++runs; });
    app->Stop();
    polled->PostCompletion([&] { ++runs; });
    polled->PollOnce();
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(polled->IsStopped());
}

TEST(AsynchronousServicesLayer, LayersShareServicesUntilTheLastHolderLetsGo)
{
    std::atomic<int> runs{0};
    {
        auto first = Make(THREADING_TYPE_PolledByHolder);
        auto second = Make(THREADING_TYPE_PolledByHolder);
        first->PostCompletion([&] { ++runs; });
        second->PollOnce();
        EXPECT_EQ(runs, 1);
        first->Stop();
    }
    auto fresh = Make(THREADING_TYPE_PolledByHolder);  // earlier services are gone: a new, running set
    EXPECT_FALSE(fresh->IsStopped());
    fresh->PostCompletion([&] { ++runs; });
    fresh->PollOnce();
    EXPECT_EQ(runs, 2);
}

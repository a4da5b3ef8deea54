// Workers' news reaches the GUI thread as posted continuations, and only while
// the window that asked for them lives.

#include "WindowLifeToken.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(WindowLifeToken, NewsFromAWorkerRunsOnTheGuiThreadInOrderWhileTheOwnerLives)
{
    Vantrel::WindowLifeToken token;
    const std::thread::id gui = std::this_thread::get_id();
    std::vector<int> seen;
    bool allOnGuiThread = true;
    auto post = token.Poster([&](int value) {
        allOnGuiThread = allOnGuiThread && std::this_thread::get_id() == gui;
        seen.push_back(value);
    });
    std::thread worker([post] {
        for (int i = 1; i <= 3; ++i) post(i);
    });
    worker.join();
    EXPECT_TRUE(seen.empty()) << "nothing runs on the worker or before the event loop";
    ASSERT_TRUE(TestSupport::WaitUntil([&] { return seen.size() == 3; }, 5000ms));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(allOnGuiThread);
}

TEST(WindowLifeToken, NewsPostedBeforeTheOwnerWentIsDroppedAfterwards)
{
    auto token = std::make_unique<Vantrel::WindowLifeToken>();
    std::atomic<int> ran{0};
    auto post = token->Poster([&] { ++ran; });
    std::thread([post] { post(); }).join();  // queued while the owner lives
    token.reset();                           // the owner goes before the event loop runs it
    post();                                  // and news after that is not even queued
    TestSupport::PumpFor(100);
    EXPECT_EQ(ran, 0);
}

}  // namespace

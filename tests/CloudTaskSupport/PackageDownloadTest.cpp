#include "CloudTaskSupport/PackageDownload.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

using Vantrel::PackageDownload;
using namespace std::chrono_literals;

std::optional<PackageDownload::Outcome> WaitForOutcome(PackageDownload& download,
                                                       std::chrono::milliseconds timeout = 5000ms)
{
    std::optional<PackageDownload::Outcome> outcome;
    TestSupport::WaitUntil([&] { return (outcome = download.TakeOutcome()).has_value(); }, timeout);
    return outcome;
}

// A transfer that reports progress until it is cancelled or released.
std::function<bool(PackageDownload::Progress&)> Blocking(std::shared_ptr<std::atomic<bool>> release,
                                                         std::shared_ptr<std::atomic<int>> ended = nullptr)
{
    return [release, ended](PackageDownload::Progress& progress) {
        while (!progress.cancel && !*release) {
            progress.percent = 40;
            std::this_thread::sleep_for(1ms);
        }
        if (ended) ++*ended;
        return !progress.cancel.load();
    };
}

TEST(PackageDownload, ReportsEachEndOnceAndOnlyAfterTheWorkerHasEnded)
{
    struct Case
    {
        std::function<bool(PackageDownload::Progress&)> transfer;
        PackageDownload::Outcome outcome;
    } cases[] = {
        {[](PackageDownload::Progress& p) {
             p.percent = 100;
             return true;
         },
         PackageDownload::Outcome::Succeeded},
        {[](PackageDownload::Progress&) { return false; }, PackageDownload::Outcome::Failed},
        {[](PackageDownload::Progress&) -> bool { throw std::runtime_error("disk full"); },
         PackageDownload::Outcome::Failed},
    };
    for (auto& c : cases) {
        PackageDownload download;
        EXPECT_FALSE(download.InFlight());
        download.Start(c.transfer);
        EXPECT_TRUE(download.InFlight());
        EXPECT_EQ(WaitForOutcome(download), c.outcome);
        EXPECT_FALSE(download.InFlight());
        EXPECT_EQ(download.TakeOutcome(), std::nullopt);
    }
}

TEST(PackageDownload, EveryWorkerTellsItsEndOnlyOnceItsOutcomeCanBeTaken)
{
    PackageDownload download;
    std::atomic<int> firstEnded{0};
    std::atomic<int> secondEnded{0};
    auto release = std::make_shared<std::atomic<bool>>(false);
    download.Start(Blocking(release), [&] { ++firstEnded; });
    // The first is retired (cancelled) by the second: it still tells its end, but
    // the outcome given out is the second's.
    download.Start([](PackageDownload::Progress&) { return true; }, [&] { ++secondEnded; });
    ASSERT_TRUE(TestSupport::WaitUntil([&] { return secondEnded == 1; }, 5000ms));
    EXPECT_EQ(download.TakeOutcome(), PackageDownload::Outcome::Succeeded) << "no waiting after the notice";
    EXPECT_TRUE(TestSupport::WaitUntil([&] { return firstEnded == 1; }, 5000ms));
    EXPECT_EQ(download.TakeOutcome(), std::nullopt);
    download.ShutDown(1000ms);
    EXPECT_EQ(firstEnded, 1);
    EXPECT_EQ(secondEnded, 1);
}

TEST(PackageDownload, NothingIsReportedWhileTheWorkerRuns)
{
    auto release = std::make_shared<std::atomic<bool>>(false);
    PackageDownload download;
    download.Start(Blocking(release));
    ASSERT_TRUE(TestSupport::WaitUntil([&] { return download.Percent() == 40; }, 5000ms)) << "the worker runs";
    EXPECT_EQ(download.TakeOutcome(), std::nullopt);
    *release = true;
    EXPECT_EQ(WaitForOutcome(download), PackageDownload::Outcome::Succeeded);
}

TEST(PackageDownload, CancelThenANewTryStartsClean)
{
    auto never = std::make_shared<std::atomic<bool>>(false);
    PackageDownload download;
    download.Start(Blocking(never));
    download.Cancel();
    EXPECT_EQ(WaitForOutcome(download), PackageDownload::Outcome::Cancelled);

    download.Start([](PackageDownload::Progress& progress) {
        EXPECT_FALSE(progress.cancel.load()) << "the cancel flag of the last try must be cleared";
        EXPECT_EQ(progress.percent.load(), 0);
        return true;
    });
    EXPECT_EQ(WaitForOutcome(download), PackageDownload::Outcome::Succeeded);
}

TEST(PackageDownload, ARestartRetiresTheOldWorkerWhichCanNoLongerReport)
{
    auto holdOld = std::make_shared<std::atomic<bool>>(false);
    auto oldEnded = std::make_shared<std::atomic<int>>(0);
    PackageDownload download;
    download.Start([holdOld, oldEnded](PackageDownload::Progress&) {
        while (!*holdOld) std::this_thread::sleep_for(1ms);  // ignores cancel, like a stuck transfer
        ++*oldEnded;
        return true;
    });
    auto releaseNew = std::make_shared<std::atomic<bool>>(false);
    download.Start(Blocking(releaseNew));
    *holdOld = true;
    ASSERT_TRUE(TestSupport::WaitUntil([&] { return oldEnded->load() == 1; }, 5000ms));
    EXPECT_EQ(download.TakeOutcome(), std::nullopt) << "the old worker's end must not count for the new try";
    *releaseNew = true;
    EXPECT_EQ(WaitForOutcome(download), PackageDownload::Outcome::Succeeded);
    EXPECT_EQ(oldEnded->load(), 1);
}

TEST(PackageDownload, ShutDownCancelsJoinsAndAbandonsAStuckWorkerSafely)
{
    auto ended = std::make_shared<std::atomic<int>>(0);
    auto release = std::make_shared<std::atomic<bool>>(false);
    {
        PackageDownload download;
        download.Start(Blocking(std::make_shared<std::atomic<bool>>(false), ended));
        download.ShutDown(2000ms);  // the cancel is honoured: joined
        EXPECT_EQ(ended->load(), 1);
    }
    {
        auto stuckEnded = std::make_shared<std::atomic<int>>(0);
        const auto start = std::chrono::steady_clock::now();
        {
            auto download = std::make_unique<PackageDownload>();
            download->Start([release, stuckEnded](PackageDownload::Progress& progress) {
                while (!*release) std::this_thread::sleep_for(1ms);
                progress.percent = 100;  // writes into the shared block after its owner is gone
                ++*stuckEnded;
                return true;
            });
            download->ShutDown(50ms);
        }  // the owner is destroyed while the worker still runs
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
        *release = true;
        TestSupport::WaitUntil([&] { return stuckEnded->load() != 0; }, 2000ms);
        EXPECT_EQ(stuckEnded->load(), 1);
        std::this_thread::sleep_for(10ms);  // let the abandoned worker finish its last writes
    }
}

}  // namespace

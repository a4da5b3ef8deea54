#include "TestSupport.h"
#include "UserInterface/UtilityClasses/WindowSurveillorThatWaitsForInactivity.h"

#include <wx/frame.h>
#include <wx/panel.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Orbisk::WindowSurveillorThatWaitsForInactivity;

// Ticks are delivered by the test, which pumps no events between them, so the
// real timer's own ticks never arrive; the work's duration comes from a fake clock.
class InactivityWatcherTest : public ::testing::Test
{
protected:
    static constexpr int kPeriodMs = 200;

    void SetUp() override
    {
        frame_ = new wxFrame(nullptr, wxID_ANY, "Watched", wxPoint(30, 30), wxSize(300, 200));
        panel_ = new wxPanel(frame_);
        child_ = new wxPanel(panel_, wxID_ANY, wxPoint(0, 0), wxSize(50, 50));
        watcher_ = std::make_unique<WindowSurveillorThatWaitsForInactivity>(panel_, kPeriodMs, [this] {
            ++runs_;
            nowMs_ += workTakesMs_;
        });
        watcher_->SetClock([this] { return nowMs_; });
    }
    void TearDown() override
    {
        watcher_.reset();
        frame_->Destroy();
    }

    void Tick()
    {
        wxTimerEvent tick(watcher_->GetTimer());
        watcher_->ProcessEvent(tick);
    }
    void Key(wxWindow* target)
    {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(key);
    }
    void Click(wxWindow* target)
    {
        wxMouseEvent click(wxEVT_LEFT_DOWN);
        click.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(click);
    }

    wxFrame* frame_ = nullptr;
    wxPanel* panel_ = nullptr;
    wxPanel* child_ = nullptr;
    std::unique_ptr<WindowSurveillorThatWaitsForInactivity> watcher_;
    int runs_ = 0;
    long long nowMs_ = 1000;
    long long workTakesMs_ = 0;
};

TEST_F(InactivityWatcherTest, RunsOnceAfterTheFirstQuietPeriodThenOnlyAfterNewActivity)
{
    Tick();
    EXPECT_EQ(runs_, 0) << "ticks while disabled are ignored";
    watcher_->Enable();
    Tick();
    EXPECT_EQ(runs_, 1);
    Tick();
    Tick();
    EXPECT_EQ(runs_, 1);

    Key(panel_);
    Tick();  // the period had activity
    EXPECT_EQ(runs_, 1);
    Tick();  // a whole quiet period
    EXPECT_EQ(runs_, 2);

    Click(panel_);
    Tick();
    Tick();
    EXPECT_EQ(runs_, 3);
}

TEST_F(InactivityWatcherTest, ContinuousTypingPostponesTheWork)
{
    watcher_->Enable();
    Tick();
    ASSERT_EQ(runs_, 1);
    for (int i = 0; i < 5; ++i) {
        Key(panel_);
        Tick();
    }
    EXPECT_EQ(runs_, 1);
    Tick();
    EXPECT_EQ(runs_, 2);
}

TEST_F(InactivityWatcherTest, EventsOfChildWindowsDoNotCount)
{
    watcher_->Enable();
    Tick();
    Key(child_);
    Click(child_);
    Tick();
    Tick();
    EXPECT_EQ(runs_, 1);
}

TEST_F(InactivityWatcherTest, WorkSlowerThanThePeriodSwitchesTheWatcherOffForGood)
{
    workTakesMs_ = kPeriodMs + 1;
    watcher_->Enable();
    Tick();
    EXPECT_EQ(runs_, 1);
    EXPECT_TRUE(watcher_->IsSwitchedOff());
    Key(panel_);
    Tick();
    Tick();
    watcher_->Disable();
    watcher_->Enable();
    Tick();
    EXPECT_EQ(runs_, 1);
}

TEST_F(InactivityWatcherTest, EnableOnARunningWatcherKeepsTheSeenActivityAndDisableStopsTicks)
{
    watcher_->Enable();
    Tick();
    Key(panel_);
    watcher_->Enable();  // already running: activity stays noted
    Tick();
    EXPECT_EQ(runs_, 1);
    watcher_->Disable();
    EXPECT_FALSE(watcher_->GetTimer().IsRunning());
    Tick();
    EXPECT_EQ(runs_, 1);
    watcher_->Enable(true);
    Tick();
    EXPECT_EQ(runs_, 2);
}

TEST_F(InactivityWatcherTest, AWatchedWindowDestroyedFirstIsHarmless)
{
    auto* doomed = new wxPanel(frame_);
    auto watcher = std::make_unique<WindowSurveillorThatWaitsForInactivity>(doomed, kPeriodMs, [] {});
    doomed->Destroy();
    watcher.reset();
}

TEST_F(InactivityWatcherTest, TheRealTimerRunsTheWorkAfterAQuietPeriod)
{
    auto quick = std::make_unique<WindowSurveillorThatWaitsForInactivity>(panel_, 20, [this] { ++runs_; });
    quick->Enable();
    EXPECT_TRUE(TestSupport::PumpUntil([this] { return runs_ == 1; }, 5000));
}

}  // namespace

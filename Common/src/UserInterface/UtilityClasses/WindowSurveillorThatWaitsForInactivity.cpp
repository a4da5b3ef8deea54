#include "UserInterface/UtilityClasses/WindowSurveillorThatWaitsForInactivity.h"

#include <wx/window.h>

#include <chrono>
#include <vector>

namespace Orbisk {

namespace {

std::vector<wxEventTypeTag<wxKeyEvent>> KeyEvents() { return {wxEVT_KEY_DOWN, wxEVT_KEY_UP, wxEVT_CHAR}; }

std::vector<wxEventTypeTag<wxMouseEvent>> MouseEvents()
{
    return {wxEVT_LEFT_DOWN,     wxEVT_LEFT_UP,    wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP,
            wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,    wxEVT_RIGHT_DCLICK};
}

long long SteadyNowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

wxBEGIN_EVENT_TABLE(WindowSurveillorThatWaitsForInactivity, wxEvtHandler)
    EVT_TIMER(wxID_ANY, WindowSurveillorThatWaitsForInactivity::OnTimer)
wxEND_EVENT_TABLE()

WindowSurveillorThatWaitsForInactivity::WindowSurveillorThatWaitsForInactivity(wxWindow* watched, int periodMs,
                                                                               boost::function<void()> work)
    : work_(std::move(work)),
      timer_(std::make_unique<wxTimer>(this, TimerId)),
      periodMs_(periodMs),
      watched_(watched),
      nowMs_(&SteadyNowMs)
{
    // Bound on the window itself: events of its children do not count.
    for (const auto& type : KeyEvents())
        watched_->Bind(type, &WindowSurveillorThatWaitsForInactivity::CaptureAllUserMovementOnKeys, this);
    for (const auto& type : MouseEvents())
        watched_->Bind(type, &WindowSurveillorThatWaitsForInactivity::CaptureAllUserMovementOnMouse, this);
}

WindowSurveillorThatWaitsForInactivity::~WindowSurveillorThatWaitsForInactivity()
{
    timer_->Stop();
    Unbind();
}

void WindowSurveillorThatWaitsForInactivity::Unbind()
{
    if (!watched_) return;
    for (const auto& type : KeyEvents())
        watched_->Unbind(type, &WindowSurveillorThatWaitsForInactivity::CaptureAllUserMovementOnKeys, this);
    for (const auto& type : MouseEvents())
        watched_->Unbind(type, &WindowSurveillorThatWaitsForInactivity::CaptureAllUserMovementOnMouse, this);
}

void WindowSurveillorThatWaitsForInactivity::Enable()
{
    if (timer_->IsRunning()) return;
    timer_->Start(periodMs_, wxTIMER_CONTINUOUS);
    activitySeen_ = false;
}

void WindowSurveillorThatWaitsForInactivity::Enable(bool on)
{
    if (on)
        Enable();
    else
        Disable();
}

void WindowSurveillorThatWaitsForInactivity::Disable()
{
    timer_->Stop();
    activitySeen_ = false;
}

void WindowSurveillorThatWaitsForInactivity::CaptureAllUserMovementOnKeys(wxKeyEvent& event)
{
    activitySeen_ = true;
    workPending_ = true;
    event.Skip();
}

void WindowSurveillorThatWaitsForInactivity::CaptureAllUserMovementOnMouse(wxMouseEvent& event)
{
    activitySeen_ = true;
    workPending_ = true;
    event.Skip();
}

void WindowSurveillorThatWaitsForInactivity::SetClock(boost::function<long long()> nowMs) { nowMs_ = std::move(nowMs); }

void WindowSurveillorThatWaitsForInactivity::OnTimer(wxTimerEvent& event)
{
    if (!timer_->IsRunning() || event.GetId() != TimerId || switchedOff_) return;
    if (activitySeen_) {
        activitySeen_ = false;
        return;
    }
    if (workPending_) {
        const long long started = nowMs_();
        if (work_) work_();
        workPending_ = false;
        if (nowMs_() - started > periodMs_) switchedOff_ = true;
    }
    activitySeen_ = false;
}

}  // namespace Orbisk

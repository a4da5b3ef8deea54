#pragma once
// Runs a piece of work once the user has left a window alone for a whole
// period: after each burst of keys or clicks on the window, the work runs once,
// at the first timer tick that follows a quiet period. A run that takes longer
// than the period switches the watcher off for good, so slow work cannot make
// the window unusable.

#include <boost/function.hpp>

#include <wx/event.h>
#include <wx/timer.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <memory>

namespace Orbisk {

class WindowSurveillorThatWaitsForInactivity : public wxEvtHandler
{
public:
    static constexpr int TimerId = 7558;

    // Created disabled; Enable starts watching.
    WindowSurveillorThatWaitsForInactivity(wxWindow* watched, int periodMs, boost::function<void()> work);
    ~WindowSurveillorThatWaitsForInactivity() override;

    void Enable();
    void Enable(bool on);
    void Disable();

    void CaptureAllUserMovementOnKeys(wxKeyEvent& event);
    void CaptureAllUserMovementOnMouse(wxMouseEvent& event);

    bool IsSwitchedOff() const { return switchedOff_; }

    // Milliseconds of a monotonic clock; tests replace it to time the work.
    void SetClock(boost::function<long long()> nowMs);
    // The tick timer, so tests can deliver ticks without waiting for them.
    wxTimer& GetTimer() { return *timer_; }

private:
    void OnTimer(wxTimerEvent& event);
    void Unbind();

    boost::function<void()> work_;
    std::unique_ptr<wxTimer> timer_;
    int periodMs_;
    bool activitySeen_ = false;
    bool switchedOff_ = false;
    bool workPending_ = true;
    wxWeakRef<wxWindow> watched_;  // may be destroyed before the watcher
    boost::function<long long()> nowMs_;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace Orbisk

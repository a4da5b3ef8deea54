#pragma once
// Driving window-modal sheets, which block on GTK: the test's script runs
// inside the sheet's modal loop once the sheet is on screen, and a watchdog
// ends a loop that the script failed to end.

#include <wx/dialog.h>
#include <wx/frame.h>

#include <wx/timer.h>

#include <functional>
#include <vector>

namespace SheetTest {

// A shown frame to hang sheets on; destroyed with the object.
class ParentFrame {
public:
    ParentFrame();
    ~ParentFrame();
    wxFrame* operator->() const { return frame_; }
    wxFrame* Get() const { return frame_; }

private:
    wxFrame* frame_;
};

// Runs show() (which opens a modal dialog that is a child of parent and
// returns when it closes); meanwhile runs whileOpen on the first shown modal
// child dialog of parent. Returns false when no dialog appeared or the
// watchdog had to close it.
bool WhileModalChildOpen(wxWindow* parent, const std::function<void(wxDialog&)>& whileOpen,
                         const std::function<void()>& show, int watchdogMs = 10000);

// The child window of a dialog with that id, or null.
wxWindow* Child(wxWindow& dialog, int id);

// Clicks a button (or any window) with the real pointer and waits for the events.
void Click(wxWindow* window);

// Types keys with the real keyboard from timer ticks, so they reach a popup
// menu while its own loop runs: once ready() holds, it waits a little for the
// menu to take the keyboard, then sends one key per tick. After timeoutMs it
// sends Escape instead, so a menu that is wrongly open cannot hang the test.
class KeyScript : public wxTimer {
public:
    KeyScript(std::function<bool()> ready, std::vector<int> keys, int timeoutMs = 8000);
    bool Finished() const { return next_ >= keys_.size(); }
    bool TimedOut() const { return timedOut_; }
    void Notify() override;

private:
    std::function<bool()> ready_;
    std::vector<int> keys_;
    size_t next_ = 0;
    int readyTicks_ = 0;
    int ticks_ = 0;
    int timeoutTicks_;
    bool timedOut_ = false;
};

}  // namespace SheetTest

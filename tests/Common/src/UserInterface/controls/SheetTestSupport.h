#pragma once
// Driving window-modal sheets, which block on GTK: the test's script runs
// inside the sheet's modal loop once the sheet is on screen, and a watchdog
// ends a loop that the script failed to end.

#include <wx/dialog.h>
#include <wx/frame.h>

#include <wx/menu.h>
#include <wx/timer.h>

#include <functional>
#include <memory>
#include <vector>

namespace SheetTest {

// A shown frame to hang sheets on; destroyed with the object.
class ParentFrame
{
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
// menu of `invoker` while the menu's own loop runs. Keys start once the menu
// has been mapped (menu-open event) for a few ticks. A menu still open well
// after the keys, or at the deadline, is closed by force, so a lost key makes
// the test fail (or retry) instead of hanging it.
class KeyScript : public wxTimer
{
public:
    KeyScript(wxWindow* invoker, wxMenu* menu, std::vector<int> keys, int timeoutMs = 8000);
    ~KeyScript() override;
    bool MenuWasOpened() const { return opened_; }
    bool ClosedByForce() const { return closedByForce_; }
    void Notify() override;

private:
    bool Open() const;
    void CloseByForce();

    wxWindow* invoker_;
    wxMenu* menu_;
    std::vector<int> keys_;
    size_t next_ = 0;
    std::shared_ptr<bool> mapped_;
    bool opened_ = false;
    int openTicks_ = 0;
    int ticksAfterKeys_ = 0;
    int ticks_ = 0;
    int timeoutTicks_;
    bool closedByForce_ = false;
};

}  // namespace SheetTest

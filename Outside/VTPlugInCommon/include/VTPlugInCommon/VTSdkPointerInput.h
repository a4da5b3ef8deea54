#pragma once
// Mouse buttons on the presentation window, handed from the GUI thread to the
// on-screen input plug-in that polls on the runtime thread.
//
// The presentation window stamps each press and release with the run timer when
// its event arrives, exactly as it stamps keys, and posts it here only while a
// plug-in listens; the plug-in takes them from its detection function.

#include <wx/gdicmn.h>

#include <deque>
#include <mutex>

#include "VTPlugInCommon/VTSdkExport.h"

namespace VantrelSDK {

struct VTSDK_API PointerButtonEvent
{
    enum Button
    {
        BUTTON_LEFT = 1,
        BUTTON_MIDDLE = 2,
        BUTTON_RIGHT = 4
    };
    int button = BUTTON_LEFT;
    int phase = 1;  // 1 pressed, 2 released
    // Where, in pixels of the presentation surface (top left is 0, 0), and its size.
    wxPoint position;
    wxSize surface;
    // Where the visual stimulus was drawn when the button moved (none: nothing drawn).
    bool stimulusShown = false;
    wxRect stimulus;
    unsigned long long timeMicroseconds = 0;
};

class VTSDK_API PointerInputQueue
{
public:
    static PointerInputQueue& Get();

    // Only while a plug-in listens are events kept; otherwise the window's clicks are its own.
    void SetListening(bool listening);
    bool IsListening() const;
    void Post(const PointerButtonEvent& event);
    bool Take(PointerButtonEvent& event);
    bool HasPending() const;
    void Clear();

private:
    PointerInputQueue() = default;
    mutable std::mutex m_Mutex;
    std::deque<PointerButtonEvent> m_Events;
    bool m_Listening = false;
};

}  // namespace VantrelSDK

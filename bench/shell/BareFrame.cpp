// The baseline: a bare wx program that shows one frame. It prints the moment
// its frame is on screen and ends.
#include "StartupClock.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <cstdio>

class BareApp : public wxApp
{
public:
    bool OnInit() override
    {
        m_Frame = new wxFrame(nullptr, wxID_ANY, "Bare Frame", wxDefaultPosition, wxSize(640, 480));
        m_Frame->Show();
        m_Timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            if (!m_Frame->IsShownOnScreen()) return;
            m_Timer.Stop();
            std::printf("SHOWN %lld\n", static_cast<long long>(MonotonicMicroseconds()));
            std::fflush(stdout);
            m_Frame->Close(true);
        });
        m_Timer.Start(1);
        return true;
    }

private:
    wxFrame* m_Frame = nullptr;
    wxTimer m_Timer;
};

wxIMPLEMENT_APP(BareApp);

#pragma once
// Drives a run from inside its own loop: a timer runs scripted steps, each waiting for
// its condition, so keys reach the presentation window through XTest while Run() works.

#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/stopwatch.h>

#include <functional>
#include <vector>

class RunDriver : public wxTimer
{
public:
    struct Step
    {
        std::function<bool()> ready;  // may be empty: ready at once
        std::function<void()> act;
        long delayMs;  // after the previous step
    };

    void Then(long delayMs, std::function<void()> act, std::function<bool()> ready = {})
    {
        m_Steps.push_back({ready, act, delayMs});
    }
    void Begin()
    {
        m_Clock.Start();
        Start(5);
    }
    bool Finished() const { return m_Next >= m_Steps.size(); }

    void Notify() override
    {
        if (Finished()) {
            Stop();
            return;
        }
        Step& step = m_Steps[m_Next];
        if (m_Clock.Time() < step.delayMs) return;
        if (step.ready && !step.ready()) return;
        step.act();
        ++m_Next;
        m_Clock.Start();
    }

    static wxTopLevelWindow* PresentationWindow()
    {
        for (wxWindow* w : wxTopLevelWindows)
            if (w->GetLabel() == "Study Station Presentation" && w->IsShownOnScreen())
                return static_cast<wxTopLevelWindow*>(w);
        return nullptr;
    }
    // Pointer to the middle of the presentation window and a click, so it has the keyboard.
    void FocusPresentation()
    {
        Then(
            0,
            [] {
                wxUIActionSimulator sim;
                wxRect r = PresentationWindow()->GetScreenRect();
                sim.MouseMove(r.GetPosition() + wxSize(r.width / 2, r.height / 2));
            },
            [] { return PresentationWindow() != nullptr; });
        Then(50, [] { wxUIActionSimulator().MouseClick(); });
    }

private:
    std::vector<Step> m_Steps;
    size_t m_Next = 0;
    wxStopWatch m_Clock;
};

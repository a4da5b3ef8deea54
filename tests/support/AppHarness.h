#pragma once
// Runs the real application object (Vantrel::VTApp) in the test process, with a
// probe that watches it from inside its event loop. One run per process: ctest
// runs every test of this binary in a process of its own.

#include "AppMain/VTApp.h"

#include <wx/timer.h>

#include <functional>
#include <string>
#include <vector>

struct AppRun
{
    int exitCode = -1;
    bool initSucceeded = false;
    bool exitRan = false;
    bool timedOut = false;
    bool skipped = false;
};

class ProbedApp : public Vantrel::VTApp
{
public:
    // Called every 20 ms from inside the loop until it returns true. Closing
    // the main frame there ends the run. After 20 s (stretched by the sanitizer
    // build's time scale) the run is ended as failed.
    using Probe = std::function<bool(ProbedApp&)>;
    ProbedApp(Probe probe, AppRun* run, std::function<void(ProbedApp&)> afterInit)
        : m_Probe(std::move(probe)), m_Run(run), m_AfterInit(std::move(afterInit))
    {}

    bool OnInit() override;
    int OnExit() override;

private:
    void OnTick(wxTimerEvent&);
    Probe m_Probe;
    AppRun* m_Run;
    std::function<void(ProbedApp&)> m_AfterInit;
    wxTimer m_Timer;
    long m_Elapsed = 0;
    bool m_ProbeDone = false;
    bool m_InProbe = false;
};

// Runs the application with these command-line arguments (the program name is added).
// `afterInit` runs right after start-up, before the event loop.
AppRun RunApplication(const std::vector<std::string>& args, ProbedApp::Probe probe,
                      std::function<void(ProbedApp&)> afterInit = {});

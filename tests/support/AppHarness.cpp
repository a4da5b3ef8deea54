#include "AppHarness.h"

#include "AppMain/AppFactory.h"
#include "TestMainSetup.h"
#include "TestSupport.h"
#include "TimeScale.h"

#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/window.h>
#include <wx/log.h>
#include <wx/scopeguard.h>

#include <cstdio>
#include <cstdlib>

bool ProbedApp::OnInit()
{
    // The GUI library sets up its own log target while it starts; record instead.
    delete wxLog::SetActiveTarget(TestSupport::CreateRecordingLog());
    wxLog::AddTraceMask("vtshutdown");
    m_Run->initSucceeded = VTApp::OnInit();
    if (m_Run->initSucceeded) {
        if (m_AfterInit) m_AfterInit(*this);
        m_Timer.SetOwner(this);
        Bind(wxEVT_TIMER, &ProbedApp::OnTick, this);
        m_Timer.Start(20);
    }
    return m_Run->initSucceeded;
}

int ProbedApp::OnExit()
{
    m_Timer.Stop();
    m_Run->exitRan = true;
    return VTApp::OnExit();
}

void ProbedApp::OnTick(wxTimerEvent&)
{
    m_Elapsed += 20;
    if (m_Elapsed > 20000 * TestSupport::kTimeScale) {
        m_Run->timedOut = true;
        m_Timer.Stop();
        if (wxWindow* top = GetTopWindow()) top->Destroy();
        ExitMainLoop();
        return;
    }
    // A probe step that closes a window or waits can run a nested event loop, whose
    // ticks must not call the probe again from inside itself. A probe may also throw
    // (to test the loop's recovery), which must not leave it shut out.
    if (m_ProbeDone || m_InProbe) return;
    m_InProbe = true;
    wxON_BLOCK_EXIT_SET(m_InProbe, false);
    m_ProbeDone = m_Probe(*this);
}

AppRun RunApplication(const std::vector<std::string>& args, ProbedApp::Probe probe,
                      std::function<void(ProbedApp&)> afterInit)
{
    AppRun run;
    static bool alreadyRan = false;
    if (alreadyRan) {
        run.skipped = true;
        return run;
    }
    alreadyRan = true;
    std::vector<std::string> storage{"StudyStation"};
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : storage) argv.push_back(a.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(storage.size());

    Vantrel::EnsureApplicationFactoryIsLinked();
    wxSetAssertHandler(TestSupport::AssertionFailsTheTest);
    // wxEntry deletes the application object; it reports into `run`.
    wxApp::SetInstance(new ProbedApp(std::move(probe), &run, std::move(afterInit)));
    run.exitCode = wxEntry(argc, argv.data());
    return run;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    TestSupport::InitialiseHomeFolder();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("STUDYSTATION_TEST_QUIET_LOG", "1", 0);
    const int rc = RUN_ALL_TESTS();
    if (rc == 0) TestSupport::RemoveHomeFolder();
    return rc;
}

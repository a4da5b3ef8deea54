#pragma once
// The one application object of Study Station: start-up, the first idle event,
// an event loop that survives the program's own exceptions, the pump switch
// around runs, and the ordered shut-down.

#include <VTPlugInCommon/GeneralHelpers.h>
#include "AppMain/Run/RunTaskShell.h"
#include "AppMain/VTStartupOptions.h"

#include "UserInterface/wxAppASIO.h"

#include <wx/debugrpt.h>
#include <wx/intl.h>

#include <boost/shared_ptr.hpp>

#include <vector>

class LogThatSuspendsDuringExpRun;

namespace Orbisk {
class wxDocManagerASIO;
}

namespace Vantrel {

class RAII_SplashScreenHelper;
class VTExperiment;
class VTMainFrame;
class VTVersionCheckHelper;

class VTApp : public Orbisk::wxAppASIO, public Interface_OwnsSplashscreen, public RunTaskShell
{
public:
    VTApp();
    ~VTApp() override;

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
    void CleanUp() override;
    void OnFatalException() override {}
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
    int FilterEvent(wxEvent& event) override;
    void HandleEvent(wxEvtHandler* handler, wxEventFunction func, wxEvent& event) const override;
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override;
    wxWindow* GetTopWindow() const override;

    void HideSplashscreen() override;
    void UnhideSplashscreen() override;

    Orbisk::wxDocManagerASIO* GetDocManager() const override { return m_DocManager; }
    const VTStartupOptions& GetStartupOptions() const { return m_StartupOptions; }

    // Switches the asynchronous-services pump off before a run and on after it.
    void AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks(bool allow, bool) override;
    void ShowBarsInRunTaskFrame(wxFrame* frame) override;
    void MakeSureSplashscreenIsDestroyedNow() override;
    CommandLineTask GetCommandLineTask() const override;
    void OnNotifyFrameIsDestroyedNow() { m_MainFrame = nullptr; }

    wxString GetUpdateStringOrEmptyStringMeansNoUpdates() const { return m_UpdateText; }
    wxString GetChangelogString() const { return m_ChangelogText; }
    wxString GetVersionString() const { return m_LatestVersionText; }

    bool AppLocaleIsDefinitelyNonEng() const;
    bool OnRemoteRequest(const wxString& path);
    void GenerateReport(wxDebugReport::Context context);

    bool ConfigureTheSingletonWxConfigObject();

    // True while the splash owner exists (until the first idle event or the
    // run-task view's frame dismisses it).
    bool HasSplashOwner() const { return static_cast<bool>(m_Splash); }
    // True from the start of the loop until the version check has answered.
    bool IsVersionCheckPending() const { return static_cast<bool>(m_VersionChecker); }

private:
    bool HandleFirstIdleEvent();
    void RunCommandLineExperiments();
    void CreateUntitledDocument();
    bool RunEventLoopOnce(int& result);
    void StartVersionCheck();
    void OnVersionInfo(bool success, wxString message);

    VTStartupOptions m_StartupOptions;
    std::vector<VTExperiment*> m_CommandLineExperiments;
    boost::shared_ptr<VTVersionCheckHelper> m_VersionChecker;
    wxLocale m_Locale;
    Orbisk::wxDocManagerASIO* m_DocManager = nullptr;
    VTMainFrame* m_MainFrame = nullptr;
    boost::shared_ptr<RAII_SplashScreenHelper> m_Splash;
    LogThatSuspendsDuringExpRun* m_Log = nullptr;
    wxString m_ChangelogText;
    wxString m_UpdateText;
    wxString m_LatestVersionText;
    bool m_LoopStarted = false;
};

}  // namespace Vantrel

wxDECLARE_APP(Vantrel::VTApp);

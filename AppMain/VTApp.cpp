#include "AppMain/VTApp.h"

#include "AppMain/DisplayEssentials.h"
#include "AppMain/DnDFile.h"
#include "AppMain/PreferencesFile.h"
#include "AppMain/AppEnvironment.h"
#include "AppMain/PumpPeriod.h"
#include "AppMain/VTDebugReport.h"
#include "AppMain/VTMainFrame.h"
#include "AppMain/Run/VTRunTaskView.h"
#include "AppMain/VTSplashScreen.h"
#include "AppMain/VersionCheck/VTVersionCheckHelper.h"

#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"
#include "UserInterface/wxDocManagerASIO.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTRunOptions.h>
#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>
#include <VTPlugInCommon/ProcessServices.h>
#include <VTPlugInCommon/VTException.h>
#include <VTRuntime/VTPlugIn.h>

#include <wx/cmdline.h>
#include <wx/evtloop.h>
#include <wx/config.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/sysopt.h>
#include <wx/utils.h>

#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>

#include <cstdlib>

namespace Vantrel {
namespace {

const char* const kUntitledDocumentName = "Orbisk Study Station.vt6";
// The single-document flag of the GUI library's older document managers; the
// current one keeps the argument and ignores it.
const long kDocManagerSingleDocumentFlag = 1;

// Trace of the shut-down steps, for diagnosing an exit that goes wrong.
const char* const kShutdownTraceMask = "vtshutdown";

// Platform assertions known to be harmless, compared with the file name and
// extension that the GUI library reports.
bool IsKnownHarmlessAssertion(const wxString& file, int line, const wxString& message)
{
    const wxString ext = wxFileName(file).GetExt();
    const wxString withExt = ext.empty() ? wxString() : "." + ext;
    if (file == "../src/mac/carbon/font" + withExt && line == 488 && message == "couldn't modify ATSU style")
        return true;
    if (file == "../src/mac/carbon/graphics" + withExt && line == 779 && message == "couldn't modify ATSU style")
        return true;
    if (file == "../src/osx/carbon/font" + withExt && line == 463 && message == "Point size should not be zero.")
        return true;
    if (file.EndsWith("src/osx/carbon/font" + withExt) && line == 453 && message == "Point size should not be zero.")
        return true;
    return false;
}

// The main frame only owns the participant's windows and stays out of sight. Its
// size is given inside the decorations: a whole-frame width of 1 leaves GTK a
// width of 0 once a window manager's borders are taken off, which it refuses.
void ParkOutOfSight(wxFrame* frame)
{
    frame->SetClientSize(1, 1);
    frame->Move(-10000, -10000);
}

}  // namespace

VTApp::VTApp() = default;
VTApp::~VTApp() = default;

bool VTApp::ConfigureTheSingletonWxConfigObject() { return Vantrel::ConfigureTheSingletonWxConfigObject(*this); }

bool VTApp::OnInit()
{
    wxSystemOptions::SetOption("msw.remap", 0);
    m_ChangelogText.clear();
    m_UpdateText.clear();
    m_LatestVersionText.clear();
    EnsureThatGUIDisplayEssentialsAreInitialized();
    for (const char* mask :
         {"TRACE_TIB_COLLECTION", "TRACE_MASK_AUDIO_EVENT_DEBUG", "vtfocus", "vantrel", "VTCustomPlugInLoaderThread"})
        wxLog::AddTraceMask(mask);
    ConfigureTheSingletonWxConfigObject();
    if (!Orbisk::wxAppASIO::OnInit()) return false;  // also parses the command line

    m_Splash = boost::make_shared<RAII_SplashScreenHelper>(m_StartupOptions.ShowSplash(), "Loading preferences...");
    wxLog::GetActiveTarget();  // creates the default target when there is none
    m_Log = new LogThatSuspendsDuringExpRun();

    if (!AppEnvironment::UnderMemoryChecker() && m_StartupOptions.GetLanguage() != wxLANGUAGE_UNKNOWN) {
        m_Locale.Init(m_StartupOptions.GetLanguage(), wxLOCALE_LOAD_DEFAULT);
        wxLocale::AddCatalogLookupPathPrefix(wxStandardPaths::Get().GetDataDir());
        m_Locale.AddCatalog("vantrel");
    }

    m_DocManager = new Orbisk::wxDocManagerASIO(kDocManagerSingleDocumentFlag, true, PumpPeriodFromEnvironment());
    VTExperiment::CreateOneWxDocTemplate(m_DocManager, wxCLASSINFO(VTRunTaskView));

    if (wxConfigBase* config = wxConfigBase::Get()) {
        config->SetPath("/");
        m_DocManager->FileHistoryLoad(*config);
    }

    m_MainFrame = new VTMainFrame(m_DocManager);
    ParkOutOfSight(m_MainFrame);
    SetTopWindow(m_MainFrame);
    m_MainFrame->SetOwnerApp(this);

    if (!VTPlugIn::LocateAll(m_Splash->GetDisplayPtr()))
        wxLogWarning(_("There were one or more errors loading plug-ins.  Some functionality may not be available."));
    if (IPlugInLoadProgressDisplay* display = m_Splash->GetDisplayPtr())
        display->ShowText(_("Loading user-interface elements..."));
    {
        // No loop runs yet during start-up; a temporary one lets the splash paint.
        wxEventLoopGuarantor loopDuringStartup;
        Yield(false);
    }

    if (m_DocManager->GetDocuments().empty() && !m_StartupOptions.HasZeroParameters()) {
        if (!m_StartupOptions.IsRunnable()) {
            m_DocManager->CreateDocument(wxEmptyString, wxDOC_NEW);
        } else {
            for (const wxString& path : m_StartupOptions.GetExpPaths()) {
                wxDocument* taken = nullptr;
                for (wxDocument* open : m_DocManager->GetDocumentsVector()) {
                    if (wxFileName(open->GetFilename()).SameAs(wxFileName(path))) {
                        taken = open;
                        break;
                    }
                }
                if (!taken) taken = m_DocManager->CreateDocument(path, wxDOC_SILENT);
                if (auto* experiment = dynamic_cast<VTExperiment*>(taken))
                    m_CommandLineExperiments.push_back(experiment);
            }
        }
    }

    m_MainFrame->SetDropTarget(new DnDFile(m_DocManager));
    ParkOutOfSight(m_MainFrame);
    m_MainFrame->Show();
    SetTopWindow(m_MainFrame);
    SetExitOnFrameDelete(true);
    return true;
}

void VTApp::StartVersionCheck()
{
    // Presence alone switches the check off, an empty value too.
    if (AppEnvironment::VersionCheckDisabled()) return;
    m_VersionChecker = boost::make_shared<VTVersionCheckHelper>();
    m_VersionChecker->GetVersionInfo(
        boost::bind(&VTApp::OnVersionInfo, this, boost::placeholders::_1, boost::placeholders::_2));
}

void VTApp::OnVersionInfo(bool success, wxString message)
{
    if (!success) {
        Orbisk::EitherLogVerboseOrLogErrorBasedOnEnvironment(
            "Obtrusive diagnostics: Error retrieving version file. Message: \"" + message + "\"");
    } else if (m_VersionChecker) {
        m_ChangelogText = m_VersionChecker->GetChangeLogString();
        m_LatestVersionText = m_VersionChecker->GetLatestVersionString();
        wxString update;
        if (!m_VersionChecker->IsCurrentAppOutOfDate(&update)) update.clear();
        m_UpdateText = update;
    }
    // Keeps the checker alive until this callback returns.
    const boost::shared_ptr<VTVersionCheckHelper> checker = std::move(m_VersionChecker);
    if (checker) checker->DisposeOfVersionTesterObj();
}

int VTApp::OnRun()
{
    // No garbage collector exists on this platform; nothing to warn about.
    if (Orbisk::RunningInObtrusiveDiagnosticMode()) Orbisk::OrbiskImagesArtworkEtc::TestAllImages();
    // Only once the program is up: a start-up that fails never asks the network.
    StartVersionCheck();
    for (;;) {
        int result = 0;
        if (RunEventLoopOnce(result)) {
            if (m_VersionChecker) m_VersionChecker->DisposeOfVersionTesterObj();
            m_VersionChecker.reset();
            return result;
        }
        wxLogError(_("Restarting the event loop!"));
    }
}

// One run of the GUI library's loop. False when an exception left it and the
// loop is to be started again.
bool VTApp::RunEventLoopOnce(int& result)
{
    m_LoopStarted = true;
    try {
        result = Orbisk::wxAppASIO::OnRun();
        return true;
    } catch (const VantrelSDK::VTException& exception) {
        wxLogError(_("Caught an exception in VTApp::OnRun.  Attempting to continue."));
        exception.DisplayErrorMessage();
    } catch (...) {
        // Ending the program unseen would lose whatever the participant was
        // doing; the loop is restarted as for the program's own exceptions.
        wxLogError(_("Caught an unknown exception in VTApp::OnRun.  Attempting to continue."));
        wxLogError(_("The exception said: %s"), VantrelSDK::DescribeCurrentException());
        wxLog::FlushActive();
    }
    return false;
}

int VTApp::OnExit()
{
    if (wxConfigBase* config = wxConfigBase::Get(false)) {
        config->SetPath("/");
        if (m_DocManager) m_DocManager->FileHistorySave(*config);
    }
    wxLogTrace(kShutdownTraceMask, "Shut-down: file history saved.");
    // The manager's timer and its hold on the asynchronous services must end before
    // the services stop; the GUI library does not delete it.
    delete m_DocManager;
    m_DocManager = nullptr;
    wxLogTrace(kShutdownTraceMask, "Shut-down: document manager deleted.");
    VantrelSDK::LifetimeManagerForStreamingObjects::DeInitStreaming();
    wxLogTrace(kShutdownTraceMask, "Shut-down: streaming de-initialised.");
    VTPlugIn::DeleteAllObjects();
    wxLogTrace(kShutdownTraceMask, "Shut-down: plug-in objects deleted.");
    const int result = Orbisk::wxAppASIO::OnExit();
    wxLogTrace(kShutdownTraceMask, "Shut-down: asynchronous services stopped.");
    return result;
}

void VTApp::CleanUp() { Orbisk::wxAppASIO::CleanUp(); }

void VTApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    Orbisk::wxAppASIO::OnInitCmdLine(parser);
    VTStartupOptions::AddRegisteredOptionsToParser(parser);
}

bool VTApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if (!Orbisk::wxAppASIO::OnCmdLineParsed(parser)) return false;
    m_StartupOptions.Create(parser);
    return true;
}

int VTApp::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() == wxEVT_IDLE && HandleFirstIdleEvent()) return Event_Processed;
    return Orbisk::wxAppASIO::FilterEvent(event);
}

// True when the idle event was used up by the command-line runs.
bool VTApp::HandleFirstIdleEvent()
{
    if (!m_CommandLineExperiments.empty()) {
        RunCommandLineExperiments();
        return true;
    }
    if (m_LoopStarted) {
        m_LoopStarted = false;
        if (m_DocManager && m_DocManager->GetDocuments().empty() && m_StartupOptions.HasZeroParameters())
            CreateUntitledDocument();
        m_Splash.reset();
    }
    return false;
}

void VTApp::CreateUntitledDocument()
{
    wxDocument* doc = m_DocManager->CreateDocument(kUntitledDocumentName, wxDOC_NEW | wxDOC_SILENT);
    // A new document is renamed "unnamedN" by the GUI library; this one keeps
    // the program's own name, in its frame's title too.
    if (doc && doc->GetFilename() != kUntitledDocumentName) {
        doc->SetTitle(kUntitledDocumentName);
        doc->SetFilename(kUntitledDocumentName, true);
    }
}

void VTApp::RunCommandLineExperiments()
{
    m_Splash.reset();
    std::vector<VTExperiment*> experiments;
    experiments.swap(m_CommandLineExperiments);
    const bool dataHook = AppEnvironment::DataHookEnabled();
    if (dataHook) VTRunTaskView::ExpandEventsIntoNewDocument(experiments[std::rand() % experiments.size()]);
    Orbisk::EasyRedirectMinimalErrorLog* redirect = nullptr;
    wxLog* previous = nullptr;
    if (dataHook) {
        redirect = new Orbisk::EasyRedirectMinimalErrorLog();
        previous = wxLog::SetActiveTarget(redirect);
    }
    const boost::function<void(bool, bool)> endCallback =
        boost::bind(&VTApp::AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks, this, boost::placeholders::_1,
                    boost::placeholders::_2);
    const std::uint32_t repetitions = m_StartupOptions.GetRepetitionCount();
    bool quit = false;
    for (VTExperiment* experiment : experiments) {
        for (std::uint32_t i = 0; i < repetitions; ++i) {
            if (wxView* view = experiment->GetFirstView()) view->Activate(true);
            experiment->OnSetActive();
            AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks(false, false);
            quit = m_StartupOptions.OnRun(*experiment, endCallback);
            AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks(true, true);
            for (int y = 0; y < 5; ++y) SafeYield(nullptr, false);
            wxLog::FlushActive();
            if (redirect) redirect->GetAllMessagesConcatenatedTogetherAndClearQueue("\r\n");
        }
    }
    if (redirect) {
        wxLog::SetActiveTarget(previous);
        delete redirect;
    }
    if (quit) {
        wxLog::FlushActive();
        VTRunOptions().FlushTestOutput();
        if (m_MainFrame) m_MainFrame->Close(false);
    }
}

void VTApp::HandleEvent(wxEvtHandler* handler, wxEventFunction func, wxEvent& event) const
{
    Orbisk::wxAppASIO::HandleEvent(handler, func, event);
}

void VTApp::OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond, const wxChar* msg)
{
    if (IsKnownHarmlessAssertion(file, line, msg)) return;
    VTRunOptions().PushAssertionFailureToAutomatedTestPluginIfPossible(
        wxString::Format("%s - line %d - func %s - cond [[ %s ]] - msg: %s", file, line, func, cond, msg));
}

wxWindow* VTApp::GetTopWindow() const { return m_MainFrame; }

void VTApp::HideSplashscreen()
{
    if (!m_Splash) return;
    if (wxWindow* window = m_Splash->GetHidableWindowPtr()) {
        window->Show(false);
        window->Refresh(true);
        window->Update();
    }
}

void VTApp::UnhideSplashscreen()
{
    if (!m_Splash) return;
    if (wxWindow* window = m_Splash->GetHidableWindowPtr()) {
        window->Show(true);
        window->Refresh(true);
        window->Update();
    }
}

void VTApp::AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks(bool allow, bool)
{
    if (m_DocManager) m_DocManager->SetAsioEvents(allow);
}

void VTApp::ShowBarsInRunTaskFrame(wxFrame* frame)
{
    VTMainFrame::ShowToolbarHere(frame, true);
    VTMainFrame::ShowStatusBarHere(frame, true);
}

void VTApp::MakeSureSplashscreenIsDestroyedNow() { m_Splash.reset(); }

RunTaskShell::CommandLineTask VTApp::GetCommandLineTask() const
{
    return {m_StartupOptions.m_TaskID, m_StartupOptions.m_NoDataUpload};
}

bool VTApp::AppLocaleIsDefinitelyNonEng() const
{
    const wxLanguageInfo* info = wxLocale::GetLanguageInfo(wxLANGUAGE_DEFAULT);
    return info && !info->CanonicalName.empty() && !info->CanonicalName.StartsWith("en");
}

bool VTApp::OnRemoteRequest(const wxString& path)
{
    if (!path.empty() && m_DocManager) m_DocManager->CreateDocument(path, wxDOC_SILENT);
    if (m_MainFrame) m_MainFrame->Raise();
    return true;
}

void VTApp::GenerateReport(wxDebugReport::Context context)
{
    VTDebugReport report;
    report.AddAll(context);
    wxDebugReportPreviewStd preview;
    if (preview.Show(report) && report.Process()) wxLogMessage(_("Report was successfully uploaded."));
}

}  // namespace Vantrel

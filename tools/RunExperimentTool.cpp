// study-station-run: runs one experiment file on screen and writes its data file.
//
//   study-station-run EXPERIMENT [--data FILE] [--subject NAME] [--session ID]
//                     [--group NAME] [--no-save] [--plugins FOLDER]
//
// Without --data the data file gets a fresh name in the experiment's preferred data
// folder (its save options; "~/Documents/Study Station Data" by default). The tool
// shares Study Station's configuration, which remembers the previous data folder.
// Input plug-ins come from the plug-in folder beside the program (or --plugins, or
// VANTREL_PLUGIN_DIR). Exit status: 0 completed, 1 cancelled, 2 not run, 64 bad usage.

#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/docview.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/fileconf.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/msgout.h>
#include <wx/stdpaths.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "VTPlugInCommon/ProcessServices.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTPlugIn.h"

namespace {

class ToolView : public wxView
{
public:
    void OnDraw(wxDC*) override {}
    wxDECLARE_DYNAMIC_CLASS(ToolView);
};
wxIMPLEMENT_DYNAMIC_CLASS(ToolView, wxView);

class ToolApp : public wxApp
{
public:
    bool OnInit() override
    {
        // The program's configuration file, so the previous data folder is shared with it.
        wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
        SetVendorName("Orbisk");
        SetAppName("Study Station");
        // The file is written through a temporary file beside it, so its folder
        // (~/.config on a fresh account) must exist before it is saved at exit.
        const wxString file = wxFileConfig::GetLocalFileName(GetAppName(), 0);
        wxFileName::Mkdir(wxFileName(file).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        return true;
    }
};

void DescribeOptions(wxCmdLineParser& parser)
{
    parser.AddParam("experiment file");
    parser.AddOption("", "data", "data file to write");
    parser.AddOption("", "subject", "subject name");
    parser.AddOption("", "session", "session identifier");
    parser.AddOption("", "group", "participant group name (default: the first group)");
    parser.AddOption("", "plugins", "plug-in folder");
    parser.AddSwitch("", "no-save", "collect no data");
    parser.AddSwitch("h", "help", "show this help", wxCMD_LINE_OPTION_HELP);
}

// Help is given before the toolkit starts, so it needs no display.
bool ShowHelpIfAsked(int argc, char** argv)
{
    bool asked = false;
    for (int i = 1; i < argc; ++i) asked = asked || !std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help");
    if (!asked) return false;
    wxMessageOutputStderr toStdout(stdout);
    wxMessageOutput* previous = wxMessageOutput::Set(&toStdout);
    wxCmdLineParser parser(argc, argv);
    DescribeOptions(parser);
    parser.Usage();
    wxMessageOutput::Set(previous);
    return true;
}

void AssertionToStderr(const wxString& file, int line, const wxString&, const wxString& cond, const wxString& msg)
{
    std::fprintf(stderr, "assertion %s:%d %s %s\n", file.utf8_str().data(), line, cond.utf8_str().data(),
                 msg.utf8_str().data());
}

int RunTool(int argc, char** argv)
{
    wxCmdLineParser parser(argc, argv);
    DescribeOptions(parser);
    if (parser.Parse() != 0) return 64;

    InitQt();
    wxString plugins;
    if (parser.Found("plugins", &plugins))
        Vantrel::VTPlugIn::LocateAllInFolder(plugins, nullptr);
    else
        Vantrel::VTPlugIn::LocateAll(nullptr);

    wxDocManager manager;
    Vantrel::VTExperiment::CreateOneWxDocTemplate(&manager, wxCLASSINFO(ToolView));
    // Opened by its full path, so the files it names are found beside it wherever the tool starts.
    const wxString path = wxFileName(parser.GetParam(0)).GetAbsolutePath();
    auto* experiment = dynamic_cast<Vantrel::VTExperiment*>(manager.CreateDocument(path, wxDOC_SILENT));
    if (!experiment) {
        wxLogError(_("The experiment \"%s\" could not be opened."), parser.GetParam(0));
        return 2;
    }

    Vantrel::VTRunOptions& options = experiment->GetRunOptions();
    wxString value;
    if (parser.Found("group", &value)) {
        Vantrel::VTParticipantGroup* group = experiment->GetGroupElementByName(value);
        if (!group) {
            wxLogError(_("The experiment has no participant group \"%s\"."), value);
            return 2;
        }
        options.SetGroupID(int(group->GetID()));
    }
    if (parser.Found("subject", &value)) options.SetSubjectName(value);
    if (parser.Found("session", &value)) options.SetSessionID(value);
    wxString data;
    if (parser.Found("data", &data)) {
        // A name on the command line is relative to the working folder.
        wxFileName file(data);
        file.MakeAbsolute();
        data = file.GetFullPath();
    }
    options.SetSaveCollectedDataFlag(!parser.FoundSwitch("no-save"), data);

    Vantrel::VTCompiledExperiment compiled({});
    if (!experiment->InstructCompiledExperimentBuilderToBuild(compiled, false)) return 2;
    compiled.Run(false, false);
    const Vantrel::VTRunOutcome outcome = compiled.GetLastOutcome();
    std::printf("%s; %zu events presented%s%s\n",
                outcome == Vantrel::VTRunOutcome::Completed        ? "Completed"
                : outcome == Vantrel::VTRunOutcome::Cancelled      ? "Cancelled"
                : outcome == Vantrel::VTRunOutcome::DataFileFailed ? "Stopped, its data file could not be written"
                                                                   : "Not run",
                compiled.GetLastReport().rows.size(),
                compiled.GetLastDataFile().empty() ? "" : "; data: ", compiled.GetLastDataFile().utf8_str().data());
    std::fflush(stdout);
    manager.CloseDocuments(true);
    Vantrel::VTPlugIn::DeleteAllObjects();
    return outcome == Vantrel::VTRunOutcome::Completed ? 0 : outcome == Vantrel::VTRunOutcome::Cancelled ? 1 : 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (ShowHelpIfAsked(argc, argv)) return 0;
    wxSetAssertHandler(AssertionToStderr);
    wxApp::SetInstance(new ToolApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "Cannot open the display.\n");
        return 2;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    int rc = 2;
    if (wxTheApp->CallOnInit()) {
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        rc = RunTool(argc, argv);
    }
    // The configuration is saved now, while messages still go to the standard
    // error stream: a message logged during the toolkit's own clean-up would open
    // a message window after the application has gone.
    delete wxConfigBase::Set(nullptr);
    wxLog::DontCreateOnDemand();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}

#pragma once
// What one start of the program is asked to do. Study Station's command line
// fills only the task code and the no-upload switch; every other field keeps its
// default, so no experiment is opened or run from the command line.

#include <VTPlugInCommon/StartupParam.h>

#include <wx/string.h>

#include <boost/function.hpp>

#include <cstdint>
#include <vector>

class wxCmdLineParser;

namespace Vantrel {

class VTExperiment;

class VTStartupOptions : public VantrelSDK::VTSdkStartupOptions
{
public:
    VTStartupOptions();
    ~VTStartupOptions() override;

    // Adds what Study Station's command line accepts: "-t"/"--taskid" with a
    // value and the "--noupload" switch. The switch character is "-".
    static void AddRegisteredOptionsToParser(wxCmdLineParser& parser);

    // Fills the fields from the parsed command line.
    void Create(wxCmdLineParser& parser) override;

    const std::vector<wxString>& GetExpPaths() const { return m_ExpPaths; }
    bool IsRunnable() const { return !m_ExpPaths.empty(); }
    bool HasZeroParameters() const { return m_ZeroParameters; }
    bool ShowSplash() const { return m_ShowSplash; }
    const int& GetLanguage() const { return m_Language; }
    bool DocumentsGatheredFromTextList() const { return m_GatheredFromTextList; }
    // Runs per experiment: the repetitions text as a number, 1 when it is not one.
    std::uint32_t GetRepetitionCount() const;

    // One experiment file, or a ".txt" list of them; false when no path results.
    bool Convert_e_ArgumentIntoOneOrMorePaths(const wxString& argument);
    // False (after a warning) when the folder of a non-empty path does not exist.
    bool VerifyPath(const wxString& label, const wxString& path);
    wxString CommandLineDatafileFolderPath_IntendedForUseInTests() const;

    // Runs one command-line experiment (when paths and the run flag are set);
    // true when the application is to quit afterwards.
    bool OnRun(VTExperiment& experiment, const boost::function<void(bool, bool)>& endCallback);
    // Stores the named participant group, or the only one, in the run options.
    bool VerifyGroup(VTExperiment& experiment);

    wxString m_ParticipantGroupName;
    wxString m_DataFile;
    wxString m_ParticipantName;
    std::vector<wxString> m_ExpPaths;
    bool m_Run = false;
    bool m_Quit = false;
    bool m_ShowSplash = true;
    wxString m_RepetitionsText;
    bool m_ZeroParameters = true;
    bool m_GatheredFromTextList = false;
    // Read by the run-task view and handed to the cloud panel; -1 means none.
    std::int64_t m_TaskID = -1;
    bool m_NoDataUpload = false;
};

}  // namespace Vantrel

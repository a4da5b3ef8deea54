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

// Whether a data file can be written at `path` without asking: true for an empty
// path (nothing is saved); otherwise the path is no folder, an existing file there
// is writable, and its folder exists and is writable. A bare file name has no
// folder and is never acceptable.
bool FilePathIsAcceptableOrElseItIsEmpty(const wxString& path);

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
    // true when the application is to quit afterwards. The data-file field is
    // rewritten to the name this run used, so each repetition starts from it.
    bool OnRun(VTExperiment& experiment, const boost::function<void(bool, bool)>& endCallback);
    // Makes `dataFile` a path that a run can write without replacing anything:
    // path variables substituted, a file dialog when it cannot be written, and a
    // numbered name when the file exists. False when the participant cancelled.
    bool VerifyOutputDataFile(VTExperiment& experiment, wxString& dataFile);
    // The path itself when nothing exists there, else "name 1.ext", "name 2.ext", ...
    // counted from the name passed in.
    static wxString AddFileNameSuffixesForUniquenessIfNeeded(const wxString& path);
    // For experiments from a list file: "<data file's folder>/<experiment file>.txt",
    // made unique.
    static wxString GetAutomaticOutputFileName(const wxString& dataFile, const VTExperiment& experiment);
    // Stores the named participant group in the run options, else the default one
    // after a message or question, else the run dialog's choice. False when no
    // group is chosen (no groups, or the run dialog cancelled).
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

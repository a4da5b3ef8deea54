// The command-line run road, driven through OnRun as the application calls it:
// numbering and repetitions, data-file names (automatic, numbered, unacceptable
// paths), and the participant group's fallbacks. Every run is a real run.
#include "CommandLineRunSupport.h"

#include "AppMain/Run/VTRunDlg.h"
#include "AppMain/VTStartupOptions.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <unistd.h>

#include <set>
#include <string>

namespace {

using namespace Vantrel;
using namespace CommandLineRun;

wxString NewFolder(const char* prefix) { return wxString::FromUTF8(TestSupport::MakeTempFolder(prefix)); }

// Entries of a test folder: "name" a file, "name/" a folder, "name@" a link to nowhere.
void MakeEntries(const wxString& folder, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        const wxString name = wxString::FromUTF8(entry);
        if (name.EndsWith("/"))
            ASSERT_TRUE(wxFileName::Mkdir(folder + "/" + name.BeforeLast('/')));
        else if (name.EndsWith("@"))
            ASSERT_EQ(symlink("/no/such/target", (folder + "/" + name.BeforeLast('@')).utf8_str()), 0);
        else
            ASSERT_TRUE(TestSupport::WriteWholeFile(folder + "/" + name, "kept"));
    }
}

std::set<wxString> FilesIn(const wxString& folder)
{
    std::set<wxString> names;
    wxDir dir(folder);
    wxString name;
    for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN); more; more = dir.GetNext(&name))
        names.insert(name);
    return names;
}

// Options as a command line with experiments and the run flag would leave them.
VTStartupOptions RunOptionsFor(const std::vector<wxString>& paths, const wxString& dataFile, bool fromList,
                               unsigned repetitions, const wxString& group = "Only")
{
    VTStartupOptions options;
    options.m_ExpPaths = paths;
    options.m_Run = true;
    options.m_Quit = true;
    options.m_DataFile = dataFile;
    options.m_GatheredFromTextList = fromList;
    options.m_RepetitionsText = wxString::Format("%u", repetitions);
    options.m_ParticipantName = "P1";
    options.m_ParticipantGroupName = group;
    return options;
}

struct NumberingCase
{
    const char* label;
    std::vector<const char*> experiments;
    bool fromList;
    unsigned repetitions;
    const char* dataFile;  // in the data folder; "" saves nothing
    std::vector<std::string> existing;
    std::vector<const char*> written;  // one per run, in run order
};

TEST(CommandLineRun, EveryRunWritesItsOwnNumberedDataFile)
{
    const NumberingCase cases[] = {
        {"one experiment, three repetitions: the names compound",
         {"Memory.vt6"},
         false,
         3,
         "data.txt",
         {},
         {"data.txt", "data 1.txt", "data 1 1.txt"}},
        {"a list of two, two repetitions each: automatic names",
         {"A.vt6", "B.vt6"},
         true,
         2,
         "out.txt",
         {},
         {"A.vt6.txt", "A.vt6 1.txt", "B.vt6.txt", "B.vt6 1.txt"}},
        {"an existing data file is never written into",
         {"Memory.vt6"},
         false,
         1,
         "data.txt",
         {"data.txt"},
         {"data 1.txt"}},
        {"an existing automatic name is numbered", {"A.vt6"}, true, 1, "out.txt", {"A.vt6.txt"}, {"A.vt6 1.txt"}},
        {"two list entries of one name in different folders",
         {"x/Same.vt6", "y/Same.vt6"},
         true,
         1,
         "out.txt",
         {},
         {"Same.vt6.txt", "Same.vt6 1.txt"}},
    };
    for (const NumberingCase& c : cases) {
        SCOPED_TRACE(c.label);
        const wxString folder = NewFolder("data");
        const wxString experimentsFolder = NewFolder("experiments");
        MakeEntries(folder, c.existing);
        std::vector<std::unique_ptr<VTExperiment>> owned;
        std::vector<wxString> paths;
        for (const char* name : c.experiments) {
            paths.push_back(experimentsFolder + "/" + name);
            owned.push_back(MakeExperiment(paths.back(), {"Only"}));
        }
        VTStartupOptions options =
            RunOptionsFor(paths, *c.dataFile ? folder + "/" + c.dataFile : wxString(), c.fromList, c.repetitions);

        // Run by run, so each run's file is known.
        const boost::function<void(bool, bool)> onEnd = [](bool, bool) {};
        std::set<wxString> before = FilesIn(folder);
        std::vector<wxString> written;
        DialogAnswers noDialogs;
        for (auto& experiment : owned) {
            for (std::uint32_t i = 0; i < options.GetRepetitionCount(); ++i) {
                EXPECT_TRUE(options.OnRun(*experiment, onEnd));
                const std::set<wxString> after = FilesIn(folder);
                for (const wxString& name : after)
                    if (!before.count(name)) written.push_back(name);
                before = after;
            }
        }
        EXPECT_TRUE(noDialogs.Seen().empty());
        ASSERT_EQ(written.size(), c.written.size());
        for (size_t i = 0; i < written.size(); ++i) {
            EXPECT_EQ(written[i], c.written[i]);
            EXPECT_EQ(RunsInDataFile(folder + "/" + written[i]), 1) << written[i];
            EXPECT_EQ(DataFileHeader(folder + "/" + written[i], "Subject"), "P1");
        }
        for (const std::string& entry : c.existing) EXPECT_EQ(ReadText(folder + "/" + entry), "kept");
    }
}

TEST(CommandLineRun, WithoutADataFileEveryRepetitionRunsAndNothingIsSaved)
{
    const wxString experimentsFolder = NewFolder("experiments");
    auto experiment = MakeExperiment(experimentsFolder + "/Memory.vt6", {"Only"});
    VTStartupOptions options = RunOptionsFor({experimentsFolder + "/Memory.vt6"}, "", false, 2);
    int runs = 0;
    DialogAnswers noDialogs;
    EXPECT_TRUE(RunAll(options, {experiment.get()}, &runs));
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(noDialogs.Seen().empty());
    EXPECT_FALSE(experiment->GetRunOptions().IsDataSaved());
    EXPECT_EQ(FilesIn(experimentsFolder).size(), 0u);
}

TEST(CommandLineRun, NothingRunsWithoutExperimentPathsOrTheRunFlag)
{
    const wxString folder = NewFolder("data");
    auto experiment = MakeExperiment(folder + "/Memory.vt6", {"Only"});
    for (int variant = 0; variant < 2; ++variant) {
        VTStartupOptions options = RunOptionsFor({folder + "/Memory.vt6"}, folder + "/data.txt", false, 1);
        if (variant == 0) options.m_ExpPaths.clear();
        if (variant == 1) options.m_Run = false;
        int runs = 0;
        EXPECT_FALSE(RunAll(options, {experiment.get()}, &runs));
        EXPECT_EQ(runs, 0);
    }
    EXPECT_TRUE(FilesIn(folder).empty());
}

struct SuffixCase
{
    const char* path;
    std::vector<std::string> existing;
    const char* expected;
};

TEST(CommandLineRun, UniqueNamesCountFromTheNamePassedIn)
{
    const SuffixCase cases[] = {
        {"data.txt", {}, "data.txt"},
        {"data.txt", {"data.txt"}, "data 1.txt"},
        {"data.txt", {"data.txt", "data 1.txt"}, "data 2.txt"},
        {"data 1.txt", {"data 1.txt"}, "data 1 1.txt"},
        {"data", {"data"}, "data 1"},               // no extension, no trailing dot
        {"data.txt", {"data.txt/"}, "data 1.txt"},  // a folder takes the name too
        {"data.txt", {"data.txt@"}, "data 1.txt"},  // so does a link to nowhere
        {"data.txt", {"data 1.txt"}, "data.txt"},   // numbers only when needed
    };
    for (const SuffixCase& c : cases) {
        const wxString folder = NewFolder("names");
        SCOPED_TRACE(c.path);
        MakeEntries(folder, c.existing);
        EXPECT_EQ(VTStartupOptions::AddFileNameSuffixesForUniquenessIfNeeded(folder + "/" + c.path),
                  folder + "/" + c.expected);
    }
    EXPECT_EQ(VTStartupOptions::AddFileNameSuffixesForUniquenessIfNeeded(""), "");
}

TEST(CommandLineRun, AutomaticNamesJoinTheDataFolderAndTheExperimentFile)
{
    const wxString folder = NewFolder("auto");
    auto memory = MakeExperiment("/elsewhere/tasks/Memory.vt6", {"Only"});
    EXPECT_EQ(VTStartupOptions::GetAutomaticOutputFileName(folder + "/out.txt", *memory), folder + "/Memory.vt6.txt");
    MakeEntries(folder, {"Memory.vt6.txt"});
    EXPECT_EQ(VTStartupOptions::GetAutomaticOutputFileName(folder + "/out.txt", *memory), folder + "/Memory.vt6 1.txt");
}

TEST(CommandLineRun, AcceptablePathsTable)
{
    const wxString folder = NewFolder("acceptable");
    MakeEntries(folder, {"existing.txt", "sub/"});
    const struct
    {
        wxString path;
        bool acceptable;
    } cases[] = {
        {"", true},
        {folder + "/new.txt", true},
        {folder + "/existing.txt", true},
        {folder + "/sub", false},              // an existing folder
        {folder + "/", false},                 // a folder, written as one
        {folder + "/missing/new.txt", false},  // its folder does not exist
        {"bare.txt", false},                   // no folder at all
    };
    for (const auto& c : cases) EXPECT_EQ(FilePathIsAcceptableOrElseItIsEmpty(c.path), c.acceptable) << c.path;

    // Permissions mean nothing to the superuser, so these only count for others.
    const wxString locked = folder + "/locked";
    MakeEntries(folder, {"locked/", "readonly.txt"});
    chmod(locked.utf8_str(), 0555);
    chmod((folder + "/readonly.txt").utf8_str(), 0444);
    if (access(locked.utf8_str(), W_OK) != 0) {
        EXPECT_FALSE(FilePathIsAcceptableOrElseItIsEmpty(locked + "/new.txt"));
        EXPECT_FALSE(FilePathIsAcceptableOrElseItIsEmpty(folder + "/readonly.txt"));
    }
    chmod(locked.utf8_str(), 0755);
}

struct UnacceptableCase
{
    const char* label;
    wxString dataFile;
    std::vector<DialogAnswers::Script> answers;
    bool verified;
    wxString result;
};

TEST(CommandLineRun, UnacceptablePathsAskForAFileAndCancellingSkipsTheRun)
{
    const wxString folder = NewFolder("unacceptable");
    MakeEntries(folder, {"sub/", "chosen.txt"});
    const UnacceptableCase cases[] = {
        {"a folder that does not exist",
         folder + "/missing/data.txt",
         {DialogAnswers::ChooseFile("data.txt", folder + "/picked.txt")},
         true,
         folder + "/picked.txt"},
        {"an existing folder",
         folder + "/sub",
         {DialogAnswers::ChooseFile("sub", folder + "/picked.txt")},
         true,
         folder + "/picked.txt"},
        {"a bare file name",
         "bare.txt",
         {DialogAnswers::ChooseFile("bare.txt", folder + "/picked.txt")},
         true,
         folder + "/picked.txt"},
        {"an existing file chosen in the dialog is still numbered",
         "bare.txt",
         {DialogAnswers::ChooseFile("bare.txt", folder + "/chosen.txt")},
         true,
         folder + "/chosen 1.txt"},
        {"a chosen place that cannot be written either is asked again",
         "bare.txt",
         {DialogAnswers::ChooseFile("bare.txt", folder + "/sub"),
          DialogAnswers::ChooseFile("sub", folder + "/picked.txt")},
         true,
         folder + "/picked.txt"},
        {"cancelled", folder + "/missing/data.txt", {DialogAnswers::Answer(wxID_CANCEL)}, false, ""},
        {"path variables are substituted first",
         "$(Home)/fine.txt",
         {},
         true,
         wxString::FromUTF8(TestSupport::HomeFolder()) + "/fine.txt"},
    };
    for (const UnacceptableCase& c : cases) {
        SCOPED_TRACE(c.label);
        auto experiment = MakeExperiment(folder + "/Memory.vt6", {"Only"});
        VTStartupOptions options;
        wxString dataFile = c.dataFile;
        DialogAnswers answers(c.answers);
        EXPECT_EQ(options.VerifyOutputDataFile(*experiment, dataFile), c.verified);
        EXPECT_TRUE(answers.AllAnswered());
        for (const wxString& seen : answers.Seen()) EXPECT_EQ(seen, "Please save the task data file to your desktop:");
        if (c.verified) EXPECT_EQ(dataFile, c.result);
    }
}

TEST(CommandLineRun, ACancelledFileDialogSkipsThatRunOnlyAndTheNextRepetitionAsksAgain)
{
    const wxString folder = NewFolder("cancel");
    auto experiment = MakeExperiment(folder + "/Memory.vt6", {"Only"});
    VTStartupOptions options = RunOptionsFor({folder + "/Memory.vt6"}, folder + "/missing/data.txt", false, 2);
    DialogAnswers answers(
        {DialogAnswers::Answer(wxID_CANCEL), DialogAnswers::ChooseFile("data.txt", folder + "/picked.txt")});
    int runs = 0;
    EXPECT_TRUE(RunAll(options, {experiment.get()}, &runs));
    EXPECT_TRUE(answers.AllAnswered());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(RunsInDataFile(folder + "/picked.txt"), 1);

    // The last run skipped: the application is not told to quit.
    options.m_DataFile = folder + "/missing/data.txt";
    options.m_RepetitionsText = "1";
    DialogAnswers cancelled({DialogAnswers::Answer(wxID_CANCEL)});
    EXPECT_FALSE(RunAll(options, {experiment.get()}, &runs));
    EXPECT_EQ(runs, 1);
}

struct GroupCase
{
    const char* label;
    std::vector<wxString> groups;
    wxString given;
    std::vector<DialogAnswers::Script> answers;
    std::vector<wxString> messages;
    bool runs;
    wxString groupThatRan;
};

void ChooseGroupAndRun(VTRunDlg& dialog, const wxString& group)
{
    wxChoice* choice = dialog.GetGroupChoice();
    choice->SetStringSelection(group);
    wxCommandEvent selected(wxEVT_CHOICE, choice->GetId());
    selected.SetEventObject(choice);
    choice->GetEventHandler()->ProcessEvent(selected);
    TestSupport::ClickWindow(dialog.GetRunButton());
}

TEST(CommandLineRun, GroupFallbacksTable)
{
    const wxString notGiven = "The participant group was not specified.  ";
    const GroupCase cases[] = {
        {"the named group exists", {"A", "B", "C"}, "B", {}, {}, true, "B"},
        {"one group, none named",
         {"Only"},
         "",
         {DialogAnswers::Answer(wxID_OK)},
         {notGiven + "Vantrel will use the group Only."},
         true,
         "Only"},
        {"one group, a misspelt name",
         {"Only"},
         "Onyl",
         {DialogAnswers::Answer(wxID_OK)},
         {"The participant group that you specified, Onyl, does not exist.  Vantrel will use the group Only instead."},
         true,
         "Only"},
        {"three groups, a misspelt name, Yes",
         {"A", "B", "C"},
         "Bee",
         {DialogAnswers::Answer(wxID_YES)},
         {"The participant group that you specified, Bee, does not exist.  Would you like to use the group A "
          "instead?"},
         true,
         "A"},
        {"three groups, none named, Yes",
         {"A", "B", "C"},
         "",
         {DialogAnswers::Answer(wxID_YES)},
         {notGiven + "Would you like to use the group A instead?"},
         true,
         "A"},
        {"three groups, No, then the run dialog's choice",
         {"A", "B", "C"},
         "Bee",
         {DialogAnswers::Answer(wxID_NO), DialogAnswers::RunDialog([](VTRunDlg& d) { ChooseGroupAndRun(d, "C"); })},
         {"The participant group that you specified, Bee, does not exist.  Would you like to use the group A "
          "instead?",
          "Run Experiment"},
         true,
         "C"},
        {"three groups, No, then the run dialog cancelled",
         {"A", "B", "C"},
         "Bee",
         {DialogAnswers::Answer(wxID_NO),
          DialogAnswers::RunDialog([](VTRunDlg& d) { ScriptedDialog::Click(d, wxID_CANCEL); })},
         {"The participant group that you specified, Bee, does not exist.  Would you like to use the group A "
          "instead?",
          "Run Experiment"},
         false,
         ""},
        {"no groups at all", {}, "A", {}, {}, false, ""},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.label);
        const wxString folder = NewFolder("groups");
        auto experiment = MakeExperiment(folder + "/Memory.vt6", c.groups);
        VTStartupOptions options = RunOptionsFor({folder + "/Memory.vt6"}, folder + "/data.txt", false, 1, c.given);
        TestSupport::ClearLog();
        DialogAnswers answers(c.answers);
        int runs = 0;
        EXPECT_EQ(RunAll(options, {experiment.get()}, &runs), c.runs);
        EXPECT_TRUE(answers.AllAnswered());
        EXPECT_EQ(answers.Seen(), c.messages);
        EXPECT_EQ(runs, c.runs ? 1 : 0);
        // The data file named on the command line is the one written, also after the run dialog.
        EXPECT_EQ(DataFileHeader(folder + "/data.txt", "Group"), c.groupThatRan);
        if (c.groups.empty())
            EXPECT_TRUE(TestSupport::LogContains("has no participant groups, so it was not run", wxLOG_Error))
                << TestSupport::LogAsText();
    }
}

}  // namespace

// Start-up options: what Study Station's command line accepts and what the
// options then hold, plus the run-road helpers (repetitions, list files).
#include "AppMain/StartupOptionTable.h"
#include "AppMain/VTStartupOptions.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/cmdline.h>
#include <wx/ffile.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <string>
#include <vector>

namespace {

// Answers a message box with OK and keeps its text.
class ExpectWarning : public wxExpectModalBase<wxMessageDialog>
{
public:
    explicit ExpectWarning(wxString* message) : message_(message) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        *message_ = dialog->GetMessage();
        EXPECT_EQ(dialog->GetCaption(), "Warning");
        return wxID_OK;
    }

private:
    wxString* message_;
};

struct CommandLineCase
{
    std::vector<const char*> args;
    bool accepted;
    std::int64_t taskID;
    bool noUpload;
};

// Parses like the application: the base's options, then the registered ones.
bool ParseInto(const std::vector<const char*>& args, Vantrel::VTStartupOptions& options)
{
    std::vector<wxString> argv{"StudyStation"};
    for (const char* a : args) argv.emplace_back(a);
    std::vector<wxChar*> raw;
    std::vector<wxWCharBuffer> keep;
    for (const wxString& a : argv) {
        keep.push_back(a.wc_str());
        raw.push_back(keep.back().data());
    }
    wxCmdLineParser parser(static_cast<int>(raw.size()), raw.data());
    Vantrel::VTStartupOptions::AddRegisteredOptionsToParser(parser);
    if (parser.Parse(false) != 0) return false;
    options.Create(parser);
    return true;
}

TEST(StartupOptions, CommandLineTable)
{
    const CommandLineCase cases[] = {
        {{}, true, -1, false},
        {{"-t", "15386598"}, true, 15386598, false},
        {{"-t", "12345678", "--noupload"}, true, 12345678, true},
        {{"--taskid", "abc"}, true, -1, false},
        {{"--taskid=12x"}, true, -1, false},
        {{"-t", " 15386598 "}, true, 15386598, false},
        {{"-t", "4310353894"}, true, -1, false},  // 15386598 + 2^32: never wrapped to another code
        {{"-t", "1538659"}, true, -1, false},     // seven digits
        {{"-t", "-15386598"}, true, -1, false},
        {{"--noupload"}, true, -1, true},
        {{"-t"}, false, -1, false},             // an option without its value
        {{"--bogus"}, false, -1, false},        // unknown to the parser
        {{"-e", "exp.vt6"}, false, -1, false},  // constructed but not registered
        {{"--nosplash"}, false, -1, false},
        {{"-r"}, false, -1, false},
    };
    for (const CommandLineCase& c : cases) {
        std::string label;
        for (const char* a : c.args) label += std::string(a) + " ";
        SCOPED_TRACE(label);
        Vantrel::VTStartupOptions options;
        EXPECT_EQ(ParseInto(c.args, options), c.accepted);
        EXPECT_EQ(options.m_TaskID, c.taskID);
        EXPECT_EQ(options.m_NoDataUpload, c.noUpload);
        // Nothing on Study Station's command line asks for an experiment or a run.
        EXPECT_TRUE(options.HasZeroParameters());
        EXPECT_TRUE(options.GetExpPaths().empty());
        EXPECT_FALSE(options.IsRunnable());
        EXPECT_FALSE(options.m_Run);
        EXPECT_FALSE(options.m_Quit);
        EXPECT_TRUE(options.ShowSplash());
        EXPECT_FALSE(options.DocumentsGatheredFromTextList());
        EXPECT_EQ(options.GetRepetitionCount(), 1u);
        EXPECT_EQ(options.GetLanguage(), 1);
    }
}

TEST(StartupOptions, OptionTableKeepsNamesKeysAndKinds)
{
    EXPECT_EQ(Vantrel::OPTION_TASKID.GetShortName(), "t");
    EXPECT_EQ(Vantrel::OPTION_TASKID.GetLongName(), "taskid");
    EXPECT_EQ(Vantrel::OPTION_TASKID.GetConfigPath(), "/StartupExperiment/TaskID");
    EXPECT_EQ(Vantrel::OPTION_NODATAUPLOAD.GetShortName(), "");
    EXPECT_EQ(Vantrel::OPTION_NODATAUPLOAD.GetLongName(), "noupload");
    EXPECT_EQ(Vantrel::OPTION_NOSPLASH.GetConfigPath(), "/Vantrel/SupressSplash");
    EXPECT_EQ(Vantrel::OPTION_REPEATS.GetDescription(),
              "number of times to repeatedly re-execute the experiment (implies -r, requires -e)");
    EXPECT_EQ(Vantrel::OPTION_PROJ.GetShortName(), "e");
}

TEST(StartupOptions, RepetitionCountTable)
{
    const struct
    {
        const char* text;
        std::uint32_t count;
    } cases[] = {{"", 1},
                 {"0", 0},
                 {"3", 3},
                 {"3x", 1},
                 {"abc", 1},
                 {"-2", 1},
                 {"4294967295", 1},
                 {"4294967294", 4294967294u},
                 {"99999999999999999999", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Vantrel::VTStartupOptions options;
        options.m_RepetitionsText = c.text;
        EXPECT_EQ(options.GetRepetitionCount(), c.count);
    }
}

class ListFiles : public ::testing::Test
{
protected:
    void SetUp() override { folder_ = wxString::FromUTF8(TestSupport::MakeTempFolder("lists")); }
    wxString Write(const wxString& name, const std::string& bytes)
    {
        const wxString path = folder_ + "/" + name;
        wxFFile file(path, "wb");
        file.Write(bytes.data(), bytes.size());
        return path;
    }
    wxString folder_;
};

TEST_F(ListFiles, OnlyTxtEndingsNameAListFile)
{
    Vantrel::VTStartupOptions options;
    EXPECT_TRUE(options.Convert_e_ArgumentIntoOneOrMorePaths("/nowhere/one.vt6"));
    ASSERT_EQ(options.GetExpPaths().size(), 1u);
    EXPECT_EQ(options.GetExpPaths()[0], "/nowhere/one.vt6");
    EXPECT_FALSE(options.DocumentsGatheredFromTextList());
}

TEST_F(ListFiles, TrimmedExistingLinesBecomePathsAndBlankLinesAreSkipped)
{
    const wxString a = Write("a.vt6", "{}");
    const wxString b = Write("b.vt6", "{}");
    const wxString list =
        Write("list.Txt", "  " + std::string(a.utf8_str()) + "\t\n\n   \n" + std::string(b.utf8_str()) + "  \r\n");
    Vantrel::VTStartupOptions options;
    EXPECT_TRUE(options.Convert_e_ArgumentIntoOneOrMorePaths(list));
    EXPECT_EQ(options.GetExpPaths(), (std::vector<wxString>{a, b}));
    EXPECT_TRUE(options.DocumentsGatheredFromTextList());
}

TEST_F(ListFiles, OneMissingLineDiscardsTheListAndIsNamedInTheWarning)
{
    const wxString a = Write("a.vt6", "{}");
    const wxString b = Write("b.vt6", "{}");
    const wxString c = Write("c.vt6", "{}");
    const wxString missing = folder_ + "/missing.vt6";
    const wxString list = Write("list.TXT", std::string((a + "\n" + b + "\n" + missing + "\n" + c + "\n").utf8_str()));
    Vantrel::VTStartupOptions options;
    bool result = true;
    wxString message;
    wxTEST_DIALOG(result = options.Convert_e_ArgumentIntoOneOrMorePaths(list), ExpectWarning(&message));
    EXPECT_FALSE(result);
    EXPECT_EQ(message, "Invalid experiments listed in input file:\n\n\t" + missing + "\n\n");
    EXPECT_TRUE(options.GetExpPaths().empty());
    EXPECT_FALSE(options.DocumentsGatheredFromTextList());
}

TEST_F(ListFiles, EmptyOrUnreadableListsWarnAndYieldNothing)
{
    const wxString empty = Write("empty.txt", "");
    const wxString binary = Write("binary.txt", std::string("\xff\xfe\x80\x81", 4));
    for (const wxString& list : {empty, binary}) {
        SCOPED_TRACE(list.utf8_str().data());
        Vantrel::VTStartupOptions options;
        bool result = true;
        wxString message;
        wxTEST_DIALOG(result = options.Convert_e_ArgumentIntoOneOrMorePaths(list), ExpectWarning(&message));
        EXPECT_FALSE(result);
        EXPECT_TRUE(message.Contains(list)) << message;
    }
}

TEST(StartupOptions, VerifyPathAcceptsEmptyAndExistingFoldersOnly)
{
    Vantrel::VTStartupOptions options;
    EXPECT_TRUE(options.VerifyPath("Data", ""));
    EXPECT_TRUE(options.VerifyPath("Data", wxString::FromUTF8(TestSupport::HomeFolder()) + "/file.txt"));
    bool result = true;
    wxTEST_DIALOG(result = options.VerifyPath("Data", "/no/such/folder/file.txt"),
                  wxExpectModal<wxMessageDialog>(wxOK));
    EXPECT_FALSE(result);
}

}  // namespace

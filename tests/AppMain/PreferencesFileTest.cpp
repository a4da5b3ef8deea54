// The preferences check: a file beyond what the configuration classes read in bounded
// time and stack is set aside with a warning; duplicated file-history lines are
// offered for removal through the real dialog; and the installed configuration object.
#include "AppMain/PreferencesFile.h"
#include "AppMain/PreferencesText.h"
#include "ScriptedDialog.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/config.h>
#include <wx/dialog.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

class PreferencesCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder_ = wxString::FromUTF8(TestSupport::MakeTempFolder("prefs"));
        path_ = folder_ + "/Study Station.conf";
    }
    wxString folder_;
    wxString path_;
};

const std::string kThreeOfKey3 = "[Recent]\n"
                                 "file1=/data/a.vt6\n"
                                 "file3=/data/first.vt6\r\n"
                                 "file10=/data/tenth.vt6\n"
                                 "file3=/data/second.vt6\n"
                                 "file5=/data/five.vt6\n"
                                 "file3=/data/third.vt6\n"
                                 "file5=/data/five-again.vt6\r\n"
                                 "other=1\n";

TEST_F(PreferencesCheck, KeepingTheDefaultChoiceRemovesLaterDuplicatesOfEveryKeyAfterOneQuestion)
{
    TestSupport::WriteWholeFile(path_, kThreeOfKey3);
    ScriptedDialog answer([](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_OK); });
    EXPECT_TRUE(Vantrel::ValidateConfigFile(path_));
    EXPECT_EQ(answer.Opened(), 1);
    EXPECT_EQ(answer.LastTitle(), "Delete Preferences");
    // The first occurrence stays, each line keeps its own ending, file10 is not file1.
    EXPECT_EQ(TestSupport::ReadWholeFile(path_), "[Recent]\n"
                                                 "file1=/data/a.vt6\n"
                                                 "file3=/data/first.vt6\r\n"
                                                 "file10=/data/tenth.vt6\n"
                                                 "file5=/data/five.vt6\n"
                                                 "other=1\n");
    EXPECT_FALSE(wxFileExists(path_ + " (old)"));
}

TEST_F(PreferencesCheck, ChoosingTheMoveSetsTheWholeFileAsideReplacingAnOldCopy)
{
    TestSupport::WriteWholeFile(path_, kThreeOfKey3);
    TestSupport::WriteWholeFile(path_ + " (old)", "stale\n");
    ScriptedDialog answer([](wxDialog& dialog) {
        ScriptedDialog::Click(dialog, "id_move_file");
        ScriptedDialog::Click(dialog, wxID_OK);
    });
    EXPECT_TRUE(Vantrel::ValidateConfigFile(path_));
    EXPECT_EQ(answer.Opened(), 1);
    EXPECT_FALSE(wxFileExists(path_));
    EXPECT_EQ(TestSupport::ReadWholeFile(path_ + " (old)"), kThreeOfKey3);
}

TEST_F(PreferencesCheck, CancelLeavesTheFileByteForByte)
{
    TestSupport::WriteWholeFile(path_, kThreeOfKey3);
    ScriptedDialog answer([](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_CANCEL); });
    EXPECT_TRUE(Vantrel::ValidateConfigFile(path_));
    EXPECT_EQ(answer.Opened(), 1);
    EXPECT_EQ(TestSupport::ReadWholeFile(path_), kThreeOfKey3);
    EXPECT_FALSE(wxFileExists(path_ + " (old)"));
}

TEST_F(PreferencesCheck, FilesWithoutDuplicatesOrWithoutAFileAskNothingAndChangeNothing)
{
    const std::string clean = "file1=/a.vt6\nfile10=/b.vt6\nfile11=/c.vt6\nfile2=/d.vt6\nxfile2=/e\n";
    TestSupport::WriteWholeFile(path_, clean);
    const wxDateTime before = wxFileName(path_).GetModificationTime();
    ScriptedDialog answer([](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_CANCEL); });
    EXPECT_TRUE(Vantrel::ValidateConfigFile(path_));
    EXPECT_TRUE(Vantrel::ValidateConfigFile(folder_ + "/missing.conf"));
    EXPECT_EQ(answer.Opened(), 0);
    EXPECT_EQ(TestSupport::ReadWholeFile(path_), clean);
    EXPECT_EQ(wxFileName(path_).GetModificationTime(), before);
    EXPECT_FALSE(wxFileExists(folder_ + "/missing.conf"));
}

std::string Repeated(const std::string& piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(PreferencesText, JudgesSizeLinesAndGroupNestingInOnePass)
{
    using Vantrel::PreferencesVerdict;
    const std::string deepest = "[" + Repeated("g/", Vantrel::kMaxPreferencesGroupDepth) + "]\nk=v\n";
    const std::string tooDeep = "[" + Repeated("g/", Vantrel::kMaxPreferencesGroupDepth + 1) + "]\n";
    const struct
    {
        const char* what;
        std::string text;
        PreferencesVerdict verdict;
    } cases[] = {
        {"empty", "", PreferencesVerdict::Readable},
        {"what the program writes", "file1=/a.vt6\n[VTCloudSettings]\nlast_exp_id=5\n", PreferencesVerdict::Readable},
        {"deepest group allowed", deepest, PreferencesVerdict::Readable},
        {"one part deeper", tooDeep, PreferencesVerdict::TooDeep},
        {"groups at the bound", Repeated("[a/b/c/d/e/f/g/h/i/j]\n", 100), PreferencesVerdict::Readable},
        {"one group more", Repeated("[a/b/c/d/e/f/g/h/i/j]\n", 100) + "[k]", PreferencesVerdict::TooManyGroups},
        {"indented group line counts", "  \t[" + Repeated("a/", 40) + "]\n", PreferencesVerdict::TooDeep},
        {"empty parts are no groups", "[" + Repeated("/", 200) + "a]\n", PreferencesVerdict::Readable},
        {"the path ends at the bracket", "[a]" + Repeated("/b", 40) + "\n", PreferencesVerdict::Readable},
        {"an escaped bracket does not end it", "[a\\]" + Repeated("/b", 40) + "]\n", PreferencesVerdict::TooDeep},
        {"an escaped slash still separates", "[" + Repeated("a\\/", 20) + "]\n", PreferencesVerdict::TooDeep},
        {"a deep path after '=' is a value", "k=[" + Repeated("a/", 40) + "]\n", PreferencesVerdict::Readable},
        {"a key's path nests below its group", "[a/b]\n" + Repeated("k/", 15) + "k=v\n", PreferencesVerdict::TooDeep},
        {"a key's path within the bound", "[a/b]\n" + Repeated("k/", 13) + "k=v\n", PreferencesVerdict::Readable},
        {"a trailing slash makes a group", "[" + Repeated("g/", 16) + "]\nk/=v\n", PreferencesVerdict::TooDeep},
        {"a slash in a value is no path", "[" + Repeated("g/", 16) + "]\nk=/a/b\n", PreferencesVerdict::Readable},
        {"lines at the bound", Repeated("k=v\n", Vantrel::kMaxPreferencesLines), PreferencesVerdict::Readable},
        {"one line more", Repeated("k=v\n", Vantrel::kMaxPreferencesLines) + "x", PreferencesVerdict::TooManyLines},
        {"a lone CR ends a line too", Repeated("k\r", Vantrel::kMaxPreferencesLines + 1),
         PreferencesVerdict::TooManyLines},
        {"CR LF is one ending", Repeated("k\r\n", Vantrel::kMaxPreferencesLines), PreferencesVerdict::Readable},
        {"larger than read", std::string(Vantrel::kMaxPreferencesBytes + 1, 'x'), PreferencesVerdict::TooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Vantrel::JudgePreferencesText(wxString::FromUTF8(c.text)), c.verdict);
    }
}

TEST(PreferencesText, LinesKeepTheirEndingsAndOnlyLaterHistoryDuplicatesGo)
{
    const wxString text = "file1=a\r\nfile1=b\nfile10=c\rfile2=d\nfile1=e\nfile2=f";
    const std::vector<wxString> lines = Vantrel::PreferencesLines(text);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "file1=a\r\n");
    EXPECT_EQ(lines[2], "file10=c\r");
    EXPECT_EQ(lines[5], "file2=f");
    EXPECT_EQ(Vantrel::JoinedWithout(lines, {}), text);
    const std::vector<std::size_t> later = Vantrel::LaterDuplicateHistoryLines(lines);
    EXPECT_EQ(later, (std::vector<std::size_t>{1, 4, 5}));
    EXPECT_EQ(Vantrel::JoinedWithout(lines, later), "file1=a\r\nfile10=c\rfile2=d\n");
    EXPECT_TRUE(Vantrel::LaterDuplicateHistoryLines(Vantrel::PreferencesLines("file0=a\nfile0=b\n fil1=c\n")).empty());
}

TEST_F(PreferencesCheck, AFileBeyondTheBoundsIsSetAsideWithAWarningAndNoQuestion)
{
    const struct
    {
        const char* what;
        std::string text;
        const char* reason;
    } cases[] = {
        {"nested", "[" + Repeated("a/", 20000) + "]\nfile1=x\nfile1=x\n", "nested more than 16 deep"},
        {"long", Repeated("k\n", 2000), "more than 500 lines"},
        {"grouped", Repeated("[a/b/c/d/e/f/g/h/i/j]\n", 101), "name more than 1000 groups"},
        {"large", std::string(100 << 10, 'x'), "larger than 64 KiB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestSupport::ClearLog();
        TestSupport::WriteWholeFile(path_, c.text);
        ScriptedDialog answer([](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_CANCEL); });
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(Vantrel::ValidateConfigFile(path_));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(answer.Opened(), 0);
        EXPECT_FALSE(wxFileExists(path_));
        EXPECT_EQ(TestSupport::ReadWholeFile(path_ + " (old)"), c.text) << "set aside whole";
        EXPECT_TRUE(TestSupport::LogContains(c.reason)) << TestSupport::LogAsText();
        EXPECT_TRUE(TestSupport::LogContains("moved to \"" + path_ + " (old)\"")) << TestSupport::LogAsText();
    }
}

TEST_F(PreferencesCheck, HundredsOfDuplicatesAreRemovedInOnePass)
{
    const std::string text = "[Recent]\n" + Repeated("file1=/data/a.vt6\nfile2=/data/b.vt6\n", 249);
    TestSupport::WriteWholeFile(path_, text);
    ScriptedDialog answer([](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_OK); });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Vantrel::ValidateConfigFile(path_));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(answer.Opened(), 1);
    EXPECT_EQ(TestSupport::ReadWholeFile(path_), "[Recent]\nfile1=/data/a.vt6\nfile2=/data/b.vt6\n");
}

TEST(PreferencesObject, InstalledFileFollowsXdgAndNeverCollidesWithTheDataFolder)
{
    ASSERT_TRUE(Vantrel::ConfigureTheSingletonWxConfigObject(*wxTheApp));
    EXPECT_EQ(wxTheApp->GetAppName(), "Study Station");
    EXPECT_EQ(wxTheApp->GetVendorName(), "Orbisk");
    const wxString path = Vantrel::PreferencesFilePath();
    const wxString home = wxString::FromUTF8(TestSupport::HomeFolder());
    EXPECT_TRUE(path.StartsWith(home)) << path;
    EXPECT_NE(path, wxStandardPaths::Get().GetUserDataDir());
    EXPECT_NE(path, wxStandardPaths::Get().GetUserLocalDataDir());

    wxConfigBase* config = wxConfigBase::Get(false);
    ASSERT_NE(config, nullptr);
    config->SetPath("/");
    config->Write("file1", "/data/x.vt6");
    config->Flush();
    EXPECT_NE(TestSupport::ReadWholeFile(path).find("file1=/data/x.vt6"), std::string::npos) << path;
    // The data folder can still be made beside it.
    EXPECT_TRUE(wxFileName::Mkdir(wxStandardPaths::Get().GetUserDataDir(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
}

}  // namespace

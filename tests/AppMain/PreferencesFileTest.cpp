// The preferences check for duplicated file-history lines, answered through the
// real dialog, and the installed configuration object.
#include "AppMain/PreferencesFile.h"
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

#include <string>

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

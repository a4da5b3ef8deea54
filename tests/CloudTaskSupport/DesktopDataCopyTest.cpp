#include "CloudTaskSupport/DesktopDataCopy.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class DesktopDataCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = TestSupport::MakeTempFolder("desk");
        m_data = m_root + "/task/Task Data.txt";
        fs::create_directories(m_root + "/task");
        m_desktop = m_root + "/Desktop";
    }
    std::string m_root, m_data, m_desktop;
};

TEST_F(DesktopDataCopyTest, EachCopyTakesTheFirstFreeNameAndNothingEarlierIsTouched)
{
    fs::create_directories(m_desktop);
    TestSupport::WriteWholeFile(m_desktop + "/Task Data 1.txt", "someone else's file");

    const char* expectedNames[] = {"Task Data.txt", "Task Data 2.txt", "Task Data 3.txt"};
    for (int run = 0; run < 3; ++run) {
        const std::string bytes = "run " + std::to_string(run) + std::string(100000 * run, '\t') + "\r\n\0end";
        TestSupport::WriteWholeFile(m_data, bytes);
        const Vantrel::DesktopCopyResult copy =
            Vantrel::CopyDataFileToFolder(wxString::FromUTF8(m_data), wxString::FromUTF8(m_desktop));
        ASSERT_TRUE(copy.verified) << copy.error;
        EXPECT_EQ(copy.path, wxString::FromUTF8(m_desktop + "/" + expectedNames[run]));
        EXPECT_EQ(TestSupport::ReadWholeFile(copy.path.utf8_str().data()), bytes);
    }
    EXPECT_EQ(TestSupport::ReadWholeFile(m_desktop + "/Task Data 1.txt"), "someone else's file");
    EXPECT_EQ(TestSupport::ReadWholeFile(m_desktop + "/Task Data.txt"), std::string("run 0\r\n"));
    int files = 0;
    for (const auto& entry : fs::directory_iterator(m_desktop)) {
        ++files;
        EXPECT_NE(entry.path().filename().string()[0], '.') << "temporary file left: " << entry.path();
    }
    EXPECT_EQ(files, 4);
}

TEST_F(DesktopDataCopyTest, AMissingDesktopFolderIsCreated)
{
    TestSupport::WriteWholeFile(m_data, "data");
    const std::string deeper = m_desktop + "/not/yet";
    const Vantrel::DesktopCopyResult copy =
        Vantrel::CopyDataFileToFolder(wxString::FromUTF8(m_data), wxString::FromUTF8(deeper));
    ASSERT_TRUE(copy.verified) << copy.error;
    EXPECT_EQ(TestSupport::ReadWholeFile(deeper + "/Task Data.txt"), "data");
}

TEST_F(DesktopDataCopyTest, AMissingDataFileGivesAnErrorAndNoFile)
{
    const Vantrel::DesktopCopyResult copy =
        Vantrel::CopyDataFileToFolder(wxString::FromUTF8(m_data), wxString::FromUTF8(m_desktop));
    EXPECT_FALSE(copy.verified);
    EXPECT_FALSE(copy.error.empty());
    EXPECT_FALSE(fs::exists(m_desktop + "/Task Data.txt"));
}

TEST_F(DesktopDataCopyTest, ADesktopNameTakenByAFolderOrALinkIsSkipped)
{
    fs::create_directories(m_desktop + "/Task Data.txt");
    fs::create_symlink(m_root + "/nowhere", m_desktop + "/Task Data 1.txt");
    TestSupport::WriteWholeFile(m_data, "data");
    const Vantrel::DesktopCopyResult copy =
        Vantrel::CopyDataFileToFolder(wxString::FromUTF8(m_data), wxString::FromUTF8(m_desktop));
    ASSERT_TRUE(copy.verified) << copy.error;
    EXPECT_EQ(copy.path, wxString::FromUTF8(m_desktop + "/Task Data 2.txt"));
    EXPECT_FALSE(fs::exists(m_root + "/nowhere"));
}

TEST_F(DesktopDataCopyTest, WithoutADesktopOfItsOwnTheHomeDesktopFolderIsUsed)
{
    EXPECT_EQ(Vantrel::DesktopFolder(), wxString::FromUTF8(TestSupport::HomeFolder() + "/Desktop"));
}

}  // namespace

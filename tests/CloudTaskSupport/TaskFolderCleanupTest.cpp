#include "CloudTaskSupport/TaskFolderCleanup.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(TaskFolderCleanup, TheFolderGoesOnlyWhenTheDataIsSafeElsewhere)
{
    struct Case
    {
        bool dataFileExists, uploaded, emailSent, desktopCopyVerified, keepRequested, mayRemove;
    } cases[] = {
        {false, false, false, false, false, true},  // no data to lose (no-upload switch)
        {true, true, false, false, false, true},    // upload acknowledged
        {true, false, true, true, false, true},     // mailed to the researcher and a verified desktop copy
        {true, false, true, false, false, false},   // mailed, but the desktop copy failed
        {true, false, false, true, false, false},   // only the desktop copy: keep the original too
        {true, false, false, false, false, false},  // the folder holds the only copy
        {true, true, true, true, true, false},      // the experiment asks to keep it
        {false, false, false, false, true, false},
    };
    for (const auto& c : cases) {
        Vantrel::DataSafetyFacts facts;
        facts.dataFileExists = c.dataFileExists;
        facts.uploaded = c.uploaded;
        facts.emailSent = c.emailSent;
        facts.desktopCopyVerified = c.desktopCopyVerified;
        facts.keepRequested = c.keepRequested;
        EXPECT_EQ(Vantrel::TaskFolderMayBeRemoved(facts), c.mayRemove)
            << c.dataFileExists << c.uploaded << c.emailSent << c.desktopCopyVerified << c.keepRequested;
    }
}

class TaskFolderCleanupFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = TestSupport::MakeTempFolder("cleanup");
        m_task = m_root + "/12345678";
        fs::create_directories(m_task + "/Experiment");
        std::ofstream(m_task + "/Task Data.txt") << "data";
        std::ofstream(m_task + ".tar.gz") << "package";
        std::ofstream(m_task + ".zip") << "package";
        fs::create_directories(m_root + "/precious");
        std::ofstream(m_root + "/precious/keep.txt") << "keep";
        fs::create_directory_symlink(m_root + "/precious", m_task + "/Experiment/link");
    }
    std::string m_root, m_task;
};

TEST_F(TaskFolderCleanupFiles, RemovingTakesFolderAndPackagesButNeverFollowsALink)
{
    EXPECT_TRUE(Vantrel::CleanUpTaskFiles(wxString::FromUTF8(m_task), true));
    EXPECT_FALSE(fs::exists(m_task));
    EXPECT_FALSE(fs::exists(m_task + ".tar.gz"));
    EXPECT_FALSE(fs::exists(m_task + ".zip"));
    EXPECT_TRUE(fs::exists(m_root + "/precious/keep.txt"));
}

TEST_F(TaskFolderCleanupFiles, KeepingTakesOnlyThePackages)
{
    EXPECT_TRUE(Vantrel::CleanUpTaskFiles(wxString::FromUTF8(m_task), false));
    EXPECT_TRUE(fs::exists(m_task + "/Task Data.txt"));
    EXPECT_FALSE(fs::exists(m_task + ".tar.gz"));
    EXPECT_FALSE(fs::exists(m_task + ".zip"));
}

}  // namespace

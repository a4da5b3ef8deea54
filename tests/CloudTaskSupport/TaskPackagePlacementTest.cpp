#include "CloudTaskSupport/TaskPackagePlacement.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TaskPackagePlacement : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_packages = TestSupport::MakeTempFolder("placement-packages");
        const std::string script = TestSupport::SourceDir() + "/tests/CloudTaskSupport/make_packages.py";
        const std::string command = "/usr/bin/python3 '" + script + "' '" + s_packages + "' '" + s_packages + "/out'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    void SetUp() override
    {
        m_task = TestSupport::MakeTempFolder("placement") + "/12345678";
        fs::create_directories(m_task);
        // The task's own files, which no placement or discard may touch.
        std::ofstream(m_task + "/exp_info") << "researcher@example.test\n";
        std::ofstream(m_task + "/Task Data.txt") << "unsent rows\n";
    }

    wxString Task() const { return wxString::FromUTF8(m_task); }
    static wxString Package(const char* name) { return wxString::FromUTF8(s_packages + "/" + name); }

    void ExpectOwnFilesKept() const
    {
        EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/exp_info"), "researcher@example.test\n");
        EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Task Data.txt"), "unsent rows\n");
    }

    static std::string s_packages;
    std::string m_task;
};
std::string TaskPackagePlacement::s_packages;

TEST_F(TaskPackagePlacement, AWholePackageIsMovedIntoPlaceAndMarked)
{
    const Vantrel::UnpackResult result = Vantrel::PlaceTaskPackage(Package("good.tar.gz"), Task());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(Vantrel::TaskPackageIsComplete(Task()));
    EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Experiment/task.vt6"), "{\"doc\": 1}\n");
    EXPECT_FALSE(fs::exists(m_task + "/.unpacking"));
    ExpectOwnFilesKept();
}

TEST_F(TaskPackagePlacement, ARefusedPackageLeavesNeitherContentNorMarker)
{
    ASSERT_TRUE(Vantrel::PlaceTaskPackage(Package("good.tar.gz"), Task()).ok);
    EXPECT_FALSE(Vantrel::PlaceTaskPackage(Package("parent.tar.gz"), Task()).ok);
    EXPECT_FALSE(Vantrel::TaskPackageIsComplete(Task()));
    EXPECT_FALSE(fs::exists(m_task + "/Experiment"));
    EXPECT_FALSE(fs::exists(m_task + "/.unpacking"));
    ExpectOwnFilesKept();
}

// The program killed in the middle of unpacking: the folder does not read as
// complete, and the next placement discards the leftovers and unpacks it whole.
TEST_F(TaskPackagePlacement, AnUnpackingKilledHalfWayIsNeverTakenForAWholeOne)
{
    for (int killAt : {2, 4}) {
        SCOPED_TRACE(killAt);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The free-space probe runs once per entry and chunk: it marks the point to die.
            Vantrel::UnpackLimits limits;
            int calls = 0;
            limits.freeBytes = [&calls, killAt](const std::string&) -> std::uint64_t {
                if (++calls == killAt) ::raise(SIGKILL);
                return UINT64_MAX;
            };
            Vantrel::PlaceTaskPackage(Package("good.tar.gz"), Task(), limits);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child should have been killed while unpacking";
        EXPECT_FALSE(Vantrel::TaskPackageIsComplete(Task()));
        EXPECT_FALSE(fs::exists(m_task + "/Experiment/images/picture.png") &&
                     fs::exists(m_task + "/loose/deeper/no-folder-entry.txt"))
            << "a killed unpacking must not have placed the whole package";

        ASSERT_TRUE(Vantrel::PlaceTaskPackage(Package("good.tar.gz"), Task()).ok);
        EXPECT_TRUE(Vantrel::TaskPackageIsComplete(Task()));
        EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Experiment/images/picture.png").size(), 256u * 400u);
        EXPECT_FALSE(fs::exists(m_task + "/.unpacking"));
        ExpectOwnFilesKept();
        Vantrel::DiscardTaskPackage(Task());
        EXPECT_FALSE(fs::exists(m_task + "/Experiment"));
        ExpectOwnFilesKept();
    }
}

}  // namespace

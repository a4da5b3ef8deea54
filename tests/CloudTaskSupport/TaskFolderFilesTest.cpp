// Setting an earlier run's data file aside before a new run writes its own.

#include "CloudTaskSupport/TaskFolderFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Outcome = Vantrel::EarlierDataSetAside::Outcome;

TEST(TaskFolderFiles, NamesOfTheDataFileAndOfTheEarlierOnes)
{
    EXPECT_EQ(Vantrel::TaskDataFilePath("/data/12345678"), "/data/12345678/Task Data.txt");
    EXPECT_EQ(Vantrel::EarlierDataFileName(1), "Task Data (earlier 1).txt");
    EXPECT_EQ(Vantrel::EarlierDataFileName(12), "Task Data (earlier 12).txt");
    EXPECT_EQ(Vantrel::EarlierDataFileName(3).rfind(Vantrel::kTaskEarlierDataPrefix, 0), 0u);
}

TEST(TaskFolderFiles, AnEarlierDataFileIsNeverLeftWhereTheNextRunWrites)
{
    struct Case
    {
        const char* name;
        bool dataFile;       // an earlier run left its data file
        bool desktopUsable;  // else a plain file stands where the desktop folder should be
        int earlierTaken;    // "Task Data (earlier N).txt" already there for N = 1..this
        Outcome outcome;
        const char* keptAs;  // file name of where the data went
        bool keepTaskFolder;
    } cases[] = {
        {"nothing to set aside", false, true, 0, Outcome::NoEarlierData, "", false},
        {"moved to the desktop", true, true, 0, Outcome::MovedToDesktop, "Task Data.txt", false},
        {"kept beside it", true, false, 0, Outcome::KeptAside, "Task Data (earlier 1).txt", true},
        {"kept under the first free name", true, false, 2, Outcome::KeptAside, "Task Data (earlier 3).txt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string root = TestSupport::MakeTempFolder("aside");
        const std::string task = root + "/task";
        const std::string desktop = root + "/Desktop";
        fs::create_directories(task);
        if (!c.desktopUsable) {
            ASSERT_TRUE(TestSupport::WriteWholeFile(desktop, "not a folder"));
        }
        for (int n = 1; n <= c.earlierTaken; ++n) {
            ASSERT_TRUE(
                TestSupport::WriteWholeFile(task + "/" + Vantrel::EarlierDataFileName(n).ToStdString(), "older"));
        }
        const std::string dataFile = task + "/Task Data.txt";
        if (c.dataFile) {
            ASSERT_TRUE(TestSupport::WriteWholeFile(dataFile, "rows of the earlier run\n"));
        }

        const Vantrel::EarlierDataSetAside aside = Vantrel::SetEarlierDataFileAside(dataFile, task, desktop);
        EXPECT_EQ(aside.outcome, c.outcome);
        EXPECT_EQ(aside.keepTaskFolder, c.keepTaskFolder);
        EXPECT_FALSE(fs::exists(dataFile)) << "the next run would write over it";
        if (c.dataFile) {
            EXPECT_EQ(fs::path(aside.path.ToStdString()).filename().string(), c.keptAs);
            EXPECT_EQ(TestSupport::ReadWholeFile(aside.path), "rows of the earlier run\n");
        } else {
            EXPECT_TRUE(aside.path.empty());
        }
    }
}

}  // namespace

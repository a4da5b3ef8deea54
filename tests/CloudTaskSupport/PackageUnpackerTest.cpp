#include "CloudTaskSupport/PackageUnpacker.h"

#include "CloudTaskSupport/ArchiveEntryCheck.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Listing(const fs::path& root)
{
    std::vector<std::string> names;
    if (!fs::exists(root)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        names.push_back(fs::relative(entry.path(), root).string());
    std::sort(names.begin(), names.end());
    return names;
}

class PackageUnpackerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_base = TestSupport::MakeTempFolder("packages");
        s_packages = s_base + "/made";
        s_outside = s_base + "/outside";
        const std::string script = TestSupport::SourceDir() + "/tests/CloudTaskSupport/make_packages.py";
        const std::string command = "/usr/bin/python3 '" + script + "' '" + s_packages + "' '" + s_outside + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    void SetUp() override
    {
        m_area = TestSupport::MakeTempFolder("area");
        m_task = m_area + "/12345678";
        fs::create_directories(s_outside);
        TestSupport::ClearLog();
    }

    static wxString Package(const std::string& name) { return wxString::FromUTF8(s_packages + "/" + name); }
    wxString Task() const { return wxString::FromUTF8(m_task); }

    // The task folder's parent and the outside folder hold nothing but what the test made.
    void ExpectNothingEscaped() const
    {
        for (const auto& name : Listing(m_area)) EXPECT_EQ(name.rfind("12345678", 0), 0u) << name;
        EXPECT_TRUE(Listing(s_outside).empty());
        EXPECT_FALSE(fs::exists(fs::path(s_base) / "escaped.txt"));
    }

    static std::string s_base, s_packages, s_outside;
    std::string m_area, m_task;
};
std::string PackageUnpackerTest::s_base, PackageUnpackerTest::s_packages, PackageUnpackerTest::s_outside;

TEST_F(PackageUnpackerTest, UnpacksEveryGoodFormatWithFoldersNamesAndBytes)
{
    for (const char* name : {"good.tar.gz", "good-pax.tar.gz", "good.zip"}) {
        SCOPED_TRACE(name);
        fs::remove_all(m_task);
        const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package(name), Task());
        ASSERT_TRUE(result.ok) << result.error << TestSupport::LogAsText();
        EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Experiment/task.vt6"), "{\"doc\": 1}\n");
        std::string binary;
        for (int i = 0; i < 400; ++i)
            for (int b = 0; b < 256; ++b) binary += static_cast<char>(b);
        EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Experiment/images/picture.png"), binary);
        EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Experiment/caf\xc3\xa9.txt"), "accent\n");
        EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/loose/deeper/no-folder-entry.txt"),
                  "made without its folder entry\n");
    }
}

TEST_F(PackageUnpackerTest, LongNamesOfGnuTarAreKept)
{
    const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package("long-names.tar.gz"), Task());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Experiment/" + std::string(120, 'n') + "/" + std::string(120, 'm') +
                                         ".txt"),
              "long\n");
}

TEST_F(PackageUnpackerTest, HostileEntriesAreRefusedAndNothingIsLeftAnywhere)
{
    const char* packages[] = {"parent.tar.gz",
                              "parent.zip",
                              "nested-parent.tar.gz",
                              "nested-parent.zip",
                              "backslash-parent.tar.gz",
                              "backslash-parent.zip",
                              "absolute.tar.gz",
                              "absolute.zip",
                              "drive.tar.gz",
                              "drive.zip",
                              "drive-relative.tar.gz",
                              "drive-relative.zip",
                              "symlink.tar.gz",
                              "symlink.zip",
                              "hardlink.tar.gz",
                              "device.tar.gz",
                              "fifo.tar.gz",
                              "through-link.tar.gz"};
    for (const char* name : packages) {
        SCOPED_TRACE(name);
        fs::remove_all(m_task);
        TestSupport::ClearLog();
        const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package(name), Task());
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.StartsWith("Couldn't read the zip entry '")) << result.error;
        // Shown once, by the caller: never a second error box.
        EXPECT_FALSE(TestSupport::LogContains(result.error, 2 /* warnings and errors */)) << TestSupport::LogAsText();
        EXPECT_TRUE(Listing(m_task).empty()) << "the harmless first entry must be taken back too";
        ExpectNothingEscaped();
    }
}

TEST_F(PackageUnpackerTest, ZipNamesAreDecodedAsTheirFlagSays)
{
    const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package("cp437.zip"), Task());
    ASSERT_TRUE(result.ok) << result.error << TestSupport::LogAsText();
    EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/Experiment/caf\xc3\xa9 \xc2\xa3.txt"), "accent\n");  // "café £.txt"

    fs::remove_all(m_task);
    const Vantrel::UnpackResult refused = Vantrel::UnpackPackage(Package("bad-utf8.zip"), Task());
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, "Couldn't read the zip entry 'Experiment/bad\\xFF\\xFE.txt'.");
    EXPECT_TRUE(Listing(m_task).empty());
}

// A planted information file would redirect the fallback e-mail; a planted data
// file would be uploaded as the participant's.
TEST_F(PackageUnpackerTest, EntriesThatWouldReplaceTheTasksOwnFilesAreRefused)
{
    struct Case
    {
        const char* package;
        const char* name;
    } cases[] = {
        {"reserved-info", "exp_info"},
        {"reserved-data", "Task Data.txt"},
        {"reserved-runinfo", "rt_info"},
        {"reserved-earlier", "Task Data (earlier 1).txt"},
    };
    for (const Case& c : cases)
        for (const char* suffix : {".tar.gz", ".zip"}) {
            SCOPED_TRACE(std::string(c.package) + suffix);
            fs::remove_all(m_task);
            fs::create_directories(m_task);
            std::ofstream(m_task + "/exp_info") << "researcher@example.test\n";
            const Vantrel::UnpackResult result =
                Vantrel::UnpackPackage(Package(std::string(c.package) + suffix), Task());
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.error, wxString::Format("The package holds a file named '%s', which would replace one of "
                                                     "the task's own files.",
                                                     c.name));
            EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/exp_info"), "researcher@example.test\n");
            EXPECT_EQ(Listing(m_task), std::vector<std::string>{"exp_info"});
        }
    // Below the top level the names are ordinary.
    EXPECT_FALSE(Vantrel::NamesATaskFolderFile("Experiment/exp_info"));
}

// Each bound on what a package may unpack to is refused with its own message, and
// the refusal takes back everything the unpacking wrote.
TEST_F(PackageUnpackerTest, PackagesBeyondTheUnpackingLimitsAreRefusedWithTheirMessage)
{
    Vantrel::UnpackLimits tooSmall;
    tooSmall.maxTotalBytes = 50000;
    Vantrel::UnpackLimits fewEntries;
    fewEntries.maxEntries = 3;
    Vantrel::UnpackLimits smallDisk;
    smallDisk.headroomBytes = 64u << 20;
    smallDisk.freeBytes = [](const std::string&) -> std::uint64_t { return (64u << 20) + 20000; };
    Vantrel::UnpackLimits roomyDisk = smallDisk;
    roomyDisk.freeBytes = [](const std::string&) -> std::uint64_t { return (64u << 20) + (1u << 20); };
    Vantrel::UnpackLimits ample;  // the defaults

    struct Case
    {
        const char* package;
        const Vantrel::UnpackLimits& limits;
        const char* messageStart;
    } cases[] = {
        {"good.tar.gz", tooSmall, "The experiment package unpacks to more than "},
        {"good.zip", tooSmall, "The experiment package unpacks to more than "},
        {"good.tar.gz", fewEntries, "The experiment package holds more than 3 files."},
        {"good.zip", fewEntries, "The experiment package holds more than 3 files."},
        {"bomb-ratio.tar.gz", ample,
         "The experiment package holds a file that expands far beyond its packed size "
         "('Experiment/zeros.bin')."},
        {"bomb-ratio.zip", ample,
         "The experiment package holds a file that expands far beyond its packed size "
         "('Experiment/zeros.bin')."},
        {"good.tar.gz", smallDisk, "There is not enough free disk space to unpack the experiment."},
        {"good.zip", smallDisk, "There is not enough free disk space to unpack the experiment."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        fs::remove_all(m_task);
        const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package(c.package), Task(), c.limits);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.StartsWith(c.messageStart)) << result.error;
        EXPECT_TRUE(Listing(m_task).empty()) << "nothing may be left of a refused package";
        ExpectNothingEscaped();
    }
    // A cancel from another thread stops the unpacking and takes it back.
    std::atomic<bool> cancel{true};
    Vantrel::UnpackLimits cancelled;
    cancelled.cancel = &cancel;
    fs::remove_all(m_task);
    EXPECT_FALSE(Vantrel::UnpackPackage(Package("good.tar.gz"), Task(), cancelled).ok);
    EXPECT_TRUE(Listing(m_task).empty());

    // The same packages pass where there is room and no bound is reached.
    for (const char* package : {"good.tar.gz", "good.zip"}) {
        fs::remove_all(m_task);
        EXPECT_TRUE(Vantrel::UnpackPackage(Package(package), Task(), roomyDisk).ok) << package;
    }
}

TEST_F(PackageUnpackerTest, EntriesTooDeepOrNamedTooLongAreRefusedNamingThem)
{
    const std::string deep = [] {
        std::string name;
        for (int i = 0; i < 64; ++i) name += "d/";
        return name + "deep.txt";
    }();
    const struct
    {
        const char* package;
        std::string message;
    } cases[] = {
        {"too-deep.tar.gz", "The experiment package holds an entry nested more than 64 folders deep ('" +
                                deep.substr(0, 120) + "\xE2\x80\xA6'). Contact the researcher."},
        {"too-deep.zip", "The experiment package holds an entry nested more than 64 folders deep ('" +
                             deep.substr(0, 120) + "\xE2\x80\xA6'). Contact the researcher."},
        {"too-long.tar.gz", "The experiment package holds an entry whose name is longer than 1024 characters ('"
                            "Experiment/" +
                                std::string(109, 'l') + "\xE2\x80\xA6'). Contact the researcher."},
        {"too-long.zip", "The experiment package holds an entry whose name is longer than 1024 characters ('"
                         "Experiment/" +
                             std::string(109, 'l') + "\xE2\x80\xA6'). Contact the researcher."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.package);
        fs::remove_all(m_task);
        const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package(c.package), Task());
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, wxString::FromUTF8(c.message));
        EXPECT_TRUE(Listing(m_task).empty()) << "nothing may be left of a refused package";
        ExpectNothingEscaped();
    }
}

TEST_F(PackageUnpackerTest, CancelDuringADeepUnpackingEndsItWithinASecond)
{
    // 4000 empty files 63 folders deep: no data chunk between them, so only the check
    // of each entry can see the cancel.
    std::atomic<bool> cancel{false};
    std::atomic<int> entriesSeen{0};
    Vantrel::UnpackLimits limits;
    limits.cancel = &cancel;
    limits.freeBytes = [&](const std::string&) -> std::uint64_t {
        ++entriesSeen;
        return std::uint64_t(1) << 40;
    };
    auto unpacking = std::async(std::launch::async,
                                [&] { return Vantrel::UnpackPackage(Package("many-deep.tar.gz"), Task(), limits); });
    ASSERT_TRUE(TestSupport::WaitUntil([&] { return entriesSeen.load() > 20; }, std::chrono::seconds(60)));
    cancel = true;
    const auto cancelledAt = std::chrono::steady_clock::now();
    ASSERT_EQ(unpacking.wait_for(std::chrono::seconds(1)), std::future_status::ready)
        << "the unpacking went on after the cancel";
    const Vantrel::UnpackResult result = unpacking.get();
    EXPECT_LT(std::chrono::steady_clock::now() - cancelledAt, std::chrono::seconds(1));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "The unpacking was cancelled.");
    EXPECT_LT(entriesSeen.load(), 4000);
    EXPECT_TRUE(Listing(m_task).empty());

    // Uncancelled, the same package unpacks whole.
    cancel = false;
    fs::remove_all(m_task);
    const Vantrel::UnpackResult whole = Vantrel::UnpackPackage(Package("many-deep.tar.gz"), Task());
    ASSERT_TRUE(whole.ok) << whole.error;
    std::string deepest = m_task;
    for (int i = 0; i < 63; ++i) deepest += "/d";
    EXPECT_TRUE(fs::exists(deepest + "/f03999"));
}

TEST_F(PackageUnpackerTest, NeverWritesThroughALinkAlreadyInTheTaskFolder)
{
    fs::create_directories(m_task);
    fs::create_directory_symlink(s_outside, m_task + "/Experiment");
    const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package("good.tar.gz"), Task());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.StartsWith("Couldn't create the file '")) << result.error;
    EXPECT_TRUE(Listing(s_outside).empty());
    EXPECT_FALSE(fs::exists(m_task + "/loose"));
}

TEST_F(PackageUnpackerTest, DamagedOrMissingPackagesFailAndLeaveNoHalfExperiment)
{
    struct Case
    {
        const char* name;
        const char* errorStart;
    } cases[] = {{"truncated.tar.gz", ""},
                 {"truncated.zip", ""},
                 {"not-a-package.tar.gz", "Can't open '"},
                 {"missing.tar.gz", "Can't open '"},
                 {"good.rar", "Can't open '"}};
    fs::copy_file(s_packages + "/good.zip", s_packages + "/good.rar", fs::copy_options::overwrite_existing);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_task);
        const Vantrel::UnpackResult result = Vantrel::UnpackPackage(Package(c.name), Task());
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
        EXPECT_TRUE(result.error.StartsWith(c.errorStart)) << result.error;
        EXPECT_FALSE(fs::exists(m_task + "/Experiment/task.vt6"));
        EXPECT_FALSE(fs::exists(m_task + "/Experiment/images/picture.png"));
    }
}

TEST_F(PackageUnpackerTest, ExistingFilesOfTheTaskFolderSurviveAFailedUnpacking)
{
    fs::create_directories(m_task);
    std::ofstream(m_task + "/exp_info") << "vt_ver=6.5.3\n";
    EXPECT_FALSE(Vantrel::ExtractZip(Package("parent.tar.gz"), Task()));
    EXPECT_EQ(TestSupport::ReadWholeFile(m_task + "/exp_info"), "vt_ver=6.5.3\n");
}

}  // namespace

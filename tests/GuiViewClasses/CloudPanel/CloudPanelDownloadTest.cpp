// The download step: progress, cancel and a new try, failed transfers, and
// packages that must never be unpacked.

#include "CloudPanelFixture.h"

#include "TestSupport.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace PanelTests {
namespace {

class CloudPanelDownload : public CloudPanelTest
{
protected:
    // A sample package padded with a file of random bytes, so that a throttled download takes a while.
    std::string BigPackage()
    {
        const std::string folder = TestSupport::MakeTempFolder("big");
        fs::create_directories(folder + "/Sample");
        std::ofstream(folder + "/Sample/Sample.vt6") << "{}\n";
        std::mt19937 random(7);
        std::string noise(400000, '\0');
        for (char& c : noise) c = static_cast<char>(random());
        std::ofstream(folder + "/Sample/noise.bin", std::ios::binary) << noise;
        EXPECT_EQ(std::system(("tar -C '" + folder + "' -czf '" + folder + "/big.tar.gz' Sample").c_str()), 0);
        return TestSupport::ReadWholeFile(folder + "/big.tar.gz");
    }

    wxGauge* Gauge(CloudExperimentPanel* panel) const
    {
        return wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_GAUGE), wxGauge);
    }

    // Nothing beside the task folder but the folder itself: no package, no partial file.
    void ExpectNoPackageFiles() const
    {
        const fs::path base = fs::path(TaskFolder()).parent_path();
        for (const auto& entry : fs::directory_iterator(base))
            EXPECT_EQ(entry.path().filename().string().find(std::to_string(kExperimentCode) + "."), std::string::npos)
                << entry.path();
    }
};

TEST_F(CloudPanelDownload, CancelDuringADownloadThenANewTrySucceeds)
{
    const std::string big = BigPackage();
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false), &big);
    m_doubles.Service().SetSwitches(R"({"throttle_bytes_per_second": 40000})");
    CloudExperimentPanel* panel = ShowPanel();
    TypeInto(TaskField(panel), kTaskCode);
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return panel->GetStepPage() == CloudExperimentPanel::kStepDownload; }));
    EXPECT_EQ(Button(panel, CloudExperimentPanel::ID_RUN_OR_CANCEL)->GetLabel(), "   Cancel Download   ");
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return Gauge(panel)->GetValue() >= 5; }, 10000))
        << "the gauge follows the transfer";

    Click(Button(panel, CloudExperimentPanel::ID_RUN_OR_CANCEL));
    EXPECT_TRUE(TestSupport::PumpUntil([&] {
        return panel->GetStepPage() == CloudExperimentPanel::kStepTaskCode &&
               panel->GetButtonPage() == CloudExperimentPanel::kButtonNext;
    }));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return !panel->IsDownloadInFlight(); }, 10000));
    TestSupport::PumpFor(100);
    EXPECT_EQ(ReadyPanel(), nullptr) << "a cancelled download is never opened";
    EXPECT_TRUE(m_script.openedDocuments.empty());
    ExpectNoPackageFiles();

    m_doubles.Service().ClearSwitches();
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return ReadyPanel() != nullptr; }, 20000)) << TestSupport::LogAsText();
    EXPECT_TRUE(fs::exists(TaskFolder() + "/Sample/noise.bin"));
    EXPECT_EQ(fs::file_size(TaskFolder() + "/Sample/noise.bin"), 400000u);
}

TEST_F(CloudPanelDownload, ABrokenTransferBringsTheParticipantBackWithAMessage)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, true));
    CloudExperimentPanel* panel = ShowPanel();
    TypeInto(TaskField(panel), kTaskCode);
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return panel->GetStepPage() == CloudExperimentPanel::kStepDetails; }));
    m_doubles.Service().SetSwitches(R"({"broken_download": true})");  // the package transfer breaks off half-way
    Click(Button(panel, CloudExperimentPanel::ID_GET_STARTED));
    ASSERT_TRUE(TestSupport::PumpUntil(
        [&] { return panel->GetStepPage() == CloudExperimentPanel::kStepTaskCode && !panel->IsDownloadInFlight(); },
        15000));
    EXPECT_EQ(ErrorText(panel)->GetLabel(),
              "The task could not be downloaded. Check the internet connection and try again.");
    EXPECT_TRUE(m_script.openedDocuments.empty());
    EXPECT_EQ(m_script.closeRequests, 0) << "the view stays for the next try";
    ExpectNoPackageFiles();

    m_doubles.Service().ClearSwitches();
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return panel->GetStepPage() == CloudExperimentPanel::kStepDetails; }));
    Click(Button(panel, CloudExperimentPanel::ID_GET_STARTED));
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return ReadyPanel() != nullptr; }, 20000)) << TestSupport::LogAsText();
}

TEST_F(CloudPanelDownload, HostilePackagesAreRefusedAndNothingLandsOutsideTheTaskFolder)
{
    const fs::path base = fs::path(TaskFolder()).parent_path();
    for (const char* name : {"parent.tar.gz", "absolute.tar.gz", "symlink.tar.gz", "backslash-parent.tar.gz"}) {
        SCOPED_TRACE(name);
        const std::string package = MadePackage(name);
        AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false), &package);
        CloudExperimentPanel* panel = m_firstPanel ? m_firstPanel : ShowPanel();
        TaskField(panel)->ChangeValue(wxEmptyString);
        TypeInto(TaskField(panel), kTaskCode);
        Click(Button(panel, CloudExperimentPanel::ID_NEXT));
        ASSERT_TRUE(TestSupport::PumpUntil(
            [&] {
                return panel->GetStepPage() == CloudExperimentPanel::kStepTaskCode &&
                       ErrorText(panel)->GetLabel().StartsWith("Couldn't read the zip entry '");
            },
            15000))
            << ErrorText(panel)->GetLabel() << "\n"
            << TestSupport::LogAsText();
        EXPECT_TRUE(m_script.openedDocuments.empty());
        EXPECT_EQ(m_script.closeRequests, 0);
        EXPECT_FALSE(fs::exists(base / "escaped.txt"));
        EXPECT_FALSE(fs::exists(TaskFolder() + "/Experiment/first.txt")) << "a refused package leaves nothing behind";
        ExpectNoPackageFiles();
    }
}

TEST_F(CloudPanelDownload, APackageWithoutExperimentKeepsTheViewAndAllowsANewTry)
{
    const std::string empty = MadePackage("long-names.tar.gz");
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false), &empty);
    CloudExperimentPanel* panel = ShowPanel();
    TypeInto(TaskField(panel), kTaskCode);
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    // Back at the task code with the message itself (the checks' own "Checking the task..." is no
    // answer); the limit is far beyond what the download and unpacking take, even under the sanitizers.
    ASSERT_TRUE(TestSupport::PumpUntil(
        [&] {
            return panel->GetState() == CloudExperimentPanel::State::TaskCode &&
                   ErrorText(panel)->GetLabel().StartsWith("The task holds no experiment.");
        },
        60000))
        << ErrorText(panel)->GetLabel() << "\n"
        << TestSupport::LogAsText();
    EXPECT_EQ(m_script.closeRequests, 0);

    fs::remove_all(TaskFolder());
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return ReadyPanel() != nullptr; }, 60000)) << TestSupport::LogAsText();
}

TEST_F(CloudPanelDownload, AWholeExperimentAlreadyInTheTaskFolderOpensWithoutDownload)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    fs::create_directories(TaskFolder() + "/deeper");
    std::ofstream(TaskFolder() + "/deeper/Kept.vt6") << "{}\n";
    std::ofstream(TaskFolder() + "/.package-complete") << "complete\n";
    CloudExperimentPanel* panel = ShowPanel();
    TypeInto(TaskField(panel), kTaskCode);
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return ReadyPanel() != nullptr; }, 10000));
    EXPECT_EQ(RequestCount("/api/user/v1/download-experiment"), 0);
    ASSERT_EQ(m_script.openedDocuments.size(), 1u);
    EXPECT_TRUE(m_script.openedDocuments[0].EndsWith("/deeper/Kept.vt6"));
}

// What an unpacking cut short left behind (no marker) is never run: it is discarded
// and the package downloaded again.
TEST_F(CloudPanelDownload, AnExperimentLeftWithoutTheMarkerIsDownloadedAgain)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    fs::create_directories(TaskFolder() + "/Sample");
    std::ofstream(TaskFolder() + "/Sample/Sample.vt6") << "half\n";
    std::ofstream(TaskFolder() + "/Sample/Stale.vt6") << "half\n";
    CloudExperimentPanel* panel = ShowPanel();
    TypeInto(TaskField(panel), kTaskCode);
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return ReadyPanel() != nullptr; }, 20000)) << TestSupport::LogAsText();
    EXPECT_EQ(RequestCount("/api/user/v1/download-experiment"), 1);
    EXPECT_FALSE(fs::exists(TaskFolder() + "/Sample/Stale.vt6"));
    EXPECT_TRUE(fs::exists(TaskFolder() + "/.package-complete"));
    ASSERT_EQ(m_script.openedDocuments.size(), 1u);
    EXPECT_TRUE(m_script.openedDocuments[0].EndsWith("/Sample/Sample.vt6"));
    EXPECT_NE(TestSupport::ReadWholeFile(TaskFolder() + "/Sample/Sample.vt6"), "half\n");
}

}  // namespace
}  // namespace PanelTests

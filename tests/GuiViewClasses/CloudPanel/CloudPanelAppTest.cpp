// The panel inside the real program: the untitled view, the re-created view of
// the opened experiment, a real run by the runtime, and the data at the service.
// One application run per process (ctest runs each test alone).

#include "AppHarness.h"
#include "CloudDoubles.h"
#include "TestSupport.h"

#include "AppMain/PreferencesFile.h"
#include "AppMain/Run/VTRunTaskView.h"
#include "GuiViewClasses/CloudPanel/CloudExperimentPanel.h"
#include "UserInterface/wxDocManagerASIO.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/ffile.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kCode = 12345678;
constexpr const char* kTaskCode = "15386598";

// A package of the fixture experiment whose events all end by their time limits.
std::string TimedPackage()
{
    const std::string folder = TestSupport::MakeTempFolder("package");
    fs::create_directories(folder + "/Timed");
    fs::copy_file(TestSupport::SourceDir() + "/tests/fixtures/timed-events.vt6", folder + "/Timed/Timed.vt6");
    EXPECT_EQ(std::system(("tar -C '" + folder + "' -czf '" + folder + "/p.tar.gz' Timed").c_str()), 0);
    return TestSupport::ReadWholeFile(folder + "/p.tar.gz");
}

// The demo's sample experiment (scripts/demo), packaged as the demo does.
std::string DemoPackage()
{
    const std::string folder = TestSupport::MakeTempFolder("demo");
    const std::string command =
        "tar -C '" + TestSupport::SourceDir() + "/scripts/demo' -czf '" + folder + "/p.tar.gz' 'Sample Task'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return TestSupport::ReadWholeFile(folder + "/p.tar.gz");
}

std::vector<CloudExperimentPanel*> Panels(ProbedApp& app)
{
    std::vector<CloudExperimentPanel*> panels;
    for (wxDocument* doc : app.GetDocManager()->GetDocumentsVector())
        if (auto* view = wxDynamicCast(doc->GetFirstView(), Vantrel::VTRunTaskView))
            if (view->GetPanel() && view->GetPanel()->IsShownOnScreen()) panels.push_back(view->GetPanel());
    return panels;
}

void CollectLabels(wxWindow* window, wxString& texts)
{
    if (!window->IsShown()) return;
    texts << window->GetLabel() << "\n";
    for (wxWindow* child : window->GetChildren()) CollectLabels(child, texts);
}

void ClickCentre(wxWindow* window)
{
    wxUIActionSimulator sim;
    const wxRect r = window->GetScreenRect();
    sim.MouseMove(r.GetPosition() + wxSize(r.width / 2, r.height / 2));
    sim.MouseClick();
}

// Clicks "Run Task", and again while no click has reached the button (under load the
// first can arrive before the window takes it). Only then: a click sent after the button
// took one would land on "Exit", which the hand-back puts in its place, and end the
// program before the test could look at the last page.
class RunClicker
{
public:
    void Click(wxButton* run)
    {
        run->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
            m_taken = true;
            event.Skip();
        });
        ClickCentre(run);
    }
    void Tick(CloudExperimentPanel* panel)
    {
        if (m_taken || ++m_checks % 50 != 0) return;
        if (auto* run = wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_RUN_OR_CANCEL), wxButton))
            ClickCentre(run);
    }

private:
    bool m_taken = false;
    int m_checks = 0;
};

// True once the field shows the text. Under load the first keys can arrive before
// GTK has moved the focus (they are then lost), so after a while it types again.
bool ShowsOrRetypes(wxTextCtrl* field, const wxString& text, int& checks)
{
    if (field->GetValue() == text) return true;
    if (++checks % 40 == 0) {
        field->ChangeValue(wxEmptyString);
        field->SetFocus();
        wxUIActionSimulator().Text(text.utf8_str());
    }
    return false;
}

// A probe made of steps: each step acts at most once and reports when the next may start.
class Steps
{
public:
    using Step = std::function<bool(ProbedApp&)>;
    Steps& Then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }
    bool operator()(ProbedApp& app)
    {
        if (m_wait > 0) {
            --m_wait;
            return false;
        }
        if (m_next < m_steps.size() && m_steps[m_next](app)) {
            ++m_next;
            m_wait = 5;  // ~100 ms for the X server and GTK to deliver what the step sent
        }
        return m_next == m_steps.size();
    }
    size_t Reached() const { return m_next; }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_wait = 0;
};

class CloudPanelInTheProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_doubles.Start(&error)) << error;
    }
    // Paths of the running program's folders; read while it runs (its application object goes with it).
    void NotePaths()
    {
        if (!m_taskFolder.empty()) return;
        m_taskFolder = std::string(wxStandardPaths::Get().GetUserDataDir().fn_str()) + "/" + std::to_string(kCode);
        m_preferences = std::string(Vantrel::PreferencesFilePath().fn_str());
    }
    const std::string& TaskFolder() const { return m_taskFolder; }
    void RunFromCommandLineWithoutUpload(const std::string& package);
    // Starts with the task code on the command line, runs the task and closes at its
    // last page; the page shown then, or -1.
    // `beforeRun` acts just before the Run button is clicked, `afterRun` once the run has ended.
    int RunFromCommandLine(bool upload, std::function<void()> beforeRun = {}, std::function<void()> afterRun = {});
    bool m_skipped = false;
    wxString m_finalTexts;  // every label the panel showed at its last page
    TestDoubles::CloudDoublesEnvironment m_doubles;
    std::string m_taskFolder, m_preferences;
};

TEST_F(CloudPanelInTheProgram, TypedCodeToThankYouWithTheRunsDataAtTheService)
{
    const std::string package = TimedPackage();
    m_doubles.Service().AddExperiment(kCode, "Timed", "2099-12-31",
                                      TestDoubles::InfoFileText("r@example.test", 0, true), &package);
    int finalStep = -1;
    int codeChecks = 0, nameChecks = 0;
    RunClicker runClicker;
    // Windows are looked up afresh at every step: views come and go between ticks.
    auto only = [](ProbedApp& app) -> CloudExperimentPanel* {
        const auto panels = Panels(app);
        return panels.size() == 1 ? panels[0] : nullptr;
    };
    auto text = [](CloudExperimentPanel* panel, int id) {
        return panel ? wxDynamicCast(panel->FindWindow(id), wxTextCtrl) : nullptr;
    };
    Steps steps;
    steps
        .Then([&](ProbedApp& app) {
            NotePaths();
            wxTextCtrl* field = text(only(app), CloudExperimentPanel::ID_TASK_ID);
            if (!field) return false;
            ClickCentre(field);
            return true;
        })
        .Then([&](ProbedApp& app) {
            wxTextCtrl* field = text(only(app), CloudExperimentPanel::ID_TASK_ID);
            if (!field) return false;
            field->SetFocus();
            wxUIActionSimulator().Text(kTaskCode);
            return true;
        })
        .Then([&](ProbedApp& app) {
            CloudExperimentPanel* panel = only(app);
            wxTextCtrl* field = text(panel, CloudExperimentPanel::ID_TASK_ID);
            if (!field || !ShowsOrRetypes(field, kTaskCode, codeChecks)) return false;
            ClickCentre(panel->FindWindow(CloudExperimentPanel::ID_NEXT));
            return true;
        })
        .Then([&](ProbedApp& app) {
            // Focus, not a click: while the details page is still being laid out, a click
            // meant for the name field can land on "Get Started" and start with no name.
            CloudExperimentPanel* panel = only(app);
            if (!panel || panel->GetStepPage() != CloudExperimentPanel::kStepDetails) return false;
            wxTextCtrl* name = text(panel, CloudExperimentPanel::ID_NAME);
            if (!name) return false;
            name->SetFocus();
            wxUIActionSimulator().Text("Ann");
            return true;
        })
        .Then([&](ProbedApp& app) {
            CloudExperimentPanel* panel = only(app);
            wxTextCtrl* name = text(panel, CloudExperimentPanel::ID_NAME);
            if (!name || !ShowsOrRetypes(name, "Ann", nameChecks)) return false;
            ClickCentre(panel->FindWindow(CloudExperimentPanel::ID_GET_STARTED));
            return true;
        })
        .Then([&](ProbedApp& app) {
            // The untitled view has closed; the opened experiment's view shows its panel, ready.
            CloudExperimentPanel* panel = only(app);
            if (!panel || panel->GetStepPage() != CloudExperimentPanel::kStepDownload) return false;
            auto* run = wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_RUN_OR_CANCEL), wxButton);
            if (!run || run->GetLabel() != "   Run Task   ") return false;
            runClicker.Click(run);
            return true;
        })
        .Then([&](ProbedApp& app) {
            CloudExperimentPanel* panel = only(app);
            if (!panel) return false;
            if (panel->GetButtonPage() != CloudExperimentPanel::kButtonExit) {
                runClicker.Tick(panel);
                return false;
            }
            // Only a page the participant can see is read.
            if (panel->GetStepPage() == wxNOT_FOUND) return false;
            finalStep = panel->GetStepPage();
            app.GetTopWindow()->Close(false);
            return true;
        });
    const AppRun run = RunApplication({}, std::ref(steps));
    if (run.skipped) GTEST_SKIP() << "one application run per process";
    ASSERT_FALSE(TaskFolder().empty());
    ASSERT_FALSE(run.timedOut) << "stopped before step " << steps.Reached() << "\n" << TestSupport::LogAsText();
    EXPECT_EQ(finalStep, CloudExperimentPanel::kStepThanks) << TestSupport::LogAsText();

    const auto results = m_doubles.Service().Results(kCode);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NE(results[0].second.find("Subject\tAnn"), std::string::npos) << results[0].second;
    EXPECT_NE(results[0].second.find("GO"), std::string::npos) << "the run's events are in the data";
    EXPECT_EQ(m_doubles.Service().ReadExperimentFile(kCode, "rt_info"), "'group_id':'2'\n");
    EXPECT_NE(TestSupport::ReadWholeFile(m_preferences).find("last_exp_id=12345678"), std::string::npos)
        << TestSupport::ReadWholeFile(m_preferences);
    EXPECT_FALSE(fs::exists(TaskFolder()));
    EXPECT_FALSE(fs::exists(TaskFolder() + ".tar.gz"));
}

TEST_F(CloudPanelInTheProgram, CommandLineCodeWithNoUploadRunsAndSendsNothing)
{
    const std::string package = TimedPackage();
    RunFromCommandLineWithoutUpload(package);
}

TEST_F(CloudPanelInTheProgram, TheDemoSampleRunsToItsEnd)
{
    const std::string package = DemoPackage();
    RunFromCommandLineWithoutUpload(package);
    // Picture, sound and film were presented (the sound on the machine's output, or
    // on GStreamer's stand-in where there is no sound card).
    for (const char* stimulus : {"sample-picture.png", "sample-sound.ogg", "sample-film.webm"})
        EXPECT_FALSE(TestSupport::LogContains(stimulus, 2 /* warnings and errors */)) << TestSupport::LogAsText();
}

void CloudPanelInTheProgram::RunFromCommandLineWithoutUpload(const std::string& package)
{
    m_doubles.Service().AddExperiment(kCode, "Timed", "2099-12-31",
                                      TestDoubles::InfoFileText("r@example.test", 0, false), &package);
    const int page = RunFromCommandLine(false);
    if (m_skipped) GTEST_SKIP() << "one application run per process";
    EXPECT_EQ(page, CloudExperimentPanel::kStepThanks);
    EXPECT_TRUE(m_doubles.Service().Results(kCode).empty());
    EXPECT_TRUE(m_doubles.Service().RequestsTo("/api/user/v1/upload-result").empty());
    EXPECT_TRUE(m_doubles.Service().RequestsTo("/api/user/v1/update-rtinfo-file").empty());
    EXPECT_FALSE(fs::exists(TaskFolder()));
}

int CloudPanelInTheProgram::RunFromCommandLine(bool upload, std::function<void()> beforeRun,
                                               std::function<void()> afterRun)
{
    int finalStep = -1;
    RunClicker runClicker;
    auto only = [](ProbedApp& app) -> CloudExperimentPanel* {
        const auto panels = Panels(app);
        return panels.size() == 1 ? panels[0] : nullptr;
    };
    Steps steps;
    steps
        .Then([&](ProbedApp& app) {
            NotePaths();
            CloudExperimentPanel* panel = only(app);
            if (!panel || panel->GetStepPage() != CloudExperimentPanel::kStepDownload ||
                panel->GetNoDataUpload() == upload)
                return false;
            auto* run = wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_RUN_OR_CANCEL), wxButton);
            if (!run || run->GetLabel() != "   Run Task   ") return false;
            if (beforeRun) beforeRun();
            runClicker.Click(run);
            return true;
        })
        .Then([&](ProbedApp& app) {
            CloudExperimentPanel* panel = only(app);
            if (!panel) return false;
            if (panel->GetButtonPage() != CloudExperimentPanel::kButtonExit) {
                runClicker.Tick(panel);
                return false;
            }
            // Only a page the participant can see is read.
            if (panel->GetStepPage() == wxNOT_FOUND) return false;
            if (afterRun) afterRun();
            finalStep = panel->GetStepPage();
            m_finalTexts.clear();
            CollectLabels(panel, m_finalTexts);
            app.GetTopWindow()->Close(false);
            return true;
        });
    std::vector<std::string> arguments = {"-t", kTaskCode};
    if (!upload) arguments.push_back("--noupload");
    const AppRun run = RunApplication(arguments, std::ref(steps));
    m_skipped = run.skipped;
    if (run.skipped) return -1;
    EXPECT_FALSE(TaskFolder().empty());
    EXPECT_FALSE(run.timedOut) << "stopped before step " << steps.Reached() << "\n" << TestSupport::LogAsText();
    EXPECT_EQ(steps.Reached(), 2u) << "the program ended (exit code " << run.exitCode
                                   << ") before its last page was read\n"
                                   << TestSupport::LogAsText();
    return finalStep;
}

TEST_F(CloudPanelInTheProgram, ADiskThatFillsDuringTheRunStopsItAndKeepsWhatWasSaved)
{
    const std::string package = TimedPackage();
    m_doubles.Service().AddExperiment(kCode, "Timed", "2099-12-31",
                                      TestDoubles::InfoFileText("r@example.test", 0, false), &package);
    // From the click on, files may grow to 300 bytes: the header fits, the rows do not.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    auto restore = [&] {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, handler);
    };
    const int page = RunFromCommandLine(
        true,
        [&] {
            rlimit limit = before;
            limit.rlim_cur = 300;
            setrlimit(RLIMIT_FSIZE, &limit);
        },
        restore);
    restore();
    if (m_skipped) GTEST_SKIP() << "one application run per process";
    EXPECT_EQ(page, CloudExperimentPanel::kStepUploadError) << "no thank-you page\n" << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::LogContains("could not be written", wxLOG_Error + 0)) << TestSupport::LogAsText();
    const std::string dataFile = TaskFolder() + "/Task Data.txt";
    EXPECT_TRUE(m_finalTexts.Contains("could not be written")) << m_finalTexts;
    EXPECT_TRUE(m_finalTexts.Contains(wxString::FromUTF8(dataFile))) << m_finalTexts;
    EXPECT_TRUE(m_doubles.Service().Results(kCode).empty());
    EXPECT_TRUE(m_doubles.Service().RequestsTo("/api/user/v1/upload-result").empty());
    EXPECT_TRUE(fs::exists(dataFile)) << "what was saved stays where the participant is told";
    EXPECT_NE(TestSupport::ReadWholeFile(dataFile).find("Study Station data file"), std::string::npos);
}

// Balanced assignment with the two-group fixture: the group that has run fewer times is
// chosen, and its participant runs exactly that group's block.
class CloudPanelGroups : public CloudPanelInTheProgram,
                         public ::testing::WithParamInterface<std::tuple<const char*, const char*, const char*>>
{};

TEST_P(CloudPanelGroups, EachGroupsParticipantRunsExactlyItsBlocks)
{
    const auto [earlierRuns, group, block] = GetParam();
    const std::string folder = TestSupport::MakeTempFolder("package");
    fs::create_directories(folder + "/Groups");
    fs::copy_file(TestSupport::SourceDir() + "/tests/fixtures/two-groups-balanced.vt6", folder + "/Groups/Groups.vt6");
    ASSERT_EQ(std::system(("tar -C '" + folder + "' -czf '" + folder + "/p.tar.gz' Groups").c_str()), 0);
    const std::string package = TestSupport::ReadWholeFile(folder + "/p.tar.gz");
    m_doubles.Service().AddExperiment(kCode, "Groups", "2099-12-31",
                                      TestDoubles::InfoFileText("r@example.test", 0, false), &package);
    m_doubles.Service().WriteExperimentFile(kCode, "rt_info", earlierRuns);

    const int page = RunFromCommandLine(true);
    if (m_skipped) GTEST_SKIP() << "one application run per process";
    EXPECT_EQ(page, CloudExperimentPanel::kStepThanks) << TestSupport::LogAsText();
    const auto results = m_doubles.Service().Results(kCode);
    ASSERT_EQ(results.size(), 1u) << TestSupport::LogAsText();
    const std::string& data = results[0].second;
    EXPECT_NE(data.find(std::string("Group\t") + group + "\n"), std::string::npos) << data;
    // The rows follow the column line, whatever columns it names.
    const size_t columns = data.find("\nBlock\tTrial\t");
    ASSERT_NE(columns, std::string::npos) << data;
    std::istringstream rows(data.substr(data.find('\n', columns + 1) + 1));
    int count = 0;
    for (std::string row; std::getline(rows, row);) {
        if (row.empty()) continue;
        ++count;
        EXPECT_EQ(row.rfind(std::string(block) + "\t", 0), 0u) << row;
    }
    EXPECT_EQ(count, 2) << data;  // its one trial: fixation and arrow
}

INSTANTIATE_TEST_SUITE_P(TwoGroups, CloudPanelGroups,
                         ::testing::Values(std::make_tuple("'group_id':'2'\n", "Group B", "Block Right"),
                                           std::make_tuple("'group_id':'3'\n", "Group A", "Block Left")),
                         [](const auto& info) { return std::string(std::get<1>(info.param)).substr(6); });

}  // namespace

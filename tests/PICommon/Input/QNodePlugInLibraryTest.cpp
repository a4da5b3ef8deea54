// The real "in-qnode Input" library, found and loaded by the plug-in manager from
// the plug-in folder, and a whole run whose responses come from a simulated q-node.

#include <gtest/gtest.h>

#include <wx/choicebk.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/log.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/VTExperiment.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "SimulatedQNode.h"
#include "TestSupport.h"
#include "TimeScale.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTSdkBase.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTSdkSettings.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTPlugIn.h"

using Vantrel::VTPlugIn;

namespace {

const char* const kLibrary = QNODE_PLUGIN_DIR "/in-qnode Input.so";

class EnvPath
{
public:
    explicit EnvPath(const std::string& value) { ::setenv("VANTREL_QPX_DEVICE", value.c_str(), 1); }
    ~EnvPath() { ::unsetenv("VANTREL_QPX_DEVICE"); }
};

class QNodeLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        VTPlugIn::LocateAllInFolder(QNODE_PLUGIN_DIR, nullptr);
        plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(2103);
    }
    void TearDown() override { VTPlugIn::DeleteAllObjects(); }

    VTPlugIn* plugin = nullptr;
};

std::vector<wxString> ReadLines(const wxString& path)
{
    std::vector<wxString> lines;
    std::ifstream in(path.utf8_string());
    for (std::string line; std::getline(in, line);) lines.push_back(wxString::FromUTF8(line));
    return lines;
}

}  // namespace

TEST_F(QNodeLibrary, TheManagerFindsThePlugInAndItAnswersAsTheQNode)
{
    ASSERT_TRUE(plugin) << TestSupport::LogAsText();
    EXPECT_EQ(2103, plugin->GetPlugInID());
    EXPECT_EQ(VantrelSDK::VT_PLUGIN_KIND_INPUT, plugin->GetKind());
    EXPECT_EQ("q-node Input", plugin->GetName());
    EXPECT_EQ("q-node Input", plugin->GetShortName());
    EXPECT_EQ(wxString(kLibrary), plugin->GetLibraryPath());

    // The entry point hands out the one object, every time.
    void* handle = ::dlopen(kLibrary, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_TRUE(handle);
    auto entry = reinterpret_cast<VantrelSDK::VTSdkBase* (*)()>(::dlsym(handle, "VTSdkGetObjectPtr"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry(), entry());
    EXPECT_EQ(plugin->GetSdkBasePtr(), entry());
    ::dlclose(handle);

    VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr();
    ASSERT_TRUE(input);
    std::vector<std::pair<wxString, std::unique_ptr<VantrelSDK::VTSdkBaseResponse>>> defaults;
    input->CreateDefaultResponses([&](wxString name, VantrelSDK::VTSdkBaseResponse* response) {
        defaults.emplace_back(name, std::unique_ptr<VantrelSDK::VTSdkBaseResponse>(response));
    });
    ASSERT_EQ(8u, defaults.size());
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(wxString::Format("Line %d", i + 1), defaults[i].first);
        auto* key = dynamic_cast<VantrelSDK::VTSdkDiscreteKeyResp*>(defaults[i].second.get());
        ASSERT_TRUE(key);
        EXPECT_EQ(i, key->GetKeyNumber());
        EXPECT_EQ(3, key->GetPortNumber());
    }
}

TEST_F(QNodeLibrary, OnlyTheEntryPointIsExported)
{
    const std::string command = std::string("nm -D --defined-only '") + kLibrary + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    std::vector<std::string> symbols;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        const std::size_t space = text.find_last_of(' ');
        symbols.push_back(text.substr(space + 1, text.find_last_not_of("\n") - space));
    }
    ::pclose(pipe);
    ASSERT_EQ(1u, symbols.size());
    EXPECT_EQ("VTSdkGetObjectPtr", symbols[0]);
}

TEST_F(QNodeLibrary, TheSettingsPanelComesFromTheLayoutBesideTheLibrary)
{
    ASSERT_TRUE(plugin);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Input", wxPoint(30, 30), wxSize(600, 500));
    frame->Show();
    EnvPath env("/dev/ttyUSB-absent");
    wxWindow* panel = plugin->GetConfigPanel(frame);
    ASSERT_TRUE(panel) << TestSupport::LogAsText();
    auto* book = wxDynamicCast(panel->FindWindow("hidden_choicebook_st2"), wxChoicebook);
    ASSERT_TRUE(book);
    EXPECT_EQ(5, book->GetSelection());
    EXPECT_TRUE(panel->FindWindow("btn_auto_detect"));
    plugin->OnCloseConfigDlg();
    frame->Destroy();
    TestSupport::PumpFor(50);
}

TEST_F(QNodeLibrary, ARunTakesItsResponsesFromTheQNodeIntoTheDataFile)
{
    ASSERT_TRUE(plugin);
    Orbisk::Testing::SimulatedQNode sim;
    EnvPath env(sim.DevicePath());

    Fixture::TwoBlocks f(-1);
    using Vantrel::VTResponse;
    auto line = [&](const char* name, int key) {
        VTResponse* r = Fixture::Add<VTResponse>(f.experiment, Vantrel::ElementType::Response, name);
        r->SetPlugInID(2103);
        r->SetKeyCode(key);
        r->SetPortNumber(3);
        return r;
    };
    VTResponse* line1 = line("Line 1", 0);
    VTResponse* line2 = line("Line 2", 1);
    f.experiment.LoadInputPluginByID(2103);
    const wxString path = wxFileName(TestSupport::MakeTempFolder("data"), "qnode.txt").GetFullPath();
    f.experiment.GetRunOptions().SetGroupID(int(f.mainOnly->GetID()));
    f.experiment.GetRunOptions().SetSubjectName("q01");
    f.experiment.GetRunOptions().SetSaveCollectedDataFlag(true, path);
    Vantrel::VTTrial* m1 = f.main->GetUsedTrial(0);
    for (unsigned e = 0; e < 2; ++e) {
        Vantrel::VTEvent* event = m1->GetUsedEvent(e);
        event->GetUsedResponses().AddChildElement(line1);
        event->GetUsedResponses().AddChildElement(line2);
        event->SetResponseType(2, -1, 2);
        event->LinkCorrectResponse(2, -1, line1);
        event->AcceptInputSettingsForEditor(true, true, 0, 5000, -1);
        event->AcceptEndEventSettings(false, true, false, true);
    }
    Vantrel::VTCompiledExperiment compiled({});
    ASSERT_NE(f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);

    RunDriver driver;
    auto presenting = [] { return RunDriver::PresentationWindow() != nullptr; };
    // Generous gaps: each press must find its event already waiting for input. The first
    // gap counts from the start of the trial (the plug-in resets the device clock then),
    // not from the start of the run: on a busy machine the window alone can take most of
    // a second to appear and be drawn, and a press before the event's input flush is
    // rightly thrown away.
    constexpr int kScale = TestSupport::kTimeScale;
    driver.Then(
        0, [] {}, [&] { return presenting() && sim.TimerResets() >= 1; });
    driver.Then(700 * kScale, [&] {
        sim.Press(0);
        sim.Release(0);
    });
    driver.Then(700 * kScale, [&] {
        sim.Press(5);  // not a defined response: the event goes on waiting
        sim.Release(5);
    });
    driver.Then(150 * kScale, [&] {
        sim.Press(1);
        sim.Release(1);
    });
    driver.Begin();
    ASSERT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    driver.Stop();
    EXPECT_FALSE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_EQ(116, sim.LastInputMode());

    const auto lines = ReadLines(path);
    ASSERT_GE(lines.size(), 11u) << TestSupport::LogAsText();
    const std::vector<wxString> rows(lines.end() - 2, lines.end());
    wxArrayString first = wxSplit(rows[0], '\t');
    wxArrayString second = wxSplit(rows[1], '\t');
    // Block, Trial, Event, Stimulus, Response, RT_ms, Correctness, Onset_ms.
    ASSERT_EQ(8u, first.size());
    ASSERT_EQ(8u, second.size());
    EXPECT_EQ("Fixation M1", first[2]);
    EXPECT_EQ("Line 1", first[4]);
    EXPECT_EQ("C", first[6]);
    EXPECT_EQ("Word M1", second[2]);
    EXPECT_EQ("Line 2", second[4]);
    EXPECT_EQ("E", second[6]);
    double rt = 0;
    EXPECT_TRUE(second[5].ToCDouble(&rt));
    EXPECT_GT(rt,
              500.0);  // pressed 850 ms (times the scale) after the first answer; drawing the next event comes first
    EXPECT_LT(rt, 5000.0);
}

TEST_F(QNodeLibrary, ARunWithoutAQNodeDoesNotStart)
{
    ASSERT_TRUE(plugin);
    EnvPath env("/dev/ttyUSB-absent");
    Fixture::TwoBlocks f(-1);
    f.experiment.LoadInputPluginByID(2103);
    f.experiment.GetRunOptions().SetGroupID(int(f.mainOnly->GetID()));
    f.experiment.GetRunOptions().SetSaveCollectedDataFlag(false, "");
    Vantrel::VTCompiledExperiment compiled({});
    ASSERT_NE(f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);
    EXPECT_FALSE(compiled.Run(false, false));
    EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_TRUE(
        TestSupport::LogContains("Vantrel couldn't find a q-node with input connected to this computer.", wxLOG_Error))
        << TestSupport::LogAsText();
}

namespace {

boost::shared_ptr<VantrelSDK::VTSdkSerialPortSettings> CurrentQNodeSettings(VTPlugIn* plugin)
{
    return boost::dynamic_pointer_cast<VantrelSDK::VTSdkSerialPortSettings>(
        plugin->GetSdkBasePtr()->SettingsManager().GetCurrentSettingsSuite());
}

const char* const kChildExperiment = "QNODE_SETTINGS_EXPERIMENT";

}  // namespace

// The parent changes the q-node's settings, saves an experiment that uses it, and
// runs this same test in a fresh process with the file named in the environment;
// there the opened experiment gives the plug-in those settings, which a run reads.
TEST_F(QNodeLibrary, SettingsChangedInThePlugInReachAFreshProcessThroughTheSavedExperiment)
{
    ASSERT_TRUE(plugin);
    if (const char* file = std::getenv(kChildExperiment)) {
        // Fresh process: the plug-in starts with its defaults.
        ASSERT_TRUE(CurrentQNodeSettings(plugin)->keySettings.RespondsToPressesOnly());
        Vantrel::VTExperiment opened;
        ASSERT_TRUE(opened.OnOpenDocument(wxString::FromUTF8(file))) << TestSupport::LogAsText();
        const auto settings = CurrentQNodeSettings(plugin);
        ASSERT_TRUE(settings);
        const VantrelSDK::VTSdkDiscreteKeySettings& used =
            plugin->GetSdkBaseInputPtr()->GetConstReferenceToKeypressKeyreleaseSettings();
        EXPECT_FALSE(used.RespondsToPressesOnly());
        EXPECT_TRUE(used.AcceptsOnlyDefinedResponses());
        EXPECT_EQ(settings->modelID, 3007);
        EXPECT_EQ(settings->portConfig.portName, "/dev/ttyQNODE9");
        EXPECT_EQ(settings->portConfig.configValue, 115200u);
        return;
    }

    const auto settings = CurrentQNodeSettings(plugin);
    ASSERT_TRUE(settings);
    settings->keySettings.SetRespondToPressesOnly(false);
    settings->keySettings.SetAcceptOnlyDefinedResponses(true);
    settings->modelID = 3007;
    settings->portConfig.portName = "/dev/ttyQNODE9";
    settings->portConfig.configValue = 115200;
    const std::string file = TestSupport::MakeTempFolder("qnode-settings") + "/with-qnode.vt6";
    {
        Vantrel::VTExperiment experiment;
        experiment.LoadInputPluginByID(2103);
        ASSERT_TRUE(experiment.OnSaveDocument(wxString::FromUTF8(file))) << TestSupport::LogAsText();
        ASSERT_EQ(experiment.GetInputPlugInSettings().count(2103), 1u);
    }
    // Back to the defaults here, so only the file can carry the settings over.
    plugin->GetSdkBasePtr()->SettingsManager().ApplySettingsSuiteToCurrentPluginState(
        plugin->GetSdkBasePtr()->SettingsManager().CreateSettingsSuite());

    const std::string command =
        std::string(kChildExperiment) + "='" + file + "' /proc/" + std::to_string(::getpid()) +
        "/exe --gtest_filter=" + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "." +
        ::testing::UnitTest::GetInstance()->current_test_info()->name() + " 2>&1";
    FILE* child = ::popen(command.c_str(), "r");
    ASSERT_TRUE(child);
    std::string output;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, child)) output += buffer;
    const int status = ::pclose(child);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

TEST_F(QNodeLibrary, AnExperimentNamingNoInputDeviceRunsOnTheKeyboardWithoutAQNode)
{
    ASSERT_TRUE(plugin);
    EnvPath env("/dev/ttyUSB-absent");
    Fixture::TwoBlocks f(-1);
    ASSERT_TRUE(f.experiment.GetInputPlugInIDsInUse().empty());
    Vantrel::VTResponse* space = Fixture::KeyResponse(f.experiment, "Space", WXK_SPACE);
    f.experiment.GetRunOptions().SetGroupID(int(f.mainOnly->GetID()));
    f.experiment.GetRunOptions().SetSaveCollectedDataFlag(false, "");
    Vantrel::VTTrial* m1 = f.main->GetUsedTrial(0);
    for (unsigned e = 0; e < 2; ++e) {
        Vantrel::VTEvent* event = m1->GetUsedEvent(e);
        event->GetUsedResponses().AddChildElement(space);
        event->SetResponseType(2, -1, 2);
        event->AcceptInputSettingsForEditor(true, true, 0, e == 0 ? 5000 : 50, -1);
        event->AcceptEndEventSettings(false, true, false, true);
    }
    Vantrel::VTCompiledExperiment compiled({});
    ASSERT_NE(f.experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);

    RunDriver driver;
    driver.FocusPresentation();
    driver.Then(200, [] { wxUIActionSimulator().Char(WXK_SPACE); });
    driver.Begin();
    EXPECT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
    driver.Stop();
    EXPECT_FALSE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_FALSE(TestSupport::LogContains("q-node", wxLOG_Error)) << TestSupport::LogAsText();
    const auto& rows = compiled.GetLastReport().rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].response, "Space");
}

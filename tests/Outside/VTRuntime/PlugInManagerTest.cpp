// The plug-in manager over real shared libraries in a plug-in folder.

#include <gtest/gtest.h>

#include <wx/config.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "TestPlugInAccess.h"
#include "TestSupport.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTPlugIn.h"

#include <VTCore/RuntimeHooks.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <NonPersistentHelpers/VTElementsList.h>

using Vantrel::VTPlugIn;

namespace {

wxString CopyInto(const wxString& folder, const wxString& source, const wxString& name)
{
    const wxString target = wxFileName(folder, name).GetFullPath();
    EXPECT_TRUE(wxCopyFile(source, target)) << source;
    return target;
}

struct RecordingProgress : Vantrel::IPlugInLoadProgressDisplay
{
    std::vector<wxString> texts;
    void ShowText(const wxString& text) override { texts.push_back(text); }
};

class PlugInManager : public ::testing::Test
{
protected:
    void TearDown() override { VTPlugIn::DeleteAllObjects(); }
};

}  // namespace

TEST_F(PlugInManager, LoadsTheTestPlugInAndReportsEveryOtherFileByNameAndReason)
{
    const wxString folder = TestSupport::MakeTempFolder("plugins");
    CopyInto(folder, VT_TEST_INPUT_PLUGIN_PATH, "libTestInput.so");
    CopyInto(folder, VT_TEST_NO_ENTRY_PLUGIN_PATH, "libNoEntry.so");
    CopyInto(folder, VT_TEST_WRONG_KIND_PLUGIN_PATH, "libWrongKind.so");
    wxFFile(wxFileName(folder, "readme.txt").GetFullPath(), "w").Write("not a library\n");
    wxFFile(wxFileName(folder, "libTestInput.xrc").GetFullPath(), "w").Write("<resource/>\n");

    RecordingProgress progress;
    TestSupport::ClearLog();
    EXPECT_FALSE(VTPlugIn::LocateAllInFolder(folder, &progress));

    std::vector<VTPlugIn*> inputs;
    ASSERT_EQ(VTPlugIn::GetPlugInsList(inputs, VantrelSDK::VT_PLUGIN_KIND_INPUT), 1u);
    EXPECT_EQ(inputs[0]->GetPlugInID(), VTTEST_INPUT_PLUGIN_ID);
    EXPECT_EQ(inputs[0]->GetName(), "Test Input");
    EXPECT_NE(inputs[0]->GetSdkBaseInputPtr(), nullptr);
    EXPECT_EQ(inputs[0]->GetSdkBaseEventPtr(), nullptr);
    std::vector<VTPlugIn*> events;
    EXPECT_EQ(VTPlugIn::GetPlugInsList(events, VantrelSDK::VT_PLUGIN_KIND_EVENT), 0u);

    // The layout file beside a library is a resource, not a failed library.
    const auto& failures = VTPlugIn::GetLoadFailures();
    ASSERT_EQ(failures.size(), 3u) << TestSupport::LogAsText();
    struct Expected
    {
        const char* file;
        const char* reason;
    } expected[] = {{"libNoEntry.so", "no entry point"},
                    {"libWrongKind.so", "not a plug-in of a known kind"},
                    {"readme.txt", "not a loadable library"}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(wxFileName(failures[i].path).GetFullName(), expected[i].file);
        EXPECT_NE(failures[i].reason.Find(expected[i].reason), wxNOT_FOUND) << failures[i].reason;
        EXPECT_TRUE(TestSupport::LogContains(expected[i].file, wxLOG_Error + 0)) << TestSupport::LogAsText();
    }
    // One progress text per file tried, naming it.
    ASSERT_EQ(progress.texts.size(), 4u);
    EXPECT_NE(progress.texts[0].Find("libNoEntry.so"), wxNOT_FOUND);
}

TEST_F(PlugInManager, SameObjectOnEveryLoadAndLookUpById)
{
    const wxString folder = TestSupport::MakeTempFolder("plugins");
    CopyInto(folder, VT_TEST_INPUT_PLUGIN_PATH, "libTestInput.so");
    ASSERT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr)) << TestSupport::LogAsText();
    VTPlugIn* first = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(VTTEST_INPUT_PLUGIN_ID);
    ASSERT_NE(first, nullptr);
    VantrelSDK::VTSdkBase* object = first->GetSdkBasePtr();
    ASSERT_NE(object->GetPlugInInfoObject(), nullptr);
    EXPECT_EQ(object->GetPlugInInfoObject()->libraryPath, first->GetLibraryPath());
    EXPECT_EQ(VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(12345), nullptr);
    EXPECT_EQ(VTPlugIn::GetPlugInID(first), VTTEST_INPUT_PLUGIN_ID);
    EXPECT_EQ(VTPlugIn::GetPlugInID(nullptr), -1);

    // Locating again finds the same library object, and the manager never deleted it.
    ASSERT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr));
    VTPlugIn* second = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(VTTEST_INPUT_PLUGIN_ID);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetSdkBasePtr(), object);

    int defaults = 0;
    second->GetSdkBaseInputPtr()->CreateDefaultResponses([&](wxString name, VantrelSDK::VTSdkBaseResponse* r) {
        ++defaults;
        EXPECT_TRUE(name.StartsWith("Button "));
        delete r;
    });
    EXPECT_EQ(defaults, 4);
}

TEST_F(PlugInManager, EnvironmentVariableChoosesTheFolderAndAnEmptyFolderIsNoFailure)
{
    const wxString folder = TestSupport::MakeTempFolder("plugins");
    wxSetEnv("VANTREL_PLUGIN_DIR", folder);
    EXPECT_TRUE(VTPlugIn::LocateAll(nullptr));
    std::vector<VTPlugIn*> inputs;
    EXPECT_EQ(VTPlugIn::GetPlugInsList(inputs, VantrelSDK::VT_PLUGIN_KIND_INPUT), 0u);

    CopyInto(folder, VT_TEST_INPUT_PLUGIN_PATH, "libTestInput.so");
    EXPECT_TRUE(VTPlugIn::LocateAll(nullptr));
    EXPECT_EQ(VTPlugIn::GetPlugInsList(inputs, VantrelSDK::VT_PLUGIN_KIND_INPUT), 1u);
    wxUnsetEnv("VANTREL_PLUGIN_DIR");
}

TEST_F(PlugInManager, DetectionAndResponseDeliveryThroughTheLoadedLibrary)
{
    const wxString folder = TestSupport::MakeTempFolder("plugins");
    CopyInto(folder, VT_TEST_INPUT_PLUGIN_PATH, "libTestInput.so");
    ASSERT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr));
    VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(VTTEST_INPUT_PLUGIN_ID);
    ASSERT_NE(plugin, nullptr);
    TestPlugInAccess access;
    ASSERT_TRUE(access.Attach(std::string(plugin->GetLibraryPath().fn_str())));
    access.reset();

    VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr();
    VantrelSDK::InputDetectedFunctionPtr detect = input->GetIsInputDetectedFunctionPtr();
    ASSERT_NE(detect, nullptr);
    VantrelSDK::RAII_InputDetectionForCyclingOverAllDevices detection(nullptr);
    EXPECT_FALSE(detect(&detection));

    const unsigned long long now = Vantrel::VTTimer::GetTimer().GetAbsoluteMicroseconds();
    access.schedule(2, 1, 0, now);      // a release: dropped, presses only by default
    access.schedule(3, 1, 1, now + 1);  // a press
    EXPECT_FALSE(detect(&detection));
    ASSERT_TRUE(detect(&detection));
    unsigned long long time = 0;
    auto response = input->OnGetCompleteResponse(time, nullptr);
    auto* key = dynamic_cast<VantrelSDK::VTSdkDiscreteKeyResp*>(response.get());
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->GetKeyNumber(), 3);
    EXPECT_EQ(key->GetPortNumber(), 1);
    EXPECT_EQ(key->GetResponseType(), 1);
    EXPECT_FALSE(input->CheckIfResponseIsDefined(key));
    EXPECT_EQ(access.count(4), 1u);
}

TEST_F(PlugInManager, UsedPlugInsAreWrittenAsCommaSeparatedIds)
{
    wxConfig config("PlugInManagerTest", "", TestSupport::MakeTempFolder("cfg") + "/test.ini", "",
                    wxCONFIG_USE_LOCAL_FILE);
    config.SetPath("/Somewhere");
    VTPlugIn::WriteUsedPluginsToConfig(&config, {2103, 9901});
    EXPECT_EQ(config.GetPath(), "/Somewhere");
    EXPECT_EQ(config.Read("/most_recent_input_set", ""), "2103,9901");
    VTPlugIn::WriteUsedPluginsToConfig(&config, {});
    EXPECT_EQ(config.Read("/most_recent_input_set", "x"), "");
}

TEST_F(PlugInManager, DefaultResponsesBecomeResponsesOfTheExperiment)
{
    const wxString folder = TestSupport::MakeTempFolder("plugins");
    CopyInto(folder, VT_TEST_INPUT_PLUGIN_PATH, "libTestInput.so");
    ASSERT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr));
    Vantrel::RegisterRuntimeWithCore();
    Vantrel::VTExperiment experiment;
    VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(VTTEST_INPUT_PLUGIN_ID);
    ASSERT_EQ(Vantrel::GetRuntimeForCore()->CreateDefaultResponses(plugin, experiment), 4u);
    Vantrel::VTElementsList& responses = experiment.GetElementsOfType(Vantrel::ElementType::Response);
    ASSERT_EQ(responses.Size(), 4u);
    for (int i = 0; i < 4; ++i) {
        auto* r = dynamic_cast<Vantrel::VTResponse*>(responses[size_t(i)]);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->GetName(), wxString::Format("Button %d", i + 1));
        EXPECT_EQ(r->GetPlugInID(), VTTEST_INPUT_PLUGIN_ID);
        EXPECT_EQ(r->GetKeyCode(), i);
        EXPECT_EQ(r->GetPortNumber(), 1);
        EXPECT_EQ(r->GetPhase(), 1);
    }
    EXPECT_EQ(Vantrel::GetRuntimeForCore()->CreateDefaultResponses(nullptr, experiment), 0u);
}

#include "QNodeTestHelpers.h"

#include "QNodeGUILogic.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VantrelSDK;

TEST(QNodePlugInObject, AnswersAsTheQNodePlugIn)
{
    VTSdkBase* object = VTSdkGetObjectPtr();
    ASSERT_EQ(object, VTSdkGetObjectPtr());
    auto* input = dynamic_cast<VTSdkInputPlugin*>(object);
    ASSERT_TRUE(input);
    EXPECT_EQ(2103, input->GetPlugInID());
    wxString text;
    EXPECT_TRUE(input->GetString(5001, text));
    EXPECT_EQ("q-node Input", text);
    input->GetShortString(text);
    EXPECT_EQ("q-node Input", text);
    EXPECT_FALSE(input->PluginHasBeenConvertedTo_NON_xrc());
    EXPECT_FALSE(input->FactoryFunction_GetNewEventPluginConfigPanel(nullptr));
    EXPECT_FALSE(input->AttachInputPluginSplashPanel(nullptr));
    EXPECT_FALSE(input->StringInputWantsToStealTheMouseNow());
    EXPECT_FALSE(input->ThisIsBrevolaInput());
    EXPECT_EQ(&VTSdkQpxInput::IsResponsePadInputFound, input->GetIsInputDetectedFunctionPtr());
    EXPECT_EQ(&QNodeTest::PlugIn().GetQpxSettings()->keySettings,
              &input->GetConstReferenceToKeypressKeyreleaseSettings());
    EXPECT_EQ(VTSdkQpxInput::ms_Self, input);
    EXPECT_TRUE(QNodeTest::PlugIn().GetHwDevicePtr());
}

TEST(QNodePlugInObject, DefaultResponsesAreTheEightLinesOnPortThree)
{
    std::vector<std::pair<wxString, std::unique_ptr<VTSdkBaseResponse>>> added;
    QNodeTest::PlugIn().CreateDefaultResponses([&](wxString name, VTSdkBaseResponse* response) {
        added.emplace_back(name, std::unique_ptr<VTSdkBaseResponse>(response));
    });
    ASSERT_EQ(8u, added.size());
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(wxString::Format("Line %d", i + 1), added[i].first);
        auto* key = dynamic_cast<VTSdkDiscreteKeyResp*>(added[i].second.get());
        ASSERT_TRUE(key);
        EXPECT_EQ(i, key->GetKeyNumber());
        EXPECT_EQ(3, key->GetPortNumber());
        EXPECT_EQ(1, key->GetResponseType());
        EXPECT_FALSE(key->IsPluginStatic());
    }
}

TEST(QNodePlugInObject, WindowHelpersAreNewAndCarryTheLibraryPath)
{
    VTPlugInInfoObject info;
    info.libraryPath = "/opt/plugins/in-qnode Input.so";
    auto& plugin = QNodeTest::PlugIn();
    VTPlugInInfoObject* before = plugin.GetPlugInInfoObject();
    plugin.SetPlugInInfoObject(&info);
    auto a = plugin.GetParticipantInputWindowHelper();
    auto b = plugin.GetEditResponseWindowHelper();
    plugin.SetPlugInInfoObject(before);
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_TRUE(dynamic_cast<QNodeGUILogic*>(a.get()));
    EXPECT_TRUE(dynamic_cast<QNodeGUILogic*>(b.get()));
    EXPECT_NE(static_cast<void*>(dynamic_cast<QNodeGUILogic*>(a.get())),
              static_cast<void*>(dynamic_cast<QNodeGUILogic*>(b.get())));
}

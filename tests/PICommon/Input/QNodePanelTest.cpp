// The q-node's settings panel and response widgets, built from the plug-in's own
// layouts on a real window, driven by real clicks.
#include "QNodeTestHelpers.h"

#include "QNodeGUILogic.h"
#include "VTQNodeInputHandler.h"

#include "UserInterface/OrbiskChoiceBookWithHiddenCtrl.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/choicebk.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "TestSupport.h"

using namespace VantrelSDK;
using Orbisk::Testing::SimulatedQNode;

namespace {

class QNodePanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QNodeTest::ForgetDevices();
        QNodeTest::ApplySettings([](VTSdkQpxInputSettings&) {});
        m_resources.InitAllHandlers();
        ASSERT_TRUE(m_resources.Load(TestSupport::SourceDir() + "/PICommon/Input/resources/qnode-input.xrc"));
        m_frame = new wxFrame(nullptr, wxID_ANY, "q-node", wxPoint(40, 40), wxSize(640, 520));
        m_frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        m_frame->Show();
    }
    void TearDown() override
    {
        if (m_frame) m_frame->Destroy();
        TestSupport::PumpFor(20);
        QNodeTest::ForgetDevices();
    }

    wxPanel* LoadPanel(const char* name)
    {
        wxPanel* panel = m_resources.LoadPanel(m_frame, name);
        if (panel) {
            m_frame->GetSizer()->Add(panel, 1, wxEXPAND);
            m_frame->Layout();
        }
        return panel;
    }

    wxPanel* ConfiguredSettingsPanel()
    {
        wxPanel* panel = LoadPanel("plugin_config_panel");
        if (panel)
            QNodeTest::PlugIn().GetParticipantInputWindowHelper()->ConfigureWindowUsingCurrentPluginState(*panel, true);
        TestSupport::PumpFor(20);
        return panel;
    }

    template <class T>
    static T* Find(wxWindow* panel, const char* name)
    {
        return wxDynamicCast(panel->FindWindow(XRCID(name)), T);
    }

    static int Page(wxWindow* panel) { return Find<wxChoicebook>(panel, "hidden_choicebook_st2")->GetSelection(); }

    static int HandlersOn(wxWindow* panel)
    {
        int n = 0;
        for (wxEvtHandler* h = panel->GetEventHandler(); h && h != panel; h = h->GetNextHandler())
            n += dynamic_cast<VTQNodeInputHandler*>(h) != nullptr;
        return n;
    }

    wxXmlResource m_resources;
    wxFrame* m_frame = nullptr;
};

}  // namespace

TEST_F(QNodePanel, TheLayoutHasEveryNamedControlAndStartsOnTheFirstPage)
{
    wxPanel* panel = ConfiguredSettingsPanel();
    ASSERT_TRUE(panel);
    auto* book =
        dynamic_cast<Orbisk::OrbiskChoiceBookWithHiddenCtrl*>(panel->FindWindow(XRCID("hidden_choicebook_st2")));
    ASSERT_TRUE(book);
    EXPECT_EQ(6u, book->GetPageCount());
    EXPECT_EQ(5, book->GetSelection());
    EXPECT_TRUE(Find<wxButton>(panel, "btn_auto_detect"));
    for (const char* name : {"text_searching", "text_actual_model", "text_firmware", "st_1st_gen_warning"})
        EXPECT_TRUE(Find<wxStaticText>(panel, name)) << name;
    ASSERT_TRUE(panel->FindWindow(XRCID("id_audit_sizer")));
    ASSERT_TRUE(Find<wxCheckBox>(panel, "check_save_audit_data"));
    EXPECT_FALSE(panel->FindWindow(XRCID("id_audit_sizer"))->IsShown());
    EXPECT_FALSE(Find<wxCheckBox>(panel, "check_save_audit_data")->IsShown());
    EXPECT_FALSE(Find<wxStaticText>(panel, "st_1st_gen_warning")->IsShown());
    EXPECT_FALSE(Find<wxStaticText>(panel, "text_searching")->IsShown());
    // The book's own page selector is not there for the user.
    EXPECT_FALSE(book->GetChoiceCtrl() && book->GetChoiceCtrl()->IsShownOnScreen() &&
                 book->GetChoiceCtrl()->GetSize().GetWidth() > 0);

    wxPanel* responses = LoadPanel("plugin_response_panel");
    ASSERT_TRUE(responses);
    EXPECT_EQ(9u, Find<wxChoice>(responses, "choice_button")->GetCount());
    EXPECT_EQ(2u, Find<wxChoice>(responses, "choice_resp_type")->GetCount());
}

TEST_F(QNodePanel, AutoDetectShowsTheModelAndFirmwareByTheFirmwareRule)
{
    const struct
    {
        char model;
        int major;
        int minor;
        int page;
        const char* firmware;  // null: the texts are left alone
        bool warning;
    } table[] = {
        {'1', 2, 21, 1, "2.2.1", false}, {'2', 2, 30, 2, "2.3.0", false}, {'4', 2, 21, 3, "2.2.1", false},
        {'7', 2, 45, 1, "2.4.5", false}, {'4', 0, 5, 5, "0.5", true},     {'1', 0, 12, 5, "0.12", true},
        {'2', 2, 20, 4, nullptr, false}, {'1', 1, 40, 4, nullptr, false}, {'4', 3, 0, 4, nullptr, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(std::string(1, row.model) + " " + std::to_string(row.major) + "." + std::to_string(row.minor));
        QNodeTest::ForgetDevices();
        QNodeTest::ApplySettings([](VTSdkQpxInputSettings&) {});
        SimulatedQNode sim(QNodeTest::Identity(5103, row.model, row.major, row.minor, "Lab q-node"));
        QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
        wxPanel* panel = ConfiguredSettingsPanel();
        ASSERT_TRUE(panel);
        TestSupport::ClickWindow(Find<wxButton>(panel, "btn_auto_detect"));
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return sim.IdentifyRequests() > 0 && Page(panel) != 5; }, 8000) ||
                    row.page == 5);
        TestSupport::PumpFor(30);
        EXPECT_EQ(row.page, Page(panel));
        EXPECT_EQ(5103, QNodeTest::PlugIn().GetQpxSettings()->modelID);
        EXPECT_EQ(row.warning, Find<wxStaticText>(panel, "st_1st_gen_warning")->IsShown());
        EXPECT_FALSE(Find<wxStaticText>(panel, "text_searching")->IsShown());
        if (row.firmware) {
            EXPECT_EQ("Lab q-node", Find<wxStaticText>(panel, "text_actual_model")->GetLabel());
            EXPECT_EQ(row.firmware, Find<wxStaticText>(panel, "text_firmware")->GetLabel());
        } else {
            EXPECT_EQ("-", Find<wxStaticText>(panel, "text_firmware")->GetLabel());
        }
        panel->Destroy();
        m_frame->Layout();
    }
}

TEST_F(QNodePanel, FailedAutoDetectStaysOnTheSearchPageAndKeepsTheModel)
{
    QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) { s.modelID = 5122; });
    QNodeTest::ScopedQpxDevicePaths env({"/dev/ttyUSB-absent"});
    wxPanel* panel = ConfiguredSettingsPanel();
    ASSERT_TRUE(panel);
    EXPECT_EQ(5, Page(panel));
    TestSupport::ClickWindow(Find<wxButton>(panel, "btn_auto_detect"));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return Page(panel) == 0; }, 8000));
    EXPECT_EQ(5122, QNodeTest::PlugIn().GetQpxSettings()->modelID);
    EXPECT_FALSE(Find<wxStaticText>(panel, "text_searching")->IsShown());
}

TEST_F(QNodePanel, AStoredModelThatIsConnectedShowsAtOnce)
{
    SimulatedQNode sim(QNodeTest::Identity(5122, '4', 2, 21, "q-node 4"));
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) { s.modelID = 5122; });
    wxPanel* panel = ConfiguredSettingsPanel();
    ASSERT_TRUE(panel);
    EXPECT_EQ(3, Page(panel));
    EXPECT_EQ("2.2.1", Find<wxStaticText>(panel, "text_firmware")->GetLabel());
}

TEST_F(QNodePanel, ConfiguringTwiceKeepsOneHandlerAndItLeavesWithThePanel)
{
    SimulatedQNode sim(QNodeTest::Identity(5071, '1', 2, 21, "q-node 1"));
    QNodeTest::ScopedQpxDevicePaths env({sim.DevicePath()});
    wxPanel* panel = ConfiguredSettingsPanel();
    ASSERT_TRUE(panel);
    auto helper = QNodeTest::PlugIn().GetParticipantInputWindowHelper();
    helper->ConfigureWindowUsingCurrentPluginState(*panel, true);
    EXPECT_EQ(1, HandlersOn(panel));
    // One click, one detection.
    TestSupport::ClickWindow(Find<wxButton>(panel, "btn_auto_detect"));
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return Page(panel) == 1; }, 8000));
    EXPECT_EQ(1, sim.IdentifyRequests());
    // Configured once more, the panel shows the stored model again through the same handler.
    helper->ConfigureWindowUsingCurrentPluginState(*panel, true);
    EXPECT_EQ(1, HandlersOn(panel));
    EXPECT_EQ(1, Page(panel));
    // Destroying the panel takes the handler off first (wx would assert otherwise).
    panel->Destroy();
    TestSupport::PumpFor(50);
}

TEST_F(QNodePanel, SettingsPanelCopiesTheKeySettingsBothWays)
{
    QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) {
        s.keySettings.SetRespondToPressesOnly(false);
        s.keySettings.SetAcceptOnlyDefinedResponses(true);
    });
    wxPanel* panel = ConfiguredSettingsPanel();
    ASSERT_TRUE(panel);
    auto* pressesOnly = Find<wxCheckBox>(panel, "check_presses_only");
    auto* onlyDefined = Find<wxCheckBox>(panel, "check_only_defined_responses");
    EXPECT_FALSE(pressesOnly->GetValue());
    EXPECT_TRUE(onlyDefined->GetValue());
    TestSupport::ClickWindow(pressesOnly);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return pressesOnly->GetValue(); }, 8000));
    auto helper = QNodeTest::PlugIn().GetParticipantInputWindowHelper();
    EXPECT_TRUE(helper->ApplyWindowValuesToInputPlugin(*panel));
    EXPECT_TRUE(QNodeTest::PlugIn().GetQpxSettings()->keySettings.RespondsToPressesOnly());
    EXPECT_TRUE(QNodeTest::PlugIn().GetQpxSettings()->keySettings.AcceptsOnlyDefinedResponses());

    helper->ConfigureWindowUsingCurrentPluginState(*panel, false);
    EXPECT_FALSE(Find<wxButton>(panel, "btn_auto_detect")->IsEnabled());
    EXPECT_EQ(1, HandlersOn(panel));
}

TEST_F(QNodePanel, AResponseRoundTripsThroughTheResponseWidgets)
{
    wxPanel* panel = LoadPanel("plugin_response_panel");
    ASSERT_TRUE(panel);
    auto helper = QNodeTest::PlugIn().GetEditResponseWindowHelper();
    auto* line = Find<wxChoice>(panel, "choice_button");
    auto* type = Find<wxChoice>(panel, "choice_resp_type");
    for (int key = 0; key < 8; ++key) {
        for (int responseType : {1, 2}) {
            SCOPED_TRACE(std::to_string(key) + "/" + std::to_string(responseType));
            VTSdkDiscreteKeyResp shown(false);
            shown.SetKeyNumber(key);
            shown.SetPortNumber(3);
            shown.SetResponseType(responseType);
            helper->ConfigureWindowUsingCurrentResponseState(*panel, shown);
            EXPECT_EQ(key + 1, line->GetSelection());
            EXPECT_EQ(wxString::Format("Line %d", key + 1), line->GetStringSelection());
            EXPECT_EQ(responseType - 1, type->GetSelection());
            VTSdkDiscreteKeyResp read(false);
            EXPECT_TRUE(helper->ApplyWindowValuesToResponseObject(*panel, read));
            EXPECT_EQ(key, read.GetKeyNumber());
            EXPECT_EQ(3, read.GetPortNumber());
            EXPECT_EQ(responseType, read.GetResponseType());
        }
    }

    // The user's choice of line and phase reaches the response.
    line->SetSelection(5);
    type->SetSelection(1);
    VTSdkDiscreteKeyResp picked(false);
    helper->ApplyWindowValuesToResponseObject(*panel, picked);
    EXPECT_EQ(4, picked.GetKeyNumber());
    EXPECT_EQ(3, picked.GetPortNumber());
    EXPECT_EQ(2, picked.GetResponseType());

    // A response that is not on a q-node line shows no line and is not turned into one.
    VTSdkDiscreteKeyResp foreign(false);
    foreign.SetKeyNumber(2);
    foreign.SetPortNumber(1);
    helper->ConfigureWindowUsingCurrentResponseState(*panel, foreign);
    EXPECT_EQ(0, line->GetSelection());
    EXPECT_TRUE(helper->ApplyWindowValuesToResponseObject(*panel, foreign));
    EXPECT_EQ(2, foreign.GetKeyNumber());
    EXPECT_EQ(1, foreign.GetPortNumber());
}

TEST(QNodeFirmware, TextAndSupportFollowTheRule)
{
    const struct
    {
        int major, minor;
        const char* text;
        bool supported;
    } table[] = {{0, 5, "0.5", true},    {0, 30, "0.30", true},  {1, 21, "1.21", false}, {2, 20, "2.2.0", false},
                 {2, 21, "2.2.1", true}, {2, 99, "2.9.9", true}, {3, 21, "3.2.1", false}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.text, VTQNodeInputHandler::FormatFirmware(row.major, row.minor));
        EXPECT_EQ(row.supported, VTQNodeInputHandler::IsSupportedFirmware(row.major, row.minor));
    }
}

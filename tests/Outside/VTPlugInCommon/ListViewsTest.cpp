// The shared list views on real windows.

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/file.h>
#include <wx/imaglist.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>
#include <wx/xrc/xh_panel.h>
#include <wx/xrc/xmlres.h>

#include "TestSupport.h"
#include "VTPlugInCommon/GeneralHelpers.h"
#include "VTPlugInCommon/VTListViews.h"
#include "VTPlugInCommon/VTSdkSettings.h"
#include "VTPlugInCommon/VTSdkWindowHelpers.h"

using namespace Vantrel;

namespace {

class ListViews : public ::testing::Test
{
protected:
    void SetUp() override { frame = new wxFrame(nullptr, wxID_ANY, "Lists", wxPoint(50, 50), wxSize(400, 300)); }
    void TearDown() override { frame->Destroy(); }
    wxFrame* frame;
};

// Swallows left clicks, as an editor's pushed handler may.
struct Swallow : wxEvtHandler
{
    int seen = 0;
    Swallow()
    {
        Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { ++seen; });
    }
};

}  // namespace

TEST_F(ListViews, SelectionRowDataAndMovingThroughRows)
{
    auto* list = new VTSimpleListView(frame);
    list->InitColumns();
    EXPECT_EQ(list->GetSelection(), -1);
    EXPECT_EQ(list->SelectNextItem(), -1);
    const unsigned long long big = 0x8000000100000002ULL;
    list->AppendWithData("one", big);
    list->Append("two");
    list->Append("three");
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetUserData(0), big);
    EXPECT_EQ(list->GetUserData(1), 0u);
    list->SetUserData(2, 77);
    EXPECT_EQ(list->GetUserData(2), 77u);

    list->SetSelection(1);
    EXPECT_EQ(list->GetSelection(), 1);
    EXPECT_EQ(list->SelectNextItem(), 2);
    EXPECT_EQ(list->SelectNextItem(), 2);  // stays on the last row
    EXPECT_EQ(list->SelectPreviousItem(), 1);
    EXPECT_EQ(list->SelectPreviousItem(), 0);
    EXPECT_EQ(list->SelectPreviousItem(), 0);
    wxArrayInt rows;
    EXPECT_EQ(list->GetSelections(rows), 1);
    list->SetItemTextAt(0, "first");
    EXPECT_EQ(list->GetItemText(0), "first");
    list->SetSelection(-1);
    EXPECT_EQ(list->GetSelection(), -1);

    list->RequireSelection(true);
    EXPECT_EQ(list->GetSelection(), 0);
    list->SetItemState(0, 0, wxLIST_STATE_SELECTED);  // the user deselects
    TestSupport::PumpFor(50);
    EXPECT_EQ(list->GetSelection(), 0);
    list->Clear();
    EXPECT_EQ(list->GetCount(), 0);
}

TEST_F(ListViews, ClickOnTheCheckIconTogglesItUnlessAPushedHandlerTakesTheClick)
{
    auto* list = new VTListCtrlCheckableSimple(frame);
    frame->SetSizer(new wxBoxSizer(wxVERTICAL));
    frame->GetSizer()->Add(list, 1, wxEXPAND);
    list->InitColumns();
    ASSERT_EQ(list->GetImageList(wxIMAGE_LIST_SMALL)->GetImageCount(), 4);
    for (const char* name : {"A", "B", "C"}) list->Append(name);
    list->Check(2, true);
    EXPECT_TRUE(list->IsChecked(2));
    EXPECT_FALSE(list->IsChecked(1));
    std::vector<std::pair<long, bool>> seen;
    list->SetLeftClickObservers([&](long row, bool checked) { seen.push_back({row, checked}); }, {});
    frame->Show();
    frame->Layout();
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return list->IsShownOnScreen(); }));
    TestSupport::PumpFor(100);

    wxRect icon;
    ASSERT_TRUE(list->GetItemRect(1, icon, wxLIST_RECT_ICON));
    // In report view the check icon is the row's first 16 pixels.
    const wxPoint screen = list->ClientToScreen(wxPoint(icon.x + 9, icon.y + icon.height / 2));
    wxUIActionSimulator sim;
    sim.MouseMove(screen);
    TestSupport::PumpFor(50);
    sim.MouseClick();
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return !seen.empty(); }, 3000));
    EXPECT_EQ(seen[0], std::make_pair(1L, true));
    EXPECT_TRUE(list->IsChecked(1));

    Swallow swallow;
    list->PushEventHandler(&swallow);
    TestSupport::PumpFor(700);  // not a double click
    sim.MouseClick();
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return swallow.seen > 0; }, 3000));
    TestSupport::PumpFor(100);
    EXPECT_TRUE(list->IsChecked(1));  // the editor's handler took the click
    EXPECT_EQ(seen.size(), 1u);
    list->PopEventHandler();
}

TEST_F(ListViews, XrcMakesTheListClassesByName)
{
    wxXmlResource resource;
    resource.AddHandler(new wxPanelXmlHandler);
    resource.AddHandler(new VTListViewXmlHandler);
    const wxString folder = TestSupport::MakeTempFolder("xrc");
    const wxString path = folder + "/lists.xrc";
    wxFile(path, wxFile::write)
        .Write("<?xml version=\"1.0\"?><resource xmlns=\"http://www.wxwidgets.org/wxxrc\" version=\"2.5.3.0\">"
               "<object class=\"wxPanel\" name=\"panel\">"
               "<object class=\"Vantrel::VTListCtrlCheckableSimple\" name=\"checks\"/>"
               "<object class=\"VTSimpleListView\" name=\"plain\"/>"
               "</object></resource>");
    ASSERT_TRUE(resource.Load(path));
    wxPanel* panel = resource.LoadPanel(frame, "panel");
    ASSERT_NE(panel, nullptr);
    auto* checks = wxDynamicCast(panel->FindWindow("checks"), VTListCtrlCheckableSimple);
    ASSERT_NE(checks, nullptr);
    EXPECT_EQ(checks->GetImageList(wxIMAGE_LIST_SMALL)->GetImageCount(), 4);
    EXPECT_NE(wxDynamicCast(panel->FindWindow("plain"), VTSimpleListView), nullptr);
}

TEST_F(ListViews, KeyPressControlsCarryTheSettingsBothWays)
{
    auto* panel = new wxPanel(frame);
    auto* presses = new wxCheckBox(panel, wxID_ANY, "Presses only", wxDefaultPosition, wxDefaultSize, 0,
                                   wxDefaultValidator, "check_presses_only");
    auto* defined = new wxCheckBox(panel, wxID_ANY, "Defined only", wxDefaultPosition, wxDefaultSize, 0,
                                   wxDefaultValidator, "check_only_defined_responses");
    VantrelSDK::VTSdkDiscreteKeySettings settings;
    settings.SetAcceptOnlyDefinedResponses(true);
    VantrelSDK::DiscreteKeySettingsProcessing::SetWaitForKeyPressControlValues(*panel, settings);
    EXPECT_TRUE(presses->GetValue());
    EXPECT_TRUE(defined->GetValue());
    presses->SetValue(false);
    VantrelSDK::VTSdkDiscreteKeySettings back;
    EXPECT_TRUE(VantrelSDK::DiscreteKeySettingsProcessing::MutateSettingsToApplyWaitForKeyPressValues(*panel, back));
    EXPECT_FALSE(back.RespondsToPressesOnly());
    EXPECT_TRUE(back.AcceptsOnlyDefinedResponses());
    VantrelSDK::InputGUIFunctions::EnableOrDisableInputPluginWindow(*panel, false);
    EXPECT_FALSE(presses->IsThisEnabled());
    EXPECT_FALSE(defined->IsThisEnabled());
}

TEST_F(ListViews, HelpersFindClientDataPopHandlersAndReadNumberArrays)
{
    auto* choice = new wxChoice(frame, wxID_ANY);
    choice->Append("a", reinterpret_cast<void*>(wxIntPtr(5)));
    choice->Append("b", reinterpret_cast<void*>(wxIntPtr(-3)));
    EXPECT_EQ(Orbisk::GuiHelpers::FindIndexByClientData(-3, choice), 1);
    EXPECT_EQ(Orbisk::GuiHelpers::FindIndexByClientData(9, choice), -1);
    auto* empty = new wxChoice(frame, wxID_ANY);
    EXPECT_EQ(Orbisk::GuiHelpers::FindIndexByClientData(0, empty), -1);

    auto* panel = new wxPanel(frame);
    panel->PushEventHandler(new wxEvtHandler);
    panel->PushEventHandler(new wxEvtHandler);
    Orbisk::GeneralAppHelpers::PopRemoveDeleteAllCustomEventHandlers(panel, true);
    EXPECT_EQ(panel->GetEventHandler(), panel);

    wxConfig config("HelpersTest", "", TestSupport::MakeTempFolder("cfg") + "/h.ini", "", wxCONFIG_USE_LOCAL_FILE);
    std::vector<double> values{1.0};
    Orbisk::GeneralAppHelpers::GetFloatArrayPreferenceValue(&config, "/", "most_recent_input_set", values);
    EXPECT_TRUE(values.empty());
    config.Write("/most_recent_input_set", "2103, 9901,2.5");
    config.SetPath("/Elsewhere");
    Orbisk::GeneralAppHelpers::GetFloatArrayPreferenceValue(&config, "/", "most_recent_input_set", values);
    EXPECT_EQ(values, std::vector<double>({2103, 9901, 2.5}));
    EXPECT_EQ(config.GetPath(), "/Elsewhere");
    config.Write("/most_recent_input_set", "1,x");
    Orbisk::GeneralAppHelpers::GetFloatArrayPreferenceValue(&config, "/", "most_recent_input_set", values);
    EXPECT_TRUE(values.empty());
}

// The response editors through their launcher, with real windows and real clicks:
// the on-screen editor for the mouse and the eye trackers, the resource-laid-out
// editor of an input plug-in with its helper, and what each writes back.

#include <gtest/gtest.h>

#include <wx/choice.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <GuiViewClasses/ResponseDialogs/GUIDialogOnScreenResponse.h>
#include <GuiViewClasses/ResponseDialogs/VTEditResponseDlg.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTPlugInCommon/VTListViews.h>
#include <VTPlugInCommon/VTPresenter.h>
#include <VTPlugInCommon/VTSdkInputPlugin.h>
#include <VTRuntime/VTCompiledExperiment.h>
#include <VTRuntime/VTPlugIn.h>

#include <functional>
#include <memory>

#include "EditorDriver.h"
#include "ScriptedDialog.h"
#include "TestSupport.h"

using Vantrel::VTResponse;

namespace {

// A presentation screen of a chosen size (0 by 0: none known).
class SizedPresenter : public VantrelSDK::VTPresenter
{
public:
    int GetScreenWidth() const override { return width; }
    int GetScreenHeight() const override { return height; }
    int width = 1920, height = 1080;
};

struct Shown
{
    wxString title;
    wxString action;
    int phaseIndex = -1;
    int region = -1;  // the radio that is on
    bool anywhereEnabled = true;
    int x = 0, y = 0, w = 0, h = 0;
    int xMin = 0, xMax = 0, yMin = 0, yMax = 0, wMax = 0, hMax = 0;
};

class ResponseEditors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorDriver::LoadProgramResources();
        Vantrel::RegisterRuntimeWithCore();
        TestSupport::ClearLog();
        previous = VantrelSDK::GetPresenter();
        VantrelSDK::InstallPresenter(&presenter);
        experiment = std::make_unique<Vantrel::VTExperiment>();
        host = new wxFrame(nullptr, wxID_ANY, "Responses", wxPoint(0, 0), wxSize(320, 240));
        list = new Vantrel::VTSimpleListView(host, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
        list->InitColumns();
        host->Show();
    }
    void TearDown() override
    {
        host->Destroy();
        TestSupport::PumpFor(50);
        experiment.reset();
        VantrelSDK::InstallPresenter(previous);
    }

    VTResponse* Add(const wxString& name, int plugin, int code, int phase, int region, int x = 0, int y = 0, int w = 0,
                    int h = 0)
    {
        auto* r = new VTResponse(experiment.get());
        r->SetName(name);
        r->SetPlugInID(plugin);
        r->SetKeyCode(code);
        r->SetPhase(phase);
        r->SetRegionMode(region);
        r->SetRegion(x, y, w, h);
        EXPECT_TRUE(experiment->GetElementsOfType(Vantrel::ElementType::Response).AddElement(r, -1));
        list->AppendWithData(r->GetName(), reinterpret_cast<wxUIntPtr>(r));
        return r;
    }

    // Opens the editor the launcher chooses for `plugin` on the selected row (or a new
    // response), runs `script` in it, and returns the launcher's answer.
    bool Launch(int plugin, bool isNew, std::function<void(wxDialog&)> script,
                boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> helper = {})
    {
        experiment->SetNewSDKResponsePlugInID(plugin);
        ScriptedDialog hook(script);
        const bool ok = Vantrel::FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<
            Vantrel::VTEditResponseDlg>(host, experiment.get(), list, isNew, false, plugin, 0, helper);
        lastTitle = hook.LastTitle();
        return ok;
    }

    static GUIDialogOnScreenResponse& OnScreen(wxDialog& dialog)
    {
        return dynamic_cast<GUIDialogOnScreenResponse&>(dialog);
    }
    template <class W>
    static W* Control(wxDialog& dialog, int id)
    {
        return dynamic_cast<W*>(dialog.FindWindow(id));
    }
    static Shown Read(wxDialog& dialog)
    {
        using D = GUIDialogOnScreenResponse;
        Shown s;
        s.title = dialog.GetTitle();
        auto* action = Control<wxChoice>(dialog, D::ID_ACTION);
        s.action = action->GetStringSelection();
        s.phaseIndex = Control<wxChoice>(dialog, D::ID_PHASE)->GetSelection();
        s.region = Control<wxRadioButton>(dialog, D::ID_SPECIFIC)->GetValue()    ? 2
                   : Control<wxRadioButton>(dialog, D::ID_AUTOMATIC)->GetValue() ? 1
                   : Control<wxRadioButton>(dialog, D::ID_ANYWHERE)->GetValue()  ? 0
                                                                                 : -1;
        s.anywhereEnabled = Control<wxRadioButton>(dialog, D::ID_ANYWHERE)->IsEnabled();
        auto* x = Control<wxSpinCtrl>(dialog, D::ID_X);
        auto* y = Control<wxSpinCtrl>(dialog, D::ID_Y);
        auto* w = Control<wxSpinCtrl>(dialog, D::ID_WIDTH);
        auto* h = Control<wxSpinCtrl>(dialog, D::ID_HEIGHT);
        s.x = x->GetValue();
        s.y = y->GetValue();
        s.w = w->GetValue();
        s.h = h->GetValue();
        s.xMin = x->GetMin();
        s.xMax = x->GetMax();
        s.yMin = y->GetMin();
        s.yMax = y->GetMax();
        s.wMax = w->GetMax();
        s.hMax = h->GetMax();
        return s;
    }
    static void Choose(wxDialog& dialog, int id, int index)
    {
        auto* choice = Control<wxChoice>(dialog, id);
        choice->SetFocus();
        choice->SetSelection(index);
        wxCommandEvent event(wxEVT_CHOICE, id);
        event.SetEventObject(choice);
        event.SetInt(index);
        choice->GetEventHandler()->ProcessEvent(event);
        EditorDriver::Settle();
    }

    SizedPresenter presenter;
    VantrelSDK::VTPresenter* previous = nullptr;
    std::unique_ptr<Vantrel::VTExperiment> experiment;
    wxFrame* host = nullptr;
    Vantrel::VTSimpleListView* list = nullptr;
    wxString lastTitle;
};

}  // namespace

// The mouse and both eye trackers open the on-screen editor (built titled "Mouse
// Response", retitled for an eye tracker's response as it is shown); any other device
// opens the resource-laid-out one (AnInputPlugInsOwnEditorGoesThroughItsHelper).
TEST_F(ResponseEditors, TheLauncherChoosesTheEditorByTheInputPlugIn)
{
    for (int plugin : {2250, 2411, 2413}) {
        SCOPED_TRACE(plugin);
        bool onScreen = false;
        Launch(plugin, true, [&](wxDialog& dialog) {
            onScreen = dynamic_cast<GUIDialogOnScreenResponse*>(&dialog) != nullptr;
            EXPECT_EQ(dialog.GetId(), 10040);
            EXPECT_FALSE(dialog.HasFlag(wxRESIZE_BORDER));
            ScriptedDialog::Click(dialog, "wxID_CANCEL");
        });
        EXPECT_TRUE(onScreen);
        EXPECT_EQ(lastTitle, plugin == 2250 ? "Mouse Response" : "On-Screen Response");
    }
}

// Every code, phase and region of a mouse response is shown as stored and OK writes
// the same response back, on a 1920 by 1080 screen and at its edges.
TEST_F(ResponseEditors, AMouseResponseIsShownAndWrittenBackUnchanged)
{
    struct Case
    {
        int code, phase, region, x, y, w, h;
        const char* action;
    };
    const Case cases[] = {
        {255, 1, 0, 0, 0, 10, 10, "Any mouse button"},   {1, 2, 0, 5, 5, 20, 30, "Left Button"},
        {2, 1, 1, 0, 0, 1, 1, "Middle Button"},          {4, 2, 1, 7, -7, 100, 50, "Right Button"},
        {1, 1, 2, -3839, -2159, 1, 1, "Left Button"},    {4, 2, 2, 3839, 2159, 1920, 1080, "Right Button"},
        {255, 2, 2, 0, 0, 960, 540, "Any mouse button"}, {2, 2, 2, -960, 540, 1919, 1079, "Middle Button"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(wxString::Format("code %d phase %d region %d", c.code, c.phase, c.region).ToStdString());
        VTResponse* r =
            Add(wxString::Format("R%d", int(&c - cases)), 2250, c.code, c.phase, c.region, c.x, c.y, c.w, c.h);
        list->SetSelection(int(list->GetItemCount()) - 1);
        Shown shown;
        const bool ok = Launch(2250, false, [&](wxDialog& dialog) {
            shown = Read(dialog);
            ScriptedDialog::Click(dialog, "wxID_OK");
        });
        EXPECT_TRUE(ok);
        EXPECT_EQ(shown.title, "Mouse Response");
        EXPECT_EQ(shown.action, c.action);
        EXPECT_EQ(shown.phaseIndex, c.phase - 1);
        EXPECT_EQ(shown.region, c.region);
        EXPECT_EQ(shown.w, c.w);
        EXPECT_EQ(shown.h, c.h);
        if (c.region == 2) {
            EXPECT_EQ(shown.x, c.x);
            EXPECT_EQ(shown.y, c.y);
        }
        EXPECT_EQ(shown.xMin, -3839);
        EXPECT_EQ(shown.xMax, 3839);
        EXPECT_EQ(shown.yMin, -2159);
        EXPECT_EQ(shown.yMax, 2159);
        EXPECT_EQ(shown.wMax, 1920);
        EXPECT_EQ(shown.hMax, 1080);
        EXPECT_EQ(r->GetKeyCode(), c.code);
        EXPECT_EQ(r->GetPhase(), c.phase);
        EXPECT_EQ(r->GetRegionMode(), c.region);
        int x, y, w, h;
        r->GetRegion(x, y, w, h);
        EXPECT_EQ(Vantrel::VTResponseRegion({x, y, w, h}), Vantrel::VTResponseRegion({c.x, c.y, c.w, c.h}));
    }
    EXPECT_FALSE(TestSupport::LogContains("Unable", wxLOG_Error)) << TestSupport::LogAsText();
}

// A new mouse response: what the user picks is what the experiment gets, once.
TEST_F(ResponseEditors, ANewMouseResponseTakesWhatTheUserChose)
{
    using D = GUIDialogOnScreenResponse;
    Shown fresh;
    const bool ok = Launch(2250, true, [&](wxDialog& dialog) {
        fresh = Read(dialog);
        EditorDriver::Enter(dialog, "text_name", "Right release in box");
        Choose(dialog, D::ID_ACTION, 3);
        Choose(dialog, D::ID_PHASE, 1);
        // Clicking into a spin control picks the specific area.
        TestSupport::ClickWindow(Control<wxSpinCtrl>(dialog, D::ID_X));
        EditorDriver::Settle();
        EXPECT_TRUE(Control<wxRadioButton>(dialog, D::ID_SPECIFIC)->GetValue());
        Control<wxSpinCtrl>(dialog, D::ID_X)->SetValue(-300);
        Control<wxSpinCtrl>(dialog, D::ID_Y)->SetValue(120);
        Control<wxSpinCtrl>(dialog, D::ID_WIDTH)->SetValue(200);
        Control<wxSpinCtrl>(dialog, D::ID_HEIGHT)->SetValue(80);
        ScriptedDialog::Click(dialog, "wxID_OK");
    });
    ASSERT_TRUE(ok) << TestSupport::LogAsText();
    // A new response's code matches no entry: "Any mouse button", nothing logged; the
    // width and height show at least 1.
    EXPECT_EQ(fresh.action, "Any mouse button");
    EXPECT_GE(fresh.w, 1);
    EXPECT_GE(fresh.h, 1);
    EXPECT_FALSE(TestSupport::LogContains("Unable to locate", wxLOG_Error));
    Vantrel::VTElementsList& responses = experiment->GetElementsOfType(Vantrel::ElementType::Response);
    ASSERT_EQ(responses.Size(), 1u);
    auto* r = dynamic_cast<VTResponse*>(responses[0]);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->GetName(), "Right release in box");
    EXPECT_EQ(r->GetPlugInID(), 2250);
    EXPECT_EQ(r->GetKeyCode(), 4);
    EXPECT_EQ(r->GetPhase(), 2);
    EXPECT_EQ(r->GetRegionMode(), VTResponse::kRegionModeSpecific);
    int x, y, w, h;
    r->GetRegion(x, y, w, h);
    EXPECT_EQ(Vantrel::VTResponseRegion({x, y, w, h}), Vantrel::VTResponseRegion({-300, 120, 200, 80}));
    EXPECT_TRUE(experiment->IsModified());
}

// The anywhere radio writes region 0 and leaves the stored rectangle alone.
TEST_F(ResponseEditors, AnywhereKeepsTheStoredRectangle)
{
    VTResponse* r = Add("Box", 2250, 1, 1, 2, 10, 20, 30, 40);
    list->SetSelection(0);
    ASSERT_TRUE(Launch(2250, false, [&](wxDialog& dialog) {
        TestSupport::ClickWindow(Control<wxRadioButton>(dialog, GUIDialogOnScreenResponse::ID_ANYWHERE));
        ScriptedDialog::Click(dialog, "wxID_OK");
    }));
    EXPECT_EQ(r->GetRegionMode(), VTResponse::kRegionModeAnywhere);
    int x, y, w, h;
    r->GetRegion(x, y, w, h);
    EXPECT_EQ(Vantrel::VTResponseRegion({x, y, w, h}), Vantrel::VTResponseRegion({10, 20, 30, 40}));
}

// What the controls cannot show: a code without an entry (logged), a phase outside 1
// and 2 (shown as "Pressed"), a rectangle larger than the screen or without height.
// Code and phase are kept until the user changes them; the sizes are shown limited.
TEST_F(ResponseEditors, ValuesTheControlsCannotShowAreKeptUntilChanged)
{
    presenter.width = 800;
    presenter.height = 600;
    VTResponse* r = Add("Odd", 2250, 3, 7, 2, 0, 0, 5000, 0);
    list->SetSelection(0);
    Shown shown;
    ASSERT_TRUE(Launch(2250, false, [&](wxDialog& dialog) {
        shown = Read(dialog);
        ScriptedDialog::Click(dialog, "wxID_OK");
    }));
    EXPECT_TRUE(TestSupport::LogContains("Unable to locate key/action 3 in GUI.", wxLOG_Error));
    EXPECT_EQ(shown.action, "Any mouse button");
    EXPECT_EQ(shown.phaseIndex, 0);
    EXPECT_EQ(shown.w, 800);
    EXPECT_EQ(shown.h, 1);
    EXPECT_EQ(shown.xMin, -1599);
    EXPECT_EQ(shown.xMax, 1599);
    EXPECT_EQ(r->GetKeyCode(), 3);
    EXPECT_EQ(r->GetPhase(), 7);

    // Changed by the user, they are written.
    ASSERT_TRUE(Launch(2250, false, [&](wxDialog& dialog) {
        Choose(dialog, GUIDialogOnScreenResponse::ID_ACTION, 1);
        Choose(dialog, GUIDialogOnScreenResponse::ID_PHASE, 1);
        ScriptedDialog::Click(dialog, "wxID_OK");
    }));
    EXPECT_EQ(r->GetKeyCode(), 1);
    EXPECT_EQ(r->GetPhase(), 2);
}

// Without a known presentation screen the spins are ranged by the display.
TEST_F(ResponseEditors, WithoutAScreenSizeTheDisplayRangesTheSpins)
{
    presenter.width = 0;
    presenter.height = 0;
    Add("Any", 2250, 255, 1, 0, 0, 0, 1, 1);
    list->SetSelection(0);
    Shown shown;
    ASSERT_TRUE(Launch(2250, false, [&](wxDialog& dialog) {
                    shown = Read(dialog);
                    ScriptedDialog::Click(dialog, "wxID_CANCEL");
                }) == false);
    const wxRect display = wxDisplay(0u).GetGeometry();
    EXPECT_EQ(shown.wMax, display.width);
    EXPECT_EQ(shown.hMax, display.height);
    EXPECT_EQ(shown.xMax, 2 * display.width - 1);
}

// An eye tracker's area of interest: its own title and action, and never "anywhere".
TEST_F(ResponseEditors, AnEyeTrackerResponseCannotBeAnywhere)
{
    VTResponse* r = Add("Look", 2411, 14, 1, 0, 0, 0, 50, 50);
    list->SetSelection(0);
    Shown shown;
    bool phaseShown = true;
    ASSERT_TRUE(Launch(2411, false, [&](wxDialog& dialog) {
        shown = Read(dialog);
        phaseShown = Control<wxChoice>(dialog, GUIDialogOnScreenResponse::ID_PHASE)->IsShown();
        ScriptedDialog::Click(dialog, "wxID_OK");
    }));
    EXPECT_EQ(shown.title, "On-Screen Response");
    EXPECT_EQ(shown.action, "Enter/Exit AOI (raw data)");
    EXPECT_FALSE(phaseShown);
    EXPECT_EQ(shown.region, 1);
    EXPECT_FALSE(shown.anywhereEnabled);
    EXPECT_EQ(r->GetKeyCode(), 14);
    EXPECT_EQ(r->GetRegionMode(), VTResponse::kRegionModeAutomatic);
}

// The resource-laid-out editor of an input plug-in loaded from the plug-in folder:
// its helper fills the plug-in's widgets and reads them back; an invalid form keeps
// the editor open; the dialog grows to the helper's widgets.
TEST_F(ResponseEditors, AnInputPlugInsOwnEditorGoesThroughItsHelper)
{
    ASSERT_TRUE(Vantrel::VTPlugIn::LocateAllInFolder(RESPONSE_FORM_PLUGIN_DIR, nullptr)) << TestSupport::LogAsText();
    Vantrel::VTPlugIn* plugin = Vantrel::VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(9902);
    ASSERT_TRUE(plugin);
    wxXmlResource* resources = plugin->GetResources();
    ASSERT_TRUE(resources);
    wxXmlResource* previousResources = wxXmlResource::Set(resources);
    auto helper = plugin->GetSdkBaseInputPtr()->GetEditResponseWindowHelper();

    bool stayedOpen = false;
    const bool ok = Launch(
        9902, true,
        [&](wxDialog& dialog) {
            EXPECT_FALSE(dynamic_cast<GUIDialogOnScreenResponse*>(&dialog));
            EXPECT_EQ(dialog.GetTitle(), "Key Response");
            EditorDriver::Enter(dialog, "text_name", "Key seven");
            // Key 0: the helper refuses, the editor stays.
            ScriptedDialog::Click(dialog, "wxID_OK");
            stayedOpen = dialog.IsShown();
            dynamic_cast<wxSpinCtrl*>(EditorDriver::Find(dialog, "spin_key"))->SetValue(7);
            dynamic_cast<wxSpinCtrl*>(EditorDriver::Find(dialog, "spin_port"))->SetValue(2);
            Choose(dialog, wxXmlResource::GetXRCID("choice_phase"), 1);
            ScriptedDialog::Click(dialog, "wxID_OK");
        },
        helper);
    EXPECT_TRUE(stayedOpen);
    ASSERT_TRUE(ok) << TestSupport::LogAsText();
    Vantrel::VTElementsList& responses = experiment->GetElementsOfType(Vantrel::ElementType::Response);
    ASSERT_EQ(responses.Size(), 1u);
    auto* r = dynamic_cast<VTResponse*>(responses[0]);
    EXPECT_EQ(r->GetName(), "Key seven");
    EXPECT_EQ(r->GetPlugInID(), 9902);
    EXPECT_EQ(r->GetKeyCode(), 7);
    EXPECT_EQ(r->GetPortNumber(), 2);
    EXPECT_EQ(r->GetPhase(), 2);

    // Shown again as stored.
    list->AppendWithData(r->GetName(), reinterpret_cast<wxUIntPtr>(r));
    list->SetSelection(0);
    int key = -1, port = -1;
    Launch(
        9902, false,
        [&](wxDialog& dialog) {
            key = dynamic_cast<wxSpinCtrl*>(EditorDriver::Find(dialog, "spin_key"))->GetValue();
            port = dynamic_cast<wxSpinCtrl*>(EditorDriver::Find(dialog, "spin_port"))->GetValue();
            ScriptedDialog::Click(dialog, "wxID_CANCEL");
        },
        helper);
    EXPECT_EQ(key, 7);
    EXPECT_EQ(port, 2);
    wxXmlResource::Set(previousResources);
    Vantrel::VTPlugIn::DeleteAllObjects();
}

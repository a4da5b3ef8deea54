// The participant input dialog with real windows and clicks: devices ticked and
// unticked (the experiment's input list follows, through a save and a reopening), the
// conflict sheet, Done with nothing ticked, and each device's responses added, edited,
// reordered and deleted through its panel's buttons and the response editor.

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <GuiViewClasses/ResponseDialogs/VTParticipantInputDlg.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTPlugInCommon/VTListViews.h>
#include <VTPlugInCommon/VTPanels.h>
#include <VTRuntime/VTCompiledExperiment.h>
#include <VTRuntime/VTPlugIn.h>

#include <functional>
#include <memory>

#include "DialogQueue.h"
#include "EditorDriver.h"
#include "TestSupport.h"

using Vantrel::VTResponse;

namespace {

// Whether the dialog's title or one of its texts includes `text` (texts wrapped to
// the sheet's width read as one line).
bool Says(wxDialog& dialog, const wxString& text)
{
    if (dialog.GetTitle().Contains(text)) return true;
    for (wxWindow* child : dialog.GetChildren())
        if (auto* label = dynamic_cast<wxStaticText*>(child)) {
            wxString shown = label->GetLabel();
            shown.Replace("\n", " ");
            if (shown.Contains(text)) return true;
        }
    return false;
}

// Clicks the dialog's button labelled `label`.
void ClickButtonLabelled(wxDialog& dialog, const wxString& label)
{
    for (wxWindow* child : dialog.GetChildren())
        if (auto* button = dynamic_cast<wxButton*>(child))
            if (button->GetLabel() == label) {
                TestSupport::ClickWindow(button);
                return;
            }
    ADD_FAILURE() << "no button " << label;
}

class ParticipantInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorDriver::LoadProgramResources();
        Vantrel::RegisterRuntimeWithCore();
        TestSupport::ClearLog();
        ASSERT_TRUE(Vantrel::VTPlugIn::LocateAllInFolder(RESPONSE_FORM_PLUGIN_DIR, nullptr));
        experiment = std::make_unique<Vantrel::VTExperiment>();
        experiment->LoadInputPluginByID(Vantrel::InputPlugIn::Keyboard);
        experiment->Modify(false);
        host = new wxFrame(nullptr, wxID_ANY, "Host", wxPoint(0, 0), wxSize(200, 100));
        host->Show();
    }
    void TearDown() override
    {
        host->Destroy();
        TestSupport::PumpFor(50);
        experiment.reset();
        Vantrel::VTPlugIn::DeleteAllObjects();
    }

    // Opens the dialog; `script` works it (the queue answers what it opens) and ends it.
    void Open(std::function<void(Vantrel::VTParticipantInputDlg&)> script)
    {
        DialogQueue queue;
        queue.Then([&](wxDialog& dialog) {
            auto* input = dynamic_cast<Vantrel::VTParticipantInputDlg*>(&dialog);
            ASSERT_TRUE(input);
            nested = &queue;
            script(*input);
            nested = nullptr;
            if (dialog.IsShown()) EditorDriver::Click(dialog, "wxID_CANCEL");
        });
        Vantrel::VTParticipantInputDlg::LaunchModalParticipantInputDlg(host, experiment.get());
    }
    static Vantrel::VTListCtrlCheckableSimple* Devices(wxDialog& dialog)
    {
        return dynamic_cast<Vantrel::VTListCtrlCheckableSimple*>(EditorDriver::Find(dialog, "list_available"));
    }
    static void ClickRow(wxListCtrl* list, long row, bool onIcon)
    {
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return list->IsShownOnScreen(); }));
        wxRect r;
        ASSERT_TRUE(list->GetItemRect(row, r, wxLIST_RECT_BOUNDS));
        TestSupport::PumpFor(600);  // no double click with the click before
        wxUIActionSimulator sim;
        sim.MouseMove(list->ClientToScreen(wxPoint(onIcon ? r.x + 9 : r.x + 60, r.y + r.height / 2)));
        TestSupport::PumpFor(30);
        sim.MouseClick();
        TestSupport::PumpFor(150);
        EditorDriver::Settle();
    }
    // The selected device's responses list and one of its buttons.
    static Vantrel::VTSimpleListView* ResponsesList(wxDialog& dialog)
    {
        auto* main = dynamic_cast<VTPanelSwitcher*>(EditorDriver::Find(dialog, "panel_switcher_main"));
        wxWindow* page = main ? main->GetSelectedPage() : nullptr;
        return page ? dynamic_cast<Vantrel::VTSimpleListView*>(wxWindow::FindWindowByName("list", page)) : nullptr;
    }
    static void ClickPanelButton(wxDialog& dialog, const char* name)
    {
        auto* main = dynamic_cast<VTPanelSwitcher*>(EditorDriver::Find(dialog, "panel_switcher_main"));
        wxWindow* button = wxWindow::FindWindowByName(name, main->GetSelectedPage());
        ASSERT_TRUE(button) << name;
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return button->IsShownOnScreen() && button->IsEnabled(); }, 3000))
            << name;
        TestSupport::ClickWindow(button);
        EditorDriver::Settle();
    }
    std::vector<wxString> ResponseNames(int plugin)
    {
        std::vector<wxString> names;
        Vantrel::VTElementsList& all = experiment->GetElementsOfType(Vantrel::ElementType::Response);
        for (size_t i = 0; i < all.Size(); ++i)
            if (auto* r = dynamic_cast<VTResponse*>(all[i]))
                if (r->GetPlugInID() == plugin) names.push_back(r->GetName());
        return names;
    }
    // The response editor's script: name, key, then OK.
    static std::function<void(wxDialog&)> FillResponse(const wxString& name, int key)
    {
        return [name, key](wxDialog& editor) {
            if (!name.empty()) EditorDriver::Enter(editor, "text_name", name);
            dynamic_cast<wxSpinCtrl*>(EditorDriver::Find(editor, "spin_key"))->SetValue(key);
            EditorDriver::Click(editor, "wxID_OK");
        };
    }

    std::unique_ptr<Vantrel::VTExperiment> experiment;
    wxFrame* host = nullptr;
    DialogQueue* nested = nullptr;
};

}  // namespace

TEST_F(ParticipantInput, DevicesAreTickedAndTheInputListFollowsThroughSaveAndReopen)
{
    std::vector<wxString> rows;
    std::vector<bool> checked;
    Open([&](Vantrel::VTParticipantInputDlg& dialog) {
        auto* devices = Devices(dialog);
        ASSERT_TRUE(devices);
        for (long row = 0; row < devices->GetItemCount(); ++row) {
            rows.push_back(devices->GetItemText(row));
            checked.push_back(devices->IsChecked(row));
        }
    });
    EXPECT_EQ(rows, (std::vector<wxString>{"Keyboard", "Response Form", "Response Form B"}));
    EXPECT_EQ(checked, (std::vector<bool>{true, false, false}));
    // Looking is no change.
    EXPECT_FALSE(experiment->IsModified());

    Open([&](Vantrel::VTParticipantInputDlg& dialog) {
        auto* devices = Devices(dialog);
        ClickRow(devices, 1, true);
        EXPECT_TRUE(devices->IsChecked(1));
        // Ticked: its settings panel shows, with its responses list.
        EXPECT_TRUE(EditorDriver::Find(dialog, "panel_switcher_main")->IsShown());
        EXPECT_TRUE(ResponsesList(dialog));
        ClickRow(devices, 0, true);
        EXPECT_FALSE(devices->IsChecked(0));
        // Unticked and selected: the picture shows instead.
        EXPECT_TRUE(EditorDriver::Find(dialog, "panel_switcher_bmp")->IsShown());
        EXPECT_FALSE(EditorDriver::Find(dialog, "panel_switcher_main")->IsShown());
    });
    EXPECT_EQ(experiment->GetInputPlugInIDsInUse(), std::vector<int>{9902});
    EXPECT_TRUE(experiment->IsModified());

    const std::string file = TestSupport::MakeTempFolder("input") + "/devices.vt6";
    ASSERT_TRUE(experiment->OnSaveDocument(wxString::FromUTF8(file))) << TestSupport::LogAsText();
    Vantrel::VTExperiment reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(wxString::FromUTF8(file))) << TestSupport::LogAsText();
    EXPECT_EQ(reopened.GetInputPlugInIDsInUse(), std::vector<int>{9902});
}

// A second device that conflicts with a ticked one opens the sheet naming it; the
// device is ticked all the same.
TEST_F(ParticipantInput, TickingAConflictingDeviceShowsTheSheet)
{
    experiment->LoadInputPluginByID(9902);
    bool named = false, explained = false;
    Open([&](Vantrel::VTParticipantInputDlg& dialog) {
        nested->Then([&](wxDialog& sheet) {
            named = Says(sheet, "This input device may conflict with Response Form.");
            explained = Says(sheet, "However, both can be used if they are each set to only look for input when a "
                                    "correct response has been defined.");
            ClickButtonLabelled(sheet, "OK");
        });
        ClickRow(Devices(dialog), 2, true);
        EXPECT_TRUE(Devices(dialog)->IsChecked(2));
    });
    EXPECT_TRUE(named);
    EXPECT_TRUE(explained);
    EXPECT_EQ(experiment->GetInputPlugInIDsInUse(), (std::vector<int>{2100, 9902, 9903}));
}

// Done with nothing ticked says why and keeps the dialog open.
TEST_F(ParticipantInput, DoneWithNothingTickedIsRefused)
{
    bool stayed = false, explained = false;
    Open([&](Vantrel::VTParticipantInputDlg& dialog) {
        ClickRow(Devices(dialog), 0, true);
        nested->Then([&](wxDialog& alert) {
            explained = Says(alert, "No participant input devices") &&
                        Says(alert, "Experiments must have at least one input device selected.");
            ClickButtonLabelled(alert, "OK");
        });
        EditorDriver::Click(dialog, "wxID_CANCEL");
        EditorDriver::Settle();
        stayed = dialog.IsShown();
        ClickRow(Devices(dialog), 0, true);
    });
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(explained);
    EXPECT_EQ(experiment->GetInputPlugInIDsInUse(), std::vector<int>{2100});
}

// A device's responses: New and Edit open its own response editor, Up reorders the
// experiment's responses, Delete asks and removes; the list shows the device's only.
TEST_F(ParticipantInput, ResponsesAreAddedEditedReorderedAndDeletedPerDevice)
{
    experiment->LoadInputPluginByID(9902);
    Vantrel::VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return true; });
    std::vector<wxString> shown;
    Open([&](Vantrel::VTParticipantInputDlg& dialog) {
        // Ticking again and again leaves one handler per panel: each New opens one editor.
        ClickRow(Devices(dialog), 0, true);
        ClickRow(Devices(dialog), 0, true);
        ClickRow(Devices(dialog), 1, false);
        Vantrel::VTSimpleListView* list = ResponsesList(dialog);
        ASSERT_TRUE(list);
        nested->Then(FillResponse("Key one", 1));
        ClickPanelButton(dialog, "ID_NEW");
        nested->Then(FillResponse("Key two", 2));
        ClickPanelButton(dialog, "ID_NEW");
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return list->GetItemCount() == 2; }, 3000));

        list->SetSelection(0);
        nested->Then(FillResponse("Key one edited", 5));
        ClickPanelButton(dialog, "ID_EDIT");

        list->SetSelection(1);
        ClickPanelButton(dialog, "ID_UP");

        ASSERT_TRUE(TestSupport::PumpUntil([&] { return list->GetItemCount() == 2; }, 3000));
        for (int row = 0; row < list->GetItemCount(); ++row) shown.push_back(list->GetItemText(row));
        list->SetSelection(1);
        ClickPanelButton(dialog, "ID_DELETE");
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return list->GetItemCount() == 1; }, 3000));
    });
    Vantrel::VTDeletionMgr::SetAnswerer({});
    EXPECT_EQ(shown, (std::vector<wxString>{"Key two", "Key one edited"}));
    EXPECT_EQ(ResponseNames(9902), std::vector<wxString>{"Key two"});
    Vantrel::VTElementsList& all = experiment->GetElementsOfType(Vantrel::ElementType::Response);
    ASSERT_EQ(all.Size(), 1u);
    EXPECT_EQ(static_cast<VTResponse*>(all[0])->GetKeyCode(), 2);
    EXPECT_TRUE(experiment->IsModified());
}

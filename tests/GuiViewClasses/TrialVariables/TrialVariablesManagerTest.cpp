// The trial variables manager: its two pages, creation from every route, edit,
// duplicate and delete, and what each does to the experiment.
#include "TestSupport.h"
#include "TrialVariableFixture.h"

#include <GuiViewClasses/TrialVariables/TLSPBase.h>
#include <GuiViewClasses/TrialVariables/VTEditTrialVariableDlg.h>
#include <GuiViewClasses/TrialVariables/VTManageAllTrialLevelsDlg.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <UserInterface/Widgets/AugmentedListBox.h>
#include <VTCore/VTDeletionMgr.h>

#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace Vantrel;
using namespace TrialVariableTesting;
using Mgr = VTManageAllTrialLevelsDlg;
using Dlg = VTEditTrialVariableDlg;

namespace {

int ShownPage(wxDialog& m)
{
    return Child<Orbisk::OrbiskChoiceBookWithHiddenCtrl>(&m, Mgr::ID_PAGE_BOOK)->GetSelection();
}
AugmentedListBox* List(wxDialog& m) { return Child<AugmentedListBox>(&m, Mgr::ID_LIST); }
wxString ShownDescription(wxDialog& m) { return Child<wxTextCtrl>(&m, Mgr::ID_DESCRIPTION)->GetValue(); }
// "A B* C": the rows, the selected one starred.
wxString Rows(wxDialog& m)
{
    Settle(&m);
    AugmentedListBox* list = List(m);
    wxString out;
    for (unsigned row = 0; row < list->GetCount(); ++row)
        out << (row ? " " : "") << list->GetString(row) << (int(row) == list->GetSelection() ? "*" : "");
    return out;
}
// Picks an item of a drop-down button's menu as a user's pick arrives.
void PickMenuItem(DropdownButton* button, int itemId)
{
    wxCommandEvent pick(wxEVT_MENU, itemId);
    pick.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(pick);
    Settle(wxGetTopLevelParent(button));
}
// "Close" of the page shown (each page has its own).
void ClickClose(wxDialog& m)
{
    Click(m.FindWindow(ShownPage(m) == Mgr::ListPage ? Mgr::ID_LIST_PAGE : Mgr::ID_FIRST_USE_PAGE), wxID_CANCEL);
}
void SelectRow(wxDialog& m, int row)
{
    List(m)->SetSelection(row);
    wxCommandEvent select(wxEVT_LISTBOX, Mgr::ID_LIST);
    select.SetEventObject(List(m));
    select.SetInt(row);
    List(m)->ProcessWindowEvent(select);
    Settle(&m);
}

// Names the new variable and confirms, after checking the type the editor shows.
std::function<void(wxDialog&)> CreateNamed(const wxString& name, const wxString& typeLabel,
                                           const wxString& description = wxString())
{
    return [=](wxDialog& d) {
        EXPECT_EQ(Child<wxStaticText>(&d, Dlg::ID_TYPE_LABEL)->GetLabel(), typeLabel);
        Type(Child<wxTextCtrl>(&d, Dlg::ID_NAME), name);
        if (!description.empty())
            for (wxWindow* child : d.FindWindow(Dlg::ID_OPTIONS_PAGE)->GetChildren())
                if (auto* text = dynamic_cast<wxTextCtrl*>(child)) text->SetValue(description);
        Click(&d, wxID_OK);
    };
}

class TrialVariablesManager : public TrialVariableFixture
{
protected:
    void TearDown() override
    {
        VTDeletionMgr::SetAnswerer(nullptr);
        TrialVariableFixture::TearDown();
    }
    // Shows the manager modally; `script` works it and closes it, queueing the
    // scripts of the dialogs it opens on the one queue it is given.
    void Run(std::function<void(wxDialog&, DialogQueue&)> script)
    {
        DialogQueue dialogs;
        dialogs.Then([&](wxDialog& m) { script(m, dialogs); });
        auto* manager = new Mgr(host, experiment.get(), wxID_ANY, "Trial Variables", wxDefaultPosition,
                                wxSize(560, 400), wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
        EXPECT_EQ(manager->ShowModal(), wxID_CANCEL);
        manager->Destroy();
    }
};

// An empty experiment opens on the first-use page; "Create..." with the chosen
// type, the type buttons and the new-variable menu (where any item but Color and
// Time Limit means Location) each create a variable that is then selected.
TEST_F(TrialVariablesManager, CreationFromEveryRouteSelectsTheNewVariable)
{
    Run([&](wxDialog& m, DialogQueue& editors) {
        auto& manager = static_cast<Mgr&>(m);
        EXPECT_EQ(ShownPage(m), Mgr::FirstUsePage);
        EXPECT_EQ(manager.GetEditMenuId(), DropdownButton::FirstItemId);
        EXPECT_EQ(manager.GetDuplicateMenuId(), DropdownButton::FirstItemId + 1);
        EXPECT_FALSE(manager.GetNewButton()->FindItemById(Mgr::MenuHeading)->IsEnabled());

        editors.Then(CreateNamed("Hue", "Color", "text colours"));
        Pick(m.FindWindow(Mgr::ID_TYPE_CHOICE), Dlg::ColorType);
        Click(&m, Mgr::ID_CREATE);
        EXPECT_EQ(ShownPage(m), Mgr::ListPage);
        EXPECT_EQ(Rows(m), "Hue*");
        EXPECT_EQ(ShownDescription(m), "text colours");

        editors.Then(CreateNamed("Limit", "Time Limit"));
        PickMenuItem(manager.GetNewButton(), Mgr::MenuTimeLimit);
        editors.Then(CreateNamed("Place", "Location on the Screen"));
        PickMenuItem(manager.GetNewButton(), Mgr::MenuLocation);
        editors.Then(CreateNamed("Tint", "Color"));
        PickMenuItem(manager.GetNewButton(), Mgr::MenuColor);
        editors.Then(CreateNamed("Other", "Location on the Screen"));
        PickMenuItem(manager.GetNewButton(), 17099);
        EXPECT_EQ(Rows(m), "Hue Limit Place Tint Other*");
        EXPECT_EQ(ShownDescription(m), "");
        ClickClose(m);
    });
    const int types[] = {VariableType::Colour, VariableType::TimeLimit, VariableType::Location, VariableType::Colour,
                         VariableType::Location};
    ASSERT_EQ(Variables().Size(), 5u);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(VariableAt(i)->GetVariable().GetType(), types[i]) << i;
    EXPECT_TRUE(experiment->IsModified());
}

// The type buttons of the first-use page, each on a fresh experiment.
TEST_F(TrialVariablesManager, TypeButtonsCreateTheirType)
{
    const struct
    {
        int button;
        const char* label;
        int type;
    } cases[] = {
        {Mgr::ID_LOCATION_BUTTON, "Location on the Screen", VariableType::Location},
        {Mgr::ID_COLOR_BUTTON, "Color", VariableType::Colour},
        {Mgr::ID_TIME_LIMIT_BUTTON, "Time Limit", VariableType::TimeLimit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        experiment = std::make_unique<VTExperiment>();
        Run([&](wxDialog& m, DialogQueue& editors) {
            editors.Then(CreateNamed("V", c.label));
            Click(&m, c.button);
            EXPECT_EQ(ShownPage(m), Mgr::ListPage);
            ClickClose(m);
        });
        ASSERT_EQ(Variables().Size(), 1u);
        EXPECT_EQ(VariableAt(0)->GetVariable().GetType(), c.type);
    }
}

// Editing from the gears menu and by double click keeps the row; Cancel in the
// editor changes nothing and leaves the experiment unmodified; "Edit..." with no
// selection is refused with an error.
TEST_F(TrialVariablesManager, EditKeepsTheRowAndCancelChangesNothing)
{
    AddVariable(VariableType::TimeLimit, "A", {"10"});
    AddVariable(VariableType::Location, "B", {"(1, 2)"});
    AddVariable(VariableType::Colour, "C", {"#FF0000"});
    Run([&](wxDialog& m, DialogQueue& editors) {
        auto& manager = static_cast<Mgr&>(m);
        EXPECT_EQ(Rows(m), "A* B C");
        SelectRow(m, 1);
        editors.Then([](wxDialog& d) {
            EXPECT_EQ(Child<wxStaticText>(&d, Dlg::ID_TYPE_LABEL)->GetLabel(), "Location on the Screen");
            Type(Child<wxTextCtrl>(&d, Dlg::ID_NAME), "Changed");
            Click(&d, wxID_CANCEL);
        });
        PickMenuItem(manager.GetGearsButton(), manager.GetEditMenuId());
        EXPECT_EQ(Rows(m), "A B* C");
        EXPECT_FALSE(experiment->IsModified());

        SelectRow(m, 2);
        editors.Then(CreateNamed("Crimson", "Color"));
        wxCommandEvent doubleClick(wxEVT_LISTBOX_DCLICK, Mgr::ID_LIST);
        doubleClick.SetEventObject(List(m));
        doubleClick.SetInt(2);
        List(m)->ProcessWindowEvent(doubleClick);
        Settle(&m);
        EXPECT_EQ(Rows(m), "A B Crimson*");
        EXPECT_TRUE(experiment->IsModified());

        List(m)->SetSelection(wxNOT_FOUND);
        EXPECT_FALSE(EnabledNow(m.FindWindow(Mgr::ID_DELETE)));
        EXPECT_FALSE(EnabledNow(manager.GetGearsButton()->GetButton()));
        TestSupport::ClearLog();
        PickMenuItem(manager.GetGearsButton(), manager.GetEditMenuId());
        EXPECT_TRUE(
            TestSupport::LogContains("Invalid selection. Request to edit unknown trial variable id.", wxLOG_Error));
        ClickClose(m);
    });
    EXPECT_EQ(VariableAt(1)->GetName(), "B");
    EXPECT_EQ(VariableAt(2)->GetName(), "Crimson");
}

// "Duplicate" appends a copy under the experiment's next free name and selects
// it; the copy has the original's levels and settings but is its own element.
// A locked experiment refuses the copy with its reason.
TEST_F(TrialVariablesManager, DuplicateAppendsAFreelyNamedCopy)
{
    VTTrialVariable* original = AddVariable(VariableType::Location, "Spot", {"(5, 6)"});
    original->SetDescription("where");
    original->GetVariable().SetMethod(LevelSelection::Manual);
    AddVariable(VariableType::TimeLimit, "Limit", {"100"});
    const wxString freeName = experiment->GetNextAvailableUniqueElementName("Spot", ElementType::TrialVariable, "");
    ASSERT_NE(freeName, "Spot");
    Run([&](wxDialog& m, DialogQueue&) {
        auto& manager = static_cast<Mgr&>(m);
        SelectRow(m, 0);
        PickMenuItem(manager.GetGearsButton(), manager.GetDuplicateMenuId());
        EXPECT_EQ(Rows(m), "Spot Limit " + freeName + "*");
        EXPECT_EQ(ShownDescription(m), "where");
        EXPECT_TRUE(experiment->IsModified());

        experiment->SetLocked(true, "Locked for the test.");
        TestSupport::ClearLog();
        SelectRow(m, 1);
        PickMenuItem(manager.GetGearsButton(), manager.GetDuplicateMenuId());
        EXPECT_TRUE(TestSupport::LogContains("Locked for the test.", wxLOG_Error));
        EXPECT_EQ(Rows(m), "Spot Limit* " + freeName);
        experiment->SetLocked(false);
        ClickClose(m);
    });
    ASSERT_EQ(Variables().Size(), 3u);
    VTTrialVariable* copy = VariableAt(2);
    EXPECT_NE(copy, original);
    EXPECT_NE(copy->GetID(), original->GetID());
    EXPECT_EQ(Levels(copy->GetVariable()), Levels(original->GetVariable()));
    EXPECT_EQ(copy->GetVariable().GetMethod(), LevelSelection::Manual);
    copy->GetVariable().GetLevels()[0]->SetName("moved");
    EXPECT_EQ(Levels(original->GetVariable()), "Level 1=(5, 6)");

    // The copy is in the saved document as well.
    std::unique_ptr<VTExperiment> reloaded = SaveAndReload();
    VTElementsList& variables = reloaded->GetElementsOfType(ElementType::TrialVariable);
    ASSERT_EQ(variables.Size(), 3u);
    EXPECT_EQ(variables[2]->GetName(), freeName);
}

// Deleting asks first; "no" changes nothing. Deleting the last row selects the
// new last row; deleting the only variable returns to the first-use page. Each
// deletion marks the experiment modified.
TEST_F(TrialVariablesManager, DeleteAsksRefreshesAndMarksTheExperimentModified)
{
    AddVariable(VariableType::TimeLimit, "A", {"10"});
    AddVariable(VariableType::TimeLimit, "B", {"20"});
    bool answer = false;
    int asked = 0;
    VTDeletionMgr::SetAnswerer([&](wxWindow*, const wxString&) {
        ++asked;
        return answer;
    });
    Run([&](wxDialog& m, DialogQueue&) {
        SelectRow(m, 1);
        Click(&m, Mgr::ID_DELETE);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(Rows(m), "A B*");
        EXPECT_FALSE(experiment->IsModified());

        answer = true;
        Click(&m, Mgr::ID_DELETE);
        EXPECT_EQ(Rows(m), "A*");
        EXPECT_TRUE(experiment->IsModified());
        experiment->Modify(false);
        Click(&m, Mgr::ID_DELETE);
        EXPECT_EQ(ShownPage(m), Mgr::FirstUsePage);
        EXPECT_EQ(Rows(m), "");
        EXPECT_EQ(ShownDescription(m), "");
        EXPECT_TRUE(experiment->IsModified());
        ClickClose(m);
    });
    EXPECT_EQ(Variables().Size(), 0u);
}

// A locked experiment deletes no variable: Delete asks nothing and logs why.
TEST_F(TrialVariablesManager, LockedExperimentKeepsItsVariablesAndSaysWhy)
{
    AddVariable(VariableType::TimeLimit, "A", {"10"});
    AddVariable(VariableType::TimeLimit, "B", {"20"});
    experiment->SetLocked(true, "Locked for the test.");
    int asked = 0;
    VTDeletionMgr::SetAnswerer([&](wxWindow*, const wxString&) {
        ++asked;
        return true;
    });
    Run([&](wxDialog& m, DialogQueue&) {
        SelectRow(m, 1);
        TestSupport::ClearLog();
        Click(&m, Mgr::ID_DELETE);
        EXPECT_EQ(asked, 0);
        EXPECT_EQ(Rows(m), "A B*");
        EXPECT_TRUE(
            TestSupport::LogContains("The trial variable \"B\" cannot be deleted. Locked for the test.", wxLOG_Error))
            << TestSupport::LogAsText();
        ClickClose(m);
    });
    EXPECT_EQ(Variables().Size(), 2u);
    EXPECT_FALSE(experiment->IsModified());
    experiment->SetLocked(false);
}

}  // namespace

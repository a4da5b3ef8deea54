// The trial variable editor driven through its windows: the three types created
// and edited, the type kept on every edit, the level lists and the time-limit
// text, and what reaches the document.
#include "TestSupport.h"
#include "TrialVariableFixture.h"

#include <GuiViewClasses/TrialVariables/TLSPBase.h>
#include <GuiViewClasses/TrialVariables/TLSPSequential.h>
#include <GuiViewClasses/TrialVariables/VTEditColorValueDlg.h>
#include <GuiViewClasses/TrialVariables/VTEditLocationValueDlg.h>
#include <GuiViewClasses/TrialVariables/VTEditTrialVariableDlg.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTPlugInCommon/VTListViews.h>
#include <VTRuntime/VTLevelSelector.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clrpicker.h>
#include <wx/log.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <memory>
#include <string>

using namespace Vantrel;
using namespace TrialVariableTesting;
using Dlg = VTEditTrialVariableDlg;

namespace {

wxTextCtrl* NameOf(wxWindow& d) { return Child<wxTextCtrl>(&d, Dlg::ID_NAME); }
wxString TypeLabel(wxWindow& d) { return Child<wxStaticText>(&d, Dlg::ID_TYPE_LABEL)->GetLabel(); }
int LevelsPage(wxWindow& d)
{
    return Child<Orbisk::OrbiskChoiceBookWithHiddenCtrl>(&d, Dlg::ID_LEVELS_BOOK)->GetSelection();
}
wxWindow* Page(wxWindow& d, int pageId) { return d.FindWindow(pageId); }
VTSimpleListView* ListOn(wxWindow& d, int pageId) { return Child<VTSimpleListView>(Page(d, pageId), Dlg::ID_LIST); }
wxTextCtrl* Numbers(wxWindow& d) { return Child<wxTextCtrl>(&d, Dlg::ID_NUMBERS); }
// The description is the one text control of the Options page.
wxTextCtrl* Description(wxWindow& d)
{
    for (wxWindow* child : Page(d, Dlg::ID_OPTIONS_PAGE)->GetChildren())
        if (auto* text = dynamic_cast<wxTextCtrl*>(child)) return text;
    ADD_FAILURE() << "no description control";
    return nullptr;
}
// "A B C": the rows of a level list.
wxString Rows(VTSimpleListView* list)
{
    Settle(wxGetTopLevelParent(list));
    wxString out;
    for (int row = 0; row < list->GetCount(); ++row) out << (row ? " " : "") << list->GetItemText(row);
    return out;
}
void SelectRow(VTSimpleListView* list, int row)
{
    list->SetSelection(row);
    Settle(wxGetTopLevelParent(list));
}

// Fills the location value dialog and confirms it.
std::function<void(wxDialog&)> EnterLocation(const wxString& name, const wxString& x, const wxString& y)
{
    return [=](wxDialog& v) {
        EXPECT_EQ(v.GetTitle(), "Enter New Location");
        Type(Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_NAME), name);
        Type(Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_X), x);
        Type(Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_Y), y);
        Click(&v, wxID_OK);
    };
}

// Fills the colour value dialog and confirms it.
std::function<void(wxDialog&)> EnterColour(const wxString& name, const wxColour& colour)
{
    return [=](wxDialog& v) {
        EXPECT_EQ(v.GetTitle(), "Enter New Color");
        Type(Child<wxTextCtrl>(&v, VTEditColorValueDlg::ID_NAME), name);
        Child<wxColourPickerCtrl>(&v, VTEditColorValueDlg::ID_PICKER)->SetColour(colour);
        Click(&v, wxID_OK);
    };
}

class TrialVariableEditor : public TrialVariableFixture
{};

}  // namespace

// A new variable of each type: the chosen type's label and levels page, levels
// entered as a user would, and the variable that reaches the experiment.
TEST_F(TrialVariableEditor, NewVariablesOfEachTypeReachTheExperimentWithTheirLevels)
{
    DialogQueue dialogs;
    dialogs
        .Then([&](wxDialog& d) {
            EXPECT_EQ(d.GetTitle(), "Edit Trial Variable");
            EXPECT_EQ(d.GetParent(), nullptr);
            EXPECT_EQ(TypeLabel(d), "Location on the Screen");
            EXPECT_EQ(LevelsPage(d), Dlg::LocationType);
            EXPECT_EQ(Rows(ListOn(d, Dlg::ID_LOCATION_PAGE)), "");
            EXPECT_FALSE(EnabledNow(d.FindWindow(wxID_OK)));
            Type(NameOf(d), "Where");
            Click(Page(d, Dlg::ID_LOCATION_PAGE), Dlg::ID_NEW);
            Click(Page(d, Dlg::ID_LOCATION_PAGE), Dlg::ID_NEW);
            EXPECT_EQ(Rows(ListOn(d, Dlg::ID_LOCATION_PAGE)), "Left Right");
            Click(&d, wxID_OK);
        })
        .Then(EnterLocation("Left", "-120", "45"))
        .Then(EnterLocation("Right", "300", "0"))
        .Then([&](wxDialog& d) {
            EXPECT_EQ(TypeLabel(d), "Color");
            EXPECT_EQ(LevelsPage(d), Dlg::ColorType);
            Type(NameOf(d), "Ink");
            Click(Page(d, Dlg::ID_COLOR_PAGE), Dlg::ID_NEW);
            Click(Page(d, Dlg::ID_COLOR_PAGE), Dlg::ID_NEW);
            Click(&d, wxID_OK);
        })
        .Then(EnterColour("Red", wxColour(255, 0, 0)))
        .Then(EnterColour("Teal", wxColour(0, 128, 128)))
        .Then([&](wxDialog& d) {
            EXPECT_EQ(TypeLabel(d), "Time Limit");
            EXPECT_EQ(LevelsPage(d), Dlg::TimeLimitType);
            Type(NameOf(d), "Deadline");
            Type(Numbers(d), "200, 400");
            Click(&d, wxID_OK);
        });
    EXPECT_TRUE(Edit(true, Dlg::LocationType));
    EXPECT_TRUE(Edit(true, Dlg::ColorType));
    EXPECT_TRUE(Edit(true, Dlg::TimeLimitType));
    EXPECT_TRUE(experiment->IsModified());

    ASSERT_EQ(Variables().Size(), 3u);
    EXPECT_EQ(Rows(listView), "Where Ink Deadline");
    const struct
    {
        const char* name;
        int type;
        const char* levels;
    } expected[] = {
        {"Where", VariableType::Location, "Left=(-120, 45); Right=(300, 0)"},
        {"Ink", VariableType::Colour, "Red=#FF0000; Teal=#008080"},
        {"Deadline", VariableType::TimeLimit, "Level 1=200; Level 2=400"},
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].name);
        VTTrialVariable* variable = VariableAt(i);
        ASSERT_NE(variable, nullptr);
        EXPECT_EQ(variable->GetName(), expected[i].name);
        EXPECT_EQ(variable->GetVariable().GetType(), expected[i].type);
        EXPECT_EQ(Levels(variable->GetVariable()), expected[i].levels);
        EXPECT_EQ(variable->GetVariable().GetMethod(), LevelSelection::Sequential);
    }
}

// A new variable confirmed without a visit to the "Level Selection" tab is picked
// as that tab shows it: sequentially, a new level each trial, restarting after the
// last; the data model makes new variables so too. In a run its level changes
// from trial to trial.
TEST_F(TrialVariableEditor, NewVariableIsPickedAsTheLevelSelectionTabShows)
{
    DialogQueue dialogs;
    dialogs.Then([&](wxDialog& d) {
        EXPECT_EQ(Child<wxChoice>(&d, Dlg::ID_METHOD)->GetSelection(), LevelSelection::Sequential);
        wxWindow* page =
            Child<Orbisk::OrbiskChoiceBookWithHiddenCtrl>(&d, Dlg::ID_METHOD_BOOK)->GetPage(LevelSelection::Sequential);
        EXPECT_EQ(Child<wxChoice>(page, TLSPSequential::ID_SCOPE)->GetSelection(), LevelSelection::Trial);
        EXPECT_TRUE(Child<wxCheckBox>(page, TLSPSequential::ID_RESTART)->GetValue());
        Type(NameOf(d), "Deadline");
        Type(Numbers(d), "200, 400");
        Click(&d, wxID_OK);
    });
    EXPECT_TRUE(Edit(true, Dlg::TimeLimitType));
    ASSERT_EQ(Variables().Size(), 1u);
    const Orbisk::Var::Variable& made = VariableAt(0)->GetVariable();
    EXPECT_EQ(made.GetMethod(), LevelSelection::Sequential);
    EXPECT_EQ(made.GetScope(), LevelSelection::Trial);
    EXPECT_TRUE(made.GetFlag());

    for (int type : {VariableType::Location, VariableType::Colour, VariableType::TimeLimit}) {
        SCOPED_TRACE(type);
        std::unique_ptr<Orbisk::Var::Variable> fresh(Orbisk::Var::VarType::CreateNewVariable(type, "Fresh"));
        EXPECT_EQ(fresh->GetMethod(), LevelSelection::Sequential);
        EXPECT_EQ(fresh->GetScope(), LevelSelection::Trial);
        EXPECT_TRUE(fresh->GetFlag());
    }

    VTLevelSelector selector(made.GetMethod(), made.GetScope(), made.GetFlag(), made.GetLevels().size(),
                             VariableAt(0)->GetID());
    selector.StartRun({}, [](std::size_t) { return std::size_t(0); });
    selector.StartBlock();
    std::string levels;
    for (int trial = 0; trial < 3; ++trial) {
        selector.StartTrial();
        levels += char('A' + selector.GetCurrentLevel());
    }
    EXPECT_EQ(levels, "ABA");
}

// An existing variable is shown and stored with its own type, whatever type
// index the caller passed; editing its levels never changes its type.
TEST_F(TrialVariableEditor, EditingKeepsTheVariablesOwnType)
{
    const struct
    {
        int type;
        std::initializer_list<const char*> levels;
        int callerIndex;  // deliberately another type's
        const char* label;
        int page;
        const char* shown;  // rows, or the numbers text
        const char* stored;
    } cases[] = {
        {VariableType::TimeLimit,
         {"10", "20", "30"},
         Dlg::LocationType,
         "Time Limit",
         Dlg::TimeLimitType,
         "10,20,30",
         "Level 1=10; Level 2=20; Level 3=30; Level 4=40"},
        {VariableType::Location,
         {"(1, 2)", "(3, 4)"},
         Dlg::TimeLimitType,
         "Location on the Screen",
         Dlg::LocationType,
         "Level 1 Level 2",
         "Level 2=(3, 4)"},
        {VariableType::Colour,
         {"#FF0000", "#00FF00"},
         Dlg::LocationType,
         "Color",
         Dlg::ColorType,
         "Level 1 Level 2",
         "Level 2=#00FF00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        VTTrialVariable* variable = AddVariable(c.type, c.label, c.levels);
        Refill(int(Variables().Size()) - 1);
        DialogQueue dialogs;
        dialogs.Then([&](wxDialog& d) {
            EXPECT_EQ(TypeLabel(d), c.label);
            EXPECT_EQ(LevelsPage(d), c.page);
            if (c.type == VariableType::TimeLimit) {
                EXPECT_EQ(Numbers(d)->GetValue(), c.shown);
                Type(Numbers(d), "10,20,30,40");
            } else {
                const int pageId = c.type == VariableType::Location ? Dlg::ID_LOCATION_PAGE : Dlg::ID_COLOR_PAGE;
                VTSimpleListView* list = ListOn(d, pageId);
                EXPECT_EQ(Rows(list), c.shown);
                SelectRow(list, 0);
                Click(Page(d, pageId), Dlg::ID_DELETE);
            }
            Click(&d, wxID_OK);
        });
        EXPECT_TRUE(Edit(false, c.callerIndex));
        EXPECT_EQ(variable->GetVariable().GetType(), c.type);
        EXPECT_EQ(Levels(variable->GetVariable()), c.stored);
    }
}

// A type no value editor knows: the levels stay as they are, the rest is stored,
// and a warning says so.
TEST_F(TrialVariableEditor, UnknownTypeKeepsItsLevelsAndStoresTheRest)
{
    VTTrialVariable* variable = AddVariable(2002, "Odd", {"5", "6"});
    Refill(0);
    DialogQueue dialogs;
    dialogs.Then([&](wxDialog& d) {
        Type(Description(d), "kept levels");
        Pick(d.FindWindow(Dlg::ID_METHOD), LevelSelection::Manual);
        Click(&d, wxID_OK);
    });
    EXPECT_TRUE(Edit(false, Dlg::ColorType));
    EXPECT_EQ(variable->GetVariable().GetType(), 2002);
    EXPECT_EQ(Levels(variable->GetVariable()), "Level 1=5; Level 2=6");
    EXPECT_EQ(variable->GetVariable().GetMethod(), LevelSelection::Manual);
    EXPECT_EQ(variable->GetDescription(), "kept levels");
    EXPECT_TRUE(TestSupport::LogContains("unknown type (2002)", wxLOG_Warning)) << TestSupport::LogAsText();
}

// A time-limit piece that is not a 32-bit integer is refused before anything
// changes: a message, the Levels tab, the dialog still open. Fixed, OK stores.
TEST_F(TrialVariableEditor, RefusedTimeLimitKeepsTheDialogOpenOnTheLevelsTab)
{
    VTTrialVariable* variable = AddVariable(VariableType::TimeLimit, "Limit", {"1", "2"});
    variable->SetDescription("before");
    Refill(0);
    DialogQueue dialogs;
    dialogs.Then([&](wxDialog& d) {
        auto* notebook = Child<wxNotebook>(&d, Dlg::ID_NOTEBOOK);
        for (const char* bad : {"10,abc,20", "10,2147483648", "1.5", "0x10", "1 2"}) {
            SCOPED_TRACE(bad);
            TestSupport::ClearLog();
            Type(Numbers(d), bad);
            notebook->SetSelection(Dlg::OptionsTab);
            Type(Description(d), "after");
            Click(&d, wxID_OK);
            EXPECT_TRUE(d.IsShown());
            EXPECT_EQ(notebook->GetSelection(), Dlg::LevelsTab);
            EXPECT_TRUE(TestSupport::LogContains("is not a whole number", wxLOG_Message)) << TestSupport::LogAsText();
            EXPECT_EQ(Levels(variable->GetVariable()), "Level 1=1; Level 2=2");
            EXPECT_EQ(variable->GetDescription(), "before");
        }
        Type(Numbers(d), " 2147483647 ,, -5,");
        Click(&d, wxID_OK);
    });
    EXPECT_TRUE(Edit(false, Dlg::TimeLimitType));
    EXPECT_EQ(Levels(variable->GetVariable()), "Level 1=2147483647; Level 2=-5");
    EXPECT_EQ(variable->GetDescription(), "after");
}

// Location levels: names unique among the other levels (case counts), X and Y
// whole integers, editing in place, moving, deleting; Cancel of the editor keeps
// the variable's levels.
TEST_F(TrialVariableEditor, LocationListKeepsNamesUniqueAndItsOrder)
{
    VTTrialVariable* variable = AddVariable(VariableType::Location, "Spots", {"(1, 1)"});
    variable->GetVariable().GetLevels()[0]->SetName("A");
    Refill(0);
    DialogQueue dialogs;
    dialogs
        .Then([&](wxDialog& d) {
            wxWindow* page = Page(d, Dlg::ID_LOCATION_PAGE);
            VTSimpleListView* list = ListOn(d, Dlg::ID_LOCATION_PAGE);
            EXPECT_EQ(Rows(list), "A");
            Click(page, Dlg::ID_NEW);  // "a" at (7, -3)
            EXPECT_EQ(Rows(list), "A a");
            EXPECT_EQ(list->GetSelection(), 1);
            EXPECT_FALSE(EnabledNow(page->FindWindow(Dlg::ID_DOWN)));
            Click(page, Dlg::ID_UP);
            EXPECT_EQ(Rows(list), "a A");
            EXPECT_FALSE(EnabledNow(page->FindWindow(Dlg::ID_UP)));
            SelectRow(list, 1);
            Click(page, Dlg::ID_EDIT);  // "A" keeps its name, Y becomes 46
            EXPECT_EQ(Rows(list), "a A");
            Click(&d, wxID_CANCEL);
        })
        .Then([&](wxDialog& v) {
            auto* name = Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_NAME);
            auto* x = Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_X);
            wxWindow* ok = v.FindWindow(wxID_OK);
            EXPECT_FALSE(EnabledNow(ok));
            Type(name, "A");
            Type(x, "7");
            Type(Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_Y), "-3");
            EXPECT_FALSE(EnabledNow(ok)) << "another level's name";
            Type(name, "a");
            EXPECT_TRUE(EnabledNow(ok));
            for (const char* refused : {"1.5", "", "-", "1e3", "2147483648"}) {
                Type(x, refused);
                EXPECT_FALSE(EnabledNow(ok)) << refused;
            }
            Type(x, "-2147483648");
            EXPECT_TRUE(EnabledNow(ok));
            Type(x, "7");
            Click(ok);
        })
        .Then([&](wxDialog& v) {
            EXPECT_EQ(Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_NAME)->GetValue(), "A");
            EXPECT_EQ(Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_X)->GetValue(), "1");
            EXPECT_TRUE(EnabledNow(v.FindWindow(wxID_OK))) << "its own name";
            Type(Child<wxTextCtrl>(&v, VTEditLocationValueDlg::ID_Y), "46");
            Click(&v, wxID_OK);
        })
        .Then([&](wxDialog& d) {
            wxWindow* page = Page(d, Dlg::ID_LOCATION_PAGE);
            VTSimpleListView* list = ListOn(d, Dlg::ID_LOCATION_PAGE);
            Click(page, Dlg::ID_NEW);
            EXPECT_EQ(Rows(list), "A B");
            SelectRow(list, 1);
            Click(page, Dlg::ID_DELETE);
            EXPECT_EQ(Rows(list), "A");
            EXPECT_EQ(list->GetSelection(), 0);
            Click(page, Dlg::ID_DELETE);
            EXPECT_EQ(Rows(list), "");
            EXPECT_EQ(list->GetSelection(), -1);
            Click(page, Dlg::ID_NEW);
            Click(page, Dlg::ID_NEW);
            SelectRow(list, 0);
            Click(page, Dlg::ID_DOWN);
            EXPECT_EQ(Rows(list), "Far Near");
            Click(&d, wxID_OK);
        })
        .Then(EnterLocation("B", "0", "0"))
        .Then(EnterLocation("Near", "-120", "45"))
        .Then(EnterLocation("Far", "500", "-400"));
    EXPECT_FALSE(Edit(false, Dlg::LocationType));
    EXPECT_EQ(Levels(variable->GetVariable()), "A=(1, 1)");
    EXPECT_FALSE(experiment->IsModified());
    EXPECT_TRUE(Edit(false, Dlg::LocationType));
    EXPECT_EQ(Levels(variable->GetVariable()), "Far=(500, -400); Near=(-120, 45)");
}

// Colour levels: another level's name is refused, the level's own accepted; the
// picked colour is stored.
TEST_F(TrialVariableEditor, ColourListKeepsNamesUniqueAndStoresColours)
{
    VTTrialVariable* variable = AddVariable(VariableType::Colour, "Ink", {"#FF0000", "#0000FF"});
    variable->GetVariable().GetLevels()[0]->SetName("Red");
    variable->GetVariable().GetLevels()[1]->SetName("Blue");
    Refill(0);
    DialogQueue dialogs;
    dialogs
        .Then([&](wxDialog& d) {
            wxWindow* page = Page(d, Dlg::ID_COLOR_PAGE);
            VTSimpleListView* list = ListOn(d, Dlg::ID_COLOR_PAGE);
            EXPECT_EQ(Rows(list), "Red Blue");
            Click(page, Dlg::ID_NEW);  // refused name, then cancelled
            EXPECT_EQ(Rows(list), "Red Blue");
            SelectRow(list, 1);
            Click(page, Dlg::ID_EDIT);
            EXPECT_EQ(Rows(list), "Red Navy");
            Click(&d, wxID_OK);
        })
        .Then([&](wxDialog& v) {
            Type(Child<wxTextCtrl>(&v, VTEditColorValueDlg::ID_NAME), "Red");
            EXPECT_FALSE(EnabledNow(v.FindWindow(wxID_OK)));
            Type(Child<wxTextCtrl>(&v, VTEditColorValueDlg::ID_NAME), "");
            EXPECT_FALSE(EnabledNow(v.FindWindow(wxID_OK)));
            Click(&v, wxID_CANCEL);
        })
        .Then([&](wxDialog& v) {
            EXPECT_EQ(Child<wxTextCtrl>(&v, VTEditColorValueDlg::ID_NAME)->GetValue(), "Blue");
            EXPECT_EQ(Child<wxColourPickerCtrl>(&v, VTEditColorValueDlg::ID_PICKER)->GetColour(), wxColour(0, 0, 255));
            EXPECT_TRUE(EnabledNow(v.FindWindow(wxID_OK)));
            EnterColour("Navy", wxColour(0, 0, 128))(v);
        });
    EXPECT_TRUE(Edit(false, Dlg::LocationType));
    EXPECT_EQ(Levels(variable->GetVariable()), "Red=#FF0000; Navy=#000080");
    EXPECT_EQ(variable->GetVariable().GetType(), VariableType::Colour);
}

// The method choice shows its page; the page shown at OK writes its state, with
// its own method, and nothing else reaches the variable before OK.
TEST_F(TrialVariableEditor, ThePageShownAtOkWritesTheLevelSelection)
{
    VTTrialVariable* variable = AddVariable(VariableType::TimeLimit, "Limit", {"5"});
    variable->GetVariable().SetMethod(LevelSelection::Sequential);
    variable->GetVariable().SetScope(LevelSelection::ExperimentRun);
    variable->GetVariable().SetFlag(true);
    Refill(0);
    auto methodBook = [](wxDialog& d) {
        return Child<Orbisk::OrbiskChoiceBookWithHiddenCtrl>(&d, Dlg::ID_METHOD_BOOK);
    };
    DialogQueue dialogs;
    dialogs
        .Then([&](wxDialog& d) {
            EXPECT_EQ(Child<wxChoice>(&d, Dlg::ID_METHOD)->GetSelection(), LevelSelection::Sequential);
            Pick(d.FindWindow(Dlg::ID_METHOD), LevelSelection::Manual);
            EXPECT_EQ(methodBook(d)->GetSelection(), LevelSelection::Manual);
            EXPECT_EQ(variable->GetVariable().GetMethod(), LevelSelection::Sequential);
            Pick(d.FindWindow(Dlg::ID_METHOD), LevelSelection::Sequential);
            Click(&d, wxID_OK);
        })
        .Then([&](wxDialog& d) {
            // The other pages keep their creation state.
            Pick(d.FindWindow(Dlg::ID_METHOD), LevelSelection::RandomNoReplacement);
            Click(&d, wxID_OK);
        });
    EXPECT_TRUE(Edit(false, Dlg::TimeLimitType));
    EXPECT_EQ(variable->GetVariable().GetMethod(), LevelSelection::Sequential);
    EXPECT_EQ(variable->GetVariable().GetScope(), LevelSelection::ExperimentRun);
    EXPECT_TRUE(variable->GetVariable().GetFlag());
    EXPECT_TRUE(Edit(false, Dlg::TimeLimitType));
    EXPECT_EQ(variable->GetVariable().GetMethod(), LevelSelection::RandomNoReplacement);
    EXPECT_EQ(variable->GetVariable().GetScope(), LevelSelection::Trial);
    EXPECT_FALSE(variable->GetVariable().GetFlag());
}

// Every field the editor writes is in the saved document.
TEST_F(TrialVariableEditor, EverythingEditedSurvivesSaveAndReload)
{
    DialogQueue dialogs;
    dialogs
        .Then([&](wxDialog& d) {
            Type(NameOf(d), "Spot");
            Click(Page(d, Dlg::ID_LOCATION_PAGE), Dlg::ID_NEW);
            Pick(d.FindWindow(Dlg::ID_METHOD), LevelSelection::RandomNoReplacement);
            wxWindow* page = d.FindWindow(Dlg::ID_RAND_NO_REPL_PAGE);
            Pick(page->FindWindow(10176), 1);  // "Randomize again" on a feedback repeat
            Child<wxCheckBox>(page, 10175)->SetValue(true);
            EXPECT_TRUE(Child<wxCheckBox>(&d, Dlg::ID_SAVE_TO_DATA)->GetValue());
            Child<wxCheckBox>(&d, Dlg::ID_SAVE_TO_DATA)->SetValue(false);
            Type(Description(d), "Where the target appears");
            Click(&d, wxID_OK);
        })
        .Then(EnterLocation("Up", "0", "-200"));
    ASSERT_TRUE(Edit(true, Dlg::LocationType));

    std::unique_ptr<VTExperiment> reloaded = SaveAndReload();
    VTElementsList& variables = reloaded->GetElementsOfType(ElementType::TrialVariable);
    ASSERT_EQ(variables.Size(), 1u);
    auto* again = dynamic_cast<VTTrialVariable*>(variables[0]);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetName(), "Spot");
    EXPECT_EQ(again->GetVariable().GetType(), VariableType::Location);
    EXPECT_EQ(Levels(again->GetVariable()), "Up=(0, -200)");
    EXPECT_EQ(again->GetVariable().GetMethod(), LevelSelection::RandomNoReplacement);
    EXPECT_EQ(again->GetVariable().GetScope(), LevelSelection::TrialAndFeedbackRepeat);
    EXPECT_TRUE(again->GetVariable().GetFlag());
    EXPECT_FALSE(again->GetSaveToDataFlag());
    EXPECT_EQ(again->GetDescription(), "Where the target appears");
}

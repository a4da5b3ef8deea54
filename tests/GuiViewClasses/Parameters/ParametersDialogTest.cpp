// The parameters dialog, shown modally and worked as a user does: parameters of each
// type created, renamed (a taken name refused), checked, deleted; the name filter for
// typed and pasted text; "Done" held back while the panel's values are refused.

#include "DialogQueue.h"
#include "TestSupport.h"

#include <GuiViewClasses/Parameters/ParamEditPanels.h>
#include <GuiViewClasses/Parameters/ParametersDialog.h>
#include <Resources/BitmapRsrc.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/MetaTFPredicate.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTRule.h>
#include <VTRuntime/DynamicRuntimeEnvironment.h>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/htmllbox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <climits>
#include <functional>
#include <memory>

using namespace Vantrel;
using Dlg = ParametersDialog;

namespace {

void Settle(wxWindow* window)
{
    wxTheApp->ProcessIdle();
    TestSupport::PumpFor(60);
    if (window) window->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    wxTheApp->ProcessIdle();
}

template <class T>
T* Child(wxWindow* parent, int id)
{
    T* found = dynamic_cast<T*>(parent->FindWindow(id));
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}

Dlg& Of(wxDialog& d) { return dynamic_cast<Dlg&>(d); }
wxSimpleHtmlListBox* List(wxDialog& d) { return Child<wxSimpleHtmlListBox>(&d, Dlg::ID_LIST); }
int Page(wxDialog& d) { return Child<Orbisk::OrbiskChoiceBookWithHiddenCtrl>(&d, Dlg::ID_BOOK)->GetSelection(); }
bool DeleteEnabled(wxDialog& d)
{
    Settle(&d);
    return Child<wxBitmapButton>(&d, Dlg::ID_DELETE)->IsEnabled();
}

// "A B* C": the rows as markup, the selected one starred.
wxString Rows(wxDialog& d)
{
    Settle(&d);
    wxString out;
    for (unsigned row = 0; row < List(d)->GetCount(); ++row)
        out << (row ? " " : "") << List(d)->GetString(row) << (int(row) == List(d)->GetSelection() ? "*" : "");
    return out;
}

// A pick in the create button's menu, as it arrives from the menu.
void Create(wxDialog& d, int menuIndex)
{
    auto* button = Child<DropdownButton>(&d, Dlg::ID_CREATE);
    wxCommandEvent pick(wxEVT_MENU, Of(d).GetMenuItemId(menuIndex));
    pick.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(pick);
    Settle(&d);
}

void SelectRow(wxDialog& d, int row)
{
    List(d)->SetSelection(row);
    wxCommandEvent select(wxEVT_LISTBOX, Dlg::ID_LIST);
    select.SetEventObject(List(d));
    select.SetInt(row);
    List(d)->ProcessWindowEvent(select);
    Settle(&d);
}

void Click(wxDialog& d, int id)
{
    wxWindow* window = d.FindWindow(id);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(TestSupport::PumpUntil(
        [&] {
            d.UpdateWindowUI(wxUPDATE_UI_RECURSE);
            return window->IsShownOnScreen() && window->IsEnabled();
        },
        3000))
        << "control " << id << " is not offered";
    TestSupport::ClickWindow(window);
    Settle(&d);
}

wxTextCtrl* NameField(wxDialog& d) { return Of(d).GetCurrentPanel()->GetNameField(); }

// Replaces the field's text as typing over it does (one text event).
void Type(wxTextCtrl* field, const wxString& text)
{
    ASSERT_NE(field, nullptr);
    field->SetFocus();
    field->SetValue(text);
    Settle(wxGetTopLevelParent(field));
}

wxString ErrorsLogged()
{
    wxString out;
    for (const auto& record : TestSupport::RecordedLog())
        if (record.level == wxLOG_Error) out << record.text << "\n";
    return out;
}

class ParametersDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { wxInitAllImageHandlers(); }
    void SetUp() override
    {
        TestSupport::ClearLog();
        experiment = std::make_unique<VTExperiment>();
    }
    void TearDown() override
    {
        VTDeletionMgr::SetAnswerer(nullptr);
        DynamicRuntimeEnvironment::SetBuiltInParamNamesForTesting({});
    }

    void Add(const wxString& name, int type)
    {
        ASSERT_TRUE(experiment->GetParameters()->AddNewItem(OrderFormForParameterCreation(name, type)));
        experiment->Modify(false);
    }
    OrderFormForParameterCreation At(unsigned i) { return experiment->GetParameters()->ItemDataAtIndex(i); }
    std::vector<wxString> Names() { return experiment->GetParameters()->GetVisibleParamNamesVector(); }

    // Shows the dialog modally; `script` works it and must close it. The dialog's
    // result, -1 when it did not close through "Done".
    int Run(std::function<void(wxDialog&)> script, DialogQueue* queue = nullptr)
    {
        DialogQueue own;
        DialogQueue& dialogs = queue ? *queue : own;
        dialogs.Then(script);
        auto* dialog = new Dlg(experiment.get(), nullptr, wxID_ANY, "Parameters", wxDefaultPosition, wxSize(620, 440));
        const int result = dialog->ShowModal();
        dialog->Destroy();
        return result;
    }

    std::unique_ptr<VTExperiment> experiment;
};

}  // namespace

TEST_F(ParametersDialogTest, OpensOnTheFirstParameterOrOnTheHintWithoutAny)
{
    EXPECT_EQ(Run([](wxDialog& d) {
                  EXPECT_EQ(Page(d), Dlg::PageNone);
                  EXPECT_EQ(Rows(d), "");
                  EXPECT_FALSE(DeleteEnabled(d));
                  Click(d, wxID_CANCEL);
              }),
              wxID_CANCEL);
    Add("Score", ParameterType::Counter);
    Add("Note", ParameterType::Text);
    Run([](wxDialog& d) {
        EXPECT_EQ(Page(d), Dlg::PageCounter);
        EXPECT_EQ(Rows(d), "Score* Note");
        EXPECT_EQ(NameField(d)->GetValue(), "Score");
        EXPECT_TRUE(DeleteEnabled(d));
        Click(d, wxID_CANCEL);
    });
    EXPECT_FALSE(experiment->IsModified());  // looking changes nothing
}

TEST_F(ParametersDialogTest, CreatesEachTypeWithNumberedNamesSelectedForTyping)
{
    Run([&](wxDialog& d) {
        // Text, text again, counter, response, collection, timer.
        for (int item : {0, 0, 1, 2, 4}) Create(d, item);
        EXPECT_EQ(Page(d), Dlg::PageCollection);
        Create(d, 3);
        EXPECT_EQ(Page(d), Dlg::PageTimer);
        long from = 0, to = 0;
        NameField(d)->GetSelection(&from, &to);
        EXPECT_EQ(to - from, long(NameField(d)->GetValue().length())) << "the new name is selected";
        Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(Names(), (std::vector<wxString>{"Untitled Text Parameter", "Untitled Text Parameter1",
                                              "Untitled Counter Parameter", "Untitled Response Parameter",
                                              "Untitled Collection Parameter", "Untitled Timer Parameter"}));
    EXPECT_EQ(At(0).type, ParameterType::Text);
    EXPECT_EQ(At(2).type, ParameterType::Counter);
    EXPECT_EQ(At(3).type, ParameterType::Response);
    EXPECT_EQ(At(4).type, ParameterType::Collection);
    EXPECT_EQ(At(5).type, ParameterType::Timer);
    EXPECT_TRUE(experiment->IsModified());
}

TEST_F(ParametersDialogTest, RenamingRefusesATakenNameAndCarriesTheRulesAlong)
{
    Add("Score", ParameterType::Counter);
    Add("Note", ParameterType::Text);
    OrderFormForActionCreation increment;
    increment.actionType = RuleCode::ActionParameter;
    increment.operation = RuleCode::ParamIncrementCounter;
    increment.parameterType = ParameterType::Counter;
    increment.parameterName = "Score";
    increment.number = 1;
    VTRule* rule = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(
        "Count", experiment.get(), VTRule::kKindTrials, boost::make_shared<MetaTFPredicate>(), false, false);
    rule->ReplaceActionsWithNewList(ActionFactory::MakeActionListFromOrderForms(experiment.get(), {increment}, "", 1));
    experiment->Modify(false);

    Run([&](wxDialog& d) {
        Type(NameField(d), "Note");
        EXPECT_EQ(Rows(d), "Note* Note");  // the row follows the typing
        TestSupport::ClearLog();
        SelectRow(d, 1);
        EXPECT_EQ(ErrorsLogged(), "A parameter with this name already exists! Please choose a different one.\n");
        EXPECT_EQ(Rows(d), "Note* Note") << "the user stays on the parameter in error";
        EXPECT_EQ(NameField(d)->GetValue(), "Note") << "with what was typed";
        EXPECT_EQ(Names(), (std::vector<wxString>{"Score", "Note"}));
        Type(NameField(d), "");
        EXPECT_EQ(Rows(d), "(empty)* Note");
        Type(NameField(d), "Points  ");
        SelectRow(d, 1);
        EXPECT_EQ(Rows(d), "Points Note*");
        Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(Names(), (std::vector<wxString>{"Points", "Note"}));  // trailing blanks trimmed
    EXPECT_EQ(rule->GetActions().GetForms().at(0).parameterName, "Points");
    EXPECT_TRUE(experiment->IsModified());
}

TEST_F(ParametersDialogTest, CounterChecksGiveTheirMessagesInOrderAndHoldDone)
{
    Add("Score", ParameterType::Counter);
    bool stayed = false;
    Run([&](wxDialog& d) {
        auto* panel = dynamic_cast<CounterParamEditPanel*>(Of(d).GetCurrentPanel());
        ASSERT_NE(panel, nullptr);
        Child<wxCheckBox>(panel, CounterParamEditPanel::ID_HAS_MIN)->SetValue(true);
        Child<wxCheckBox>(panel, CounterParamEditPanel::ID_HAS_MAX)->SetValue(true);
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_MIN), "5");
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_INITIAL), "3");
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_MAX), "2");
        TestSupport::ClearLog();
        Click(d, wxID_CANCEL);
        stayed = d.IsShown();
        EXPECT_EQ(ErrorsLogged(),
                  "Initial value cannot be smaller than minimum!\nInitial value cannot be larger than maximum!\n"
                  "Maximum value must be larger than minimum value!\nUnable to commit changes to "
                  "currently-selected parameter.\n");
        EXPECT_EQ(At(0), OrderFormForParameterCreation("Score", ParameterType::Counter)) << "nothing stored";
        // Equal limits are refused on their own.
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_MIN), "3");
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_MAX), "3");
        TestSupport::ClearLog();
        Click(d, wxID_CANCEL);
        EXPECT_EQ(ErrorsLogged(), "Maximum value must be larger than minimum value!\nUnable to commit changes to "
                                  "currently-selected parameter.\n");
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_MAX), "99999999999");
        Click(d, wxID_CANCEL);
    });
    EXPECT_TRUE(stayed) << "Done is held while the values are refused";
    const OrderFormForParameterCreation stored = At(0);
    EXPECT_TRUE(stored.hasMin && stored.hasMax);
    EXPECT_EQ(stored.min, 3);
    EXPECT_EQ(stored.initialValue, 3);
    EXPECT_EQ(stored.max, INT_MAX);  // beyond the range: its end
}

TEST_F(ParametersDialogTest, BlankAndReservedNamesHoldDone)
{
    DynamicRuntimeEnvironment::SetBuiltInParamNamesForTesting([] { return std::vector<wxString>{"Trial"}; });
    Add("Note", ParameterType::Text);
    int shownAfterBlank = 0, shownAfterReserved = 0;
    Run([&](wxDialog& d) {
        Type(NameField(d), "   ");
        TestSupport::ClearLog();
        Click(d, wxID_CANCEL);
        shownAfterBlank = d.IsShown();
        EXPECT_EQ(ErrorsLogged(), "A parameter name must have at least one non-whitespace character in it.\n"
                                  "Unable to commit changes to currently-selected parameter.\n");
        // The close box goes the way of "Done".
        d.Close();
        Settle(&d);
        EXPECT_TRUE(d.IsShown());
        Type(NameField(d), "Trial");
        TestSupport::ClearLog();
        Click(d, wxID_CANCEL);
        shownAfterReserved = d.IsShown();
        EXPECT_EQ(ErrorsLogged(), "Sorry, but this name is reserved for Vantrel use.\nUnable to commit changes to "
                                  "currently-selected parameter.\n");
        Type(NameField(d), "  Trial two");
        Click(d, wxID_CANCEL);
    });
    EXPECT_TRUE(shownAfterBlank && shownAfterReserved);
    EXPECT_EQ(Names(), std::vector<wxString>{"  Trial two"});  // leading blanks stay
    // The real reserved names are the data file's own columns.
    DynamicRuntimeEnvironment::SetBuiltInParamNamesForTesting({});
    const std::vector<wxString> reserved = DynamicRuntimeEnvironment::GetVectorOfBuiltInParamNames();
    EXPECT_NE(std::find(reserved.begin(), reserved.end(), "Block"), reserved.end());
}

TEST_F(ParametersDialogTest, BarredCharactersCannotBeTypedOrPastedAndNamesShowAsText)
{
    Add("Note", ParameterType::Text);
    // A document may hold a name the dialog would not let anyone type.
    ASSERT_TRUE(experiment->GetParameters()->AddNewItem(OrderFormForParameterCreation("<b>bold</b> & co", 2104)));
    Run([&](wxDialog& d) {
        EXPECT_EQ(List(d)->GetString(1), "&lt;b&gt;bold&lt;/b&gt;&nbsp;&amp;&nbsp;co");
        wxTextCtrl* field = NameField(d);
        field->SetFocus();
        field->SetInsertionPointEnd();
        Settle(&d);
        // Keys typed for real: none of the barred characters gets in.
        wxUIActionSimulator typing;
        typing.Text("x1 a");
        typing.Text(ParamEditPanelBase::BarredNameCharacters().utf8_str());
        typing.Text("Z");
        Settle(&d);
        EXPECT_EQ(field->GetValue(), "Notex1 aZ");
        field->WriteText("x/y?z");  // pasted text passes the typing filter
        Settle(&d);
        EXPECT_EQ(field->GetValue(), "Notex1 aZxyz");
        EXPECT_EQ(List(d)->GetString(0), "Notex1&nbsp;aZxyz");
        Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(At(0).name, "Notex1 aZxyz");
    EXPECT_EQ(ParamEditPanelBase::BarredNameCharacters().length(), 31u);
}

TEST_F(ParametersDialogTest, DeleteRemovesTheSelectedRowOnlyAfterTheQuestion)
{
    Add("A", ParameterType::Counter);
    Add("B", ParameterType::Timer);
    Add("C", ParameterType::Response);
    std::vector<wxString> asked;
    bool agree = false;
    VTDeletionMgr::SetAnswerer([&](wxWindow*, const wxString& q) {
        asked.push_back(q);
        return agree;
    });
    Run([&](wxDialog& d) {
        SelectRow(d, 2);
        Click(d, Dlg::ID_DELETE);
        EXPECT_EQ(Rows(d), "A B C*") << "answered no";
        agree = true;
        Click(d, Dlg::ID_DELETE);
        EXPECT_EQ(Rows(d), "A B*") << "the new last row";
        EXPECT_EQ(Page(d), Dlg::PageTimer);
        // Typed edits of another row are committed before it changes.
        SelectRow(d, 0);
        Type(NameField(d), "Alpha");
        SelectRow(d, 1);
        Click(d, Dlg::ID_DELETE);
        EXPECT_EQ(Rows(d), "Alpha*");
        Click(d, Dlg::ID_DELETE);
        EXPECT_EQ(Rows(d), "");
        EXPECT_EQ(Page(d), Dlg::PageNone);
        EXPECT_FALSE(DeleteEnabled(d));
        Click(d, wxID_CANCEL);
    });
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_NE(asked[0].Find("\"C\""), wxNOT_FOUND);
    EXPECT_NE(asked[2].Find("\"B\""), wxNOT_FOUND);
    EXPECT_TRUE(Names().empty());
}

TEST_F(ParametersDialogTest, DeselectingCommitsWhatWasTypedAndTheHintPanelWritesNothing)
{
    Add("A", ParameterType::Response);
    Run([&](wxDialog& d) {
        Type(NameField(d), "Answer");
        SelectRow(d, wxNOT_FOUND);
        EXPECT_EQ(Page(d), Dlg::PageNone);
        EXPECT_EQ(Names(), std::vector<wxString>{"Answer"});
        EXPECT_FALSE(DeleteEnabled(d)) << "nothing selected, nothing to delete";
        // A commit from the hint panel changes nothing.
        EXPECT_TRUE(Of(d).MutateCurrentParameter());
        EXPECT_EQ(Names(), std::vector<wxString>{"Answer"});
        // A refused commit keeps the row selected.
        SelectRow(d, 0);
        Type(NameField(d), " ");
        SelectRow(d, wxNOT_FOUND);
        EXPECT_EQ(List(d)->GetSelection(), 0);
        Type(NameField(d), "Answer");
        Click(d, wxID_CANCEL);
    });
}

TEST_F(ParametersDialogTest, EachPanelShowsItsRecordAndStoresWhatWasTyped)
{
    OrderFormForParameterCreation counter("Score", ParameterType::Counter);
    counter.initialValue = -4;
    counter.min = 7;
    counter.max = 9;
    counter.description = "points";
    ASSERT_TRUE(experiment->GetParameters()->AddNewItem(counter));
    Add("Note", ParameterType::Text);
    Add("Clock", ParameterType::Timer);
    Run([&](wxDialog& d) {
        auto* panel = Of(d).GetCurrentPanel();
        EXPECT_EQ(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_INITIAL)->GetValue(), "-4");
        EXPECT_EQ(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_MIN)->GetValue(), "7");
        EXPECT_FALSE(Child<wxCheckBox>(panel, CounterParamEditPanel::ID_HAS_MIN)->GetValue());
        EXPECT_EQ(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_DESCRIPTION)->GetValue(), "points");
        // Without their boxes the limits are no check, and are stored as typed.
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_MAX), "-20");
        Type(Child<wxTextCtrl>(panel, CounterParamEditPanel::ID_INITIAL), "12E5");
        SelectRow(d, 1);
        panel = Of(d).GetCurrentPanel();
        Type(Child<wxTextCtrl>(panel, TextParamEditPanel::ID_INITIAL_TEXT), "  two  words ");
        Child<wxCheckBox>(panel, TextParamEditPanel::ID_SAVE)->SetValue(false);
        Type(Child<wxTextCtrl>(panel, TextParamEditPanel::ID_DESCRIPTION), "what they said");
        SelectRow(d, 2);
        EXPECT_EQ(Page(d), Dlg::PageTimer);
        Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(At(0).initialValue, 12);
    EXPECT_EQ(At(0).max, -20);
    EXPECT_FALSE(At(0).hasMax);
    EXPECT_EQ(At(1).text, "  two  words ");
    EXPECT_FALSE(At(1).saveToDataFile);
    EXPECT_EQ(At(1).description, "what they said");
    EXPECT_EQ(At(2), OrderFormForParameterCreation("Clock", ParameterType::Timer));
}

TEST_F(ParametersDialogTest, ACollectionShowsItsSizeLimitAndStoresWhatWasTyped)
{
    OrderFormForParameterCreation limited("Recent", ParameterType::Collection);
    limited.sizeLimit = 10;
    ASSERT_TRUE(experiment->GetParameters()->AddNewItem(limited));
    Add("Pool", ParameterType::Collection);
    ASSERT_EQ(At(1).sizeLimit, -1);
    Run([&](wxDialog& d) {
        EXPECT_EQ(Page(d), Dlg::PageCollection);
        auto* panel = Of(d).GetCurrentPanel();
        EXPECT_TRUE(Child<wxCheckBox>(panel, CollOfTrialsEditPanel::ID_HAS_LIMIT)->GetValue());
        EXPECT_EQ(Child<wxTextCtrl>(panel, CollOfTrialsEditPanel::ID_LIMIT)->GetValue(), "10");
        Type(Child<wxTextCtrl>(panel, CollOfTrialsEditPanel::ID_LIMIT), "25");
        Type(Child<wxTextCtrl>(panel, CollOfTrialsEditPanel::ID_DESCRIPTION), "the last trials");
        SelectRow(d, 1);
        panel = Of(d).GetCurrentPanel();
        // No limit: the box is clear and the field suggests 20.
        EXPECT_FALSE(Child<wxCheckBox>(panel, CollOfTrialsEditPanel::ID_HAS_LIMIT)->GetValue());
        EXPECT_EQ(Child<wxTextCtrl>(panel, CollOfTrialsEditPanel::ID_LIMIT)->GetValue(), "20");
        Type(Child<wxTextCtrl>(panel, CollOfTrialsEditPanel::ID_LIMIT), "7");
        SelectRow(d, 0);
        panel = Of(d).GetCurrentPanel();
        EXPECT_EQ(Child<wxTextCtrl>(panel, CollOfTrialsEditPanel::ID_LIMIT)->GetValue(), "25");
        // Ticked with nothing typed: stored as typed, 0.
        Child<wxCheckBox>(panel, CollOfTrialsEditPanel::ID_HAS_LIMIT)->SetValue(true);
        Type(Child<wxTextCtrl>(panel, CollOfTrialsEditPanel::ID_LIMIT), "");
        Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(At(0).sizeLimit, 0);
    EXPECT_EQ(At(0).description, "the last trials");
    EXPECT_EQ(At(1).sizeLimit, -1) << "a limit typed without its box is no limit";
}

TEST_F(ParametersDialogTest, ALockedExperimentIsShownButNotChanged)
{
    Add("Score", ParameterType::Counter);
    experiment->SetLocked(true, "Locked for the test.");
    VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return true; });
    EXPECT_EQ(Run([&](wxDialog& d) {
                  Create(d, 0);
                  EXPECT_EQ(Rows(d), "Score*");
                  Click(d, Dlg::ID_DELETE);
                  EXPECT_EQ(Rows(d), "Score*");
                  Type(NameField(d), "Points");
                  TestSupport::ClearLog();
                  Click(d, wxID_CANCEL);  // the user is not held: the edit goes
                  EXPECT_EQ(ErrorsLogged(), "Locked for the test.\n");
              }),
              wxID_CANCEL);
    EXPECT_EQ(Names(), std::vector<wxString>{"Score"});
    EXPECT_FALSE(experiment->IsModified());
}

TEST(ParamNumbers, AreReadWithoutEverOverflowing)
{
    const struct
    {
        const char* text;
        std::int32_t value;
    } cases[] = {{"", 0},
                 {"12E5", 12},
                 {"-7", -7},
                 {"  42x", 42},
                 {"+5", 5},
                 {"abc", 0},
                 {"2147483647", INT_MAX},
                 {"2147483648", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"-99999999999999999999999", INT_MIN},
                 {"- 3", 0}};
    for (const auto& c : cases) EXPECT_EQ(ParamEditPanelBase::ReadNumber(c.text), c.value) << c.text;
}

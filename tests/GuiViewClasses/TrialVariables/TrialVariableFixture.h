#pragma once
// What the trial variable suites share: an experiment with a host frame and a
// list view of its trial variables, a way to reach the controls of the editors
// by id, real clicks, and a save-and-reload round trip.

#include "DialogQueue.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTTrialVariable.h>

#include <gtest/gtest.h>
#include <wx/dialog.h>

#include <initializer_list>
#include <memory>

class wxFrame;
class wxTextCtrl;

namespace Vantrel {
class VTSimpleListView;
}

namespace TrialVariableTesting {

// Lets pending events, idle handlers and update-UI handlers run.
void Settle(wxWindow* window = nullptr);
// The descendant of `parent` with that id, of type T; fails the test when missing.
template <class T>
T* Child(wxWindow* parent, int id)
{
    T* found = dynamic_cast<T*>(parent->FindWindow(id));
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}
// Clicks the window once it is shown and enabled; fails the test when it never is.
void Click(wxWindow* window);
// Clicks the control with that id inside `parent`.
void Click(wxWindow* parent, int id);
// True when the window is enabled after the update-UI handlers have run.
bool EnabledNow(wxWindow* window);
// Types `text` into the control as the user would replace its contents.
void Type(wxTextCtrl* text, const wxString& value);
// Selects an item of a choice and sends the selection event a user's pick sends.
void Pick(wxWindow* choice, int item);

// "name=text; name=text": a variable's levels in order.
wxString Levels(const Orbisk::Var::Variable& variable);

class TrialVariableFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A variable of that type and name with levels read from their texts.
    Vantrel::VTTrialVariable* AddVariable(int type, const wxString& name,
                                          std::initializer_list<const char*> levelTexts = {});
    Vantrel::VTElementsList& Variables();
    Vantrel::VTTrialVariable* VariableAt(size_t index);
    // The list view shows the experiment's variables; `selected` is selected.
    void Refill(int selected = -1);
    // Opens the trial variable editor through its launcher on the list view.
    bool Edit(bool isNew, int typeIndex);
    // Saves the experiment and opens the file again.
    std::unique_ptr<Vantrel::VTExperiment> SaveAndReload();

    std::unique_ptr<Vantrel::VTExperiment> experiment;
    wxFrame* host = nullptr;
    Vantrel::VTSimpleListView* listView = nullptr;
};

}  // namespace TrialVariableTesting

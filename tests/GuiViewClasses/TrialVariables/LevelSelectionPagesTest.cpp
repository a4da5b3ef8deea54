// The four level-selection pages: what each shows for a stored scope and flag,
// and what it writes back, as one table; the feedback choice of the
// random-without-replacement page follows the scope the user picks.
#include "TrialVariableFixture.h"

#include <GuiViewClasses/TrialVariables/TLSPManual.h>
#include <GuiViewClasses/TrialVariables/TLSPRandNoRepl.h>
#include <GuiViewClasses/TrialVariables/TLSPRandWithRepl.h>
#include <GuiViewClasses/TrialVariables/TLSPSequential.h>
#include <VTCore/OrbiskVar.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>

#include <memory>

using namespace TrialVariableTesting;
using namespace LevelSelection;

namespace {

// What a page shows, as the user reads it: "scope|feedback(on/off)|flag" for the
// choice pages, "radio|flag" for the others ("-" where a page has no control).
wxString Shown(wxWindow* page)
{
    wxString out;
    if (auto* scope = dynamic_cast<wxChoice*>(page->FindWindow(10011))) out << scope->GetStringSelection();
    for (wxWindow* child : page->GetChildren())
        if (auto* radio = dynamic_cast<wxRadioButton*>(child))
            if (radio->GetValue()) out << radio->GetLabel();
    if (auto* feedback = dynamic_cast<wxChoice*>(page->FindWindow(TLSPRandNoRepl::ID_FEEDBACK)))
        out << "|" << feedback->GetStringSelection() << (feedback->IsEnabled() ? "(on)" : "(off)");
    wxCheckBox* flag = dynamic_cast<wxCheckBox*>(page->FindWindow(10175));
    if (!flag) flag = dynamic_cast<wxCheckBox*>(page->FindWindow(TLSPManual::ID_WRAPAROUND));
    out << "|" << (flag ? (flag->GetValue() ? "1" : "0") : "-");
    return out;
}

class LevelSelectionPages : public TrialVariableFixture
{
protected:
    // A fresh page of that method in the host frame.
    TLSPBase* MakePage(int method)
    {
        TLSPBase* page = nullptr;
        switch (method) {
            case Sequential: page = new TLSPSequential(host, wxID_ANY); break;
            case RandomNoReplacement: page = new TLSPRandNoRepl(host, wxID_ANY); break;
            case RandomWithReplacement: page = new TLSPRandWithRepl(host, wxID_ANY); break;
            default: page = new TLSPManual(host, wxID_ANY); break;
        }
        page->SetSize(host->GetClientSize());
        Settle();
        return page;
    }
};

TEST_F(LevelSelectionPages, EachPageShowsAndWritesTheSettingsAsTheTableSays)
{
    const struct
    {
        int method;
        int scope;
        bool flag;
        const char* shown;
        int storedScope;
        bool storedFlag;
    } cases[] = {
        {Sequential, NewGroup, false, "A new group (between subjects)|0", NewGroup, false},
        {Sequential, Block, true, "Each block|1", Block, true},
        {Sequential, Trial, false, "Each trial|0", Trial, false},
        {RandomNoReplacement, TrialAndFeedbackRepeat, true, "Each trial|Randomize again(on)|1", TrialAndFeedbackRepeat,
         true},
        {RandomNoReplacement, Trial, false, "Each trial|Do not randomize again(on)|0", Trial, false},
        {RandomNoReplacement, ExperimentRun, true, "Each experiment (within subjects)|Do not randomize again(off)|1",
         ExperimentRun, true},
        {RandomNoReplacement, NewGroup, false, "A new group (between subjects)|Do not randomize again(off)|0", NewGroup,
         false},
        // Random with replacement shows no flag and leaves the stored one alone.
        {RandomWithReplacement, NewGroup, true, "Once per group of participants|-", NewGroup, true},
        {RandomWithReplacement, ExperimentRun, false, "For each experiment run|-", ExperimentRun, false},
        {RandomWithReplacement, Block, true, "For each experiment run|-", ExperimentRun, true},
        {RandomWithReplacement, TrialAndFeedbackRepeat, false, "For each experiment run|-", ExperimentRun, false},
        {Manual, NewGroup, true, "Once per group of participants|1", NewGroup, true},
        {Manual, Trial, false, "For each experiment run|0", ExperimentRun, false},
        {Manual, TrialAndFeedbackRepeat, true, "For each experiment run|1", ExperimentRun, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << c.method << " scope " << c.scope << " flag " << c.flag);
        TLSPBase* page = MakePage(c.method);
        Orbisk::Var::Variable variable(2001, "v");
        variable.SetMethod(c.method);
        variable.SetScope(c.scope);
        variable.SetFlag(c.flag);
        page->SetGuiBasedOnVariable(&variable);
        EXPECT_EQ(Shown(page), c.shown);
        EXPECT_EQ(variable.GetScope(), c.scope) << "loading writes nothing";

        // The page writes its method over whatever the variable held.
        variable.SetMethod(c.method == Manual ? Sequential : Manual);
        page->CommitGuiStateToVariable(&variable);
        EXPECT_EQ(variable.GetMethod(), c.method);
        EXPECT_EQ(variable.GetScope(), c.storedScope);
        EXPECT_EQ(variable.GetFlag(), c.storedFlag);
        page->Destroy();
    }
}

// What a page shows before any variable was loaded, and writes from there.
TEST_F(LevelSelectionPages, CreationStateIsWhatAnUnloadedPageWrites)
{
    const struct
    {
        int method;
        const char* shown;
        int scope;
        bool flag;  // written, except by random with replacement
    } cases[] = {
        {Sequential, "Each trial|1", Trial, true},
        {RandomNoReplacement, "Each trial|Do not randomize again(on)|0", Trial, false},
        {RandomWithReplacement, "For each experiment run|-", ExperimentRun, true},
        {Manual, "For each experiment run|0", ExperimentRun, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        TLSPBase* page = MakePage(c.method);
        EXPECT_EQ(Shown(page), c.shown);
        Orbisk::Var::Variable variable(2001, "v");
        variable.SetScope(NewGroup);
        variable.SetFlag(true);
        page->CommitGuiStateToVariable(&variable);
        EXPECT_EQ(variable.GetScope(), c.scope);
        EXPECT_EQ(variable.GetFlag(), c.flag);
        page->Destroy();
    }
}

// Picking another scope disables the feedback choice at once; picking "Each
// trial" again brings it back with its earlier selection.
TEST_F(LevelSelectionPages, FeedbackChoiceFollowsThePickedScope)
{
    auto* page = static_cast<TLSPRandNoRepl*>(MakePage(RandomNoReplacement));
    Orbisk::Var::Variable variable(2001, "v");
    variable.SetScope(TrialAndFeedbackRepeat);
    variable.SetFlag(false);
    page->SetGuiBasedOnVariable(&variable);
    Pick(page->FindWindow(TLSPRandNoRepl::ID_SCOPE), Block);
    EXPECT_EQ(Shown(page), "Each block|Randomize again(off)|0");
    page->CommitGuiStateToVariable(&variable);
    EXPECT_EQ(variable.GetScope(), Block) << "the feedback choice is ignored for other scopes";
    Pick(page->FindWindow(TLSPRandNoRepl::ID_SCOPE), Trial);
    EXPECT_EQ(Shown(page), "Each trial|Randomize again(on)|0");
    page->CommitGuiStateToVariable(&variable);
    EXPECT_EQ(variable.GetScope(), TrialAndFeedbackRepeat);
    page->Destroy();
}

// The pages are made by their class names, as a resource would make them.
TEST_F(LevelSelectionPages, PagesAreCreatableByClassName)
{
    for (const char* name : {"TLSPSequential", "TLSPRandNoRepl", "TLSPRandWithRepl", "TLSPManual"}) {
        std::unique_ptr<wxObject> object(wxCreateDynamicObject(name));
        EXPECT_NE(dynamic_cast<TLSPBase*>(object.get()), nullptr) << name;
    }
}

}  // namespace

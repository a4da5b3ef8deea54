// Choosing an experiment's input devices: the launch helper over the real
// plug-in manager with the q-node and the test input plug-ins, and the
// input-selection dialog driven as a user would.
#include "AppMain/Editing/InputPluginLaunchDialogHelper.h"
#include "AppMain/Editing/InputSelectLaunchDialog.h"
#include "InputPlugInFolder.h"
#include "ScriptedDialog.h"
#include "TestSupport.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTExperiment.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/log.h>
#include <wx/uiaction.h>

#include <memory>
#include <vector>

using Vantrel::VTExperiment;

namespace {

class InputChoice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Vantrel::RegisterRuntimeWithCore();
        TestSupport::ClearLog();
    }

    InputPlugInFolder plugins;
    VTExperiment experiment;
};

TEST_F(InputChoice, EntriesInitialSelectionAndCommitFollowTheRememberedSet)
{
    const wxString qnode = plugins.QNode()->GetName(), test = plugins.TestInput()->GetName();
    const wxString setup =
        "Last Known Setup (" + plugins.TestInput()->GetShortName() + ", " + plugins.QNode()->GetShortName() + ")";
    const struct
    {
        const char* stored;  // nullptr: nothing stored
        std::vector<wxString> entries;
        int initial;
        int commit;
        std::vector<int> loaded;
    } cases[] = {
        {nullptr, {qnode, test}, 0, 1, {kTestInputID}},
        {"9901", {qnode, test}, 1, 1, {kTestInputID}},
        {"2103", {qnode, test}, 0, 0, {kQNodeID}},
        // One remembered plug-in: the entry after the plug-ins still loads it.
        {"2103", {qnode, test}, 0, 2, {kQNodeID}},
        // Unknown identifiers are skipped; numbers are truncated, not rounded.
        {"42", {qnode, test}, 0, 0, {kQNodeID}},
        {"9901.9,42,2103.2", {qnode, test, setup}, 2, 2, {kTestInputID, kQNodeID}},
        {"9901,2103", {qnode, test, setup}, 2, 0, {kQNodeID}},
        {"2104,9902", {qnode, test}, 0, 1, {kTestInputID}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(nothing stored)");
        if (c.stored)
            InputPlugInFolder::RememberInputSet(c.stored);
        else
            InputPlugInFolder::ForgetInputSet();
        InputPluginLaunchDialogHelper helper;
        EXPECT_EQ(helper.GetListOfPluginStrings(), c.entries);
        EXPECT_EQ(helper.GetInitialSelection(), c.initial);
        EXPECT_FALSE(helper.CheckConflictsForStartupDialog());
        VTExperiment fresh;
        helper.CommitPluginSelection(c.commit, &fresh, true);
        EXPECT_EQ(fresh.GetInputPlugInIDsInUse(), c.loaded);
    }
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(InputChoice, AnOutOfRangeSelectionFallsBackToTheFirstPlugInOrNoneWithAnError)
{
    InputPluginLaunchDialogHelper helper;
    for (int selection : {-1, 3, 99}) {
        SCOPED_TRACE(selection);
        TestSupport::ClearLog();
        VTExperiment fresh;
        helper.CommitPluginSelection(selection, &fresh, false);
        EXPECT_EQ(fresh.GetInputPlugInIDsInUse(), std::vector<int>{kQNodeID});
        EXPECT_TRUE(TestSupport::LogContains("Unknown selection. Choosing first available input device.", wxLOG_Error));
    }

    Vantrel::VTPlugIn::DeleteAllObjects();
    InputPluginLaunchDialogHelper none;
    EXPECT_TRUE(none.GetListOfPluginStrings().empty());
    TestSupport::ClearLog();
    none.CommitPluginSelection(0, &experiment, true);
    EXPECT_TRUE(experiment.GetInputPlugInIDsInUse().empty());
    EXPECT_TRUE(TestSupport::LogContains("Missing Vantrel input device.", wxLOG_Error));
}

TEST_F(InputChoice, ConflictingPlugInsAreReportedAndNeverLoadedTogether)
{
    InputPlugInFolder::RememberInputSet("9901,2103");
    plugins.SetTestInputConflictsWith(kQNodeID);
    InputPluginLaunchDialogHelper helper;
    EXPECT_TRUE(helper.CheckConflictsForStartupDialog());

    // The whole set: the first is loaded, the one that conflicts with it is refused.
    helper.CommitPluginSelection(2, &experiment, true);
    EXPECT_EQ(experiment.GetInputPlugInIDsInUse(), std::vector<int>{kTestInputID});
    EXPECT_TRUE(TestSupport::LogContains("These input devices may conflict. You can change settings in "
                                         "Participant Input.",
                                         wxLOG_Error))
        << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::LogContains("\"" + plugins.QNode()->GetName() + "\" was not added", wxLOG_Error));

    // A single device that conflicts with one the experiment already uses.
    TestSupport::ClearLog();
    helper.CommitPluginSelection(0, &experiment, true);
    EXPECT_EQ(experiment.GetInputPlugInIDsInUse(), std::vector<int>{kTestInputID});
    EXPECT_TRUE(TestSupport::LogContains("was not added", wxLOG_Error));

    // Without the conflict both go in.
    plugins.SetTestInputConflictsWith(-1);
    InputPluginLaunchDialogHelper calm;
    EXPECT_FALSE(calm.CheckConflictsForStartupDialog());
    VTExperiment fresh;
    calm.CommitPluginSelection(2, &fresh, true);
    EXPECT_EQ(fresh.GetInputPlugInIDsInUse(), (std::vector<int>{kTestInputID, kQNodeID}));
}

// The input-selection dialog, shown modally and answered by `script`.
int ShowInputSelection(VTExperiment* experiment, const std::function<void(wxDialog&)>& script)
{
    ScriptedDialog answer(script);
    InputSelectLaunchDialog dialog(true, nullptr, experiment);
    const int result = dialog.ShowModal();
    EXPECT_EQ(answer.Opened(), 1);
    return result;
}

wxChoice* ChoiceOf(wxDialog& dialog)
{
    return wxDynamicCast(dialog.FindWindow(InputSelectLaunchDialog::ID_INPUT_CHOICE), wxChoice);
}

Orbisk::OrbiskChoiceBookWithHiddenCtrl* BookOf(wxDialog& dialog)
{
    return wxDynamicCast(dialog.FindWindow(InputSelectLaunchDialog::ID_CONFLICT_BOOK),
                         Orbisk::OrbiskChoiceBookWithHiddenCtrl);
}

// Picks an entry as the choice control reports a user's pick.
void Pick(wxChoice* choice, int entry)
{
    choice->SetSelection(entry);
    wxCommandEvent picked(wxEVT_CHOICE, choice->GetId());
    picked.SetInt(entry);
    picked.SetString(choice->GetString(entry));
    picked.SetEventObject(choice);
    choice->ProcessWindowEvent(picked);
    TestSupport::PumpFor(30);
}

TEST_F(InputChoice, SelectionDialogWarnsWhileTheConflictingSetIsChosenAndLoadsOnOK)
{
    InputPlugInFolder::RememberInputSet("9901,2103");
    plugins.SetTestInputConflictsWith(kQNodeID);
    std::vector<int> pages;
    const int result = ShowInputSelection(&experiment, [&](wxDialog& dialog) {
        wxChoice* choice = ChoiceOf(dialog);
        auto* book = BookOf(dialog);
        ASSERT_NE(choice, nullptr);
        ASSERT_NE(book, nullptr);
        EXPECT_EQ(choice->GetCount(), 3u);
        EXPECT_EQ(choice->GetSelection(), 2);
        pages.push_back(book->GetSelection());
        EXPECT_TRUE(book->GetPage(InputSelectLaunchDialog::PAGE_CONFLICT)->IsShownOnScreen());
        Pick(choice, 1);
        pages.push_back(book->GetSelection());
        Pick(choice, 2);
        pages.push_back(book->GetSelection());
        Pick(choice, 1);
        ScriptedDialog::Click(dialog, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(pages,
              (std::vector<int>{InputSelectLaunchDialog::PAGE_CONFLICT, InputSelectLaunchDialog::PAGE_NO_CONFLICT,
                                InputSelectLaunchDialog::PAGE_CONFLICT}));
    EXPECT_EQ(experiment.GetInputPlugInIDsInUse(), std::vector<int>{kTestInputID});
}

TEST_F(InputChoice, SelectionDialogRefusesTheConflictingDeviceOfTheSet)
{
    InputPlugInFolder::RememberInputSet("9901,2103");
    plugins.SetTestInputConflictsWith(kQNodeID);
    EXPECT_EQ(ShowInputSelection(&experiment, [](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_OK); }),
              wxID_OK);
    EXPECT_EQ(experiment.GetInputPlugInIDsInUse(), std::vector<int>{kTestInputID});
    EXPECT_TRUE(TestSupport::LogContains("was not added to the experiment because it conflicts", wxLOG_Error));
}

TEST_F(InputChoice, SelectionDialogLoadsNothingIntoALockedExperimentOrWhenEscaped)
{
    experiment.SetLocked(true, "Received from the cloud");
    EXPECT_EQ(ShowInputSelection(&experiment, [](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_OK); }),
              wxID_OK);
    EXPECT_TRUE(experiment.GetInputPlugInIDsInUse().empty());
    EXPECT_TRUE(TestSupport::LogContains(
        "Unable to select the input plugin.  Experiment is locked. Received from the cloud", wxLOG_Error))
        << TestSupport::LogAsText();

    experiment.SetLocked(false);
    const int escaped = ShowInputSelection(&experiment, [](wxDialog& dialog) {
        dialog.SetFocus();
        TestSupport::PumpFor(50);
        wxUIActionSimulator().Char(WXK_ESCAPE);
        TestSupport::PumpFor(100);
    });
    EXPECT_EQ(escaped, wxID_CANCEL);
    EXPECT_EQ(ShowInputSelection(&experiment, [](wxDialog& dialog) { dialog.Close(); }), wxID_CANCEL);
    EXPECT_TRUE(experiment.GetInputPlugInIDsInUse().empty());

    EXPECT_EQ(ShowInputSelection(&experiment, [](wxDialog& dialog) { ScriptedDialog::Click(dialog, wxID_OK); }),
              wxID_OK);
    EXPECT_EQ(experiment.GetInputPlugInIDsInUse(), std::vector<int>{kQNodeID});
}

}  // namespace

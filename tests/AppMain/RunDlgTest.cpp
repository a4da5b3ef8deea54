// The run dialog on screen: what it shows for an experiment and its run options,
// what a run writes back (and in which order), and the group button.
#include "../Outside/VTRuntime/FixtureExperiment.h"
#include "AppMain/Run/VTRunDlg.h"
#include "ScriptedDialog.h"
#include "TestSupport.h"
#include "WindowLayout.h"
#include "UserInterface/OrbiskChoiceBookWithHiddenCtrl.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Vantrel;

// Run options that record every write, in order.
class RecordingRunOptions : public VTRunOptions
{
public:
    std::vector<std::string> calls;

    void SetGroupID(int id) override
    {
        Record("SetGroupID", std::to_string(id));
        VTRunOptions::SetGroupID(id);
    }
    void SetBlockUseRestrictedByGroup(bool on) override
    {
        Record("SetBlockUseRestrictedByGroup", Flag(on));
        VTRunOptions::SetBlockUseRestrictedByGroup(on);
    }
    void SetRunSelBlocksOnlyFlag(bool on) override
    {
        Record("SetRunSelBlocksOnlyFlag", Flag(on));
        VTRunOptions::SetRunSelBlocksOnlyFlag(on);
    }
    void SetSaveCollectedDataFlag(bool save, const wxString& file) override
    {
        Record("SetSaveCollectedDataFlag", Flag(save) + "," + file.ToStdString());
        VTRunOptions::SetSaveCollectedDataFlag(save, file);
    }
    void SetSubjectName(const wxString& name) override
    {
        Record("SetSubjectName", name.ToStdString());
        VTRunOptions::SetSubjectName(name);
    }
    void SetSessionID(const wxString& id) override
    {
        Record("SetSessionID", id.ToStdString());
        VTRunOptions::SetSessionID(id);
    }
    void SetScreenshotFlag(bool on) override
    {
        Record("SetScreenshotFlag", Flag(on));
        VTRunOptions::SetScreenshotFlag(on);
    }
    void SetSkipEyeTrackerCalibration(bool skip) override
    {
        Record("SetSkipEyeTrackerCalibration", Flag(skip));
        VTRunOptions::SetSkipEyeTrackerCalibration(skip);
    }

private:
    static std::string Flag(bool on) { return on ? "1" : "0"; }
    void Record(const char* name, const std::string& value) { calls.push_back(std::string(name) + "(" + value + ")"); }
};

const std::vector<std::string> kWrittenWhenShown = {"SetSkipEyeTrackerCalibration(0)",
                                                    "SetBlockUseRestrictedByGroup(0)"};

// Ten blocks; group "Three" runs three of them, "Everything" has the run-all
// flag, "All ten" lists every block.
struct TenBlocks
{
    VTExperiment experiment;
    VTParticipantGroup* three;
    VTParticipantGroup* everything;
    VTParticipantGroup* allTen;

    explicit TenBlocks(int inputDevice = 2100)
    {
        std::vector<VTBlock*> blocks;
        for (int i = 0; i < 10; ++i)
            blocks.push_back(
                Fixture::Add<VTBlock>(experiment, ElementType::Block, wxString::Format("Block %d", i + 1)));
        three = Fixture::Add<VTParticipantGroup>(experiment, ElementType::ParticipantGroup, "Three");
        three->m_RunAllBlocks = false;
        for (int i = 0; i < 3; ++i) three->AddUsedBlock(blocks[i]);
        everything = Fixture::Add<VTParticipantGroup>(experiment, ElementType::ParticipantGroup, "Everything");
        everything->m_RunAllBlocks = true;
        allTen = Fixture::Add<VTParticipantGroup>(experiment, ElementType::ParticipantGroup, "All ten");
        allTen->m_RunAllBlocks = false;
        for (VTBlock* block : blocks) allTen->AddUsedBlock(block);
        if (inputDevice >= 0) experiment.LoadInputPluginByID(inputDevice);
    }
};

// Shows the dialog modally as the command-line road does; `script` runs on
// screen and should end it.
int ShowRunDialog(VTExperiment& experiment, VTRunOptions& options, std::function<void(VTRunDlg&)> script)
{
    ScriptedDialog hook([&](wxDialog& dialog) { script(static_cast<VTRunDlg&>(dialog)); });
    auto* dialog = new VTRunDlg(nullptr, &experiment, options, VTRunDlg::kWindowID, "Run Experiment", wxDefaultPosition,
                                wxDefaultSize, VTRunDlg::kWindowStyle);
    const int result = dialog->ShowModal();
    dialog->Destroy();
    EXPECT_EQ(hook.Opened(), 1);
    return result;
}

std::vector<wxString> Items(wxChoice* choice)
{
    std::vector<wxString> items;
    for (unsigned i = 0; i < choice->GetCount(); ++i) items.push_back(choice->GetString(i));
    return items;
}

void TypeInto(wxTextCtrl* field, const char* text)
{
    TestSupport::ClickWindow(field);
    wxUIActionSimulator().Text(text);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return field->GetValue() == text; })) << field->GetValue();
}

void SelectGroup(VTRunDlg& dialog, const wxString& name)
{
    wxChoice* choice = dialog.GetGroupChoice();
    ASSERT_TRUE(choice->SetStringSelection(name));
    wxCommandEvent selected(wxEVT_CHOICE, choice->GetId());
    selected.SetEventObject(choice);
    selected.SetInt(choice->GetSelection());
    choice->GetEventHandler()->ProcessEvent(selected);
}

int GroupPage(VTRunDlg& dialog) { return dialog.GetGroupPageBook()->GetSelection(); }

TEST(RunDlg, WithoutCalibrationOneRunButtonAndTheGroupsInModelOrder)
{
    TenBlocks model;
    RecordingRunOptions options;
    const int result = ShowRunDialog(model.experiment, options, [](VTRunDlg& d) {
        EXPECT_EQ(d.GetTitle(), "Run Experiment");
        EXPECT_EQ(Items(d.GetGroupChoice()), (std::vector<wxString>{"Three", "Everything", "All ten"}));
        EXPECT_EQ(d.GetGroupChoice()->GetSelection(), 0);
        EXPECT_TRUE(d.GetRunButton()->IsShownOnScreen());
        EXPECT_EQ(d.GetRunButton()->GetId(), wxID_OK);
        EXPECT_EQ(d.GetRunButton()->GetLabelText(), "Run");
        EXPECT_EQ(d.GetDefaultItem(), d.GetRunButton());
        EXPECT_FALSE(d.GetRunWithoutCalibrationButton()->IsShown());
        EXPECT_FALSE(d.GetScreenshotBox()->IsShown());
        EXPECT_TRUE(d.GetSaveDataBox()->GetValue());
        EXPECT_FALSE(d.GetSelectedBlocksBox()->GetValue());
        EXPECT_FALSE(d.GetInputWarning()->IsShown());
        EXPECT_TRUE(d.GetSessionField()->GetValue().empty());
        EXPECT_TRUE(d.GetNameField()->GetValue().empty());
        ScriptedDialog::Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(result, wxID_CANCEL);
    // Cancel leaves the options as showing the dialog left them.
    EXPECT_EQ(options.calls, kWrittenWhenShown);
}

TEST(RunDlg, WithCalibrationEitherButtonRunsAndOnlyOneSkipsTheCalibration)
{
    const struct
    {
        bool pressCalibrate;
        const char* skip;
    } cases[] = {{true, "SetSkipEyeTrackerCalibration(0)"}, {false, "SetSkipEyeTrackerCalibration(1)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pressCalibrate ? "Calibrate && Run" : "Run");
        TenBlocks model(2411);
        RecordingRunOptions options;
        const int result = ShowRunDialog(model.experiment, options, [&](VTRunDlg& d) {
            EXPECT_TRUE(d.GetRunWithoutCalibrationButton()->IsShownOnScreen());
            EXPECT_EQ(d.GetRunWithoutCalibrationButton()->GetLabelText(), "Run");
            EXPECT_EQ(d.GetRunButton()->GetLabelText(), "Calibrate & Run");
            EXPECT_TRUE(d.GetScreenshotBox()->IsShownOnScreen());
            EXPECT_FALSE(d.GetScreenshotBox()->GetValue());
            TestSupport::ClickWindow(c.pressCalibrate ? d.GetRunButton() : d.GetRunWithoutCalibrationButton());
        });
        EXPECT_EQ(result, wxID_OK);
        ASSERT_GT(options.calls.size(), 2u);
        EXPECT_EQ(options.calls[2], c.skip);
        EXPECT_EQ(options.GetSkipEyeTrackerCalibration(), !c.pressCalibrate);
    }
}

TEST(RunDlg, RunWritesTheChoicesInOrder)
{
    const struct
    {
        const char* label;
        const char* name;
        const char* session;
        bool untickSave;
        bool tickSelectedBlocks;
    } cases[] = {
        {"typed fields, changed boxes", "Ada", "S-7", true, true},
        {"empty fields are accepted as they are", "", "", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TenBlocks model;
        RecordingRunOptions options;
        const int result = ShowRunDialog(model.experiment, options, [&](VTRunDlg& d) {
            if (*c.name) TypeInto(d.GetNameField(), c.name);
            if (*c.session) TypeInto(d.GetSessionField(), c.session);
            if (c.untickSave) TestSupport::ClickWindow(d.GetSaveDataBox());
            if (c.tickSelectedBlocks) TestSupport::ClickWindow(d.GetSelectedBlocksBox());
            SelectGroup(d, "Everything");
            TestSupport::ClickWindow(d.GetRunButton());
        });
        EXPECT_EQ(result, wxID_OK);
        std::vector<std::string> expected = kWrittenWhenShown;
        const std::vector<std::string> onRun = {
            "SetSkipEyeTrackerCalibration(0)",
            "SetBlockUseRestrictedByGroup(0)",
            std::string("SetRunSelBlocksOnlyFlag(") + (c.tickSelectedBlocks ? "1)" : "0)"),
            std::string("SetSaveCollectedDataFlag(") + (c.untickSave ? "0" : "1") + ",)",
            "SetGroupID(" + std::to_string(model.everything->GetID()) + ")",
            std::string("SetSubjectName(") + c.name + ")",
            std::string("SetSessionID(") + c.session + ")",
            "SetScreenshotFlag(0)",
        };
        expected.insert(expected.end(), onRun.begin(), onRun.end());
        EXPECT_EQ(options.calls, expected);
    }
}

TEST(RunDlg, TheGroupsBlockCountShowsOnlyForGroupsThatRunSomeBlocks)
{
    TenBlocks model;
    const struct
    {
        VTParticipantGroup* group;
        int page;
    } cases[] = {{model.three, VTRunDlg::kShowingMessage},
                 {model.everything, VTRunDlg::kEmpty},
                 {model.allTen, VTRunDlg::kEmpty}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group->GetName());
        VTRunOptions options;
        options.SetGroupID(static_cast<int>(c.group->GetID()));
        ShowRunDialog(model.experiment, options, [&](VTRunDlg& d) {
            EXPECT_EQ(d.GetGroupChoice()->GetStringSelection(), c.group->GetName());
            EXPECT_EQ(GroupPage(d), c.page);
            if (c.page == VTRunDlg::kShowingMessage) {
                EXPECT_EQ(d.GetUsedBlocksText()->GetLabel(), "3");
                EXPECT_EQ(d.GetTotalBlocksText()->GetLabel(), "10");
            }
            // Choosing another group follows at once.
            SelectGroup(d, c.page == VTRunDlg::kShowingMessage ? "Everything" : "Three");
            EXPECT_EQ(GroupPage(d), c.page == VTRunDlg::kShowingMessage ? VTRunDlg::kEmpty : VTRunDlg::kShowingMessage);
            ScriptedDialog::Click(d, wxID_CANCEL);
        });
    }
}

// The warning has room of its own: the dialog grows for it, nothing lies over the
// buttons and nothing is cut off.
TEST(RunDlg, AnExperimentWithoutAnInputDeviceShowsTheRedWarning)
{
    TenBlocks model(-1);
    VTRunOptions options;
    ShowRunDialog(model.experiment, options, [](VTRunDlg& d) {
        EXPECT_TRUE(d.GetInputWarning()->IsShownOnScreen());
        EXPECT_EQ(d.GetInputWarning()->GetForegroundColour(), wxColour(255, 0, 0));
        EXPECT_TRUE(d.GetInputWarning()->GetLabel().StartsWith("Warning:\nNo input device has been selected"));
        const wxRect warning = d.GetInputWarning()->GetScreenRect();
        EXPECT_GE(warning.height, d.GetInputWarning()->GetBestSize().y);
        for (int id : {wxID_OK, wxID_CANCEL}) {
            SCOPED_TRACE(id);
            const wxRect button = d.FindWindow(id)->GetScreenRect();
            EXPECT_FALSE(warning.Intersects(button));
            EXPECT_GE(button.y, warning.GetBottom());
        }
        EXPECT_EQ(TestSupport::LayoutFaults(&d).utf8_string(), "");
        ScriptedDialog::Click(d, wxID_CANCEL);
    });
}

// Installs an opener for the test's length.
struct OpenerScope
{
    explicit OpenerScope(VTRunDlg::GroupEditorOpener opener) : previous(VTRunDlg::GetGroupEditorOpener())
    {
        VTRunDlg::SetGroupEditorOpener(std::move(opener));
    }
    ~OpenerScope() { VTRunDlg::SetGroupEditorOpener(previous); }
    VTRunDlg::GroupEditorOpener previous;
};

TEST(RunDlg, TheGroupButtonOpensTheEditorOnTheSelectedGroupAndTheChoiceFollowsIt)
{
    const struct
    {
        const char* label;
        bool editorOK;
    } cases[] = {{"the editor stores the group", true}, {"the editor is cancelled", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TenBlocks model;
        VTRunOptions options;
        int opened = 0;
        // Stands in for the group editor: it edits the group that the list's
        // selection carries, as that editor does.
        OpenerScope scope([&](wxWindow* parent, VTExperiment* experiment, wxWindow* list) {
            ++opened;
            auto* choice = wxDynamicCast(list, wxChoice);
            EXPECT_NE(choice, nullptr);
            EXPECT_EQ(experiment, &model.experiment);
            EXPECT_TRUE(wxDynamicCast(parent, VTRunDlg) != nullptr);
            auto* group = dynamic_cast<VTParticipantGroup*>(
                static_cast<Minimal_VTElement*>(choice->GetClientData(choice->GetSelection())));
            EXPECT_EQ(group, model.three);
            if (!group) return false;
            if (!c.editorOK) return false;
            group->SetName("Three, now all");
            group->m_RunAllBlocks = true;
            return true;
        });
        ShowRunDialog(model.experiment, options, [&](VTRunDlg& d) {
            EXPECT_TRUE(d.GetEditGroupsButton()->IsEnabled());
            EXPECT_EQ(GroupPage(d), VTRunDlg::kShowingMessage);
            TestSupport::ClickWindow(d.GetEditGroupsButton());
            EXPECT_TRUE(TestSupport::PumpUntil([&] { return opened == 1; }));
            if (c.editorOK) {
                EXPECT_EQ(Items(d.GetGroupChoice()),
                          (std::vector<wxString>{"Three, now all", "Everything", "All ten"}));
                EXPECT_EQ(d.GetGroupChoice()->GetSelection(), 0);
                EXPECT_EQ(GroupPage(d), VTRunDlg::kEmpty);
            } else {
                EXPECT_EQ(Items(d.GetGroupChoice()), (std::vector<wxString>{"Three", "Everything", "All ten"}));
                EXPECT_EQ(GroupPage(d), VTRunDlg::kShowingMessage);
            }
            ScriptedDialog::Click(d, wxID_CANCEL);
        });
        EXPECT_EQ(model.experiment.IsModified(), c.editorOK);
    }
}

TEST(RunDlg, WithoutAGroupEditorTheGroupButtonIsDisabled)
{
    TenBlocks model;
    VTRunOptions options;
    EXPECT_TRUE(static_cast<bool>(VTRunDlg::GetGroupEditorOpener()));  // the group editor by default
    OpenerScope none({});
    ShowRunDialog(model.experiment, options, [](VTRunDlg& d) {
        EXPECT_FALSE(d.GetEditGroupsButton()->IsEnabled());
        ScriptedDialog::Click(d, wxID_CANCEL);
    });
}

}  // namespace

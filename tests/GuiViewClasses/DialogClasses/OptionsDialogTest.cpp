// The experiment options dialog on screen: every page loads from the experiment
// and stores into it on OK, Cancel writes nothing, the data folder modes and the
// checks that OK runs, and the refusals of values the run could not use.

#include <GuiViewClasses/DialogClasses/OptionsDlgValues.h>
#include <GuiViewClasses/DialogClasses/VTOptionsDlg.h>
#include <VTCore/VTExperiment.h>
#include <VTRuntime/VTDataFolder.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/config.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <deque>
#include <fstream>
#include <functional>

using namespace Vantrel;

namespace {

// Runs a script inside the options dialog's modal loop and answers the message
// boxes it opens with scripted answers, recording their texts.
class OptionsDialogDriver : public wxModalDialogHook
{
public:
    explicit OptionsDialogDriver(std::function<void(VTOptionsDlg&)> script) : m_Script(std::move(script))
    {
        Register();
    }
    ~OptionsDialogDriver() override { Unregister(); }

    std::deque<int> answers;  // wxID_YES, wxID_NO, wxID_CANCEL, wxID_OK
    std::vector<wxString> messages;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            messages.push_back(box->GetMessage());
            if (answers.empty()) return wxID_CANCEL;
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        if (auto* options = dynamic_cast<VTOptionsDlg*>(dialog)) {
            wxTheApp->CallAfter([this, options] {
                TestSupport::PumpUntil([&] { return options->IsShownOnScreen(); });
                TestSupport::PumpFor(50);
                m_Script(*options);
                if (!TestSupport::PumpUntil([&] { return !options->IsShown(); }, 5000)) {
                    ADD_FAILURE() << "the options dialog is still open after its script";
                    options->EndModal(wxID_CANCEL);
                }
            });
        }
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::function<void(VTOptionsDlg&)> m_Script;
};

template <class T>
T* Control(VTOptionsDlg& dialog, int id)
{
    T* control = dynamic_cast<T*>(dialog.FindWindow(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

wxTextCtrl* Text(VTOptionsDlg& d, int id) { return Control<wxTextCtrl>(d, id); }
wxRadioButton* Radio(VTOptionsDlg& d, int id) { return Control<wxRadioButton>(d, id); }
wxCheckBox* Check(VTOptionsDlg& d, int id) { return Control<wxCheckBox>(d, id); }

// Shows the page, as a click on its tree item does, and lets the update passes run.
void Show(VTOptionsDlg& d, VTOptionsDlg::Page page)
{
    d.SelectPage(page);
    TestSupport::PumpFor(60);
}

void Type(wxTextCtrl* field, const wxString& text)
{
    field->SetFocus();
    field->SetValue(text);
    TestSupport::PumpFor(30);
}

void Click(wxWindow* window) { TestSupport::ClickWindow(window); }
void ClickOk(VTOptionsDlg& d) { Click(d.FindWindow(wxID_OK)); }

// Opens the dialog on the experiment, runs the script, returns the modal result.
int RunDialog(VTExperiment& experiment, OptionsDialogDriver& driver)
{
    VTOptionsDlg dialog(nullptr, &experiment);
    return dialog.ShowModal();
}

class OptionsDialog : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }

    // An experiment saved in a folder of its own, so the folder modes have a folder.
    wxString SaveExperiment()
    {
        const wxString file = wxFileName(TestSupport::MakeTempFolder("experiment"), "options.vt6").GetFullPath();
        EXPECT_TRUE(experiment.OnSaveDocument(file)) << TestSupport::LogAsText();
        return wxFileName(file).GetPath();
    }

    VTExperiment experiment;
};

const int kColumnOptions[VTOptionsDlg::kColumnCount] = {0, 8, 12, 1, 2, 3, 4, 5, 6, 7, 10, 13};

}  // namespace

TEST_F(OptionsDialog, EveryPageLoadsFromTheExperimentAndOkStoresWhatTheUserChanged)
{
    SaveExperiment();
    experiment.GetSaveDataOptions().m_FolderMode = VTSaveDataOptions::PreviousFolder;
    struct Case
    {
        const char* page;
        std::function<void(VTExperiment&)> before;
        std::function<void(VTOptionsDlg&)> loadedAndChange;
        std::function<void(VTExperiment&)> stored;
    };
    const Case cases[] = {
        {"background: white", [](VTExperiment& x) { x.m_BackgroundColour = *wxWHITE; },
         [](VTOptionsDlg& d) {
             Show(d, VTOptionsDlg::PageBackground);
             EXPECT_TRUE(Radio(d, VTOptionsDlg::ID_BACKGROUND_WHITE)->GetValue());
             EXPECT_EQ(Control<wxStaticText>(d, VTOptionsDlg::ID_BACKGROUND_LABEL)->GetLabel(), "( 255, 255, 255 )");
             EXPECT_FALSE(d.FindWindow(VTOptionsDlg::ID_SELECT_COLOR)->IsEnabled());
             Click(Radio(d, VTOptionsDlg::ID_BACKGROUND_BLACK));
         },
         [](VTExperiment& x) { EXPECT_EQ(x.GetBackgroundColour(), *wxBLACK); }},
        {"background: another colour comes back without the chooser",
         [](VTExperiment& x) { x.m_BackgroundColour = wxColour(128, 128, 128); },
         [](VTOptionsDlg& d) {
             Show(d, VTOptionsDlg::PageBackground);
             EXPECT_TRUE(Radio(d, VTOptionsDlg::ID_BACKGROUND_OTHER)->GetValue());
             EXPECT_TRUE(d.FindWindow(VTOptionsDlg::ID_SELECT_COLOR)->IsEnabled());
             Click(Radio(d, VTOptionsDlg::ID_BACKGROUND_WHITE));
             EXPECT_EQ(Control<wxStaticText>(d, VTOptionsDlg::ID_BACKGROUND_LABEL)->GetLabel(), "( 255, 255, 255 )");
             Click(Radio(d, VTOptionsDlg::ID_BACKGROUND_OTHER));
             EXPECT_EQ(Control<wxStaticText>(d, VTOptionsDlg::ID_BACKGROUND_LABEL)->GetLabel(), "( 128, 128, 128 )");
         },
         [](VTExperiment& x) { EXPECT_EQ(x.GetBackgroundColour(), wxColour(128, 128, 128)); }},
        {"codes: shown as stored, stored as typed without tabs and line breaks",
         [](VTExperiment& x) {
             x.GetErrorCodes().SetCodeWithString(VTErrorCodes::VTCorrectness(2), "fix");
             x.GetErrorCodes().SetCodeWithString(VTErrorCodes::VTCorrectness(3), "");
         },
         [](VTOptionsDlg& d) {
             Show(d, VTOptionsDlg::PageErrorCodes);
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_CODE_CORRECT)->GetValue(), "C");
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_CODE_SELF_CORRECT)->GetValue(), "fix");
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_CODE_INCORRECT)->GetValue(), "E");
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_CODE_NO_RESPONSE)->GetValue(), "");
             Type(Text(d, VTOptionsDlg::ID_CODE_CORRECT), "o\tk\n");
             Type(Text(d, VTOptionsDlg::ID_CODE_INCORRECT), "wrong");
             Type(Text(d, VTOptionsDlg::ID_CODE_SELF_CORRECT), "");
         },
         [](VTExperiment& x) {
             const VTErrorCodes& c = x.GetErrorCodes();
             EXPECT_EQ(c.GetCodeAsString(VTErrorCodes::VTCorrectness(0)), "ok");
             EXPECT_EQ(c.GetCodeAsString(VTErrorCodes::VTCorrectness(1)), "wrong");
             EXPECT_EQ(c.GetCodeAsString(VTErrorCodes::VTCorrectness(2)), "");
             EXPECT_EQ(c.GetCodeAsString(VTErrorCodes::VTCorrectness(3)), "");
         }},
        {"columns: each box is its save option",
         [](VTExperiment& x) {
             for (int i = 0; i < VTOptionsDlg::kColumnCount; ++i)
                 x.GetSaveDataOptions().SetSaveOption(kColumnOptions[i], i % 2 == 0);
         },
         [](VTOptionsDlg& d) {
             Show(d, VTOptionsDlg::PageColumns);
             for (int i = 0; i < VTOptionsDlg::kColumnCount; ++i) {
                 wxCheckBox* box = Check(d, VTOptionsDlg::ID_COLUMN_FIRST + i);
                 EXPECT_EQ(box->GetValue(), i % 2 == 0) << i;
                 Click(box);
             }
         },
         [](VTExperiment& x) {
             for (int i = 0; i < VTOptionsDlg::kColumnCount; ++i)
                 EXPECT_EQ(x.GetSaveDataOptions().GetSaveOption(kColumnOptions[i]), i % 2 != 0) << i;
         }},
        {"miscellaneous: a ticked box stores no header",
         [](VTExperiment& x) {
             x.GetSaveDataOptions().SetSaveOption(VTSaveDataOptions::Header, false);
             x.GetSaveDataOptions().SetSaveOption(VTSaveDataOptions::FlushAfterEveryTrial, false);
         },
         [](VTOptionsDlg& d) {
             Show(d, VTOptionsDlg::PageMiscellaneous);
             EXPECT_TRUE(Check(d, VTOptionsDlg::ID_NO_HEADER)->GetValue());
             EXPECT_FALSE(Check(d, VTOptionsDlg::ID_FLUSH_EVERY_TRIAL)->GetValue());
             Click(Check(d, VTOptionsDlg::ID_NO_HEADER));
             Click(Check(d, VTOptionsDlg::ID_FLUSH_EVERY_TRIAL));
         },
         [](VTExperiment& x) {
             EXPECT_TRUE(x.GetSaveDataOptions().GetSaveOption(VTSaveDataOptions::Header));
             EXPECT_TRUE(x.GetSaveDataOptions().GetSaveOption(VTSaveDataOptions::FlushAfterEveryTrial));
         }},
        {"sensor patch",
         [](VTExperiment& x) {
             VTSensorPatch& p = *x.GetSensorPatch();
             p.SetSensorPatchSize(25);
             p.SetSensorPatchPosX(-7);
             p.SetSensorPatchPosY(300);
             p.SetSensorPatchColour(*wxBLACK);
             p.SetSensorPatchDisable(true);
         },
         [](VTOptionsDlg& d) {
             Show(d, VTOptionsDlg::PageSensorPatch);
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_SENSOR_SIZE)->GetValue(), "25");
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_SENSOR_X)->GetValue(), "-7");
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_SENSOR_Y)->GetValue(), "300");
             EXPECT_TRUE(Radio(d, VTOptionsDlg::ID_SENSOR_BLACK)->GetValue());
             EXPECT_TRUE(Check(d, VTOptionsDlg::ID_SENSOR_DISABLE)->GetValue());
             Type(Text(d, VTOptionsDlg::ID_SENSOR_SIZE), "40");
             Type(Text(d, VTOptionsDlg::ID_SENSOR_X), "2147483647");
             Type(Text(d, VTOptionsDlg::ID_SENSOR_Y), "-2147483648");
             Click(Radio(d, VTOptionsDlg::ID_SENSOR_WHITE));
             Click(Check(d, VTOptionsDlg::ID_SENSOR_DISABLE));
         },
         [](VTExperiment& x) {
             const VTSensorPatch& p = *x.GetSensorPatch();
             EXPECT_EQ(p.GetSensorPatchSize(), 40);
             EXPECT_EQ(p.GetSensorPatchPosX(), 2147483647);
             EXPECT_EQ(p.GetSensorPatchPosY(), -2147483647 - 1);
             EXPECT_EQ(p.GetSensorPatchColour(), *wxWHITE);
             EXPECT_FALSE(p.GetSensorPatchDisable());
         }},
        {"folder: a sub-folder loads as mode 1 and another folder stores as a path",
         [](VTExperiment& x) {
             x.GetSaveDataOptions().m_FolderMode = VTSaveDataOptions::SubFolderOfExperiment;
             x.GetSaveDataOptions().m_Folder = wxFileName("$(ExperimentFolder)/Data");
             x.GetSaveDataOptions().m_SubFolderName = wxFileName("Data");
         },
         [](VTOptionsDlg& d) {
             Show(d, VTOptionsDlg::PageFolder);
             EXPECT_TRUE(Radio(d, VTOptionsDlg::ID_FOLDER_SUB)->GetValue());
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_FOLDER_NAME)->GetValue(), "Data");
             EXPECT_EQ(Text(d, VTOptionsDlg::ID_FOLDER_PATH)->GetValue(), "$(ExperimentFolder)/Data");
             EXPECT_FALSE(d.FindWindow(VTOptionsDlg::ID_FOLDER_PATH)->IsEnabled());
             d.UpdateFolderBasedOnString(TestSupport::HomeFolder());
             TestSupport::PumpFor(60);
             EXPECT_TRUE(Radio(d, VTOptionsDlg::ID_FOLDER_ANOTHER)->GetValue());
             EXPECT_TRUE(d.FindWindow(VTOptionsDlg::ID_SELECT_FOLDER)->IsEnabled());
         },
         [](VTExperiment& x) {
             EXPECT_EQ(x.GetSaveDataOptions().m_FolderMode, VTSaveDataOptions::AnotherFolder);
             EXPECT_EQ(x.GetSaveDataOptions().m_Folder.GetFullPath(), wxString::FromUTF8(TestSupport::HomeFolder()));
             EXPECT_EQ(x.GetSaveDataOptions().m_SubFolderName.GetFullPath(), "");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        c.before(experiment);
        OptionsDialogDriver driver([&](VTOptionsDlg& d) {
            c.loadedAndChange(d);
            ClickOk(d);
        });
        ASSERT_EQ(RunDialog(experiment, driver), wxID_OK) << TestSupport::LogAsText();
        c.stored(experiment);
        EXPECT_TRUE(experiment.IsModified());
        experiment.Modify(false);
    }
}

TEST_F(OptionsDialog, CancelAfterChangesOnEveryPageWritesNothing)
{
    SaveExperiment();
    experiment.GetSaveDataOptions().m_FolderMode = VTSaveDataOptions::ExperimentFolder;
    const std::string before = [&] {
        std::string s = experiment.GetBackgroundColour().GetAsString().utf8_string();
        for (int i = 0; i < VTSaveDataOptions::kCount; ++i)
            s += experiment.GetSaveDataOptions().GetSaveOption(i) ? "1" : "0";
        s += experiment.GetErrorCodes().GetCodeAsString(VTErrorCodes::VTCorrectness(0)).utf8_string();
        s += std::to_string(experiment.GetSensorPatch()->GetSensorPatchPosX());
        return s;
    }();
    const VTSaveDataOptions options = experiment.GetSaveDataOptions();
    const VTSensorPatch patch = *experiment.GetSensorPatch();
    OptionsDialogDriver driver([](VTOptionsDlg& d) {
        Click(Radio(d, VTOptionsDlg::ID_BACKGROUND_WHITE));
        Show(d, VTOptionsDlg::PageErrorCodes);
        Type(Text(d, VTOptionsDlg::ID_CODE_CORRECT), "changed");
        Show(d, VTOptionsDlg::PageColumns);
        Click(Check(d, VTOptionsDlg::ID_COLUMN_FIRST));
        Show(d, VTOptionsDlg::PageFolder);
        Type(Text(d, VTOptionsDlg::ID_FOLDER_NAME), "Elsewhere");
        Show(d, VTOptionsDlg::PageSensorPatch);
        Type(Text(d, VTOptionsDlg::ID_SENSOR_X), "99");
        Click(d.FindWindow(wxID_CANCEL));
    });
    EXPECT_EQ(RunDialog(experiment, driver), wxID_CANCEL);
    EXPECT_EQ(experiment.GetBackgroundColour(), wxColour(0, 0, 0));
    EXPECT_EQ(experiment.GetErrorCodes().GetCodeAsString(VTErrorCodes::VTCorrectness(0)), "C");
    EXPECT_TRUE(experiment.GetSaveDataOptions() == options);
    EXPECT_TRUE(*experiment.GetSensorPatch() == patch);
    EXPECT_FALSE(experiment.IsModified());
}

TEST_F(OptionsDialog, OkChecksTheFolderOfEachMode)
{
    const wxString experimentFolder = SaveExperiment();
    // A plain file where the sub-folder would be.
    std::ofstream(wxFileName(experimentFolder, "Taken").GetFullPath().utf8_string()) << "x";
    struct Case
    {
        const char* what;
        int mode;
        wxString folderName;
        std::deque<int> answers;
        int result;
        size_t messages;
        wxString logged;
        std::function<void(const VTOptionsDlg&)> after;
    };
    const wxString created = experimentFolder + "/New/Deeper";
    const Case cases[] = {
        {"mode 3 never asks", VTSaveDataOptions::PreviousFolder, "", {}, wxID_OK, 0, "", {}},
        {"an existing folder is taken", VTSaveDataOptions::ExperimentFolder, "", {}, wxID_OK, 0, "", {}},
        {"a file in the way refuses",
         VTSaveDataOptions::SubFolderOfExperiment,
         "Taken",
         {},
         wxID_CANCEL,
         0,
         "a file already exists at this location",
         [](const VTOptionsDlg& d) { EXPECT_EQ(d.GetShownPage(), VTOptionsDlg::PageFolder); }},
        {"a missing folder, Cancel keeps the dialog",
         VTSaveDataOptions::SubFolderOfExperiment,
         "Absent",
         {wxID_CANCEL},
         wxID_CANCEL,
         1,
         "",
         {}},
        {"a missing folder, No stores without it",
         VTSaveDataOptions::SubFolderOfExperiment,
         "Absent",
         {wxID_NO},
         wxID_OK,
         1,
         "",
         [&](const VTOptionsDlg&) { EXPECT_FALSE(wxDirExists(experimentFolder + "/Absent")); }},
        {"a missing folder, Yes makes it with its parents",
         VTSaveDataOptions::SubFolderOfExperiment,
         "New/Deeper",
         {wxID_YES},
         wxID_OK,
         1,
         "",
         [&](const VTOptionsDlg&) { EXPECT_TRUE(wxDirExists(created)); }},
        {"a folder that cannot be made refuses",
         VTSaveDataOptions::SubFolderOfExperiment,
         "Taken/Inside",
         {wxID_YES},
         wxID_CANCEL,
         1,
         "could not be created",
         [](const VTOptionsDlg& d) { EXPECT_EQ(d.GetShownPage(), VTOptionsDlg::PageFolder); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestSupport::ClearLog();
        experiment.GetSaveDataOptions().m_FolderMode = c.mode;
        experiment.GetSaveDataOptions().m_SubFolderName = wxFileName(c.folderName);
        experiment.GetSaveDataOptions().m_Folder =
            wxFileName(c.folderName.empty() ? wxString("$(ExperimentFolder)") : "$(ExperimentFolder)/" + c.folderName);
        experiment.Modify(false);
        int outcome = wxID_NONE;
        OptionsDialogDriver driver([&](VTOptionsDlg& d) {
            Show(d, VTOptionsDlg::PageBackground);
            ClickOk(d);
            TestSupport::PumpFor(100);
            if (d.IsShown()) {
                outcome = wxID_CANCEL;  // OK was refused: the dialog stays
                if (c.after) c.after(d);
                Click(d.FindWindow(wxID_CANCEL));
            } else {
                outcome = wxID_OK;
                if (c.after) c.after(d);
            }
        });
        driver.answers = c.answers;
        RunDialog(experiment, driver);
        EXPECT_EQ(outcome, c.result);
        EXPECT_EQ(driver.messages.size(), c.messages);
        if (c.messages) EXPECT_TRUE(driver.messages[0].Contains("does not exist")) << driver.messages[0];
        if (!c.logged.empty()) EXPECT_TRUE(TestSupport::LogContains(c.logged)) << TestSupport::LogAsText();
        EXPECT_EQ(experiment.IsModified(), c.result == wxID_OK);
    }
}

TEST_F(OptionsDialog, AnUnsavedExperimentIsToldTheFolderWaitsForItsFirstSave)
{
    experiment.GetSaveDataOptions().m_FolderMode = VTSaveDataOptions::SubFolderOfExperiment;
    experiment.GetSaveDataOptions().m_SubFolderName = wxFileName("Results");
    OptionsDialogDriver driver([](VTOptionsDlg& d) { ClickOk(d); });
    driver.answers = {wxID_OK};
    EXPECT_EQ(RunDialog(experiment, driver), wxID_OK);
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_TRUE(driver.messages[0].Contains("has not yet been saved.  The preferred data folder"));
    EXPECT_EQ(experiment.GetSaveDataOptions().m_FolderMode, VTSaveDataOptions::SubFolderOfExperiment);
}

TEST_F(OptionsDialog, TypingAFolderNameChoosesTheSubFolderModeAndModeThreeShowsThePreviousFolder)
{
    const wxString experimentFolder = SaveExperiment();
    wxConfigBase::Get()->Write(VTDataFolder::kPreviousFolderKey, "/somewhere/earlier/");
    experiment.GetSaveDataOptions().m_FolderMode = VTSaveDataOptions::ExperimentFolder;
    OptionsDialogDriver driver([&](VTOptionsDlg& d) {
        Show(d, VTOptionsDlg::PageFolder);
        EXPECT_EQ(Text(d, VTOptionsDlg::ID_FOLDER_PATH)->GetValue(), "$(ExperimentFolder)");
        Type(Text(d, VTOptionsDlg::ID_FOLDER_NAME), "Data");
        EXPECT_TRUE(Radio(d, VTOptionsDlg::ID_FOLDER_SUB)->GetValue());
        EXPECT_EQ(Text(d, VTOptionsDlg::ID_FOLDER_PATH)->GetValue(), "$(ExperimentFolder)/Data");
        EXPECT_EQ(d.GetFolder().GetFullPath(), experimentFolder + "/Data/");
        Type(Text(d, VTOptionsDlg::ID_FOLDER_NAME), "");
        EXPECT_TRUE(Radio(d, VTOptionsDlg::ID_FOLDER_SUB)->GetValue());  // clearing does not switch back
        Click(Radio(d, VTOptionsDlg::ID_FOLDER_PREVIOUS));
        EXPECT_EQ(Text(d, VTOptionsDlg::ID_FOLDER_PATH)->GetValue(), "/somewhere/earlier/");
        ClickOk(d);
    });
    EXPECT_EQ(RunDialog(experiment, driver), wxID_OK);
    EXPECT_EQ(experiment.GetSaveDataOptions().m_FolderMode, VTSaveDataOptions::PreviousFolder);
    EXPECT_EQ(wxConfigBase::Get()->Read(VTDataFolder::kPreviousFolderKey), "/somewhere/earlier/");
}

TEST_F(OptionsDialog, SensorFieldsThatAreNotWhole32BitNumbersAreRefusedOnTheirPage)
{
    for (const char* bad : {"12.5", "1e3", "-", "", "2147483648", "99999999999"}) {
        SCOPED_TRACE(bad);
        TestSupport::ClearLog();
        bool refused = false, focused = false;
        OptionsDialogDriver driver([&](VTOptionsDlg& d) {
            Show(d, VTOptionsDlg::PageSensorPatch);
            Type(Text(d, VTOptionsDlg::ID_SENSOR_Y), bad);
            Show(d, VTOptionsDlg::PageColumns);
            ClickOk(d);
            TestSupport::PumpFor(100);
            refused = d.IsShown() && d.GetShownPage() == VTOptionsDlg::PageSensorPatch;
            focused = wxWindow::FindFocus() == d.FindWindow(VTOptionsDlg::ID_SENSOR_Y);
            Click(d.FindWindow(wxID_CANCEL));
        });
        RunDialog(experiment, driver);
        EXPECT_TRUE(refused);
        EXPECT_TRUE(focused);
        EXPECT_TRUE(TestSupport::LogContains("must be a whole number")) << TestSupport::LogAsText();
        EXPECT_EQ(experiment.GetSensorPatch()->GetSensorPatchPosY(), 0);
    }
}

namespace {
// An experiment that has no sensor patch to offer.
class ExperimentWithoutPatch : public VTExperiment
{
public:
    boost::shared_ptr<VTSensorPatch> GetSensorPatch() const override { return {}; }
};
}  // namespace

TEST(OptionsDialogWithoutPatch, TheSensorPageIsDisabledAndTheRestStores)
{
    ExperimentWithoutPatch experiment;
    OptionsDialogDriver driver([](VTOptionsDlg& d) {
        EXPECT_FALSE(d.FindWindow(VTOptionsDlg::ID_PANEL_SENSOR)->IsEnabled());
        Click(Radio(d, VTOptionsDlg::ID_BACKGROUND_WHITE));
        ClickOk(d);
    });
    driver.answers = {wxID_OK};
    EXPECT_EQ(RunDialog(experiment, driver), wxID_OK);
    EXPECT_EQ(experiment.GetBackgroundColour(), *wxWHITE);
}

TEST(OptionsDlgValues, FolderStringsAreReadWithoutRunningOffTheirEnd)
{
    using OptionsDlgValues::FolderString;
    const struct
    {
        const char* text;
        FolderString::Kind kind;
        const char* sub;
    } cases[] = {
        {"", FolderString::Empty, ""},
        {"/data/results", FolderString::Path, ""},
        {"$(V)", FolderString::ExperimentFolder, ""},
        {"$(V)/", FolderString::ExperimentFolder, ""},
        {"$(V)/Data", FolderString::SubFolder, "Data"},
        {"$(W)/Data", FolderString::Unrecognised, ""},
        {"$", FolderString::Unrecognised, ""},
        {"$(V", FolderString::Unrecognised, ""},
        {"$V)", FolderString::Unrecognised, ""},
        {"$)(", FolderString::Unrecognised, ""},
        {"/money$/folder", FolderString::Unrecognised, ""},
    };
    for (const auto& c : cases) {
        const FolderString got = OptionsDlgValues::InterpretFolderString(c.text, "V", '/');
        EXPECT_EQ(got.kind, c.kind) << c.text;
        EXPECT_EQ(got.subFolder, c.sub) << c.text;
    }
    int value = 0;
    EXPECT_TRUE(OptionsDlgValues::ParseWholeInt32("-5", value));
    EXPECT_EQ(value, -5);
    EXPECT_FALSE(OptionsDlgValues::ParseWholeInt32("12.5", value));
    EXPECT_EQ(OptionsDlgValues::ColourLabel(wxColour(1, 22, 255)), "( 1, 22, 255 )");
}

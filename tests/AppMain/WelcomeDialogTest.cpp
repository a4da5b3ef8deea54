// The welcome dialog's three roads, driven as a user would: keys and clicks on
// the recent-file entries, "Start New Experiment" with a chosen input device,
// and the file chooser; then what CarryOutUserRequest does with the document
// manager.
#include "AppMain/Editing/ExperimentSelectLaunchDialog.h"
#include "AppMain/Editing/HoverPanelChildren.h"
#include "AppMain/Editing/PanelWithHoverActions.h"
#include "InputPlugInFolder.h"
#include "TestSupport.h"
#include "WindowLayout.h"

#include <VTCore/VTExperiment.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/log.h>
#include <wx/display.h>
#include <wx/docview.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <functional>
#include <memory>
#include <string>

using Vantrel::VTExperiment;

namespace {

class WelcomeTestView : public wxView
{
public:
    bool OnCreate(wxDocument*, long) override { return true; }
    void OnDraw(wxDC*) override {}
    wxDECLARE_DYNAMIC_CLASS(WelcomeTestView);
};
wxIMPLEMENT_DYNAMIC_CLASS(WelcomeTestView, wxView);

// Answers the welcome dialog with `script` once it is on screen, and the file
// chooser with `chosenFile` (empty: the chooser is cancelled).
class WelcomeScript : public wxModalDialogHook
{
public:
    WelcomeScript(std::function<void(ExperimentSelectLaunchDialog&)> script, wxString chosenFile = wxString())
        : script_(std::move(script)), chosenFile_(std::move(chosenFile))
    {
        Register();
    }
    ~WelcomeScript() override { Unregister(); }
    int choosers = 0;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* chooser = wxDynamicCast(dialog, wxFileDialog)) {
            ++choosers;
            if (chosenFile_.empty()) return wxID_CANCEL;
            // The native chooser takes the path in the background; it is ready
            // once it reports it back.
            chooser->SetPath(chosenFile_);
            if (!TestSupport::PumpUntil([&] { return chooser->GetPath() == chosenFile_; }, 5000))
                ADD_FAILURE() << "the file chooser never took " << chosenFile_;
            return wxID_OK;
        }
        auto* welcome = wxDynamicCast(dialog, ExperimentSelectLaunchDialog);
        if (!welcome) return wxID_NONE;
        wxTheApp->CallAfter([this, welcome] {
            if (!TestSupport::PumpUntil([&] { return welcome->IsShownOnScreen(); })) ADD_FAILURE() << "never shown";
            welcome->Raise();
            TestSupport::PumpFor(150);
            script_(*welcome);
            if (!TestSupport::PumpUntil([&] { return !welcome->IsModal(); }, 5000)) {
                ADD_FAILURE() << "dialog still open after its script";
                welcome->EndModal(wxID_CANCEL);
            }
        });
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::function<void(ExperimentSelectLaunchDialog&)> script_;
    wxString chosenFile_;
};

// Keypad digits are digits only while Num Lock is on.
void PressOnKeypad(int key)
{
    wxUIActionSimulator().Char(WXK_NUMLOCK);
    TestSupport::PumpFor(50);
    wxUIActionSimulator().Char(key);
    TestSupport::PumpFor(50);
    wxUIActionSimulator().Char(WXK_NUMLOCK);
    TestSupport::PumpFor(50);
}

void Press(int key)
{
    wxUIActionSimulator().Char(key);
    TestSupport::PumpFor(50);
}

PanelWithHoverActions* Entry(wxDialog& dialog, int id)
{
    return wxDynamicCast(dialog.FindWindow(id), PanelWithHoverActions);
}

class Welcome : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Vantrel::RegisterRuntimeWithCore();
        TestSupport::ClearLog();
        manager = std::make_unique<wxDocManager>();
        VTExperiment::CreateOneWxDocTemplate(manager.get(), wxCLASSINFO(WelcomeTestView));
        folder = TestSupport::MakeTempFolder("welcome");
    }
    void TearDown() override
    {
        manager->CloseDocuments(true);
        manager.reset();
        TestSupport::PumpFor(20);
    }

    // An experiment file in the test folder (a copy of a fixture), added to the history.
    wxString Experiment(const wxString& name)
    {
        const wxString path = wxFileName(folder, name).GetFullPath();
        EXPECT_TRUE(wxCopyFile(STUDYSTATION_FIXTURES_DIR "/one-group.vt6", path));
        return path;
    }

    // Shows the dialog with `script`, then carries out the user's request.
    std::unique_ptr<ExperimentSelectLaunchDialog> Run(std::function<void(ExperimentSelectLaunchDialog&)> script,
                                                      const wxString& chosenFile = wxString(), int* choosers = nullptr)
    {
        WelcomeScript answer(std::move(script), chosenFile);
        auto dialog = std::make_unique<ExperimentSelectLaunchDialog>(nullptr, manager.get(), wxID_ANY, "Welcome");
        dialog->ShowModal();
        dialog->CarryOutUserRequest();
        if (choosers) *choosers = answer.choosers;
        return dialog;
    }

    std::vector<wxString> OpenFiles() const
    {
        std::vector<wxString> files;
        for (wxDocument* doc : manager->GetDocumentsVector()) files.push_back(doc->GetFilename());
        return files;
    }

    InputPlugInFolder plugins;
    std::unique_ptr<wxDocManager> manager;
    wxString folder;
};

TEST(WelcomeFolderLine, ShortensFromTheLeftAndQuotes)
{
    const wxString longFolder(wxUniChar('f'), 160);
    const struct
    {
        wxString file;
        wxString line;
    } cases[] = {
        {"/Users/anna/Documents/Data/Pilot/Week 2/x.vt6", "In \".../anna/Documents/Data/Pilot/Week 2\""},
        {"/Users/anna/Exp/x.vt6", "In \"/Users/anna/Exp\""},
        {"/x.vt6", "In \"/\""},
        {"/a/" + longFolder + "/x.vt6", "In \".../" + longFolder.Left(150) + "...\""},
        {"/" + longFolder + "/x.vt6", "In \"/" + longFolder.Left(150) + "...\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.utf8_string());
        EXPECT_EQ(ExperimentSelectLaunchDialog::GenerateFilepathString(wxFileName(c.file)), c.line);
    }
    EXPECT_EQ(ExperimentSelectLaunchDialog::MAX_LENGTH_OF_FILE_OR_FOLDER_NAME, 150);
}

TEST_F(Welcome, RecentEntriesShowTheHistoryAndKeysOrClicksOpenThem)
{
    const wxString older = Experiment("Older.vt6"), newer = Experiment("Newer.vt6");  // newer is the most recent

    const struct
    {
        const char* how;
        std::function<void(ExperimentSelectLaunchDialog&)> act;
        wxString opened;  // empty: nothing is opened
    } roads[] = {
        {"key 1", [](ExperimentSelectLaunchDialog&) { Press('1'); }, newer},
        {"keypad 2", [](ExperimentSelectLaunchDialog&) { PressOnKeypad(WXK_NUMPAD2); }, older},
        {"click on entry 2",
         [](ExperimentSelectLaunchDialog& d) {
             TestSupport::ClickWindow(Entry(d, ExperimentSelectLaunchDialog::ID_RECENT_2)->GetFirstLabel());
         },
         older},
        {"key 3 without a third file", [](ExperimentSelectLaunchDialog&) { Press('3'); }, wxString()},
        {"keypad 4 without a fourth file", [](ExperimentSelectLaunchDialog&) { PressOnKeypad(WXK_NUMPAD4); },
         wxString()},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.how);
        // Opening a file moves it to the front of the history: start each road alike.
        while (manager->GetHistoryFilesCount()) manager->GetFileHistory()->RemoveFileFromHistory(0);
        manager->AddFileToHistory(older);
        manager->AddFileToHistory(newer);
        bool shownAsExpected = false;
        auto dialog = Run([&](ExperimentSelectLaunchDialog& d) {
            auto* first = Entry(d, ExperimentSelectLaunchDialog::ID_RECENT_1);
            auto* second = Entry(d, ExperimentSelectLaunchDialog::ID_RECENT_2);
            shownAsExpected = first->IsShownOnScreen() && second->IsShownOnScreen() &&
                              !Entry(d, ExperimentSelectLaunchDialog::ID_RECENT_3)->IsShown() &&
                              !Entry(d, ExperimentSelectLaunchDialog::ID_RECENT_4)->IsShown() &&
                              first->GetFirstLabel()->GetLabelText() == "Newer.vt6" &&
                              first->GetSecondLabel()->GetLabelText() ==
                                  ExperimentSelectLaunchDialog::GenerateFilepathString(wxFileName(newer)) &&
                              first->GetToolTipText() == newer &&
                              second->GetFirstLabel()->GetLabelText() == "Older.vt6";
            road.act(d);
        });
        EXPECT_TRUE(shownAsExpected);
        EXPECT_FALSE(dialog->ChoseNewExperiment());
        // Once a choice is made, later clicks and keys reach nothing.
        wxCommandEvent late(wxEVT_MENU, ExperimentSelectLaunchDialog::ID_RECENT_1);
        dialog->GetEventHandler()->ProcessEvent(late);
        EXPECT_EQ(dialog->GetChosenPath(), road.opened);
        EXPECT_EQ(OpenFiles(), road.opened.empty() ? std::vector<wxString>{} : std::vector<wxString>{road.opened});
        manager->CloseDocuments(true);
    }
}

TEST_F(Welcome, StartNewCreatesAnExperimentWithTheChosenInputDevice)
{
    manager->AddFileToHistory(Experiment("Ignored.vt6"));
    const struct
    {
        const char* how;
        int entry;
        std::function<void(ExperimentSelectLaunchDialog&)> act;
    } roads[] = {
        {"button", 1,
         [](ExperimentSelectLaunchDialog& d) {
             TestSupport::ClickWindow(d.FindWindow(ExperimentSelectLaunchDialog::ID_NEW_EXPERIMENT));
         }},
        {"key n", 0, [](ExperimentSelectLaunchDialog&) { Press('n'); }},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.how);
        auto dialog = Run([&](ExperimentSelectLaunchDialog& d) {
            auto* choice = wxDynamicCast(d.FindWindow(ExperimentSelectLaunchDialog::ID_INPUT_CHOICE), wxChoice);
            EXPECT_EQ(choice->GetName(), "Input Plugin Choice");
            EXPECT_EQ(choice->GetCount(), 2u);
            choice->SetSelection(road.entry);
            road.act(d);
        });
        EXPECT_TRUE(dialog->ChoseNewExperiment());
        const wxDocVector docs = manager->GetDocumentsVector();
        ASSERT_EQ(docs.size(), 1u);
        auto* experiment = wxDynamicCast(docs.front(), VTExperiment);
        ASSERT_NE(experiment, nullptr);
        const int chosen = road.entry == 1 ? kTestInputID : kQNodeID;
        const auto& used = experiment->GetInputPlugInIDsInUse();
        EXPECT_NE(std::find(used.begin(), used.end(), chosen), used.end());
        manager->CloseDocuments(true);
    }
}

TEST_F(Welcome, WithoutInputDevicesANewExperimentIsMadeAndTheMissingDeviceReported)
{
    Vantrel::VTPlugIn::DeleteAllObjects();
    auto dialog = Run([](ExperimentSelectLaunchDialog& d) {
        EXPECT_EQ(wxDynamicCast(d.FindWindow(ExperimentSelectLaunchDialog::ID_INPUT_CHOICE), wxChoice)->GetCount(), 0u);
        Press('n');
    });
    EXPECT_TRUE(TestSupport::LogContains("Invalid selection of input device.", wxLOG_Error));
    EXPECT_TRUE(TestSupport::LogContains("Missing Vantrel input device.", wxLOG_Error));
    ASSERT_EQ(manager->GetDocumentsVector().size(), 1u);
}

TEST_F(Welcome, OpenOtherUsesTheFileChooserAndACancelOpensNothing)
{
    const wxString chosen = Experiment("Chosen.vt6");
    int choosers = 0;
    auto dialog = Run([](ExperimentSelectLaunchDialog&) { Press('o'); }, chosen, &choosers);
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(dialog->GetChosenPath(), chosen);
    EXPECT_EQ(OpenFiles(), std::vector<wxString>{chosen});
    manager->CloseDocuments(true);

    dialog = Run(
        [](ExperimentSelectLaunchDialog& d) {
            TestSupport::ClickWindow(Entry(d, ExperimentSelectLaunchDialog::ID_OPEN_FILE)->GetFirstLabel());
        },
        wxString(), &choosers);
    EXPECT_EQ(choosers, 1);
    EXPECT_TRUE(dialog->GetChosenPath().empty());
    EXPECT_TRUE(OpenFiles().empty());
}

TEST_F(Welcome, ClosingWithoutAChoiceDoesNothing)
{
    manager->AddFileToHistory(Experiment("Kept.vt6"));
    auto dialog = Run([](ExperimentSelectLaunchDialog& d) { d.Close(); });
    EXPECT_FALSE(dialog->ChoseNewExperiment());
    EXPECT_TRUE(dialog->GetChosenPath().empty());
    EXPECT_TRUE(OpenFiles().empty());
    EXPECT_EQ(manager->GetHistoryFilesCount(), 1u);
}

TEST_F(Welcome, ARecentFileThatIsGoneIsReportedAndLeavesTheHistory)
{
    const wxString kept = Experiment("Kept.vt6"), gone = Experiment("Gone.vt6");
    manager->AddFileToHistory(kept);
    manager->AddFileToHistory(gone);
    auto dialog = Run([&](ExperimentSelectLaunchDialog&) {
        wxRemoveFile(gone);
        Press('1');
    });
    EXPECT_EQ(dialog->GetChosenPath(), gone);
    EXPECT_TRUE(OpenFiles().empty());
    EXPECT_TRUE(TestSupport::LogContains("no longer exists", wxLOG_Error)) << TestSupport::LogAsText();
    ASSERT_EQ(manager->GetHistoryFilesCount(), 1u);
    EXPECT_EQ(manager->GetHistoryFile(0), kept);
}

// A long file or folder name is shortened ("..." where it is cut) so that the
// dialog fits the screen's width (Xvfb's is 1280 pixels); the file opened is the
// one named in full, which the tooltip shows.
TEST_F(Welcome, ALongFileNameIsShortenedToFitTheScreenButOpenedInFull)
{
    const struct
    {
        const char* what;
        wxString folder;  // inside the test folder, "" for none
        wxString name;
    } cases[] = {
        {"151 characters", "", wxString(wxUniChar('n'), 147) + ".vt6"},
        {"wide letters", "", wxString(wxUniChar('W'), 120) + ".vt6"},
        {"a long folder", wxString(wxUniChar('F'), 140), "Short.vt6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        manager->CloseDocuments(true);
        while (manager->GetHistoryFilesCount() > 0) manager->RemoveFileFromHistory(0);
        wxString path;
        if (c.folder.empty()) {
            path = Experiment(c.name);
        } else {
            const wxString inside = folder + "/" + c.folder;
            ASSERT_TRUE(wxFileName::Mkdir(inside));
            path = inside + "/" + c.name;
            ASSERT_TRUE(wxCopyFile(STUDYSTATION_FIXTURES_DIR "/one-group.vt6", path));
        }
        manager->AddFileToHistory(path);
        wxString shown, folderLine, tooltip;
        std::string faults;
        wxRect dialogRect, screen;
        auto dialog = Run([&](ExperimentSelectLaunchDialog& d) {
            auto* entry = Entry(d, ExperimentSelectLaunchDialog::ID_RECENT_1);
            shown = entry->GetFirstLabel()->GetLabelText();
            folderLine = entry->GetSecondLabel()->GetLabelText();
            tooltip = entry->GetToolTipText();
            dialogRect = d.GetScreenRect();
            screen = wxDisplay(static_cast<const wxWindow*>(&d)).GetClientArea();
            faults = TestSupport::LayoutFaults(&d).utf8_string();
            Press('1');
        });
        EXPECT_LE(dialogRect.width, 1280);
        EXPECT_LE(dialogRect.width, screen.width);
        EXPECT_EQ(faults, "");
        if (c.folder.empty()) {
            ASSERT_TRUE(shown.EndsWith("...")) << shown;
            EXPECT_TRUE(c.name.StartsWith(shown.Left(shown.length() - 3))) << shown;
            EXPECT_GT(shown.length(), 20u);
        } else {
            EXPECT_EQ(shown, c.name);
            // Cut in its middle: the line still closes its quotation.
            EXPECT_TRUE(folderLine.StartsWith("In \"")) << folderLine;
            EXPECT_TRUE(folderLine.EndsWith("\"")) << folderLine;
            EXPECT_LT(folderLine.length(), c.folder.length()) << folderLine;
        }
        EXPECT_EQ(tooltip, path);
        EXPECT_EQ(OpenFiles(), std::vector<wxString>{path});
    }
}

TEST_F(Welcome, TheConflictWarningShowsOnlyForTheConflictingRememberedSet)
{
    InputPlugInFolder::RememberInputSet("9901,2103");
    plugins.SetTestInputConflictsWith(kQNodeID);
    std::vector<bool> warned;
    wxString text;
    Run([&](ExperimentSelectLaunchDialog& d) {
        auto* choice = wxDynamicCast(d.FindWindow(ExperimentSelectLaunchDialog::ID_INPUT_CHOICE), wxChoice);
        wxWindow* warning = d.FindWindow(ExperimentSelectLaunchDialog::ID_CONFLICT_PANEL);
        EXPECT_EQ(choice->GetSelection(), 2);
        warned.push_back(warning->IsShownOnScreen());
        for (wxWindow* child : warning->GetChildren())
            if (auto* label = wxDynamicCast(child, wxStaticText)) text = label->GetLabelText();
        for (int entry : {0, 2}) {
            choice->SetSelection(entry);
            wxCommandEvent picked(wxEVT_CHOICE, choice->GetId());
            picked.SetInt(entry);
            picked.SetEventObject(choice);
            choice->ProcessWindowEvent(picked);
            TestSupport::PumpFor(50);
            warned.push_back(warning->IsShownOnScreen());
        }
        d.Close();
    });
    EXPECT_EQ(warned, (std::vector<bool>{true, false, true}));
    text.Replace("\n", " ");  // the warning is wrapped to the width of the choice's last entry
    EXPECT_EQ(text, "These 2 input devices may conflict. Go to Participant Input to modify the settings.");
}

}  // namespace

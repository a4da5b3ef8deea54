// The participant's whole road through the panel, and the ways the data gets
// back to the researcher when the service does not take it.

#include "CloudPanelFixture.h"

#include "TestSupport.h"
#include "UnsentDataOutbox.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/config.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <chrono>

#include <filesystem>

namespace fs = std::filesystem;

namespace PanelTests {
namespace {

class CloudPanelRoad : public CloudPanelTest
{
protected:
    // Types the code, enters the details when asked, and waits for the opened experiment's panel.
    void GetToReadyPanel(bool detailsAsked)
    {
        CloudExperimentPanel* panel = ShowPanel();
        TypeInto(TaskField(panel), kTaskCode);
        Click(Button(panel, CloudExperimentPanel::ID_NEXT));
        if (detailsAsked) {
            ASSERT_TRUE(TestSupport::PumpUntil([&] {
                return panel->GetStepPage() == CloudExperimentPanel::kStepDetails;
            })) << wxString(ErrorText(panel)->GetLabel());
            TypeInto(wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_NAME), wxTextCtrl), "Ann");
            TypeInto(wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_EMAIL), wxTextCtrl), "ann@example.test");
            Click(Button(panel, CloudExperimentPanel::ID_GET_STARTED));
        }
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return ReadyPanel() != nullptr; }, 20000))
            << "step " << panel->GetStepPage() << ": " << ErrorText(panel)->GetLabel() << "\n"
            << TestSupport::LogAsText();
        EXPECT_EQ(m_script.closeRequests, 1) << "the untitled view closes once the experiment is open";
        ASSERT_EQ(m_script.openedDocuments.size(), 1u);
        EXPECT_TRUE(m_script.openedDocuments[0].EndsWith("/Sample/Sample.vt6"));
        EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepDownload);
        EXPECT_EQ(Button(ReadyPanel(), CloudExperimentPanel::ID_RUN_OR_CANCEL)->GetLabel(), "   Run Task   ");
        EXPECT_TRUE(ContainsLabel(ReadyPanel(), "The task is ready, click button below to proceed."));
    }

    void RunTask()
    {
        Click(Button(ReadyPanel(), CloudExperimentPanel::ID_RUN_OR_CANCEL));
        ASSERT_TRUE(TestSupport::PumpUntil(
            [&] { return ReadyPanel()->GetButtonPage() == CloudExperimentPanel::kButtonExit; }, 30000))
            << TestSupport::LogAsText();
    }

    std::string DataFile() const { return TaskFolder() + "/Task Data.txt"; }
};

TEST_F(CloudPanelRoad, FromTaskCodeToThankYouWithTheDataAtTheService)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, true));
    m_doubles.Service().WriteExperimentFile(kExperimentCode, "rt_info", "'group_id':'5'\n");
    m_script.groups = {5, 9};
    GetToReadyPanel(true);
    EXPECT_EQ(m_script.subjectName, "Ann (ann@example.test)");
    EXPECT_FALSE(fs::exists(TaskFolder() + ".tar.gz")) << "the package goes once unpacked";

    RunTask();
    ASSERT_EQ(m_script.runs.size(), 1u);
    EXPECT_EQ(m_script.runs[0].groupId, 9u) << "balanced assignment picks the group with fewer runs";
    EXPECT_TRUE(m_script.runs[0].saveData);
    EXPECT_EQ(m_script.runs[0].dataFile, wxString::FromUTF8(DataFile()));

    const auto results = m_doubles.Service().Results(kExperimentCode);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].second, m_script.runBytes);
    const auto uploads = m_doubles.Service().RequestsTo("/api/user/v1/upload-result");
    ASSERT_EQ(uploads.size(), 1u);
    bool codeSent = false;
    for (const auto& part : uploads[0].parts)
        if (part.name == "experiment_code") codeSent = part.data == std::to_string(kExperimentCode);
    EXPECT_TRUE(codeSent);
    EXPECT_EQ(m_doubles.Service().ReadExperimentFile(kExperimentCode, "rt_info"), "'group_id':'5'\n'group_id':'9'\n");
    EXPECT_EQ(wxConfigBase::Get()->Read("/VTCloudSettings/last_exp_id"), "12345678");

    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "Thank you for participating in the study."));
    EXPECT_FALSE(fs::exists(TaskFolder()));
    EXPECT_FALSE(fs::exists(TaskFolder() + ".tar.gz"));
    EXPECT_FALSE(fs::exists(DesktopFolder() + "/Task Data.txt")) << "no desktop copy unless asked for";

    Click(Button(ReadyPanel(), CloudExperimentPanel::ID_EXIT));
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return m_script.exitRequests == 1; }));
}

// A slow upload runs beside a responsive window that says what it is doing, with a
// button that says so too.
TEST_F(CloudPanelRoad, TheDataGoesBackWhileTheWindowKeepsHandlingEvents)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    GetToReadyPanel(false);
    m_doubles.Service().SetSwitches(R"({"delay_after_store_seconds": {"upload-result": 2}})");
    wxTimer ticker;
    auto last = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration longestGap{};
    bool sawSending = false;
    std::vector<wxString> buttonLabels;
    ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const auto now = std::chrono::steady_clock::now();
        longestGap = std::max(longestGap, now - last);
        last = now;
        if (ReadyPanel() && ContainsLabel(ReadyPanel(), "Sending the data file to the researcher...")) {
            sawSending = true;
            wxButton* button = Button(ReadyPanel(), CloudExperimentPanel::ID_RUN_OR_CANCEL);
            buttonLabels.push_back(button->GetLabel());
            EXPECT_FALSE(button->IsEnabled());
        }
    });
    Click(Button(ReadyPanel(), CloudExperimentPanel::ID_RUN_OR_CANCEL));
    last = std::chrono::steady_clock::now();
    ticker.Start(20);
    ASSERT_TRUE(TestSupport::PumpUntil(
        [&] { return ReadyPanel()->GetButtonPage() == CloudExperimentPanel::kButtonExit; }, 30000))
        << TestSupport::LogAsText();
    ticker.Stop();
    EXPECT_TRUE(sawSending);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(longestGap).count(), 250);
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    ASSERT_FALSE(buttonLabels.empty());
    for (const wxString& label : buttonLabels) EXPECT_EQ(label, "   Sending Data...   ");
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 1);
    EXPECT_EQ(m_doubles.Service().Results(kExperimentCode).size(), 1u);
    m_doubles.Service().ClearSwitches();
}

TEST_F(CloudPanelRoad, CommandLineCodeWithoutUploadSavesAndSendsNothing)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    CloudExperimentPanel* panel = ShowPanel();
    panel->InsertCmdLineTaskID(15386598, true);
    EXPECT_EQ(TaskField(panel)->GetValue(), kTaskCode);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return ReadyPanel() != nullptr; }, 20000)) << TestSupport::LogAsText();
    ReadyPanel()->InsertCmdLineTaskID(15386598, true);  // the re-created panel ignores it
    EXPECT_EQ(TaskField(ReadyPanel())->GetValue(), "");

    RunTask();
    ASSERT_EQ(m_script.runs.size(), 1u);
    EXPECT_FALSE(m_script.runs[0].saveData);
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 0);
    EXPECT_EQ(RequestCount("/api/user/v1/update-rtinfo-file"), 0);
    EXPECT_EQ(wxConfigBase::Get()->Read("/VTCloudSettings/last_exp_id", "none"), "none");
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    EXPECT_FALSE(fs::exists(TaskFolder()));
}

TEST_F(CloudPanelRoad, FailedUploadsGoToTheResearcherByMailWithADesktopCopy)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    m_doubles.Service().SetSwitches(R"({"fail": ["upload-result"]})");
    GetToReadyPanel(false);
    RunTask();

    // The service answered: it had the request, so it is not sent again (a service
    // may fail after storing). The run still counts once.
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 1);
    EXPECT_EQ(m_doubles.Service().ReadExperimentFile(kExperimentCode, "rt_info"), "'group_id':'5'\n");
    EXPECT_FALSE(ContainsLabel(ReadyPanel(), "may or may not have arrived")) << "the service said it has nothing";
    const auto messages = m_doubles.Relay().Messages();
    ASSERT_EQ(messages.size(), 1u) << TestSupport::LogAsText();
    EXPECT_EQ(messages[0].recipients, std::vector<std::string>{kResearcher});
    bool attached = false;
    for (const auto& part : messages[0].parts) attached = attached || part.data == m_script.runBytes;
    EXPECT_TRUE(attached);
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    EXPECT_EQ(TestSupport::ReadWholeFile(DesktopFolder() + "/Task Data.txt"), m_script.runBytes);
    EXPECT_EQ(wxConfigBase::Get()->Read("/VTCloudSettings/last_exp_id"), "12345678");
}

TEST_F(CloudPanelRoad, WhenMailFailsTooTheAddressIsShownAndTheDataStaysInTwoPlaces)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    m_doubles.Service().SetSwitches(R"({"fail": ["upload-result"]})");
    GetToReadyPanel(false);
    m_doubles.Relay().Stop();
    RunTask();

    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepUploadError);
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), wxString("We have placed the data file on the desktop. Please send it\n"
                                                     "to the researcher at ") +
                                                kResearcher + "."));
    EXPECT_EQ(TestSupport::ReadWholeFile(DesktopFolder() + "/Task Data.txt"), m_script.runBytes);
    EXPECT_EQ(TestSupport::ReadWholeFile(DataFile()), m_script.runBytes) << "the task folder keeps the original";

    Click(Button(ReadyPanel(), CloudExperimentPanel::ID_COPY_EMAIL));
    wxString copied;
    ASSERT_TRUE(TestSupport::PumpUntil([&] {
        wxClipboardLocker locker;
        wxTextDataObject text;
        if (!!locker && wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && wxTheClipboard->GetData(text))
            copied = text.GetText();
        return copied == kResearcher;
    })) << "clipboard holds '"
        << copied << "'";
}

// Data that could not reach the service nor go by e-mail is not stranded: the next
// start sends it in the background, and only then does it leave the outbox.
TEST_F(CloudPanelRoad, UnsentDataOfAnEarlierRunIsSentAtTheNextStart)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    GetToReadyPanel(false);
    m_doubles.Service().SetSwitches(R"({"refuse_connections": 1000})");
    m_doubles.Relay().Stop();
    RunTask();
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepUploadError);
    const auto waiting = Vantrel::ReadOutbox();
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_EQ(TestSupport::ReadWholeFile(waiting[0].request.dataFile), m_script.runBytes);
    EXPECT_TRUE(m_doubles.Service().Results(kExperimentCode).empty());

    // The next start, with the service taking uploads again.
    m_doubles.Service().ClearSwitches();
    Vantrel::ResetOutboxSenderForTesting();
    CloudExperimentPanel::ForgetTaskForTesting();
    ShowPanel();
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return Vantrel::ReadOutbox().empty(); }, 60000));
    ASSERT_TRUE(Vantrel::WaitForOutboxSender(10000));
    const auto results = m_doubles.Service().Results(kExperimentCode);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].second, m_script.runBytes);
    EXPECT_EQ(m_doubles.Service().ReadExperimentFile(kExperimentCode, "rt_info"), "'group_id':'5'\n");
}

// The service stored the data but its answer never came: the data is not sent
// again, the run counts once, the researcher gets the e-mail, the desktop a copy,
// and the last page says plainly where the data may be.
TEST_F(CloudPanelRoad, AnUploadStoredButNeverAnsweredIsKeptOnceAndSaidPlainly)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    GetToReadyPanel(false);
    m_doubles.Service().SetSwitches(R"({"hang_up_after_store": ["upload-result"]})");
    RunTask();

    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 1);
    const auto results = m_doubles.Service().Results(kExperimentCode);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].second, m_script.runBytes);
    EXPECT_EQ(m_doubles.Service().ReadExperimentFile(kExperimentCode, "rt_info"), "'group_id':'5'\n");
    const auto messages = m_doubles.Relay().Messages();
    ASSERT_EQ(messages.size(), 1u) << TestSupport::LogAsText();
    EXPECT_EQ(messages[0].recipients, std::vector<std::string>{kResearcher});
    EXPECT_EQ(TestSupport::ReadWholeFile(DesktopFolder() + "/Task Data.txt"), m_script.runBytes);
    EXPECT_TRUE(Vantrel::ReadOutbox().empty()) << "the e-mail went: nothing is left to send";

    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "did not confirm that it received your data"));
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "may or may not have arrived there."));
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "A copy was e-mailed to the researcher."));
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "Another copy was kept on the desktop."));
    m_doubles.Service().ClearSwitches();
}

// The same, with the e-mail failing too: the page asks for the desktop copy to be
// sent and says that the service may have the data already.
TEST_F(CloudPanelRoad, AnUnansweredUploadWithoutMailSaysTheDataMayHaveArrived)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    GetToReadyPanel(false);
    m_doubles.Service().SetSwitches(R"({"hang_up_after_store": ["upload-result"]})");
    m_doubles.Relay().Stop();
    RunTask();

    EXPECT_EQ(m_doubles.Service().Results(kExperimentCode).size(), 1u);
    EXPECT_EQ(m_doubles.Service().ReadExperimentFile(kExperimentCode, "rt_info"), "'group_id':'5'\n");
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepUploadError);
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "may or may not have arrived there."));
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), wxString("We have placed the data file on the desktop. Please send it\n"
                                                     "to the researcher at ") +
                                                kResearcher + "."));
    const auto waiting = Vantrel::ReadOutbox();
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_TRUE(waiting[0].request.uploadMayHaveArrived) << "the next start will not upload it again";
    m_doubles.Service().ClearSwitches();
}

// A connection refused before anything was sent cannot have reached the service:
// the upload is tried again and the data is stored once.
TEST_F(CloudPanelRoad, AConnectionRefusedBeforeSendingIsTriedAgainAndStoredOnce)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    GetToReadyPanel(false);
    m_doubles.Service().SetSwitches(R"({"refuse_connections": 2})");
    RunTask();

    EXPECT_EQ(m_doubles.Service().RefusedConnections(), 2);
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 1);
    const auto results = m_doubles.Service().Results(kExperimentCode);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].second, m_script.runBytes);
    EXPECT_EQ(m_doubles.Service().ReadExperimentFile(kExperimentCode, "rt_info"), "'group_id':'5'\n");
    EXPECT_TRUE(m_doubles.Relay().Messages().empty());
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    EXPECT_FALSE(ContainsLabel(ReadyPanel(), "may or may not have arrived"));
    EXPECT_TRUE(Vantrel::ReadOutbox().empty());
}

TEST_F(CloudPanelRoad, ACancelledRunSendsNothingAndKeepsItsDataFile)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    m_script.runCancelled = true;
    GetToReadyPanel(false);
    RunTask();
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 0);
    EXPECT_EQ(wxConfigBase::Get()->Read("/VTCloudSettings/last_exp_id", "none"), "none");
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    EXPECT_EQ(TestSupport::ReadWholeFile(DataFile()), m_script.runBytes);
    EXPECT_FALSE(fs::exists(TaskFolder() + ".tar.gz"));
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), wxString::FromUTF8(DataFile())));
}

TEST_F(CloudPanelRoad, ARunWithoutDataFileIsAnErrorAndKeepsTheTaskFolder)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    m_script.groups = {};  // nothing to balance either: the run still takes place
    m_script.writesData = false;
    GetToReadyPanel(false);
    RunTask();
    ASSERT_EQ(m_script.runs.size(), 1u);
    EXPECT_TRUE(TestSupport::LogContains("The task ended without a data file", 1)) << TestSupport::LogAsText();
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 0);
    EXPECT_TRUE(fs::exists(TaskFolder() + "/Sample/Sample.vt6"));
    EXPECT_FALSE(fs::exists(TaskFolder() + ".tar.gz"));
}

TEST_F(CloudPanelRoad, ARunWhoseDataCouldNotBeSavedSendsNothingAndSaysWhereTheFileIs)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
    m_script.runFailure = "The data file could not be written: No space left on device. The experiment was stopped.";
    GetToReadyPanel(false);
    RunTask();
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 0);
    EXPECT_EQ(m_doubles.Service().Results(kExperimentCode).size(), 0u);
    EXPECT_EQ(wxConfigBase::Get()->Read("/VTCloudSettings/last_exp_id", "none"), "none");
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepUploadError) << "no thank-you page";
    EXPECT_FALSE(ReadyPanel()->FindWindow(CloudExperimentPanel::ID_RUN_OR_CANCEL)->IsShownOnScreen());
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "No space left on device"));
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), wxString::FromUTF8(DataFile())));
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), kResearcher));
    EXPECT_EQ(TestSupport::ReadWholeFile(DataFile()), m_script.runBytes)
        << "what was recorded stays in the task folder";
    EXPECT_FALSE(fs::exists(DesktopFolder() + "/Task Data.txt"));
}

TEST_F(CloudPanelRoad, KeepRequestedByTheExperimentLeavesTheFolderAndSaysSo)
{
    AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false, false, true, true));
    GetToReadyPanel(false);
    RunTask();
    EXPECT_EQ(ReadyPanel()->GetStepPage(), CloudExperimentPanel::kStepThanks);
    EXPECT_TRUE(ContainsLabel(ReadyPanel(), "You can uninstall this app if you want."));
    EXPECT_EQ(TestSupport::ReadWholeFile(DataFile()), m_script.runBytes);
    EXPECT_EQ(TestSupport::ReadWholeFile(DesktopFolder() + "/Task Data.txt"), m_script.runBytes)
        << "save_desktop asks for a copy";
    EXPECT_FALSE(fs::exists(TaskFolder() + ".tar.gz"));
}

}  // namespace
}  // namespace PanelTests

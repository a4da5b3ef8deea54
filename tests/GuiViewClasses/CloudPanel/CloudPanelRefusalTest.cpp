// Step 1 refuses what it must, with its text, and never starts a download then.

#include "CloudPanelFixture.h"

#include "TestSupport.h"

#include "CloudClient/TransferFailure.h"
#include "CloudTaskChecks.h"

#include <wx/button.h>
#include <wx/config.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <optional>

namespace PanelTests {
namespace {

class CloudPanelRefusal : public CloudPanelTest
{};

// Network trouble is told as what it is, never as an invalid code; while the
// checks wait on a silent server the window keeps handling its events.
TEST_F(CloudPanelRefusal, NetworkFailuresHaveTheirOwnMessageAndNeverFreezeTheWindow)
{
    Vantrel::SetTaskChecksDeadlineForTesting(std::chrono::milliseconds(1500));
    struct Case
    {
        const char* label;
        const char* switches;
        const char* hostOverride;  // VANTREL_CLOUD_HOST, when the service is not to be reached
        bool withoutTestAuthority;
        Vantrel::TransferFailure failure;
    } cases[] = {
        {"silent server", R"({"delay_seconds": {"get-experiment-details": 20}})", nullptr, false,
         Vantrel::TransferFailure::TimedOut},
        {"server error", R"({"status": {"get-experiment-details": 503}})", nullptr, false,
         Vantrel::TransferFailure::Service},
        {"refused connection", nullptr, "127.0.0.1:9", false, Vantrel::TransferFailure::Network},
        {"unverifiable certificate", nullptr, nullptr, true, Vantrel::TransferFailure::Certificate},
    };
    AddExperiment(TestDoubles::InfoFileText(kResearcher));
    CloudExperimentPanel* panel = ShowPanel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.switches)
            m_doubles.Service().SetSwitches(c.switches);
        else
            m_doubles.Service().ClearSwitches();
        std::optional<TestDoubles::ScopedEnvironmentVariable> host, authority;
        if (c.hostOverride) host.emplace("VANTREL_CLOUD_HOST", c.hostOverride);
        if (c.withoutTestAuthority) authority.emplace("VANTREL_CA_BUNDLE", nullptr);

        // A timer of the GUI thread keeps ticking while the checks run.
        wxTimer ticker;
        auto last = std::chrono::steady_clock::now();
        std::chrono::steady_clock::duration longestGap{};
        ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            const auto now = std::chrono::steady_clock::now();
            longestGap = std::max(longestGap, now - last);
            last = now;
        });
        TaskField(panel)->ChangeValue(kTaskCode);
        Click(Button(panel, CloudExperimentPanel::ID_NEXT));
        last = std::chrono::steady_clock::now();
        ticker.Start(20);
        const wxString expected = Vantrel::DescribeTransferFailure(c.failure, wxEmptyString);
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return ErrorText(panel)->GetLabel() == expected; }, 15000))
            << "shown: " << ErrorText(panel)->GetLabel();
        ticker.Stop();
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(longestGap).count(), 250);
        EXPECT_FALSE(panel->AreTaskChecksInFlight());
        EXPECT_TRUE(TaskField(panel)->IsEnabled());
        EXPECT_EQ(panel->GetStepPage(), CloudExperimentPanel::kStepTaskCode);
        EXPECT_EQ(RequestCount("/api/user/v1/download-experiment"), 0);
    }
    m_doubles.Service().ClearSwitches();
    Vantrel::SetTaskChecksDeadlineForTesting(std::chrono::seconds(30));
}

TEST_F(CloudPanelRefusal, EachRefusalShowsItsTextAndStartsNoDownload)
{
    struct Case
    {
        const char* label;
        const char* typed;   // typed with the keyboard
        const char* pasted;  // or put into the field as a paste would
        std::string infoFile;
        const char* switches;
        const char* rtInfo;
        bool sameCodeRanBefore;
        const char* expected;
        bool asksService;
    } cases[] = {
        {"too short", "1538659", nullptr, TestDoubles::InfoFileText(kResearcher), nullptr, nullptr, false,
         "Invalid experiment ID. Contact the researcher if you have questions.", false},
        {"decimal point", "1538.598", nullptr, TestDoubles::InfoFileText(kResearcher), nullptr, nullptr, false,
         "Invalid experiment ID. Contact the researcher if you have questions.", false},
        {"not digits", nullptr, "15x86598", TestDoubles::InfoFileText(kResearcher), nullptr, nullptr, false,
         "Invalid experiment ID. Contact the researcher if you have questions.", false},
        {"unknown code", "87654321", nullptr, TestDoubles::InfoFileText(kResearcher), nullptr, nullptr, false,
         "Invalid experiment ID. Contact the researcher if you have questions.", true},
        {"expired", kTaskCode, nullptr, TestDoubles::InfoFileText(kResearcher), R"({"expired": true})", nullptr, false,
         "This experiment has expired. Contact the researcher if you have questions.", true},
        {"terminated", kTaskCode, nullptr, TestDoubles::InfoFileText(kResearcher), R"({"terminated": true})", nullptr,
         false, "This experiment was deleted. Contact the researcher if you have questions.", true},
        {"run once", kTaskCode, nullptr, TestDoubles::InfoFileText(kResearcher, 0, false, true), nullptr, nullptr, true,
         "This experiment can only be run once per participant! Contact the researcher if you have questions.", true},
        {"participant limit", kTaskCode, nullptr, TestDoubles::InfoFileText(kResearcher, 2), nullptr,
         "'group_id':'5'\n'group_id':'5'\n", false,
         "Maximum number of participants reached. Contact the researcher if you have questions.", true},
        {"information file is a JSON error", kTaskCode, nullptr, TestDoubles::InfoFileText(kResearcher),
         R"({"json_error_files": ["info"]})", nullptr, false, "Unable to retrieve experiment info. Try again.", true},
        {"run-info download refused", kTaskCode, nullptr, TestDoubles::InfoFileText(kResearcher),
         R"({"json_error_files": ["rtinfo"], "json_error_status": 404})", nullptr, false,
         "Unable to retrieve additional experiment info. Try again.", true},
    };
    CloudExperimentPanel* panel = ShowPanel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        AddExperiment(c.infoFile);
        m_doubles.Service().WriteExperimentFile(kExperimentCode, "rt_info", c.rtInfo ? c.rtInfo : "");
        if (c.switches)
            m_doubles.Service().SetSwitches(c.switches);
        else
            m_doubles.Service().ClearSwitches();
        wxConfigBase::Get()->Write("/VTCloudSettings/last_exp_id", c.sameCodeRanBefore ? "12345678" : "11111111");
        m_doubles.Service().ClearRequests();

        TaskField(panel)->ChangeValue(wxEmptyString);
        if (c.typed)
            TypeInto(TaskField(panel), c.typed);
        else
            TaskField(panel)->ChangeValue(c.pasted);
        Click(Button(panel, CloudExperimentPanel::ID_NEXT));
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return ErrorText(panel)->GetLabel() == c.expected; }))
            << "shown: " << ErrorText(panel)->GetLabel();
        EXPECT_EQ(panel->GetStepPage(), CloudExperimentPanel::kStepTaskCode);
        EXPECT_FALSE(panel->IsDownloadInFlight());
        EXPECT_EQ(RequestCount("/api/user/v1/download-experiment"), 0);
        EXPECT_EQ(RequestCount("/api/") > 0, c.asksService);
    }
}

TEST_F(CloudPanelRefusal, AnEmptyFieldAsksForTheCodeThroughTheLog)
{
    CloudExperimentPanel* panel = ShowPanel();
    Click(Button(panel, CloudExperimentPanel::ID_NEXT));
    EXPECT_TRUE(TestSupport::PumpUntil([] { return TestSupport::LogContains("Please enter an experiment ID."); }));
    EXPECT_EQ(RequestCount("/api/"), 0);
}

TEST_F(CloudPanelRefusal, TheFieldTakesNoLetters)
{
    CloudExperimentPanel* panel = ShowPanel();
    Click(TaskField(panel));
    TaskField(panel)->SetFocus();
    TestSupport::PumpFor(50);
    wxUIActionSimulator sim;
    sim.Text("12ab34");
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return TaskField(panel)->GetValue() == "1234"; }))
        << TaskField(panel)->GetValue();
}

}  // namespace
}  // namespace PanelTests

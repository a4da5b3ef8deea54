// Handing a run's data back against a service that behaves as specified: it stores
// every upload that arrives and knows nothing of runs, so the hand-back must never
// send what may already have arrived, and must count the run once.

#include "CloudPanelFixture.h"

#include "CloudHandBack.h"
#include "TestSupport.h"
#include "TimeScale.h"
#include "UnsentDataOutbox.h"

#include "CloudClient/FailureMail.h"

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

namespace PanelTests {
namespace {

constexpr const char* kRunInfoLine = "'group_id':'5'";
// Long enough for a loaded machine to send the small file whole.
constexpr std::chrono::seconds kUploadTryFloor(4 * TestSupport::kTimeScale);

class HandBack : public CloudPanelTest
{
protected:
    void SetUp() override
    {
        CloudPanelTest::SetUp();
        fs::remove_all(Vantrel::OutboxFolder());
        AddExperiment(TestDoubles::InfoFileText(kResearcher, 0, false));
        m_dataFile = TestSupport::MakeTempFolder("handback") + "/Task Data.txt";
        TestSupport::WriteWholeFile(m_dataFile, m_script.runBytes);
    }

    void TearDown() override
    {
        fs::remove_all(Vantrel::OutboxFolder());
        CloudPanelTest::TearDown();
    }

    Vantrel::HandBackRequest Request() const
    {
        Vantrel::HandBackRequest request;
        request.experimentCode = kExperimentCode;
        request.dataFile = m_dataFile;
        request.runId = Vantrel::NewRunId();
        request.runInfoLine = kRunInfoLine;
        request.mailTo = kResearcher;
        request.mailHeaders = Vantrel::FailureMailHeaders(kResearcher);
        request.mailBody = "<p>The data file is attached.</p>";
        request.uploadTryFloor = kUploadTryFloor;
        return request;
    }

    std::string RunInfo() { return m_doubles.Service().ReadExperimentFile(kExperimentCode, "rt_info"); }
    size_t Stored() { return m_doubles.Service().Results(kExperimentCode).size(); }

    std::string m_dataFile;
};

TEST_F(HandBack, WhatTheServiceDoesDecidesWhatIsSentAgain)
{
    const std::string lateAnswer =
        R"({"delay_after_store_seconds": {"upload-result": )" + std::to_string(3 * kUploadTryFloor.count()) + "}}";
    const struct
    {
        const char* name;
        std::string switches;
        int uploadTries;
        int uploadRequests;
        size_t stored;
        bool uploaded;
        bool mayHaveArrived;
        size_t mails;
    } table[] = {
        {"stored and answered", "{}", 1, 1, 1, true, false, 0},
        {"stored, then the connection closes unanswered", R"({"hang_up_after_store": ["upload-result"]})", 1, 1, 1,
         false, true, 1},
        {"stored, the answer comes after the deadline", lateAnswer, 1, 1, 1, false, true, 1},
        {"received whole, never answered", R"({"upload_broken": true})", 1, 1, 0, false, true, 1},
        {"answered with a failure", R"({"fail": ["upload-result"]})", 1, 1, 0, false, false, 1},
        {"refused twice before sending, then stored", R"({"refuse_connections": 2})", 3, 1, 1, true, false, 0},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        m_doubles.Service().WriteExperimentFile(kExperimentCode, "rt_info", "");
        for (const auto& [name, bytes] : m_doubles.Service().Results(kExperimentCode))
            fs::remove(m_doubles.Service().StateDir() + "/experiments/" + std::to_string(kExperimentCode) +
                       "/results/" + name);
        m_doubles.Service().ClearRequests();
        const size_t mailsBefore = m_doubles.Relay().Messages().size();
        m_doubles.Service().SetSwitches(row.switches);

        std::vector<Vantrel::HandBackRequest> journal;
        const Vantrel::HandBackResult result = Vantrel::RunHandBack(
            OmbraAPIHelper(), Request(), [&](const Vantrel::HandBackRequest& state) { journal.push_back(state); });

        EXPECT_EQ(result.uploadTries, row.uploadTries);
        EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), row.uploadRequests);
        EXPECT_EQ(Stored(), row.stored);
        EXPECT_EQ(result.uploaded, row.uploaded);
        EXPECT_EQ(result.uploadMayHaveArrived, row.mayHaveArrived);
        EXPECT_EQ(result.emailSent, row.mails == 1) << result.cause;
        EXPECT_EQ(m_doubles.Relay().Messages().size() - mailsBefore, row.mails);
        EXPECT_EQ(RunInfo(), std::string(kRunInfoLine) + "\n") << "the run is counted once, whatever the upload did";
        EXPECT_FALSE(result.runInfoPending);
        ASSERT_FALSE(journal.empty());
        EXPECT_TRUE(journal.back().runInfoLine.empty());
        // Every row ends with an upload that reached the service: none may go again.
        EXPECT_TRUE(journal.back().uploadMayHaveArrived);
        EXPECT_TRUE(result.noFurtherUpload);
    }
    m_doubles.Service().ClearSwitches();
}

// The data of an upload that went out unanswered stays in the outbox when the
// e-mail fails too; the next start tries the e-mail only, never the upload.
TEST_F(HandBack, TheOutboxNeverUploadsAgainWhatMayHaveArrived)
{
    m_doubles.Service().SetSwitches(R"({"hang_up_after_store": ["upload-result"]})");
    m_doubles.Relay().Stop();
    const Vantrel::HandBackRequest request = Request();
    const std::string entry = Vantrel::AddToOutbox(request);
    ASSERT_FALSE(entry.empty());
    const Vantrel::HandBackResult result =
        Vantrel::RunHandBack(OmbraAPIHelper(), request,
                             [&](const Vantrel::HandBackRequest& state) { Vantrel::UpdateOutboxEntry(entry, state); });
    EXPECT_TRUE(result.uploadMayHaveArrived);
    EXPECT_FALSE(result.emailSent);
    EXPECT_EQ(Stored(), 1u);

    auto waiting = Vantrel::ReadOutbox();
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_TRUE(waiting[0].request.uploadMayHaveArrived);
    EXPECT_TRUE(waiting[0].request.runInfoLine.empty()) << "the run was counted already";

    m_doubles.Service().ClearSwitches();
    Vantrel::SendOutbox(OmbraAPIHelper());
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 1);
    EXPECT_EQ(Stored(), 1u);
    EXPECT_EQ(RunInfo(), std::string(kRunInfoLine) + "\n");
    EXPECT_EQ(Vantrel::ReadOutbox().size(), 1u) << "kept until the e-mail goes";
}

// A program that ended while its upload was under way left the entry marked as
// possibly sent: the next start e-mails the data and counts the run, uploading nothing.
TEST_F(HandBack, AnUploadCutShortByTheProgramsEndIsMailedNotSentAgain)
{
    Vantrel::HandBackRequest request = Request();
    const std::string entry = Vantrel::AddToOutbox(request);
    ASSERT_FALSE(entry.empty());
    request.uploadMayHaveArrived = true;  // what the journal writes just before an upload goes out
    ASSERT_TRUE(Vantrel::UpdateOutboxEntry(entry, request));

    Vantrel::SendOutbox(OmbraAPIHelper());
    EXPECT_EQ(RequestCount("/api/user/v1/upload-result"), 0);
    const auto messages = m_doubles.Relay().Messages();
    ASSERT_EQ(messages.size(), 1u);
    bool attached = false;
    for (const auto& part : messages[0].parts) attached = attached || part.data == m_script.runBytes;
    EXPECT_TRUE(attached);
    EXPECT_EQ(RunInfo(), std::string(kRunInfoLine) + "\n");
    EXPECT_TRUE(Vantrel::ReadOutbox().empty());
}

// With the service out of reach nothing can have arrived: the data and the run's
// line wait in the outbox, and the next start sends each once.
TEST_F(HandBack, AServiceOutOfReachGetsTheDataAndTheLineLaterOnce)
{
    m_doubles.Service().SetSwitches(R"({"refuse_connections": 1000})");
    m_doubles.Relay().Stop();
    const Vantrel::HandBackRequest request = Request();
    const std::string entry = Vantrel::AddToOutbox(request);
    const Vantrel::HandBackResult result =
        Vantrel::RunHandBack(OmbraAPIHelper(), request,
                             [&](const Vantrel::HandBackRequest& state) { Vantrel::UpdateOutboxEntry(entry, state); });
    EXPECT_EQ(result.uploadTries, Vantrel::kMaxUploadTries);
    EXPECT_FALSE(result.uploaded);
    EXPECT_FALSE(result.uploadMayHaveArrived);
    EXPECT_TRUE(result.runInfoPending);
    EXPECT_GE(m_doubles.Service().RefusedConnections(), 2 * Vantrel::kMaxUploadTries);
    auto waiting = Vantrel::ReadOutbox();
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_FALSE(waiting[0].request.uploadMayHaveArrived);
    EXPECT_EQ(waiting[0].request.runInfoLine, kRunInfoLine);

    m_doubles.Service().ClearSwitches();
    Vantrel::SendOutbox(OmbraAPIHelper());
    EXPECT_EQ(Stored(), 1u);
    EXPECT_EQ(RunInfo(), std::string(kRunInfoLine) + "\n");
    EXPECT_TRUE(Vantrel::ReadOutbox().empty());
}

}  // namespace
}  // namespace PanelTests

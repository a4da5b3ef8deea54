// The service operations against the HTTPS double.

#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/TaskFileLimits.h"

#include "CloudTestFixture.h"

#include "TestSupport.h"
#include "TimeScale.h"

#include <QDate>
#include <gtest/gtest.h>
#include <wx/filefn.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

constexpr uint32_t kCode = 12345678;

class Operations : public CloudDoublesTest
{
protected:
    void SetUp() override
    {
        CloudDoublesTest::SetUp();
        Service().AddExperiment(kCode, "Reaction times", "2099-12-31",
                                TestDoubles::InfoFileText("researcher@example.test", 40, true, false, true, false));
    }

    void LogIn() { ASSERT_TRUE(client.Login("researcher@example.test", "correct horse")); }

    OmbraAPIHelper client;
};

TEST_F(Operations, ExperimentDetailsFillTheServiceFieldsOnly)
{
    ExpInfo info;
    info.vt_ver = "keep";
    ASSERT_TRUE(client.GetExperimentDetail(kCode, info));
    EXPECT_EQ(info.code, kCode);
    EXPECT_EQ(info.task_code, 15386598);
    EXPECT_EQ(info.name, "Reaction times");
    EXPECT_EQ(info.expiry_date, "2099-12-31");
    EXPECT_FALSE(info.is_terminated);
    EXPECT_EQ(info.vt_ver, "keep");
    EXPECT_GT(info.ExpDaysRemaining(), 0);

    Service().SetSwitches(R"({"expired": true, "terminated": true})");
    ASSERT_TRUE(client.GetExperimentDetail(kCode, info));
    EXPECT_TRUE(info.is_terminated);
    EXPECT_EQ(info.ExpDaysRemaining(), -10);
}

TEST_F(Operations, TerminatedCountsOnlyAsOne)
{
    Service().AddExperiment(20240917, "Two", "2099-01-01", TestDoubles::InfoFileText("r@example.test"), nullptr, 2);
    ExpInfo info;
    ASSERT_TRUE(client.GetExperimentDetail(20240917, info));
    EXPECT_FALSE(info.is_terminated);
    EXPECT_EQ(info.task_code, 22170727);
}

TEST_F(Operations, FailedDetailsLeaveTheRecordExactlyAsItWas)
{
    ExpInfo info;
    info.name = "before";
    info.code = 7;
    info.task_code = 8;
    EXPECT_FALSE(client.GetExperimentDetail(99999999, info));
    Service().SetSwitches(R"({"fail": ["get-experiment-details"]})");
    EXPECT_FALSE(client.GetExperimentDetail(kCode, info));
    EXPECT_EQ(info.name, "before");
    EXPECT_EQ(info.code, 7u);
    EXPECT_EQ(info.task_code, 8);
}

TEST_F(Operations, InformationFileDownloadAndRead)
{
    ASSERT_TRUE(client.GetExpInfoFile(kCode));
    const wxString file = OmbraAPIHelper::GetCloudFolderPath(kCode) + wxFILE_SEP_PATH + "exp_info";
    EXPECT_EQ(TestSupport::ReadWholeFile(file), Service().ReadExperimentFile(kCode, "exp_info"));
    ExpInfo info;
    ASSERT_TRUE(OmbraAPIHelper::GetValuesFromExpInfoFile(kCode, info));
    EXPECT_EQ(info.r_email, "researcher@example.test");
    EXPECT_EQ(info.max_prtcpnt, 40u);
    EXPECT_TRUE(info.prompt_info);
    EXPECT_TRUE(info.no_delete);

    // A JSON error in place of the file: the reader says it is no information file.
    Service().SetSwitches(R"({"json_error_files": ["info"]})");
    EXPECT_TRUE(client.GetExpInfoFile(kCode));
    ExpInfo untouched;
    untouched.r_email = "same";
    EXPECT_FALSE(OmbraAPIHelper::GetValuesFromExpInfoFile(kCode, untouched));
    EXPECT_EQ(untouched.r_email, "same");
}

TEST_F(Operations, TaskFilesOverTheirOwnDownloadLimitAreRefusedNamingIt)
{
    const std::string info = TestDoubles::InfoFileText("researcher@example.test", 40);
    const struct
    {
        const char* file;
        std::uint64_t limit;
        bool (OmbraAPIHelper::*download)(int64_t);
    } table[] = {
        {"exp_info", Vantrel::kMaxExpInfoDownloadBytes, &OmbraAPIHelper::GetExpInfoFile},
        {"rt_info", Vantrel::kMaxRunInfoDownloadBytes, &OmbraAPIHelper::GetRTInfoFile},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.file);
        const std::string line = std::string(row.file) == "exp_info" ? info : "'group_id':'3'\n";
        std::string within = line;
        while (within.size() + line.size() <= row.limit) within += line;
        within += std::string(row.limit - within.size(), '\n');
        Service().WriteExperimentFile(kCode, row.file, within);
        EXPECT_TRUE((client.*row.download)(kCode));
        EXPECT_FALSE(client.DidCurlRequestFail()) << client.GetCurlErrString();

        Service().WriteExperimentFile(kCode, row.file, within + "\n");
        EXPECT_TRUE((client.*row.download)(kCode));
        EXPECT_TRUE(client.DidCurlRequestFail());
        EXPECT_EQ(client.GetTransferFailure(), Vantrel::TransferFailure::TooLarge);
        EXPECT_EQ(client.GetCurlErrString(),
                  "The service sent more than " + std::to_string(row.limit) + " bytes; the transfer was stopped");
    }
    // The client's own bound still holds for its other downloads.
    Service().WriteExperimentFile(kCode, "exp_info", info);
    client.SetDownloadLimit(16);
    EXPECT_TRUE(client.GetExpInfoFile(kCode));
    EXPECT_EQ(client.GetTransferFailure(), Vantrel::TransferFailure::TooLarge);
}

TEST_F(Operations, RunInfoLinesAreAppendedAndCounted)
{
    EXPECT_EQ(client.GetNumCurrentParticipants(kCode), 0);
    for (const char* group : {"3", "4", "3"})
        ASSERT_TRUE(client.AppendRtInfo(kCode, std::string("'group_id':'") + group + "'"));
    EXPECT_EQ(Service().ReadExperimentFile(kCode, "rt_info"), "'group_id':'3'\n'group_id':'4'\n'group_id':'3'\n");
    EXPECT_EQ(client.GetNumCurrentParticipants(kCode), 3);
    const auto appends = Service().RequestsTo("/api/user/v1/update-rtinfo-file/12345678");
    ASSERT_EQ(appends.size(), 3u);
    EXPECT_EQ(appends[0].method, "PUT");
    EXPECT_EQ(appends[0].body, R"({"content": "'group_id':'3'"})");

    Service().WriteExperimentFile(kCode, "rt_info", "'group_id':'3'\n'group_id':'4'");
    EXPECT_TRUE(client.GetRTInfoFile(kCode));
    EXPECT_EQ(client.GetNumCurrentParticipants(kCode), 1);
    EXPECT_FALSE(client.AppendRtInfo(55555555, "'group_id':'1'"));
}

TEST_F(Operations, ResultUploadStoresTheFileAndSurvivesTwoFailures)
{
    const std::string file = Service().StateDir() + "/Task Data.txt";
    const std::string data = "Trial\tRT\n1\t512\n2\t498\n";
    TestSupport::WriteWholeFile(file, data);
    Service().SetSwitches(R"({"upload_failures": 2})");
    // The panel tries three times, stopping at the first success.
    int tries = 0;
    bool uploaded = false;
    while (!uploaded && tries < 3) {
        uploaded = client.UploadExpResults("12345678", file.c_str());
        ++tries;
    }
    EXPECT_TRUE(uploaded);
    EXPECT_EQ(tries, 3);
    const auto results = Service().Results(kCode);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].first, "1-Task Data.txt");
    EXPECT_EQ(results[0].second, data);

    std::string downloaded = Service().StateDir() + "/back.txt";
    LogIn();
    EXPECT_TRUE(client.GetAllDataFiles(kCode, downloaded.c_str()));
    EXPECT_EQ(TestSupport::ReadWholeFile(downloaded), data);
}

// Like the service, the double stores every upload that arrives: it knows nothing
// of runs, so the same data sent twice is there twice.
TEST_F(Operations, EveryUploadThatArrivesIsStored)
{
    const std::string file = Service().StateDir() + "/Task Data.txt";
    TestSupport::WriteWholeFile(file, "Trial\tRT\n1\t512\n");
    EXPECT_TRUE(client.UploadExpResults("12345678", file.c_str()));
    EXPECT_EQ(client.GetRequestDelivery(), Vantrel::RequestDelivery::Answered);
    EXPECT_TRUE(client.UploadExpResults("12345678", file.c_str()));
    EXPECT_EQ(Service().Results(kCode).size(), 2u);
    const auto uploads = Service().RequestsTo("/api/user/v1/upload-result");
    ASSERT_EQ(uploads.size(), 2u);
    ASSERT_EQ(uploads[0].parts.size(), 2u) << "the upload carries the code and the file only";
    EXPECT_EQ(uploads[0].parts[0].name, "experiment_code");
    EXPECT_EQ(uploads[0].parts[1].name, "result_file");
}

// How far a failed upload got decides whether it may be sent again: only what the
// service cannot have received is "not sent".
TEST_F(Operations, AFailedUploadSaysWhetherTheServiceCanHaveReceivedIt)
{
    using Vantrel::RequestDelivery;
    const std::string file = Service().StateDir() + "/Task Data.txt";
    TestSupport::WriteWholeFile(file, "Trial\tRT\n1\t512\n");
    // The deadline leaves a loaded machine time to send the small file whole; the
    // late answer comes well after it.
    const std::chrono::seconds deadline(3 * TestSupport::kTimeScale);
    const std::string lateAnswer =
        R"({"delay_after_store_seconds": {"upload-result": )" + std::to_string(3 * deadline.count()) + "}}";
    const struct
    {
        const char* name;
        std::string switches;
        RequestDelivery delivery;
        size_t storedAfter;
    } table[] = {
        {"the connection is reset before the TLS handshake", R"({"refuse_connections": 1})", RequestDelivery::NotSent,
         0},
        {"stored, then the connection closes without an answer", R"({"hang_up_after_store": ["upload-result"]})",
         RequestDelivery::Unanswered, 1},
        {"received whole, then the connection closes", R"({"upload_broken": true})", RequestDelivery::Unanswered, 1},
        {"stored, the answer comes after the deadline", lateAnswer, RequestDelivery::Unanswered, 2},
        {"answered with a failure", R"({"fail": ["upload-result"]})", RequestDelivery::Answered, 2},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        Service().SetSwitches(row.switches);
        client.SetDeadline(std::chrono::steady_clock::now() + deadline);
        EXPECT_FALSE(client.UploadExpResults("12345678", file.c_str()));
        client.ClearDeadline();
        EXPECT_EQ(client.GetRequestDelivery(), row.delivery) << client.GetCurlErrString();
        EXPECT_EQ(Service().Results(kCode).size(), row.storedAfter);
    }
    EXPECT_EQ(Service().RefusedConnections(), 1);

    // A port held by this test without listening refuses every connection.
    const int quiet = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(quiet, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(quiet, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::getsockname(quiet, reinterpret_cast<sockaddr*>(&address), &length), 0);
    TestDoubles::ScopedEnvironmentVariable host("VANTREL_CLOUD_HOST",
                                                ("127.0.0.1:" + std::to_string(ntohs(address.sin_port))).c_str());
    EXPECT_FALSE(client.UploadExpResults("12345678", file.c_str()));
    EXPECT_EQ(client.GetTransferFailure(), Vantrel::TransferFailure::Network);
    EXPECT_EQ(client.GetRequestDelivery(), RequestDelivery::NotSent);
    ::close(quiet);
}

// A body cut off before its end never reaches the service whole. The file is larger
// than what the connection's buffers can hold, so the cut comes while it is sent.
TEST_F(Operations, AnUploadCutBeforeItsEndIsNotSent)
{
    const std::string file = Service().StateDir() + "/Task Data.txt";
    TestSupport::WriteWholeFile(file, std::string(48u << 20, 'd'));
    Service().SetSwitches(R"({"cut_upload_after_bytes": 65536})");
    EXPECT_FALSE(client.UploadExpResults("12345678", file.c_str()));
    EXPECT_EQ(client.GetRequestDelivery(), Vantrel::RequestDelivery::NotSent) << client.GetCurlErrString();
    EXPECT_TRUE(Service().Results(kCode).empty());
}

TEST_F(Operations, BrokenUploadIsAFailure)
{
    const std::string file = Service().StateDir() + "/Task Data.txt";
    TestSupport::WriteWholeFile(file, "data");
    Service().SetSwitches(R"({"upload_broken": true})");
    EXPECT_FALSE(client.UploadExpResults("12345678", file.c_str()));
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_FALSE(client.UploadExpResults("12345678", (Service().StateDir() + "/missing.txt").c_str()));
}

TEST_F(Operations, PackageDownloadHandsThePathBackWhateverTheOutcome)
{
    std::string package(300000, 'p');
    Service().WriteExperimentFile(kCode, "package", package);
    const wxString path = OmbraAPIHelper::PackagePathForVersion(OmbraAPIHelper::GetCloudFolderPath(kCode), "6.5.3");
    ASSERT_TRUE(path.EndsWith(".tar.gz"));

    wxString shared = path;
    std::mutex guard;
    ProgStruct progress;
    EXPECT_EQ(client.GetExpPackage_Progress(kCode, &progress, shared, &guard), path);
    EXPECT_EQ(shared, path);
    EXPECT_EQ(progress.percent, 100);
    EXPECT_EQ(TestSupport::ReadWholeFile(path), package);

    // Cancelled on a worker thread: the path is empty while it runs, a
    // partial file stays, and the path comes back.
    Service().SetSwitches(R"({"throttle_bytes_per_second": 100000})");
    ProgStruct slow;
    OmbraAPIHelper copy = client;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        copy.GetExpPackage_Progress(kCode, &slow, shared, &guard);
        finished = true;
    });
    bool sawEmpty = false;
    TestSupport::WaitUntil(
        [&] {
            std::lock_guard<std::mutex> lock(guard);
            sawEmpty = sawEmpty || shared.empty();
            return slow.percent >= 5;
        },
        std::chrono::seconds(20));
    slow.cancel = true;
    worker.join();
    EXPECT_TRUE(sawEmpty);
    EXPECT_TRUE(finished);
    EXPECT_EQ(shared, path);
    EXPECT_TRUE(copy.DidCurlRequestFail());
    EXPECT_LT(TestSupport::ReadWholeFile(path).size(), package.size());
    EXPECT_GT(TestSupport::ReadWholeFile(path).size(), 0u);

    Service().ClearSwitches();
    const wxString other = Service().StateDir() + "/plain.zip";
    EXPECT_EQ(client.GetExpPackage(kCode, other), other);
    EXPECT_EQ(TestSupport::ReadWholeFile(other), package);
}

TEST_F(Operations, ProfilesAndLogin)
{
    SubDetail profile;
    EXPECT_FALSE(client.GetUserProfile(profile));  // no login yet
    EXPECT_FALSE(client.IsLoggedIn());
    LogIn();
    EXPECT_TRUE(client.IsLoggedIn());
    ASSERT_TRUE(client.GetUserProfile(profile));
    EXPECT_EQ(profile.name, "Ada Researcher");
    EXPECT_EQ(profile.email, "researcher@example.test");
    EXPECT_FALSE(profile.is_delegate);
    EXPECT_TRUE(profile.password_is_set);
    EXPECT_EQ(profile.delegates_allowed, 5);
    EXPECT_EQ(profile.storage_limit, 1073741824u);
    EXPECT_EQ(profile.storage_used, 2048u);
    EXPECT_FALSE(profile.expiry_date.isEmpty());

    SubDetail other;
    ASSERT_TRUE(client.AdminGetUserProfile(other, "someone@example.test"));
    EXPECT_EQ(other.email, "someone@example.test");
    EXPECT_EQ(Service().RequestsTo("/api/admin/v1/profile/someone@example.test").size(), 1u);
}

TEST_F(Operations, ProfileUpdatesSendWhatIsGiven)
{
    LogIn();
    Service().ClearRequests();
    EXPECT_FALSE(client.UpdateProfile("", ""));
    auto requests = Service().RequestsTo("/api/user/v1/update-profile");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "PUT");
    EXPECT_TRUE(requests[0].body.empty());
    EXPECT_EQ(client.GetApiErrString(), "Nothing to update");

    EXPECT_TRUE(client.UpdateProfile("", "new@example.test"));
    requests = Service().RequestsTo("/api/user/v1/update-profile");
    EXPECT_EQ(requests.back().body, R"({"email": "new@example.test"})");

    EXPECT_TRUE(client.AdminUpdateProfile("user@example.test", "New Name"));
    requests = Service().RequestsTo("/api/admin/v1/update-user-profile/user@example.test");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, R"({"name": "New Name", "new_email": "user@example.test"})");
}

TEST_F(Operations, ExperimentListUploadAndManagement)
{
    LogIn();
    const std::string packageFile = Service().StateDir() + "/Study.tar.gz";
    TestSupport::WriteWholeFile(packageFile, std::string(1000, 'z'));
    const wxString infoFile = OmbraAPIHelper::CreateExpInfoFile(0, false, true, false, true, "me@example.test");
    int32_t code = -1;
    std::string message = "unchanged";
    ProgStruct progress;
    ASSERT_TRUE(
        client.UploadExperiment(packageFile.c_str(), infoFile.fn_str(), QDate(2030, 1, 2), &progress, code, message));
    EXPECT_EQ(code, 30000001);
    EXPECT_EQ(message, "unchanged");
    const auto upload = Service().RequestsTo("/api/user/v1/upload-experiment").front();
    ASSERT_EQ(upload.parts.size(), 3u);
    EXPECT_EQ(upload.parts[0].name, "experiment_file");
    EXPECT_EQ(upload.parts[1].name, "info_file");
    EXPECT_EQ(upload.parts[2].name, "experiment_expiry_date");
    EXPECT_EQ(upload.parts[2].data, "2030-01-02");

    ASSERT_TRUE(client.GetCloudExpList());
    const auto& list = client.GetExpInfoVector();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].code, kCode);
    EXPECT_EQ(list[1].code, 30000001u);
    EXPECT_EQ(list[1].size, 1000);
    EXPECT_EQ(list[1].task_code, OmbraAPIHelper::ObfuscateExperimentID(30000001u));

    EXPECT_TRUE(client.ExtendExperimentExpiry(30000001, "10"));
    EXPECT_EQ(Service().RequestsTo("/api/user/v1/extend-experiment-expiry-date/30000001").front().method, "PATCH");
    EXPECT_TRUE(client.UploadExpInfoFile(30000001, infoFile.fn_str()));
    EXPECT_TRUE(client.DeleteExperiment(30000001));
    EXPECT_FALSE(client.DeleteExperiment(30000001));
    ASSERT_TRUE(client.GetCloudExpList());
    EXPECT_EQ(client.GetExpInfoVector().size(), 1u);

    Service().SetSwitches(R"({"fail": ["upload-experiment"]})");
    EXPECT_FALSE(
        client.UploadExperiment(packageFile.c_str(), infoFile.fn_str(), QDate(2030, 1, 2), &progress, code, message));
    EXPECT_EQ(code, 0);
    EXPECT_NE(message.find("refused"), std::string::npos);
}

TEST_F(Operations, DelegatesPasswordsAndEmailTemplates)
{
    LogIn();
    EXPECT_TRUE(client.CreateDelegate("Bo", "bo@example.test", "pw123456", "30"));
    EXPECT_FALSE(client.CreateDelegate("Bad", "no-at-sign", "pw", "30"));
    EXPECT_EQ(client.GetApiErrString(), "The email must be a valid email address.");
    client.GetDelegateList();
    ASSERT_EQ(client.GetDelInfoVector().size(), 1u);
    EXPECT_EQ(client.GetDelInfoVector()[0].email, "bo@example.test");
    EXPECT_FALSE(client.GetDelInfoVector()[0].expiry_date.isEmpty());
    EXPECT_EQ(client.GetDelegateArray().size(), 1);
    EXPECT_TRUE(client.DeleteDelegate("bo@example.test"));
    EXPECT_FALSE(client.DeleteDelegate("bo@example.test"));
    EXPECT_EQ(client.GetApiErrString(), "Delegate not found");

    std::string token;
    EXPECT_FALSE(client.GetPwdResetToken("nobody@example.test", token));
    ASSERT_TRUE(client.GetPwdResetToken("researcher@example.test", token));
    EXPECT_FALSE(token.empty());
    EXPECT_TRUE(client.ResetPwdWithToken(token.c_str(), "second horse"));
    EXPECT_FALSE(client.ResetPwdWithToken(token.c_str(), "third horse"));
    EXPECT_FALSE(client.ChangePassword("wrong", "x"));
    EXPECT_EQ(client.GetApiErrString(), "The current password is incorrect.");
    EXPECT_TRUE(client.ChangePassword("second horse", "fourth horse"));
    EXPECT_EQ(Service().RequestsTo("/api/user/v1/change-password").back().body,
              R"({"current_password": "second horse", "password": "fourth horse"})");

    std::vector<std::string> slugs{"existing"};
    ASSERT_TRUE(client.GetEmailTypes(slugs));
    EXPECT_EQ(slugs, (std::vector<std::string>{"existing", "welcome", "password-reset", "experiment-expiry"}));
    const std::string content = Service().StateDir() + "/welcome.html";
    TestSupport::WriteWholeFile(content, "<p>Welcome</p>");
    EXPECT_TRUE(client.UpdateEmailContent("welcome", "Hello", content.c_str()));
    const auto update = Service().RequestsTo("/api/admin/v1/update-email-content/welcome").front();
    ASSERT_EQ(update.parts.size(), 2u);
    EXPECT_EQ(update.parts[0].data, "Hello");
    EXPECT_EQ(update.parts[1].data, "<p>Welcome</p>");
}

TEST_F(Operations, UnreachableServiceReadsAsFailure)
{
    const std::string unused = "127.0.0.1:" + std::to_string(Service().Port());
    Service().Stop();
    TestDoubles::ScopedEnvironmentVariable host("VANTREL_CLOUD_HOST", unused.c_str());
    ExpInfo info;
    EXPECT_FALSE(client.GetExperimentDetail(kCode, info));
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_FALSE(client.GetApiErrString().empty());
    EXPECT_FALSE(client.CreateDelegate("a", "b@c.d", "e", "1"));
    EXPECT_EQ(client.GetApiErrString(), client.GetCurlErrString());
}

}  // namespace

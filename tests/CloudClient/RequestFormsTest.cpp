// The three request forms as the service sees them on the wire.

#include "CloudClient/CurlSession.h"
#include "CloudClient/OmbraAPIHelper.h"

#include "CloudTestFixture.h"

#include "TestSupport.h"

#include <QJsonObject>
#include <wx/filename.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

using Field = OmbraAPIHelper::CurlField;
using TestDoubles::RecordedRequest;

namespace {

const std::string kKey = "X-Authorization: Rq4Tz9WmXc2Lb7NvHs5Ke3Pj8Gd1Fa6YuQo0ViEt4BnMr7Sw2Cx9Zh5Jl3Dp8Ag1";

std::vector<std::string> HeaderLines(const RecordedRequest& request)
{
    std::vector<std::string> lines;
    for (const auto& [name, value] : request.headers) lines.push_back(name + ": " + value);
    return lines;
}

std::string BinaryBytes(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7919 + i / 251) & 0xff);
    return bytes;
}

class RequestForms : public CloudDoublesTest
{
protected:
    void SetUp() override
    {
        CloudDoublesTest::SetUp();
        Service().AddExperiment(12345678, "Reaction times", "2099-12-31",
                                TestDoubles::InfoFileText("researcher@example.test"));
    }

    std::string HostLine() { return "Host: " + Service().Host(); }

    RecordedRequest OnlyRequest()
    {
        const auto requests = Service().Requests();
        EXPECT_EQ(requests.size(), 1u);
        Service().ClearRequests();
        return requests.empty() ? RecordedRequest{} : requests.front();
    }

    OmbraAPIHelper client;
    std::vector<Field> none;
};

TEST_F(RequestForms, JsonGetSendsFourHeaderLinesAndNoBody)
{
    const QJsonObject reply =
        client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_TRUE(reply.value("success").toBool());
    EXPECT_FALSE(client.DidCurlRequestFail()) << client.GetCurlErrString();
    const RecordedRequest request = OnlyRequest();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/api/user/v1/get-experiment-details/12345678");
    const std::vector<std::string> expected{HostLine(), "accept: application/json", kKey,
                                            "Content-Type: application/json"};
    EXPECT_EQ(HeaderLines(request), expected);
    EXPECT_TRUE(request.body.empty());
    EXPECT_FALSE(request.HasHeader("X-CSRF-TOKEN"));
}

TEST_F(RequestForms, JsonMethodsAndBodiesByTable)
{
    const struct
    {
        OmbraAPIHelper::HTTPRequest method;
        const char* wireMethod;
        std::vector<Field> fields;
        std::string body;
    } table[] = {
        {OmbraAPIHelper::POST,
         "POST",
         {{"email", "x", false}, {"password", "y", false}},
         R"({"email": "x", "password": "y"})"},
        {OmbraAPIHelper::PUT, "PUT", {{"content", "'group_id':'12'", false}}, R"({"content": "'group_id':'12'"})"},
        {OmbraAPIHelper::PATCH, "PATCH", {{"number_of_days", "30", false}}, R"({"number_of_days": "30"})"},
        {OmbraAPIHelper::DELETE, "DELETE", {}, ""},
        {OmbraAPIHelper::PUT, "PUT", {}, ""},
        {OmbraAPIHelper::POST, "POST", {}, ""},  // an empty body, not one read from stdin
        {OmbraAPIHelper::POST, "POST", {{"name", "Zoë \"Z\" \\ \n", false}}, "{\"name\": \"Zoë \\\"Z\\\" \\\\ \\n\"}"},
    };
    for (auto row : table) {
        SCOPED_TRACE(row.wireMethod + (" " + row.body));
        client.MakeCurlCallNew("user/v1/some-endpoint", row.fields, row.method, nullptr);
        const RecordedRequest request = OnlyRequest();
        EXPECT_EQ(request.method, row.wireMethod);
        EXPECT_EQ(request.body, row.body);
        EXPECT_EQ(request.Header("Content-Type"), "application/json");
        EXPECT_EQ(request.Header("accept"), "application/json");
        EXPECT_EQ(request.Header("X-Authorization"), Service().ApiKey());
        EXPECT_FALSE(request.HasHeader("Authorization"));
        if (row.body.empty()) {
            EXPECT_TRUE(!request.HasHeader("Content-Length") || request.Header("Content-Length") == "0");
        }
    }
}

TEST_F(RequestForms, BearerLineStandsThirdAfterALoginAndGoesAfterAFailedOne)
{
    ASSERT_TRUE(client.Login("researcher@example.test", "correct horse"));
    Service().ClearRequests();
    SubDetail profile;
    ASSERT_TRUE(client.GetUserProfile(profile));
    RecordedRequest request = OnlyRequest();
    std::vector<std::string> lines = HeaderLines(request);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "accept: application/json");
    EXPECT_EQ(lines[2], kKey);
    EXPECT_EQ(lines[3].rfind("Authorization: Bearer ", 0), 0u) << lines[3];
    EXPECT_GT(lines[3].size(), std::string("Authorization: Bearer ").size());
    EXPECT_EQ(lines[4], "Content-Type: application/json");

    // The bearer line goes to the multipart and download forms as well.
    client.MakeFileDLRequest("user/v1/download-info-file", 12345678, (Service().StateDir() + "/dl").c_str());
    EXPECT_TRUE(OnlyRequest().HasHeader("Authorization"));

    EXPECT_FALSE(client.Login("researcher@example.test", "wrong"));
    Service().ClearRequests();
    EXPECT_FALSE(client.GetUserProfile(profile));
    request = OnlyRequest();
    EXPECT_FALSE(request.HasHeader("Authorization"));
    EXPECT_EQ(HeaderLines(request).size(), 4u);
}

TEST_F(RequestForms, MultipartPartsAndFileBytesArriveUnchanged)
{
    const std::string file = Service().StateDir() + "/Task Data.txt";
    const std::string bytes = BinaryBytes(70000);
    TestSupport::WriteWholeFile(file, bytes);
    std::vector<Field> fields{
        {"experiment_code", "12345678", false}, {"result_file", file, true}, {"note", "two words", false}};
    const QJsonObject reply = client.MakeCurlCall("user/v1/upload-result", fields, nullptr);
    EXPECT_TRUE(reply.value("success").toBool()) << client.GetCurlErrString();
    const RecordedRequest request = OnlyRequest();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/api/user/v1/upload-result");
    const std::vector<std::string> lines = HeaderLines(request);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], HostLine());
    EXPECT_EQ(lines[1], "accept: application/json");
    EXPECT_EQ(lines[2], kKey);
    EXPECT_EQ(request.Header("Content-Type").rfind("multipart/form-data; boundary=", 0), 0u);
    EXPECT_FALSE(request.HasHeader("X-CSRF-TOKEN"));

    ASSERT_EQ(request.parts.size(), 3u);
    EXPECT_EQ(request.parts[0].name, "experiment_code");
    EXPECT_FALSE(request.parts[0].isFile);
    EXPECT_EQ(request.parts[0].data, "12345678");
    EXPECT_EQ(request.parts[1].name, "result_file");
    EXPECT_TRUE(request.parts[1].isFile);
    EXPECT_EQ(request.parts[1].filename, "Task Data.txt");
    EXPECT_TRUE(request.parts[1].data == bytes) << "file bytes differ";
    EXPECT_EQ(request.parts[2].data, "two words");
    ASSERT_EQ(Service().Results(12345678).size(), 1u);
    EXPECT_TRUE(Service().Results(12345678)[0].second == bytes);
}

TEST_F(RequestForms, MultipartWithoutFieldsIsAPlainGet)
{
    client.MakeCurlCall("user/v1/get-all-experiments", none, nullptr);
    const RecordedRequest request = OnlyRequest();
    EXPECT_EQ(request.method, "GET");
    EXPECT_TRUE(request.body.empty());
    const std::vector<std::string> expected{HostLine(), "accept: application/json", kKey};
    EXPECT_EQ(HeaderLines(request), expected);
}

TEST_F(RequestForms, DownloadsWriteTheBytesWithTheirOwnHeaders)
{
    const std::string package = BinaryBytes(123457);
    Service().WriteExperimentFile(12345678, "package", package);
    const std::string target = Service().StateDir() + "/pkg.tar.gz";

    EXPECT_TRUE(client.MakeFileDLRequest("user/v1/download-experiment", 12345678, target.c_str()));
    EXPECT_FALSE(client.DidCurlRequestFail()) << client.GetCurlErrString();
    EXPECT_TRUE(TestSupport::ReadWholeFile(target) == package);
    RecordedRequest request = OnlyRequest();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/api/user/v1/download-experiment/12345678");
    std::vector<std::string> expected{HostLine(), "accept: application/json", kKey};
    EXPECT_EQ(HeaderLines(request), expected);

    ProgStruct progress;
    EXPECT_TRUE(client.MakeFileDLRequest_Progress("user/v1/download-experiment", 12345678, &progress, target.c_str()));
    EXPECT_TRUE(TestSupport::ReadWholeFile(target) == package);
    EXPECT_EQ(progress.percent, 100);
    request = OnlyRequest();
    expected = {HostLine(), "Accept: */*", kKey};  // libcurl's own accept line, as no list entry replaces it
    EXPECT_EQ(HeaderLines(request), expected);
}

TEST_F(RequestForms, ErrorReplyIsWrittenIntoTheFileAndStatusMarksTheFailure)
{
    const std::string target = Service().StateDir() + "/exp_info";
    Service().SetSwitches(R"({"json_error_files": ["info"], "json_error_status": 404})");
    EXPECT_TRUE(client.MakeFileDLRequest("user/v1/download-info-file", 12345678, target.c_str()));
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_NE(client.GetCurlErrString().find("404"), std::string::npos) << client.GetCurlErrString();
    EXPECT_NE(TestSupport::ReadWholeFile(target).find("\"success\": false"), std::string::npos);

    // A JSON reply with an error status is still parsed.
    Service().SetSwitches(R"({"status": {"get-experiment-details": 500}})");
    const QJsonObject reply =
        client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_TRUE(reply.value("success").toBool());
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_NE(client.GetApiErrString().find("500"), std::string::npos);

    // The next request starts clean.
    Service().ClearSwitches();
    client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_FALSE(client.DidCurlRequestFail());
    EXPECT_TRUE(client.GetCurlErrString().empty());
}

TEST_F(RequestForms, DownloadIntoAnUnwritablePlaceFails)
{
    const std::string target = Service().StateDir() + "/no/such/folder/file";
    EXPECT_TRUE(client.MakeFileDLRequest("user/v1/download-info-file", 12345678, target.c_str()));
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_NE(client.GetCurlErrString().find(target), std::string::npos) << client.GetCurlErrString();
    EXPECT_TRUE(Service().Requests().empty());
}

TEST_F(RequestForms, BrokenDownloadIsATransferFailure)
{
    Service().WriteExperimentFile(12345678, "package", BinaryBytes(50000));
    Service().SetSwitches(R"({"broken_download": true})");
    const std::string target = Service().StateDir() + "/pkg.zip";
    EXPECT_TRUE(client.MakeFileDLRequest("user/v1/download-experiment", 12345678, target.c_str()));
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_FALSE(client.GetCurlErrString().empty());
}

// A server that announces a gigabyte and keeps sending is cut off at the bound,
// in bounded memory and disk, with a message that names the bound.
TEST_F(RequestForms, EndlessRepliesAndDownloadsStopAtTheirBound)
{
    Service().SetSwitches(R"({"endless_reply": ["get-experiment-details", "download-experiment"]})");
    std::vector<OmbraAPIHelper::CurlField> none;
    client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_NE(client.GetCurlErrString().find(std::to_string(kMaxReplyBytes)), std::string::npos)
        << client.GetCurlErrString();

    const std::uint64_t limit = 1u << 20;
    client.SetDownloadLimit(limit);
    const std::string target = Service().StateDir() + "/endless.tar.gz";
    EXPECT_TRUE(client.MakeFileDLRequest("user/v1/download-experiment", 12345678, target.c_str()));
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_NE(client.GetCurlErrString().find(std::to_string(limit)), std::string::npos) << client.GetCurlErrString();
    EXPECT_LE(wxFileName::GetSize(target).GetValue(), static_cast<wxLongLong_t>(limit));
    Service().ClearSwitches();
}

// Each way a request can fail is told apart, so that the participant reads what
// went wrong instead of "invalid experiment ID" for every network problem.
TEST_F(RequestForms, FailuresAreClassifiedByWhatWentWrong)
{
    using Vantrel::TransferFailure;
    std::vector<Field> none;
    auto details = [&] {
        client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
        return client.GetTransferFailure();
    };
    EXPECT_EQ(details(), TransferFailure::None);

    Service().SetSwitches(R"({"status": {"get-experiment-details": 500}})");
    EXPECT_EQ(details(), TransferFailure::Service);
    Service().SetSwitches(R"({"fail": ["get-experiment-details"], "status": {"get-experiment-details": 404}})");
    EXPECT_EQ(details(), TransferFailure::Refused);
    Service().ClearSwitches();
    {
        // Without the test authority the double's certificate is unverifiable.
        TestDoubles::ScopedEnvironmentVariable noExtraAuthority("VANTREL_CA_BUNDLE", nullptr);
        EXPECT_EQ(details(), TransferFailure::Certificate) << client.GetCurlErrString();
    }
    {
        TestDoubles::ScopedEnvironmentVariable closedPort("VANTREL_CLOUD_HOST", "127.0.0.1:9");
        EXPECT_EQ(details(), TransferFailure::Network) << client.GetCurlErrString();
    }
    EXPECT_EQ(Vantrel::DescribeTransferFailure(TransferFailure::Refused, "step text"), "step text");
    EXPECT_NE(Vantrel::DescribeTransferFailure(TransferFailure::Network, "step text"), "step text");
}

// A deadline bounds every request, whatever the server does; one that has passed
// sends nothing at all.
TEST_F(RequestForms, ADeadlineEndsASilentServerAndStopsLaterRequests)
{
    Service().SetSwitches(R"({"delay_seconds": {"get-experiment-details": 20}})");
    std::vector<Field> none;
    const auto start = std::chrono::steady_clock::now();
    client.SetDeadline(start + std::chrono::milliseconds(700));
    client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_EQ(client.GetTransferFailure(), Vantrel::TransferFailure::TimedOut) << client.GetCurlErrString();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    const size_t requests = Service().Requests().size();
    const std::string target = Service().StateDir() + "/late-info";
    client.MakeFileDLRequest("user/v1/download-info-file", 12345678, target.c_str());
    EXPECT_EQ(client.GetTransferFailure(), Vantrel::TransferFailure::TimedOut);
    EXPECT_EQ(Service().Requests().size(), requests);
    client.ClearDeadline();
    Service().ClearSwitches();
}

TEST_F(RequestForms, ProgressIsReportedAndTheCancelFlagEndsTheTransfer)
{
    const std::string package = BinaryBytes(400000);
    Service().WriteExperimentFile(12345678, "package", package);
    Service().SetSwitches(R"({"throttle_bytes_per_second": 100000})");
    const std::string target = Service().StateDir() + "/slow.tar.gz";

    ProgStruct progress;
    std::atomic<bool> done{false};
    OmbraAPIHelper worker = client;
    std::thread transfer([&] {
        worker.MakeFileDLRequest_Progress("user/v1/download-experiment", 12345678, &progress, target.c_str());
        done = true;
    });
    TestSupport::WaitUntil([&] { return progress.percent >= 10 || done; }, std::chrono::seconds(20));
    const int seen = progress.percent;
    progress.cancel = true;
    transfer.join();
    EXPECT_GE(seen, 10);
    EXPECT_LT(seen, 100);
    EXPECT_TRUE(worker.DidCurlRequestFail());
    EXPECT_LT(TestSupport::ReadWholeFile(target).size(), package.size());
    EXPECT_FALSE(client.DidCurlRequestFail());  // the copy's failure is its own
}

TEST_F(RequestForms, UploadProgressIsReported)
{
    const std::string file = Service().StateDir() + "/big.bin";
    TestSupport::WriteWholeFile(file, BinaryBytes(300000));
    std::vector<Field> fields{{"experiment_code", "12345678", false}, {"result_file", file, true}};
    ProgStruct progress;
    client.MakeCurlCall("user/v1/upload-result", fields, &progress);
    EXPECT_EQ(progress.percent, 100);
}

TEST_F(RequestForms, UntrustedCertificateFailsTheRequest)
{
    TestDoubles::CloudServiceDouble stranger;  // its own authority, not in the bundle
    std::string error;
    ASSERT_TRUE(stranger.Start(&error)) << error;
    TestDoubles::ScopedEnvironmentVariable host("VANTREL_CLOUD_HOST", stranger.Host().c_str());

    const QJsonObject reply =
        client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_TRUE(reply.isEmpty());
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_NE(client.GetCurlErrString().find("certificate"), std::string::npos) << client.GetCurlErrString();
    EXPECT_TRUE(stranger.Requests().empty());

    ExpInfo info;
    EXPECT_FALSE(client.GetExperimentDetail(12345678, info));
    // Without the extra bundle the doubles' own authority is not trusted either.
    TestDoubles::ScopedEnvironmentVariable noBundle("VANTREL_CA_BUNDLE", nullptr);
    TestDoubles::ScopedEnvironmentVariable ownHost("VANTREL_CLOUD_HOST", Service().Host().c_str());
    EXPECT_FALSE(client.GetExperimentDetail(12345678, info));
    EXPECT_TRUE(client.DidCurlRequestFail());
}

TEST_F(RequestForms, ApiKeyComesFromTheConfiguration)
{
    TestDoubles::ScopedEnvironmentVariable key("VANTREL_CLOUD_API_KEY", "another-key");
    const QJsonObject reply =
        client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_EQ(OnlyRequest().Header("X-Authorization"), "another-key");
    EXPECT_FALSE(reply.value("success").toBool());  // the double knows only its own key
}

CURL* NoHandle() { return nullptr; }

TEST_F(RequestForms, NoTransferHandleIsAFailure)
{
    Vantrel::CloudTransport::OverrideEasyHandleCreationForTesting(NoHandle);
    const std::string target = Service().StateDir() + "/never";
    const QJsonObject reply =
        client.MakeCurlCallNew("user/v1/get-experiment-details/12345678", none, OmbraAPIHelper::GET, nullptr);
    const bool jsonFailed = client.DidCurlRequestFail();
    std::vector<Field> fields{{"experiment_code", "1", false}};
    const QJsonObject multipart = client.MakeCurlCall("user/v1/upload-result", fields, nullptr);
    const bool multipartFailed = client.DidCurlRequestFail();
    const bool downloaded = client.MakeFileDLRequest("user/v1/download-info-file", 12345678, target.c_str());
    const bool downloadFailed = client.DidCurlRequestFail();
    Vantrel::CloudTransport::OverrideEasyHandleCreationForTesting(nullptr);

    EXPECT_TRUE(reply.isEmpty());
    EXPECT_TRUE(jsonFailed);
    EXPECT_TRUE(multipart.isEmpty());
    EXPECT_TRUE(multipartFailed);
    EXPECT_TRUE(downloaded);
    EXPECT_TRUE(downloadFailed);
    EXPECT_FALSE(std::ifstream(target).good());
    EXPECT_TRUE(Service().Requests().empty());
}

TEST_F(RequestForms, NonJsonReplyGivesAnEmptyObject)
{
    // The information file is plain text, not JSON.
    const QJsonObject reply =
        client.MakeCurlCallNew("user/v1/download-info-file/12345678", none, OmbraAPIHelper::GET, nullptr);
    EXPECT_FALSE(client.DidCurlRequestFail());
    EXPECT_TRUE(reply.isEmpty());
}

}  // namespace

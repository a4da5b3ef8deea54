#include "OrbiskNetworking/VTSdkNetConnectionInfo.h"
#include "OrbiskThreads/AsynchronousServicesLayer.h"
#include "TestSupport.h"
#include "VersionDoubleProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

using OrbiskSDK::VTSdkNetConnectionInfo;
using TestSupport::VersionDoubleProcess;
using Clock = std::chrono::steady_clock;

namespace {

struct Answer
{
    int calls = 0;
    bool success = false;
    wxString message;
    wxString contents;
};

class AsyncSimpleFileDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unsetenv("VANTREL_UPDATE_HOST");
        unsetenv("VANTREL_CA_BUNDLE");
        layer_ = OrbiskAsynchronous::AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(
            OrbiskAsynchronous::THREADING_TYPE_PolledByHolder, nullptr);
        layer_->Start();
    }
    void TearDown() override
    {
        unsetenv("VANTREL_UPDATE_HOST");
        unsetenv("VANTREL_CA_BUNDLE");
    }

    std::string ContentFile(const std::string& bytes)
    {
        const std::string path = TestSupport::MakeTempFolder("version") + "/vt6ver.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Starts a serving double whose certificate the download trusts.
    void StartTrustedDouble(const std::string& bytes, int status = 200)
    {
        ASSERT_TRUE(double_.Start(VersionDoubleProcess::Mode::Serve, ContentFile(bytes), status)) << double_.Error();
        setenv("VANTREL_CA_BUNDLE", double_.CaPath().c_str(), 1);
    }

    OrbiskSDK::DownloadCompletion Recorder(Answer& answer)
    {
        return [&answer](bool success, wxString message, wxString contents) {
            ++answer.calls;
            answer.success = success;
            answer.message = message;
            answer.contents = contents;
        };
    }

    // Polls the layer, as the GUI pump does, until the answer came or time is up.
    bool PollUntilAnswered(const Answer& answer, int timeoutMs = 15000)
    {
        return TestSupport::WaitUntil(
            [&] {
                layer_->PollOnce();
                return answer.calls != 0;
            },
            std::chrono::milliseconds(timeoutMs));
    }

    void PollFor(int ms)
    {
        TestSupport::WaitUntil(
            [&] {
                layer_->PollOnce();
                return false;
            },
            std::chrono::milliseconds(ms));
    }

    boost::shared_ptr<OrbiskAsynchronous::AsynchronousServicesLayer> layer_;
    VersionDoubleProcess double_;
};

TEST_F(AsyncSimpleFileDownloadTest, DeliversTheFileTextOnceAndOnlyInsidePollOnce)
{
    const std::string text = "6.5.4 ||pro_file_separator|| Caf\xC3\xA9 fixes\nline two\n";
    StartTrustedDouble(text);
    Answer answer;
    boost::shared_ptr<OrbiskSDK::Interface_StrategyForConnectingLocalSocketToRemoteEndpoint> holder;
    // Like the version checker, the completion drops the caller's last reference first.
    holder = VTSdkNetConnectionInfo::AsyncSimpleFileDownload(
        double_.HostAndPort(), "/vantrel/update/vt6ver?vtapp_os=linux&vtapp_vt=6.5.3",
        [&](bool success, wxString message, wxString contents) {
            holder.reset();
            Recorder(answer)(success, message, contents);
        },
        9000, 10000, 2);
    ASSERT_TRUE(holder);
    EXPECT_EQ(answer.calls, 0);

    ASSERT_TRUE(double_.WaitForRequest("/vantrel/update/vt6ver?vtapp_os=linux&vtapp_vt=6.5.3"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(answer.calls, 0) << "the completion ran outside PollOnce";

    ASSERT_TRUE(PollUntilAnswered(answer));
    PollFor(200);
    EXPECT_EQ(answer.calls, 1);
    EXPECT_TRUE(answer.success) << answer.message;
    EXPECT_TRUE(answer.message.empty());
    EXPECT_EQ(answer.contents, wxString::FromUTF8(text.c_str()));
    EXPECT_FALSE(holder);
}

TEST_F(AsyncSimpleFileDownloadTest, UpdateHostVariableReplacesTheGivenHost)
{
    StartTrustedDouble("6.5.3||pro_file_separator||");
    setenv("VANTREL_UPDATE_HOST", double_.HostAndPort().c_str(), 1);
    EXPECT_EQ(VTSdkNetConnectionInfo::UpdateHost(), double_.HostAndPort());
    Answer answer;
    auto holder = VTSdkNetConnectionInfo::AsyncSimpleFileDownload("update.vantrel.example", "/v", Recorder(answer),
                                                                  9000, 10000, 2);
    ASSERT_TRUE(PollUntilAnswered(answer));
    EXPECT_TRUE(answer.success) << answer.message;
    EXPECT_EQ(answer.contents, "6.5.3||pro_file_separator||");
}

TEST_F(AsyncSimpleFileDownloadTest, InvalidUtf8InTheReplyIsReplacedNotDropped)
{
    StartTrustedDouble(std::string("6.5\xFF\xC0\x80.4\0x", 10));
    Answer answer;
    auto holder =
        VTSdkNetConnectionInfo::AsyncSimpleFileDownload(double_.HostAndPort(), "/v", Recorder(answer), 9000, 10000, 2);
    ASSERT_TRUE(PollUntilAnswered(answer));
    EXPECT_TRUE(answer.success) << answer.message;
    EXPECT_EQ(answer.contents, wxString::FromUTF8("6.5\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.4\xEF\xBF\xBDx"));
}

struct FailureCase
{
    const char* name;
    std::string reply;  // empty: nothing listens
    int status;
    bool trustTheDouble;
    const char* fragment;  // expected in the message
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class DownloadFailureTest : public AsyncSimpleFileDownloadTest, public ::testing::WithParamInterface<FailureCase>
{};

TEST_P(DownloadFailureTest, FailsWithAReadableMessage)
{
    const FailureCase& c = GetParam();
    std::string host;
    if (c.reply.empty() && c.status == 0) {
        host = "127.0.0.1:" + std::to_string(TestSupport::UnusedLocalPort());
    } else {
        ASSERT_TRUE(double_.Start(VersionDoubleProcess::Mode::Serve, ContentFile(c.reply), c.status))
            << double_.Error();
        if (c.trustTheDouble) setenv("VANTREL_CA_BUNDLE", double_.CaPath().c_str(), 1);
        host = double_.HostAndPort();
    }
    Answer answer;
    auto holder = VTSdkNetConnectionInfo::AsyncSimpleFileDownload(host, "/vantrel/update/vt6ver", Recorder(answer),
                                                                  9000, 10000, 2);
    ASSERT_TRUE(PollUntilAnswered(answer));
    PollFor(100);
    EXPECT_EQ(answer.calls, 1);
    EXPECT_FALSE(answer.success);
    EXPECT_TRUE(answer.contents.empty());
    EXPECT_TRUE(answer.message.Lower().Contains(wxString(c.fragment).Lower())) << answer.message;
}

INSTANTIATE_TEST_SUITE_P(Cases, DownloadFailureTest,
                         ::testing::Values(FailureCase{"RefusedConnection", "", 0, false, "connect"},
                                           FailureCase{"UntrustedCertificate", "6.5.3", 200, false, "certificate"},
                                           FailureCase{"NotFound", "gone", 404, true, "404"},
                                           FailureCase{"ServerError", "oops", 500, true, "500"},
                                           FailureCase{"OversizedReply",
                                                       std::string(VTSdkNetConnectionInfo::MaximumReplyBytes + 1, 'x'),
                                                       200, true, "larger than"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AsyncSimpleFileDownloadTest, ExtraCertificatesThatCannotBeReadFailTheDownload)
{
    ASSERT_TRUE(double_.Start(VersionDoubleProcess::Mode::Serve, ContentFile("6.5.3"), 200)) << double_.Error();
    setenv("VANTREL_CA_BUNDLE", (TestSupport::HomeFolder() + "/missing.pem").c_str(), 1);
    Answer answer;
    auto holder =
        VTSdkNetConnectionInfo::AsyncSimpleFileDownload(double_.HostAndPort(), "/v", Recorder(answer), 9000, 10000, 1);
    ASSERT_TRUE(PollUntilAnswered(answer));
    EXPECT_FALSE(answer.success);
    EXPECT_TRUE(answer.message.Contains("missing.pem")) << answer.message;
}

TEST_F(AsyncSimpleFileDownloadTest, HostOrPathThatWouldAlterTheAddressIsRefused)
{
    for (const auto& [host, path] : {std::pair<std::string, std::string>{"evil.test/x?", "/v"},
                                     {"user@127.0.0.1", "/v"},
                                     {"127.0.0.1", "no-slash"},
                                     {"127.0.0.1", "/a b"},
                                     // not refused, but the failure message quotes bytes that are not UTF-8
                                     {"127.0.0.1:" + std::to_string(TestSupport::UnusedLocalPort()), "/caf\xFF"}}) {
        Answer answer;
        auto holder = VTSdkNetConnectionInfo::AsyncSimpleFileDownload(host, path, Recorder(answer), 9000, 10000, 2);
        EXPECT_EQ(answer.calls, 0);
        ASSERT_TRUE(PollUntilAnswered(answer, 2000)) << host << path;
        EXPECT_FALSE(answer.success);
        EXPECT_FALSE(answer.message.empty());
    }
}

TEST_F(AsyncSimpleFileDownloadTest, ServerThatNeverAnswersFailsAfterTheTimeOutWithoutBlockingTheCaller)
{
    ASSERT_TRUE(double_.Start(VersionDoubleProcess::Mode::Silent)) << double_.Error();
    setenv("VANTREL_CA_BUNDLE", double_.CaPath().c_str(), 1);
    Answer answer;
    const auto before = Clock::now();
    auto holder =
        VTSdkNetConnectionInfo::AsyncSimpleFileDownload(double_.HostAndPort(), "/v", Recorder(answer), 300, 600, 2);
    const auto callTook = Clock::now() - before;
    EXPECT_LT(callTook, std::chrono::milliseconds(300)) << "the call waited for the network";
    EXPECT_EQ(answer.calls, 0);
    ASSERT_TRUE(PollUntilAnswered(answer));
    EXPECT_FALSE(answer.success);
    EXPECT_TRUE(answer.message.Lower().Contains("time")) << answer.message;
}

TEST_F(AsyncSimpleFileDownloadTest, StopBeforeCompletionMeansTheCompletionNeverRuns)
{
    ASSERT_TRUE(double_.Start(VersionDoubleProcess::Mode::Silent)) << double_.Error();
    setenv("VANTREL_CA_BUNDLE", double_.CaPath().c_str(), 1);
    Answer silentAnswer;
    auto silent = VTSdkNetConnectionInfo::AsyncSimpleFileDownload(double_.HostAndPort(), "/v", Recorder(silentAnswer),
                                                                  300, 600, 1);
    silent->Stop();
    silent->Stop();  // twice is harmless

    // A reply that is already waiting in the layer is dropped as well.
    VersionDoubleProcess serving;
    Answer readyAnswer;
    std::string path = TestSupport::MakeTempFolder("ready") + "/f";
    std::ofstream(path) << "6.5.3";
    ASSERT_TRUE(serving.Start(VersionDoubleProcess::Mode::Serve, path)) << serving.Error();
    setenv("VANTREL_CA_BUNDLE", serving.CaPath().c_str(), 1);
    auto ready = VTSdkNetConnectionInfo::AsyncSimpleFileDownload(serving.HostAndPort(), "/ready", Recorder(readyAnswer),
                                                                 9000, 10000, 1);
    ASSERT_TRUE(serving.WaitForRequest("/ready"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ready->Stop();

    PollFor(1500);
    EXPECT_EQ(silentAnswer.calls, 0);
    EXPECT_EQ(readyAnswer.calls, 0);
}

TEST_F(AsyncSimpleFileDownloadTest, StopAfterCompletionIsHarmless)
{
    StartTrustedDouble("6.5.3");
    Answer answer;
    auto holder =
        VTSdkNetConnectionInfo::AsyncSimpleFileDownload(double_.HostAndPort(), "/v", Recorder(answer), 9000, 10000, 2);
    ASSERT_TRUE(PollUntilAnswered(answer));
    holder->Stop();
    PollFor(100);
    EXPECT_EQ(answer.calls, 1);
}

}  // namespace

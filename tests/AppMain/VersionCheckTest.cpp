#include "AppMain/VersionCheck/VTVersionCheckHelper.h"
#include "OrbiskThreads/AsynchronousServicesLayer.h"
#include "UserInterface/UtilityClasses/OperatingSystemHelpers.h"
#include "UserInterface/UtilityClasses/UrlEncoding.h"
#include "TestSupport.h"
#include "VersionDoubleProcess.h"

#include <gtest/gtest.h>

#include <wx/log.h>

#include <boost/make_shared.hpp>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

using TestSupport::VersionDoubleProcess;
using Vantrel::VTVersionCheckHelper;
using Clock = std::chrono::steady_clock;

namespace {

struct Answer
{
    int calls = 0;
    bool success = false;
    wxString message;
};

class VersionCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        layer_ = OrbiskAsynchronous::AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(
            OrbiskAsynchronous::THREADING_TYPE_PolledByHolder, nullptr);
        layer_->Start();
    }
    void TearDown() override
    {
        unsetenv("VANTREL_UPDATE_HOST");
        unsetenv("VANTREL_CA_BUNDLE");
    }

    // The double reads its file per request, so one double serves every case.
    void Serve(const std::string& bytes)
    {
        if (contentPath_.empty()) contentPath_ = TestSupport::MakeTempFolder("version") + "/vt6ver.txt";
        std::ofstream(contentPath_, std::ios::binary | std::ios::trunc) << bytes;
        if (double_.Port() != 0) return;
        const std::string& path = contentPath_;
        ASSERT_TRUE(double_.Start(VersionDoubleProcess::Mode::Serve, path)) << double_.Error();
        setenv("VANTREL_CA_BUNDLE", double_.CaPath().c_str(), 1);
        setenv("VANTREL_UPDATE_HOST", double_.HostAndPort().c_str(), 1);
    }

    bool PollUntil(const Answer& answer, int timeoutMs = 15000)
    {
        return TestSupport::WaitUntil(
            [&] {
                layer_->PollOnce();
                return answer.calls != 0;
            },
            std::chrono::milliseconds(timeoutMs));
    }

    // Runs one whole check against the double; the checker stays for inspection.
    boost::shared_ptr<VTVersionCheckHelper> Check(const std::string& bytes, Answer& answer)
    {
        Serve(bytes);
        auto checker = boost::make_shared<VTVersionCheckHelper>();
        checker->GetVersionInfo([&answer](bool success, wxString message) {
            ++answer.calls;
            answer.success = success;
            answer.message = message;
        });
        EXPECT_TRUE(PollUntil(answer));
        return checker;
    }

    boost::shared_ptr<OrbiskAsynchronous::AsynchronousServicesLayer> layer_;
    VersionDoubleProcess double_;
    std::string contentPath_;
};

TEST_F(VersionCheckTest, RequestCarriesPathAndEncodedQuery)
{
    Answer answer;
    auto checker = Check("6.5.3||pro_file_separator||x", answer);
    const wxString os = Orbisk::UrlEncode_But_DontConvert_NonReservedChars(Orbisk::BriefOperatingSystemVersionString());
    EXPECT_TRUE(double_.WaitForRequest(
        "/vantrel/update/vt6ver?vtapp_os=" + std::string(os.utf8_str()) +
        "&vtapp_vt=" + std::string(Orbisk::UrlEncode_But_DontConvert_NonReservedChars("6.5.3").utf8_str())));
    EXPECT_TRUE(answer.success);
    double_.Stop();
}

struct OutOfDateCase
{
    const char* file;
    bool outOfDate;
    const char* message;
    const char* latest;
    const char* changeLog;
};

TEST_F(VersionCheckTest, AnyDifferentVersionTextIsOutOfDate)
{
    const OutOfDateCase cases[] = {
        {"6.5.4||pro_file_separator||Fixes", true, "Version 6.5.4 is now available.", "6.5.4", "Fixes"},
        {"6.5.3||pro_file_separator||Fixes", false, "You are using the most recent version.", "6.5.3", "Fixes"},
        {"  6.5.3 \r\n||pro_file_separator||\n a\nb \n", false, "You are using the most recent version.", "6.5.3",
         "a\nb"},
        {"6.5.3a||pro_file_separator||x||pro_file_separator||y", true, "Version 6.5.3a is now available.", "6.5.3a",
         "x||pro_file_separator||y"},
        {"6.5.2||pro_file_separator||", true, "Version 6.5.2 is now available.", "6.5.2", ""},
        {"||pro_file_separator||log", false, "", "", "log"},
        {"", false, "", "", ""},
        {"6.5.4 without any separator", false, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Answer answer;
        auto checker = Check(c.file, answer);
        EXPECT_TRUE(answer.success) << answer.message;
        wxString message = "unset";
        EXPECT_EQ(checker->IsCurrentAppOutOfDate(&message), c.outOfDate);
        EXPECT_EQ(message, wxString(c.message));
        EXPECT_EQ(checker->GetLatestVersionString(), wxString(c.latest));
        EXPECT_EQ(checker->GetChangeLogString(), wxString(c.changeLog));
    }
}

TEST_F(VersionCheckTest, MissingSeparatorIsLogged)
{
    wxLog::SetVerbose(true);
    Answer answer;
    auto checker = Check("6.5.4", answer);
    EXPECT_TRUE(TestSupport::LogContains("Web version-update file is missing expected flag content."));
}

TEST_F(VersionCheckTest, ClientMayDestroyCheckerInsideItsCallback)
{
    Serve("6.5.4||pro_file_separator||log");
    Answer answer;
    auto checker = boost::make_shared<VTVersionCheckHelper>();
    wxString update;
    checker->GetVersionInfo([&](bool success, wxString message) {
        ++answer.calls;
        answer.success = success;
        answer.message = message;
        checker->IsCurrentAppOutOfDate(&update);
        checker->DisposeOfVersionTesterObj();
        checker.reset();
    });
    ASSERT_TRUE(PollUntil(answer));
    EXPECT_EQ(update, "Version 6.5.4 is now available.");
    EXPECT_FALSE(checker);
}

TEST_F(VersionCheckTest, DisposalBeforeCompletionMeansNoCallback)
{
    ASSERT_TRUE(double_.Start(VersionDoubleProcess::Mode::Silent)) << double_.Error();
    setenv("VANTREL_CA_BUNDLE", double_.CaPath().c_str(), 1);
    setenv("VANTREL_UPDATE_HOST", double_.HostAndPort().c_str(), 1);
    Answer answer;
    {
        auto checker = boost::make_shared<VTVersionCheckHelper>();
        checker->GetVersionInfo([&answer](bool, wxString) { ++answer.calls; });
        checker->DisposeOfVersionTesterObj();
    }
    EXPECT_FALSE(PollUntil(answer, 1500));
    EXPECT_EQ(answer.calls, 0);
}

}  // namespace

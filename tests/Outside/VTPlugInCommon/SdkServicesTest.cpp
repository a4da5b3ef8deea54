// Run timer, start-up parameters, random numbers, resource look-up, the exception type.

#include <gtest/gtest.h>

#include <wx/cmdline.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <atomic>
#include <thread>

#include "TestSupport.h"
#include "VTPlugInCommon/ProcessServices.h"
#include "VTPlugInCommon/RNG_Wrapper.h"
#include "VTPlugInCommon/StartupParam.h"
#include "VTPlugInCommon/VTException.h"
#include "VTPlugInCommon/VTResourceHelper.h"
#include "VTPlugInCommon/VTTimer.h"

using Vantrel::VTTimer;

namespace {
struct FakeClock
{
    unsigned long long now = 5000000;
    FakeClock()
    {
        VTTimer::GetTimer().SetMicrosecondClockForTesting([this] { return now; });
    }
    ~FakeClock() { VTTimer::GetTimer().SetMicrosecondClockForTesting({}); }
};
}  // namespace

TEST(RunTimer, CountsMillisecondsFromItsReset)
{
    FakeClock clock;
    VTTimer& timer = VTTimer::GetTimer();
    timer.Reset();
    clock.now += 1999;
    EXPECT_EQ(timer.GetElapsedTime(), 1u);
    EXPECT_EQ(timer.GetElapsedMicroseconds(), 1999u);
    EXPECT_DOUBLE_EQ(timer.GetElapsedMilliseconds(), 1.999);
    clock.now += 101000;
    EXPECT_EQ(timer.GetElapsedTime(), 102u);
    timer.Reset();
    EXPECT_EQ(timer.GetElapsedTime(), 0u);
}

TEST(RunTimer, BlockingEndsOnReleaseOrOnTheCancellationKey)
{
    VTTimer& timer = VTTimer::GetTimer();
    timer.ClearCancellationKeypress();
    int calls = 0;
    EXPECT_EQ(timer.BlockEverythingExceptCancellationKeypress_InputPlugin([&] { return ++calls < 5; }),
              VTTimer::BLOCK_RELEASED);
    EXPECT_EQ(calls, 5);

    // The cancellation key arrives from elsewhere while a key is still held.
    std::thread presenter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        timer.SignalCancellationKeypress();
    });
    std::atomic<int> polls{0};
    EXPECT_EQ(timer.BlockEverythingExceptCancellationKeypress_InputPlugin([&] { return ++polls > 0; }),
              VTTimer::BLOCK_CANCELLED);
    presenter.join();
    EXPECT_GT(polls.load(), 10);  // it kept polling while it waited
    timer.ClearCancellationKeypress();
}

TEST(StartupParameters, OptionsAndSwitchesAnswerOnlyWhileTheParserIsHeld)
{
    VantrelSDK::StartupParam task("t", "taskid", "/Startup/TaskID", "task code");
    VantrelSDK::StartupParam noUpload("", "noupload", "/Startup/NoUpload", "no upload");
    VantrelSDK::StartupParam group("g", "group", "/Startup/Group", "group");
    struct Case
    {
        std::vector<const char*> args;
        bool taskGiven;
        const char* taskValue;
        bool noUploadGiven;
    } cases[] = {{{"app", "-t", "15386598"}, true, "15386598", false},
                 {{"app", "--taskid", "abc", "--noupload"}, true, "abc", true},
                 {{"app"}, false, "", false}};
    for (const Case& c : cases) {
        wxCmdLineParser parser(int(c.args.size()), const_cast<char**>(c.args.data()));
        task.AddToParserAsOption(parser);
        noUpload.AddToParserAsSwitch(parser);
        ASSERT_EQ(parser.Parse(false), 0);
        VantrelSDK::VTSdkStartupOptions options;
        wxString value;
        EXPECT_FALSE(options.GetValue(task, &value));  // no parser held yet
        options.Create(parser);
        options.HoldParser(parser);
        EXPECT_EQ(options.GetValue(task, &value), c.taskGiven);
        EXPECT_EQ(value, c.taskValue);
        EXPECT_EQ(options.GetValue(noUpload), c.noUploadGiven);
        EXPECT_FALSE(options.GetValue(group, &value));  // never registered
        options.ReleaseParser();
        EXPECT_FALSE(options.GetValue(noUpload));
    }
}

TEST(RandomNumbers, DrawsStayInTheClosedRangeAndSeedsRepeat)
{
    auto rng = Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed();
    ASSERT_TRUE(rng);
    bool seenLow = false, seenHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const int v = rng->Draw(-2, 3);
        ASSERT_GE(v, -2);
        ASSERT_LE(v, 3);
        seenLow |= v == -2;
        seenHigh |= v == 3;
    }
    EXPECT_TRUE(seenLow && seenHigh);
    EXPECT_EQ(rng->Draw(7, 7), 7);
    EXPECT_EQ(rng->Draw(9, 1), 9);
    Orbisk::RNG_Wrapper::SeedForTesting(42);
    std::vector<int> first, second;
    for (int i = 0; i < 20; ++i)
        first.push_back(Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed()->Draw(0, 1000));
    Orbisk::RNG_Wrapper::SeedForTesting(42);
    for (int i = 0; i < 20; ++i)
        second.push_back(Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed()->Draw(0, 1000));
    EXPECT_EQ(first, second);
    Orbisk::RNG_Wrapper::ReplaceStreamForTesting(nullptr);
}

TEST(Resources, SharedSupportFilesAreFoundOnlyWhenPresent)
{
    const wxString folder = TestSupport::MakeTempFolder("support");
    wxSetEnv("VANTREL_SHARED_SUPPORT_DIR", folder);
    wxFFile(folder + "/template.html", "w").Write("x");
    EXPECT_EQ(VTResourceHelper::FindPath_SharedSupport_OrWin32Substitute("template.html"),
              wxFileName(folder, "template.html").GetFullPath());
    EXPECT_EQ(VTResourceHelper::FindPath_SharedSupport_OrWin32Substitute("missing.html"), "");
    EXPECT_EQ(VTResourceHelper::FindPath_SharedSupport_OrWin32Substitute(""), "");
    wxUnsetEnv("VANTREL_SHARED_SUPPORT_DIR");
    EXPECT_TRUE(VTResourceHelper::GetSharedSupportFolder().EndsWith("SharedSupport"));
    EXPECT_TRUE(VTResourceHelper::GetPlugInFolder().EndsWith("PlugIns"));
}

TEST(Exception, CarriesItsMessageToTheLog)
{
    TestSupport::ClearLog();
    try {
        throw VantrelSDK::VTException(wxString::FromUTF8("Der Versuch schlug fehl: ä"));
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Der Versuch schlug fehl: ä");
        dynamic_cast<const VantrelSDK::VTException&>(e).DisplayErrorMessage();
    }
    EXPECT_TRUE(TestSupport::LogContains(wxString::FromUTF8("schlug fehl: ä"), wxLOG_Error + 0));
}

TEST(RunLog, HoldsMessagesBackDuringARunAndPassesThemOnAfterwards)
{
    TestSupport::ClearLog();
    // Made once and kept, as the application does; it chains to the recording log.
    static LogThatSuspendsDuringExpRun* runLog = new LogThatSuspendsDuringExpRun;
    (void)runLog;
    wxLogMessage("before the run");
    EXPECT_TRUE(TestSupport::LogContains("before the run"));
    LogThatSuspendsDuringExpRun::SuspendForRun();
    EXPECT_TRUE(LogThatSuspendsDuringExpRun::IsSuspended());
    wxLogError("during the run");
    EXPECT_FALSE(TestSupport::LogContains("during the run"));
    LogThatSuspendsDuringExpRun::ResumeAfterRun();
    EXPECT_TRUE(TestSupport::LogContains("during the run", wxLOG_Error + 0)) << TestSupport::LogAsText();
}

// Capturing what a piece of work logs, and holding the log's output back.
#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <list>
#include <vector>

using Orbisk::EasyRedirectMinimalErrorLog;
using Orbisk::RAII_LogRedirection;

namespace {

std::vector<wxString> Lines(EasyRedirectMinimalErrorLog& capture)
{
    const std::list<wxString> unread = capture.GetUnreadMessagesAndClearQueue();
    return std::vector<wxString>(unread.begin(), unread.end());
}

// A capture installed as the active target for the test's scope.
class CaptureFixture : public ::testing::Test
{
protected:
    void Install(EasyRedirectMinimalErrorLog* target)
    {
        capture = target;
        previous = wxLog::SetActiveTarget(capture);
    }
    void TearDown() override
    {
        if (capture != nullptr) {
            wxLog::SetActiveTarget(previous);
            delete capture;
        }
    }
    EasyRedirectMinimalErrorLog* capture = nullptr;
    wxLog* previous = nullptr;
};

}  // namespace

TEST_F(CaptureFixture, EachLevelGetsItsPrefixAndOnlyErrorsCountAsErrors)
{
    Install(new EasyRedirectMinimalErrorLog);
    wxLogWarning("careful");
    wxLogMessage("plain 100%%");
    wxLogGeneric(wxLOG_Debug, "dbg");
    wxLogGeneric(wxLOG_Trace, "trc");
    wxLogGeneric(wxLOG_Info, "info");
    EXPECT_FALSE(capture->ObservedOneOrMoreErrors());
    wxLogError("boom");
    EXPECT_TRUE(capture->ObservedOneOrMoreErrors());
    EXPECT_EQ(Lines(*capture), (std::vector<wxString>{"Warning: careful", "plain 100%", "Debug: dbg", "Trace: trc",
                                                      "info", "Error: boom"}));
}

TEST_F(CaptureFixture, ReadingKeepsTheQueueUntilTheNextRecordStartsAFreshOne)
{
    Install(new EasyRedirectMinimalErrorLog);
    wxLogError("first");
    wxLogMessage("second");
    EXPECT_EQ(capture->GetAllMessagesConcatenatedTogetherAndClearQueue("\n\n"), "Error: first\n\nsecond");
    EXPECT_EQ(capture->GetAllMessagesConcatenatedTogetherAndClearQueue("|"), "Error: first|second");
    EXPECT_TRUE(capture->ObservedOneOrMoreErrors()) << "reading alone must not clear the error flag";

    wxLogMessage("third");
    EXPECT_FALSE(capture->ObservedOneOrMoreErrors());
    EXPECT_EQ(Lines(*capture), std::vector<wxString>{"third"});
    EXPECT_EQ(Lines(*capture), std::vector<wxString>{"third"});
}

TEST_F(CaptureFixture, EmptyQueueJoinsToEmptyText)
{
    Install(new EasyRedirectMinimalErrorLog);
    EXPECT_EQ(capture->GetAllMessagesConcatenatedTogetherAndClearQueue("\n\n"), "");
    EXPECT_TRUE(Lines(*capture).empty());
}

namespace {

struct IgnoreCase
{
    const char* name;
    const char* ignorePrefix;
    bool dropped;
};

std::ostream& operator<<(std::ostream& out, const IgnoreCase& c) { return out << c.name; }

class IgnorePrefix : public CaptureFixture, public ::testing::WithParamInterface<IgnoreCase>
{};

}  // namespace

// The comparison includes the level prefix.
TEST_P(IgnorePrefix, DropsOnlyRecordsWhosePrefixedLineStartsWithIt)
{
    Install(new EasyRedirectMinimalErrorLog(GetParam().ignorePrefix));
    wxLogMessage("kept");
    wxLogError("Disk busy, retrying");
    const std::vector<wxString> expected = GetParam().dropped
                                               ? std::vector<wxString>{"kept"}
                                               : std::vector<wxString>{"kept", "Error: Disk busy, retrying"};
    EXPECT_EQ(capture->ObservedOneOrMoreErrors(), !GetParam().dropped);
    EXPECT_EQ(Lines(*capture), expected);
}

INSTANTIATE_TEST_SUITE_P(Prefixes, IgnorePrefix,
                         ::testing::Values(IgnoreCase{"WithLevelPrefix", "Error: Disk busy", true},
                                           IgnoreCase{"WordsAlone", "Disk busy", false},
                                           IgnoreCase{"Empty", "", false}),
                         [](const ::testing::TestParamInfo<IgnoreCase>& info) { return std::string(info.param.name); });

TEST(LogRedirection, HandlerGetsTheCaptureAndThePreviousTargetIsRestored)
{
    wxLog* before = wxLog::GetActiveTarget();
    TestSupport::ClearLog();
    std::vector<wxString> handed;
    bool observedErrors = false;
    {
        RAII_LogRedirection redirect("Error: Ignore", [&](EasyRedirectMinimalErrorLog& capture) {
            observedErrors = capture.ObservedOneOrMoreErrors();
            handed = Lines(capture);
        });
        EXPECT_NE(wxLog::GetActiveTarget(), before);
        wxLogError("Ignore this");
        wxLogError("failed %d", 3);
        wxLogMessage("done");
    }
    EXPECT_EQ(wxLog::GetActiveTarget(), before);
    EXPECT_EQ(handed, (std::vector<wxString>{"Error: failed 3", "done"}));
    EXPECT_TRUE(observedErrors);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << "the previous target saw: " << TestSupport::LogAsText();

    wxLogMessage("after");
    EXPECT_TRUE(TestSupport::LogContains("after"));
}

TEST(LogRedirection, ChainedFormPassesRecordsOnWhileCapturingThem)
{
    wxLog* before = wxLog::GetActiveTarget();
    TestSupport::ClearLog();
    std::vector<wxString> handed;
    {
        RAII_LogRedirection redirect([&](EasyRedirectMinimalErrorLog& capture) { handed = Lines(capture); });
        wxLogWarning("shown and kept");
        EXPECT_TRUE(TestSupport::LogContains("shown and kept", wxLOG_Warning));
    }
    EXPECT_EQ(wxLog::GetActiveTarget(), before);
    EXPECT_EQ(handed, std::vector<wxString>{"Warning: shown and kept"});
    wxLogMessage("after");
    EXPECT_TRUE(TestSupport::LogContains("after"));
}

TEST(LogRedirection, WithoutHandlerTheCollectedLinesAreLoggedAgainAsOneDiagnostic)
{
    // Decide the mode with verbose logging off, then turn verbose logging on so that
    // the normal mode's verbose record is visible too.
    const bool obtrusive = Orbisk::RunningInObtrusiveDiagnosticMode();
    const bool wasVerbose = wxLog::GetVerbose();
    wxLog::SetVerbose(true);
    wxLog* before = wxLog::GetActiveTarget();
    TestSupport::ClearLog();
    {
        RAII_LogRedirection redirect;
        wxLogError("one");
        wxLogMessage("two");
        EXPECT_TRUE(TestSupport::RecordedLog().empty());
    }
    EXPECT_EQ(wxLog::GetActiveTarget(), before);
    const auto& log = TestSupport::RecordedLog();
    ASSERT_EQ(log.size(), 1u) << TestSupport::LogAsText();
    if (obtrusive) {
        EXPECT_EQ(log[0].level, static_cast<unsigned long>(wxLOG_Error));
        EXPECT_EQ(log[0].text, "[OBTRUSIVE] Error: one\n\ntwo");
    } else {
        EXPECT_EQ(log[0].level, static_cast<unsigned long>(wxLOG_Info));
        EXPECT_EQ(log[0].text, "Error: one\n\ntwo");
    }

    TestSupport::ClearLog();
    {
        RAII_LogRedirection quiet;
    }
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << "nothing collected, nothing logged";
    wxLog::SetVerbose(wasVerbose);
}

namespace {

class FlushCounter : public wxLog
{
public:
    void Flush() override { ++flushes; }
    int flushes = 0;
};

}  // namespace

TEST(LogSuspension, HoldsOutputBackForItsScopeAndNests)
{
    auto* counter = new FlushCounter;
    wxLog* before = wxLog::SetActiveTarget(counter);
    {
        Orbisk::RAII_LogSuspension outer;
        {
            Orbisk::RAII_LogSuspension inner;
            wxLog::FlushActive();
        }
        wxLog::FlushActive();
        EXPECT_EQ(counter->flushes, 0);
    }
    wxLog::FlushActive();
    EXPECT_EQ(counter->flushes, 1);
    wxLog::SetActiveTarget(before);
    delete counter;
}

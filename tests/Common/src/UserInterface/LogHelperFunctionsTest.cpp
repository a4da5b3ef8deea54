// The either-or logging helpers and the environment helpers. The obtrusive mode is
// decided once per process, so each environment runs in a child process of its own
// (this binary again, filtered to the probe below).
#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/textfile.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const ProbeVariable = "ORBISK_TEST_LOG_PROBE";
const char* const PercentMessage = "done 100% %s %d";

std::string OwnExecutable()
{
    char path[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

// Runs the probe with the given environment settings (shell words for env) and
// returns the lines it printed that begin with "PROBE ".
std::vector<std::string> RunProbe(const std::string& environment, const std::string& probeCase)
{
    const std::string command = "env -u ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING " + environment + " " + ProbeVariable +
                                "=" + probeCase + " STUDYSTATION_TEST_QUIET_LOG=1 '" + OwnExecutable() +
                                "' --gtest_filter=ObtrusiveModeProbe.Report 2>&1";
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return lines;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (line.rfind("PROBE ", 0) == 0) lines.push_back(line.substr(6));
    }
    const int status = pclose(pipe);
    lines.push_back("exit=" + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1));
    return lines;
}

struct ObtrusiveCase
{
    const char* name;
    const char* environment;  // extra VAR=value words for env
    const char* probeCase;    // "quiet", "verbose" or "late-verbose"
    std::vector<std::string> expected;
};

std::ostream& operator<<(std::ostream& out, const ObtrusiveCase& c) { return out << c.name; }

class ObtrusiveMode : public ::testing::TestWithParam<ObtrusiveCase>
{};

}  // namespace

// Runs only as a child of the ObtrusiveMode tests; prints what it observed.
TEST(ObtrusiveModeProbe, Report)
{
    const char* probeCase = std::getenv(ProbeVariable);
    if (probeCase == nullptr) GTEST_SKIP() << "runs only as a child process of the ObtrusiveMode tests";
    const std::string which = probeCase;
    wxLog::SetVerbose(which == "verbose");
    const bool obtrusive = Orbisk::RunningInObtrusiveDiagnosticMode();
    if (which == "late-verbose") wxLog::SetVerbose(true);  // too late to change the decision

    TestSupport::ClearLog();
    Orbisk::EitherLogVerboseOrLogErrorBasedOnEnvironment(PercentMessage);
    Orbisk::EitherLogVerboseOrLogNormalPopupMessageBasedOnEnvironment("note");

    std::printf("PROBE obtrusive=%d\n", obtrusive ? 1 : 0);
    for (const auto& record : TestSupport::RecordedLog())
        std::printf("PROBE %lu:%s\n", record.level, record.text.utf8_str().data());
    FILE* child = popen("sh -c 'printf %s \"${ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING-unset}\"'", "r");
    char inherited[64] = {};
    if (child != nullptr) {
        if (std::fgets(inherited, sizeof inherited, child) == nullptr) inherited[0] = '\0';
        pclose(child);
    }
    std::printf("PROBE child sees=%s\n", inherited);
    std::fflush(stdout);
}

TEST_P(ObtrusiveMode, IsChosenByTheEnvironmentAndDecidesTheLevel)
{
    EXPECT_EQ(RunProbe(GetParam().environment, GetParam().probeCase), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, ObtrusiveMode,
    ::testing::Values(
        ObtrusiveCase{"Unset", "", "quiet", {"obtrusive=0", "child sees=unset", "exit=0"}},
        ObtrusiveCase{"UnsetWithVerboseLoggingLater",
                      "",
                      "late-verbose",
                      {"obtrusive=0", "5:done 100% %s %d", "5:note", "child sees=unset", "exit=0"}},
        ObtrusiveCase{"EmptyValueCountsAsSet",
                      "ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING=",
                      "quiet",
                      {"obtrusive=1", "1:[OBTRUSIVE] done 100% %s %d", "3:[OBTRUSIVE] note", "child sees=", "exit=0"}},
        ObtrusiveCase{"AnyValueCountsAsSet",
                      "ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING=0",
                      "quiet",
                      {"obtrusive=1", "1:[OBTRUSIVE] done 100% %s %d", "3:[OBTRUSIVE] note", "child sees=0", "exit=0"}},
        ObtrusiveCase{
            "VerboseLoggingSwitchesItOnForChildrenToo",
            "",
            "verbose",
            {"obtrusive=1", "1:[OBTRUSIVE] done 100% %s %d", "3:[OBTRUSIVE] note", "child sees=1", "exit=0"}}),
    [](const ::testing::TestParamInfo<ObtrusiveCase>& info) { return std::string(info.param.name); });

TEST(LogHelpers, ErrorPopupLogsAtErrorLevelWithPercentSignsUnchanged)
{
    TestSupport::ClearLog();
    Orbisk::EitherLogErrorPopup_ElseForAutoTestsFailFatally(PercentMessage);
    ASSERT_EQ(TestSupport::RecordedLog().size(), 1u);
    EXPECT_EQ(TestSupport::RecordedLog()[0].level, static_cast<unsigned long>(wxLOG_Error));
    EXPECT_EQ(TestSupport::RecordedLog()[0].text, PercentMessage);
}

namespace {

struct IntegerCase
{
    const char* name;
    const char* value;  // null: the variable is missing
    int expected;
};

std::ostream& operator<<(std::ostream& out, const IntegerCase& c) { return out << c.name; }

class IntegerFromEnvironment : public ::testing::TestWithParam<IntegerCase>
{};

}  // namespace

TEST_P(IntegerFromEnvironment, GivesTheWholeValueElseTheFallback)
{
    const wxString name = "ORBISK_TEST_INTEGER_SETTING";
    if (GetParam().value == nullptr)
        wxUnsetEnv(name);
    else
        wxSetEnv(name, GetParam().value);
    EXPECT_EQ(Orbisk::GetIntegerSettingFromUserEnvironment_ElseReturn(-5, name, false), GetParam().expected);
    EXPECT_EQ(Orbisk::GetIntegerSettingFromUserEnvironment_ElseReturn(-5, name, true), GetParam().expected);
    wxUnsetEnv(name);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IntegerFromEnvironment,
    ::testing::Values(IntegerCase{"Positive", "1000", 1000}, IntegerCase{"Negative", "-42", -42},
                      IntegerCase{"Zero", "0", 0}, IntegerCase{"Missing", nullptr, -5}, IntegerCase{"Empty", "", -5},
                      IntegerCase{"Letters", "abc", -5}, IntegerCase{"DigitsThenLetters", "250ms", -5},
                      IntegerCase{"Fraction", "2.5", -5}, IntegerCase{"BeyondInt", "99999999999", -5}),
    [](const ::testing::TestParamInfo<IntegerCase>& info) { return std::string(info.param.name); });

namespace {

std::vector<wxString> LinesOf(const wxString& path)
{
    std::vector<wxString> lines;
    wxTextFile file;
    if (!file.Open(path)) return lines;
    for (size_t i = 0; i < file.GetLineCount(); ++i) lines.push_back(file.GetLine(i));
    return lines;
}

}  // namespace

TEST(LogHelpers, WriteOneStringAppendsOrReplacesAndReportsAnUnusablePath)
{
    const wxString path = wxString::FromUTF8(TestSupport::MakeTempFolder("write").c_str()) + "/notes.txt";
    Orbisk::WriteOneStringToSimpleFileThenClose(false, path, wxString::FromUTF8("first – straße"));
    Orbisk::WriteOneStringToSimpleFileThenClose(false, path, "second");
    EXPECT_EQ(LinesOf(path), (std::vector<wxString>{wxString::FromUTF8("first – straße"), "second"}));

    Orbisk::WriteOneStringToSimpleFileThenClose(true, path, "only");
    EXPECT_EQ(LinesOf(path), std::vector<wxString>{"only"});

    TestSupport::ClearLog();
    const wxString unusable = path + "/no/such/folder/file.txt";
    Orbisk::WriteOneStringToSimpleFileThenClose(false, unusable, "lost");
    EXPECT_TRUE(TestSupport::LogContains("We could neither open nor create \"" + unusable + "\".", wxLOG_Error))
        << TestSupport::LogAsText();
    EXPECT_FALSE(wxFileName::FileExists(unusable));
}

TEST(LogHelpers, TimingMessageGoesToStandardErrorAndRestoresTheLogTarget)
{
    wxLog* before = wxLog::GetActiveTarget();
    TestSupport::ClearLog();
    Orbisk::StdoutTimingMessageWithMilliseconds("step");
    EXPECT_EQ(wxLog::GetActiveTarget(), before);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << "the timing line went to the normal log";
}

TEST(LogHelpersDeathTest, FatalErrorIsLoggedAsAnErrorThenEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    unsetenv("STUDYSTATION_TEST_QUIET_LOG");  // the recorded log echoes each record on stderr
    EXPECT_DEATH(Orbisk::FatalErrorWithMaximumAttemptAtOnScreenDisplay("disk gone 100%"), "\\[log 1\\] disk gone 100%");
}

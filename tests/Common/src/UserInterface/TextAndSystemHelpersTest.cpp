// Unique names, single-line texts, operating-system queries and the progress
// wrapper's bookkeeping (no dialog becomes due here).
#include "UserInterface/UtilityClasses/GeneralGuiHelpers.h"

#include <gtest/gtest.h>
#include <wx/regex.h>
#include <wx/utils.h>

#include <unistd.h>
#include <vector>

namespace {

struct NameCase
{
    const char* name;
    const char* wanted;
    std::vector<wxString> existing;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const NameCase& c) { return out << c.name; }

class NewName : public ::testing::TestWithParam<NameCase>
{};

}  // namespace

TEST_P(NewName, IsTheFirstFreeCandidate)
{
    EXPECT_EQ(Orbisk::GetNewName(GetParam().wanted, &GetParam().existing), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewName,
    ::testing::Values(NameCase{"EmptyList", "Trial", {}, "Trial"},
                      NameCase{"Free", "Trial", {"Block", "Trial1"}, "Trial"},
                      NameCase{"TakenGetsOne", "Trial", {"Trial"}, "Trial1"},
                      NameCase{"TakenSkipsTakenNumbers", "Trial", {"Trial", "Trial1", "Trial2"}, "Trial3"},
                      NameCase{"TrailingNumberCountsOn", "Trial 3", {"Trial 3"}, "Trial 4"},
                      NameCase{"TrailingNumberSkipsTaken", "Trial 3", {"Trial 3", "Trial 4"}, "Trial 5"},
                      NameCase{"DigitsOnlyHaveEmptyBase", "12", {"12", "13"}, "14"},
                      NameCase{"ComparisonIsExact", "trial", {"Trial"}, "trial"}, NameCase{"EmptyName", "", {""}, "1"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

TEST(NewName, NullListReturnsTheName) { EXPECT_EQ(Orbisk::GetNewName("Block", nullptr), "Block"); }

TEST(SingleLineText, ControlCharactersBecomeSpaces)
{
    wxString text = "a\r\nb\tc\ad\be";
    Orbisk::StripBadCharsToGuaranteeSingleLineString(text);
    EXPECT_EQ(text, "a  b c d e");
}

TEST(OperatingSystem, VersionStringHasTheExpectedForm)
{
    int major = 0;
    int minor = 0;
    wxGetOsVersion(&major, &minor);
    EXPECT_EQ(Orbisk::BriefOperatingSystemVersionString(), wxString::Format("mac%d_%d", major, minor));
    EXPECT_TRUE(wxRegEx("^mac[0-9]+_[0-9]+$").Matches(Orbisk::BriefOperatingSystemVersionString()));
}

TEST(OperatingSystem, MinimumVersionComparesMajorThenMinor)
{
    int major = 0;
    int minor = 0;
    wxGetOsVersion(&major, &minor);
    EXPECT_TRUE(Orbisk::WeHaveAtLeastThisMinimumMacVersion(major, minor));
    EXPECT_TRUE(Orbisk::WeHaveAtLeastThisMinimumMacVersion(major - 1, minor + 100));
    EXPECT_FALSE(Orbisk::WeHaveAtLeastThisMinimumMacVersion(major, minor + 1));
    EXPECT_FALSE(Orbisk::WeHaveAtLeastThisMinimumMacVersion(major + 1, 0));
    EXPECT_TRUE(Orbisk::ModernBuildForElCapitan_HardcodedOnWin32ToTrue());
    EXPECT_FALSE(Orbisk::RunningOnPowerPC(""));
}

TEST(OperatingSystem, HostNameMatchIgnoresCaseAndFindsTheTextAnywhere)
{
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    const wxString name(host);
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(Orbisk::CurrSystemMatchesLocalHostName(name.Lower()));
    EXPECT_TRUE(Orbisk::CurrSystemMatchesLocalHostName(name.Upper()));
    EXPECT_TRUE(Orbisk::CurrSystemMatchesLocalHostName(name.Mid(name.length() / 2)));
    EXPECT_TRUE(Orbisk::CurrSystemMatchesLocalHostName(""));
    EXPECT_TRUE(Orbisk::CurrSystemMatchesLocalHostName("?"));
    EXPECT_FALSE(Orbisk::CurrSystemMatchesLocalHostName(name + "-no-such-suffix"));
}

TEST(ProgressWrapper, BookkeepingBeforeAnyDialogIsDue)
{
    Orbisk::ProgressDlgWrapper wrapper(3, 3600 * 1000, nullptr, "Vantrel", 0);
    EXPECT_EQ(wrapper.GetMaximum(), 1) << "a maximum of 0 counts as 1";
    wrapper.AddThisMuchMoreToMaxRange(9);
    EXPECT_EQ(wrapper.GetMaximum(), 10);
    wrapper.UpdateItemAndText(2, "copying");
    wrapper.AddThisMuchMoreToCurrItemStatus(3);
    EXPECT_EQ(wrapper.GetCurrentItem(), 5);
    EXPECT_EQ(wrapper.GetCurrentText(), "copying");
    wrapper.UpdateTheText("checking");
    wrapper.UpdateCurrentItem(7);
    EXPECT_EQ(wrapper.GetCurrentItem(), 7);
    EXPECT_EQ(wrapper.GetCurrentText(), "checking");
    EXPECT_EQ(wrapper.GetDialog_CanReturnNull(), nullptr);
    EXPECT_FALSE(wrapper.TheUserCanceled());

    wrapper.HideAndDestroy();
    EXPECT_TRUE(wrapper.TheUserCanceled());
    wrapper.UpdateItemAndText(9, "ignored");
    wrapper.UpdateTheMaxRange(50);
    EXPECT_EQ(wrapper.GetCurrentItem(), 7);
    EXPECT_EQ(wrapper.GetMaximum(), 10);
}

// The pages' number reading without a window: saturating, never wrapping.

#include <GuiViewClasses/BlockTrialDialogs/BlockTrialValueText.h>

#include <gtest/gtest.h>

#include <climits>

using namespace Vantrel::BlockTrialValueText;

TEST(BlockTrialValueText, LeadingDigitsSaturateAndWholeNumbersClampOrAreRefused)
{
    EXPECT_EQ(LeadingUnsigned("42 trials"), 42u);
    EXPECT_EQ(LeadingUnsigned("x42"), 0u);
    EXPECT_EQ(LeadingUnsigned("4294967295"), UINT_MAX);
    EXPECT_EQ(LeadingUnsigned("4294967296"), UINT_MAX) << "never wraps to 0";
    EXPECT_EQ(LeadingUnsigned("123456789012345678901234567890"), UINT_MAX);

    struct Case
    {
        const char* text;
        bool number;
        long long value;
    } cases[] = {
        {"250", true, 250},
        {" 250 ", true, 250},
        {"-5", true, 0},
        {"+7", true, 7},
        {"2147483648", true, INT_MAX},
        {"99999999999999999999999", true, INT_MAX},
        {"-99999999999999999999", true, 0},
        {"", false, 0},
        {"  ", false, 0},
        {"12ms", false, 0},
        {"1e3", false, 0},
        {"-", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        long long value = -1;
        EXPECT_EQ(WholeNumberWithin(c.text, 0, INT_MAX, value), c.number);
        if (c.number) EXPECT_EQ(value, c.value);
    }
}

TEST(BlockTrialValueText, TimeLimitUnitSwitchRoundsHalvesUpAndSaturates)
{
    EXPECT_EQ(ConvertTimeLimit(20, 0, 1), 20000u);
    EXPECT_EQ(ConvertTimeLimit(1499, 1, 0), 1u);
    EXPECT_EQ(ConvertTimeLimit(1500, 1, 0), 2u);
    EXPECT_EQ(ConvertTimeLimit(0, 1, 0), 1u);
    EXPECT_EQ(ConvertTimeLimit(4294968, 0, 1), UINT_MAX);
    EXPECT_EQ(ConvertTimeLimit(UINT_MAX, 1, 0), 4294967u);
    EXPECT_EQ(ConvertTimeLimit(77, 1, 1), 77u);
}

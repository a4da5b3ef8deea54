// Reading typed level numbers: the time-limit text as one table of cases.
#include <GuiViewClasses/TrialVariables/LevelText.h>

#include <gtest/gtest.h>

using namespace Vantrel::LevelText;

TEST(LevelText, TimeLimitPiecesAreSkippedAcceptedOrRefusedAsTheTableSays)
{
    const struct
    {
        const char* text;
        bool ok;
        std::vector<std::int32_t> values;  // when ok
        const char* badPiece;              // when refused
    } cases[] = {
        {"", true, {}, ""},
        {",,,", true, {}, ""},
        {"10, 20,, 30", true, {10, 20, 30}, ""},
        {" 7 ,8, ", true, {7, 8}, ""},
        {"10,20,", true, {10, 20}, ""},
        {"+5,-3", true, {5, -3}, ""},
        {"007", true, {7}, ""},
        {"2147483647,-2147483648", true, {2147483647, INT32_MIN}, ""},
        {"10, 20,,abc, 30", false, {}, "abc"},
        {"1.5", false, {}, "1.5"},
        {"0x10", false, {}, "0x10"},
        {"1 2", false, {}, "1 2"},
        {"2147483648", false, {}, "2147483648"},
        {"-2147483649", false, {}, "-2147483649"},
        {"99999999999", false, {}, "99999999999"},
        {"+", false, {}, "+"},
        {"5,-,6", false, {}, "-"},
        {"1e3", false, {}, "1e3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TimeLimitLevels parsed = ParseTimeLimitLevels(c.text);
        EXPECT_EQ(parsed.ok, c.ok);
        if (c.ok)
            EXPECT_EQ(parsed.values, c.values);
        else
            EXPECT_EQ(parsed.badPiece, c.badPiece);
    }
}

TEST(LevelText, LevelTextsJoinWithoutBlanks)
{
    EXPECT_EQ(JoinLevelTexts({"10", "20", "30"}), "10,20,30");
    EXPECT_EQ(JoinLevelTexts({}), "");
}

#include "CloudClient/OmbraAPIHelper.h"

#include <gtest/gtest.h>

namespace {

struct CodePair
{
    uint32_t experimentCode;
    int32_t taskCode;
};

TEST(TaskCodes, ConvertBothWaysByTable)
{
    const CodePair table[] = {
        {12345678u, 15386598},
        {20240917u, 22170727},
        {10000000u, 15263140},
        {99999999u, 93041929},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.experimentCode);
        EXPECT_EQ(OmbraAPIHelper::ObfuscateExperimentID(row.experimentCode), row.taskCode);
        EXPECT_EQ(OmbraAPIHelper::DeobfuscateExperimentID(static_cast<uint32_t>(row.taskCode)),
                  static_cast<int32_t>(row.experimentCode));
        EXPECT_EQ(ConvertExperimentID(row.experimentCode, true), row.taskCode);
        EXPECT_EQ(ConvertExperimentID(static_cast<uint32_t>(row.taskCode), false),
                  static_cast<int32_t>(row.experimentCode));
    }
}

TEST(TaskCodes, RoundTripKeepsFirstAndLastDigit)
{
    for (uint32_t code = 10000000u; code < 99999999u; code += 7654321u) {
        const int32_t task = OmbraAPIHelper::ObfuscateExperimentID(code);
        EXPECT_EQ(OmbraAPIHelper::DeobfuscateExperimentID(static_cast<uint32_t>(task)), static_cast<int32_t>(code));
        EXPECT_EQ(std::to_string(task).front(), std::to_string(code).front());
        EXPECT_EQ(std::to_string(task).back(), std::to_string(code).back());
        EXPECT_EQ(std::to_string(task).size(), 8u);
    }
}

TEST(TaskCodes, LongerNumbersConvertTheirFirstEightDigits)
{
    const struct
    {
        uint32_t input;
        int32_t expected;
    } table[] = {
        {123456789u, ConvertExperimentID(12345678u, true)},   // nine digits
        {4294967295u, ConvertExperimentID(42949672u, true)},  // ten digits
        {2024091755u, ConvertExperimentID(20240917u, true)},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(ConvertExperimentID(row.input, true), row.expected);
        EXPECT_EQ(std::to_string(ConvertExperimentID(row.input, false)).size(), 8u);
    }
    EXPECT_EQ(ConvertExperimentID(123456789u, true), 15386598);
}

TEST(TaskCodes, ShorterNumbersGiveNoExperimentCode)
{
    EXPECT_EQ(OmbraAPIHelper::DeobfuscateExperimentID(1234567u), 0);
    EXPECT_EQ(OmbraAPIHelper::DeobfuscateExperimentID(0u), 0);
}

TEST(TaskCodes, RandomStringHasEightCharactersOfTheAlphabet)
{
    OmbraAPIHelper client;
    const std::string text = OmbraAPIHelper::GenerateRandomString();
    ASSERT_EQ(text.size(), 8u);
    EXPECT_EQ(text.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz"), std::string::npos);
}

}  // namespace

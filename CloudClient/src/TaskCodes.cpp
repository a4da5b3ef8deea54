// The reversible digit conversion between experiment codes and the task
// codes that participants type.

#include "CloudClient/OmbraAPIHelper.h"

#include <cstdlib>
#include <string>

namespace {
// Entry 0 takes no part: the first digit passes unchanged.
constexpr int kOffsets[7] = {0, 5, 2, 6, 3, 1, 4};
constexpr int kDigits = 8;
}  // namespace

int32_t ConvertExperimentID(uint32_t number, bool toTaskCode)
{
    const std::string text = std::to_string(number);
    // Shorter numbers have no eight digits to convert; 0 is no experiment's code.
    if (text.size() < static_cast<size_t>(kDigits)) return 0;
    int digits[kDigits];
    for (int i = 0; i < kDigits; ++i) digits[i] = text[i] - '0';
    const int last = digits[kDigits - 1];

    int32_t result = digits[0];
    for (int i = 1; i <= 6; ++i) {
        int converted;
        if (toTaskCode) {
            converted = (digits[i] + kOffsets[i] + last) % 10;
        } else {
            converted = (digits[i] - kOffsets[i] - last) % 10;
            if (converted < 0) converted += 10;
        }
        result = result * 10 + converted;
    }
    return result * 10 + last;
}

int32_t OmbraAPIHelper::ObfuscateExperimentID(uint32_t code) { return ConvertExperimentID(code, true); }

int32_t OmbraAPIHelper::DeobfuscateExperimentID(uint32_t taskCode) { return ConvertExperimentID(taskCode, false); }

std::string OmbraAPIHelper::GenerateRandomString()
{
    static const char kAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string text;
    for (int i = 0; i < 8; ++i) text += kAlphabet[std::rand() % 36];
    return text;
}

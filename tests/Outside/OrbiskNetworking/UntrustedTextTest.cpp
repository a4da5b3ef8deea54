#include "UntrustedText.h"

#include <gtest/gtest.h>

using OrbiskSDK::Detail::SanitisedUtf8;

namespace {

const std::string kFFFD = "\xEF\xBF\xBD";

TEST(SanitisedUtf8Test, KeepsValidTextAndReplacesEachBadByte)
{
    struct Case
    {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"plain 6.5.3\n", "plain 6.5.3\n"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"a\xFF"
         "b",
         "a" + kFFFD + "b"},
        {"\xC0\xAF", kFFFD + kFFFD},                          // overlong slash
        {"\xED\xA0\x80", kFFFD + kFFFD + kFFFD},              // surrogate
        {"\xF4\x90\x80\x80", kFFFD + kFFFD + kFFFD + kFFFD},  // beyond U+10FFFF
        {"end\xE2\x82", "end" + kFFFD + kFFFD},               // cut short
        {std::string("a\0b", 3), "a" + kFFFD + "b"},
    };
    for (const auto& c : cases) EXPECT_EQ(SanitisedUtf8(c.in), c.out) << c.in;
}

}  // namespace

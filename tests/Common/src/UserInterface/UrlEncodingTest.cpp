// The three URL encoders side by side on one table of inputs.
#include "UserInterface/UtilityClasses/UrlEncoding.h"

#include <gtest/gtest.h>

namespace {

struct EncodingCase
{
    const char* name;
    const char* input;  // UTF-8
    const char* all;
    const char* nonStandard;  // also what UrlEncode_But_DontConvert_NonReservedChars gives
};

std::ostream& operator<<(std::ostream& out, const EncodingCase& c) { return out << c.name; }

class UrlEncoders : public ::testing::TestWithParam<EncodingCase>
{};

}  // namespace

TEST_P(UrlEncoders, EachEncoderGivesItsExpectedText)
{
    const wxString input = wxString::FromUTF8(GetParam().input);
    EXPECT_EQ(Orbisk::UrlEncodeAll(input), wxString::FromUTF8(GetParam().all));
    EXPECT_EQ(Orbisk::UrlEncodeInNonStandardWay_ForMailChimp(input), wxString::FromUTF8(GetParam().nonStandard));
    EXPECT_EQ(Orbisk::UrlEncode_But_DontConvert_NonReservedChars(input), wxString::FromUTF8(GetParam().nonStandard));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UrlEncoders,
    ::testing::Values(
        EncodingCase{"Empty", "", "", ""}, EncodingCase{"Unreserved", "Az09", "%41%7A%30%39", "Az09"},
        EncodingCase{"SpaceAndPercent", "a b%c", "%61%20%62%25%63", "a%20b%25c"},
        EncodingCase{"HyphenAndDotAreEncodedToo", "x-y.z", "%78%2D%79%2E%7A", "x%2Dy%2Ez"},
        EncodingCase{"QueryCharacters", "os=mac10_13&v=6.5.3",
                     "%6F%73%3D%6D%61%63%31%30%5F%31%33%26%76%3D%36%2E%35%2E%33", "os%3Dmac10%5F13%26v%3D6%2E5%2E3"},
        EncodingCase{
            "AllReservedPunctuation", " !\"#$&'()*+,-./:;<=>?@[\\]^_`{|}~",
            "%20%21%22%23%24%26%27%28%29%2A%2B%2C%2D%2E%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%5F%60%7B%7C%7D%7E",
            "%20%21%22%23%24%26%27%28%29%2A%2B%2C%2D%2E%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%5F%60%7B%7C%7D%7E"},
        EncodingCase{"NonAsciiPassesTheNonStandardEncoder", "\xC3\xA9", "%C3%A9", "\xC3\xA9"},
        EncodingCase{"FourByteCharacter", "\xF0\x9F\x98\x80", "%F0%9F%98%80", "\xF0\x9F\x98\x80"},
        EncodingCase{"BackspaceBecomesPercent", "a\bb", "%61%08%62", "a%25b"},
        EncodingCase{"OtherControlsPass", "a\tb", "%61%09%62", "a\tb"},
        EncodingCase{"EncodedTextIsEncodedAgain", "%20", "%25%32%30", "%2520"}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

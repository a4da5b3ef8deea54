// The UTF-8 check on the start of a file, and reading a whole file.
#include "UserInterface/UtilityClasses/FileReadingHelpers.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/file.h>

#include <fstream>
#include <string>

namespace {

wxString WriteFile(const std::string& name, const std::string& bytes)
{
    static const std::string folder = TestSupport::MakeTempFolder("files");
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return wxString::FromUTF8(path.c_str());
}

struct Utf8Case
{
    const char* name;
    std::string bytes;
    bool valid;
};

std::ostream& operator<<(std::ostream& out, const Utf8Case& c) { return out << c.name; }

class Utf8Check : public ::testing::TestWithParam<Utf8Case>
{};

}  // namespace

TEST_P(Utf8Check, JudgesTheStartOfTheFile)
{
    EXPECT_EQ(Orbisk::CheckIfFileIsValidUTF8(WriteFile(GetParam().name, GetParam().bytes)), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Utf8Check,
    ::testing::Values(Utf8Case{"Ascii", "plain text\n", true},
                      Utf8Case{"MultiByte",
                               "Stra\xC3\x9F"
                               "e \xE2\x82\xAC \xF0\x9F\x98\x80",
                               true},
                      Utf8Case{"Latin1Accent", "caf\xE9 au lait", false},
                      Utf8Case{"OverlongSlash",
                               "a\xC0\xAF"
                               "b",
                               false},
                      Utf8Case{"OverlongThreeByte",
                               "a\xE0\x80\xAF"
                               "b",
                               false},
                      Utf8Case{"EncodedSurrogate",
                               "a\xED\xA0\x80"
                               "b",
                               false},
                      Utf8Case{"TruncatedAtEndOfShortFile", "abc\xE2\x82", false},
                      Utf8Case{"LoneContinuationByte", "abc\x80", false}, Utf8Case{"Empty", "", false},
                      Utf8Case{"StartsWithZeroByte", std::string("\0abc", 4), false},
                      Utf8Case{"TwoByteSequenceCutAtSampleEnd", std::string(1002, 'a') + "\xC3\xA9 more", true},
                      Utf8Case{"ThreeByteSequenceCutAtSampleEnd", std::string(1001, 'a') + "\xE2\x82\xAC more", true},
                      Utf8Case{"InvalidByteOnlyBeyondTheSample", std::string(1100, 'a') + "\xE9", true},
                      Utf8Case{"Latin1InsideTheSample", std::string(900, 'a') + "\xE9" + std::string(300, 'a'), false}),
    [](const ::testing::TestParamInfo<Utf8Case>& info) { return std::string(info.param.name); });

TEST(Utf8Check, MissingFileIsNotValid)
{
    EXPECT_FALSE(Orbisk::CheckIfFileIsValidUTF8(WriteFile("x", "x") + ".missing"));
}

TEST(ReadAll, ReadsAWholeFileAcrossChunks)
{
    std::string content;
    for (int i = 0; content.size() < 10000; ++i) content += "line " + std::to_string(i) + "\n";
    wxFile file(WriteFile("big.txt", content));
    ASSERT_TRUE(file.IsOpened());
    wxString out;
    ASSERT_TRUE(Orbisk::ReadAll(file, out));
    EXPECT_EQ(out.length(), content.size());
    EXPECT_EQ(out, wxString(content));
}

TEST(ReadAll, EmptyFileGivesEmptyText)
{
    wxFile file(WriteFile("empty.txt", ""));
    wxString out = "previous";
    EXPECT_TRUE(Orbisk::ReadAll(file, out));
    EXPECT_EQ(out, "");
}

// A file that ends before its reported length (as one that shrinks while it is
// read): reading must stop and fail, never spin.
TEST(ReadAll, FileShorterThanItsLengthFailsAndLeavesTheTextUnchanged)
{
    wxFile file(WriteFile("short.txt", "0123456789"));
    ASSERT_TRUE(file.IsOpened());
    // Reading starts from the current position, so two bytes are left of ten.
    ASSERT_NE(file.Seek(8), wxInvalidOffset);
    wxString out = "unchanged";
    EXPECT_FALSE(Orbisk::ReadAll(file, out));
    EXPECT_EQ(out, "unchanged");
}

TEST(ReadAll, ClosedFileFails)
{
    wxFile file;
    wxString out = "unchanged";
    EXPECT_FALSE(Orbisk::ReadAll(file, out));
    EXPECT_EQ(out, "unchanged");
}

#include "CloudTaskSupport/PackageName.h"
#include "CloudTaskSupport/TaskCodeCheck.h"

#include <gtest/gtest.h>

namespace {

using Vantrel::TaskCodeProblem;

TEST(TaskCodeCheck, OnlyEightDigitsPass)
{
    struct Case
    {
        const char* text;
        TaskCodeProblem problem;
        std::uint32_t code;
    } cases[] = {
        {"12345678", TaskCodeProblem::None, 12345678u},
        {"  98765432 ", TaskCodeProblem::None, 98765432u},
        {"", TaskCodeProblem::Empty, 0},
        {"   ", TaskCodeProblem::Empty, 0},
        {"1234567", TaskCodeProblem::Invalid, 0},
        {"123456789", TaskCodeProblem::Invalid, 0},
        {"01234567", TaskCodeProblem::Invalid, 0},
        {"1234a678", TaskCodeProblem::Invalid, 0},
        {"+1234567", TaskCodeProblem::Invalid, 0},
        {"-1234567", TaskCodeProblem::Invalid, 0},
        {"1234.678", TaskCodeProblem::Invalid, 0},
        {"1e345678", TaskCodeProblem::Invalid, 0},
        {"1234 678", TaskCodeProblem::Invalid, 0},
        {"\xd9\xa1\xd9\xa2\xd9\xa3\xd9\xa4\xd9\xa5\xd9\xa6\xd9\xa7\xd9\xa8", TaskCodeProblem::Invalid, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Vantrel::TaskCodeReading reading = Vantrel::ReadTaskCode(wxString::FromUTF8(c.text));
        EXPECT_EQ(reading.problem, c.problem);
        if (c.problem == TaskCodeProblem::None) {
            EXPECT_EQ(reading.code, c.code);
        }
    }
}

TEST(PackageName, VersionDigitsChooseTheFormat)
{
    struct Case
    {
        const char* version;
        const char* suffix;
    } cases[] = {{"6.5.3", ".tar.gz"},  {"6.5.2", ".tar.gz"}, {"6.5.1", ".zip"},
                 {"6.10.0", ".tar.gz"}, {"7.0", ".zip"},      {"6.5", ".zip"},
                 {"", ".tar.gz"},       {"beta", ".tar.gz"},  {"99999999999999999999", ".tar.gz"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(Vantrel::PackagePathForVersion("/data/12345678", c.version), wxString("/data/12345678") + c.suffix);
    }
}

}  // namespace

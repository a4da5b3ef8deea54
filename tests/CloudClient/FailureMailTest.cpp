// The fallback e-mail's template and header lines, without sending anything.

#include "CloudClient/FailureMail.h"
#include "CloudClient/ServiceConfiguration.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

std::tm LocalTime(int year, int month, int day, int weekday, int hour, int minute, int second)
{
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_wday = weekday;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return fields;
}

TEST(FailureMail, DatesAreWrittenInTheMailFormatWithTheirOffsetFromUtc)
{
    struct Case
    {
        std::tm local;
        long offsetSeconds;
        const char* expected;
    } cases[] = {
        {LocalTime(2026, 12, 10, 4, 14, 5, 9), 0, "Thu, 10 Dec 2026 14:05:09 +0000"},
        {LocalTime(2026, 1, 4, 0, 0, 0, 0), 3600, "Sun, 04 Jan 2026 00:00:00 +0100"},
        {LocalTime(2027, 7, 31, 6, 23, 59, 59), -(3 * 3600 + 30 * 60), "Sat, 31 Jul 2027 23:59:59 -0330"},
        {LocalTime(2026, 3, 2, 1, 9, 8, 7), 5 * 3600 + 45 * 60, "Mon, 02 Mar 2026 09:08:07 +0545"},
    };
    for (const Case& c : cases) EXPECT_EQ(Vantrel::Rfc2822Date(c.local, c.offsetSeconds), c.expected);

    const std::regex mailDate(
        R"((Mon|Tue|Wed|Thu|Fri|Sat|Sun), \d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) )"
        R"(\d{4} \d\d:\d\d:\d\d [+-]\d{4})");
    EXPECT_TRUE(std::regex_match(Vantrel::Rfc2822DateNow(), mailDate)) << Vantrel::Rfc2822DateNow();
}

TEST(FailureMail, HeadersNameTheDateTheResearcherTheSenderAndTheSubjectInOrder)
{
    const std::vector<std::string> headers =
        Vantrel::FailureMailHeaders("researcher@example.test", "Thu, 10 Dec 2026 14:05:09 +0000");
    const std::vector<std::string> expected = {
        "Date: Thu, 10 Dec 2026 14:05:09 +0000",
        "To: researcher@example.test",
        "From: " + Vantrel::ServiceConfiguration::MailFromHeaderValue(),
        "Subject: Failed to upload experiment data",
    };
    EXPECT_EQ(headers, expected);
    EXPECT_EQ(Vantrel::FailureMailHeaders("r@example.test").at(0).rfind("Date: ", 0), 0u);
}

TEST(FailureMail, TheTemplateIsReadFromBesideTheProgramAndABrokenOneGivesABareMail)
{
    EXPECT_EQ(Vantrel::FailureMailTemplatePath("/opt/station/bin/StudyStation"),
              "/opt/station/bin/../PlugIns/email/sending_data_file.html");

    // The build places the template where a program in its bin folder looks for it.
    const std::string shipped =
        TestSupport::ReadWholeFile(TestSupport::SourceDir() + "/resources/email/sending_data_file.html");
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(Vantrel::ReadFailureMailTemplate(
                  Vantrel::FailureMailTemplatePath(TestSupport::BinaryDir() + "/bin/StudyStation")),
              shipped);

    const std::string folder = TestSupport::MakeTempFolder("mail");
    EXPECT_EQ(Vantrel::ReadFailureMailTemplate(folder + "/missing.html"), "");
    ASSERT_TRUE(TestSupport::WriteWholeFile(folder + "/huge.html", std::string((1 << 20) + 1, 'x')));
    EXPECT_EQ(Vantrel::ReadFailureMailTemplate(folder + "/huge.html"), "") << "no template is a mebibyte";
}

}  // namespace

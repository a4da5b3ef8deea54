// The fallback e-mail through the SMTP relay double.

#include "CloudClient/CurlSession.h"
#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/TaskFileLimits.h"
#include "CloudClient/ServiceConfiguration.h"

#include "CloudTestFixture.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace {

class MailTransport : public CloudDoublesTest
{
protected:
    void SetUp() override
    {
        CloudDoublesTest::SetUp();
        attachment = Service().StateDir() + "/Task Data.txt";
        TestSupport::WriteWholeFile(attachment, attachmentBytes);
        headers = {"Date: Tue, 10 Dec 2024 13:00:00 +0000", "To: researcher@example.test",
                   "From: " + Vantrel::ServiceConfiguration::MailFromHeaderValue(),
                   "Subject: Failed to upload experiment data"};
    }

    size_t CredentialFetches() { return Service().RequestsTo("/mail/relay-login.txt").size(); }

    bool Send(const char* to = "researcher@example.test", const char* cc = "")
    {
        return client.SendEmailWithAttachment(headers, body.c_str(), to, cc, attachment.c_str());
    }

    OmbraAPIHelper client;
    std::vector<std::string> headers;
    std::string body = "<html><body><p>The data file is attached.</p>\n<p>Zoë</p></body></html>";
    std::string attachment;
    const std::string attachmentBytes = "Trial\tKey\tRT\n1\tf\t512\n.line starting with a dot\n2\tj\t498\n";
};

TEST_F(MailTransport, MessageArrivesWithHeadersInOrderHtmlPartAndAttachment)
{
    ASSERT_TRUE(Send());
    const auto messages = Relay().Messages();
    ASSERT_EQ(messages.size(), 1u);
    const auto& message = messages[0];
    EXPECT_EQ(message.mailFrom, TestDoubles::CloudDoublesEnvironment::kSender);
    EXPECT_EQ(message.recipients, std::vector<std::string>{"researcher@example.test"});

    // The caller's lines keep their order (libcurl puts its MIME lines around them).
    TestDoubles::HeaderList callerLines;
    for (const auto& header : message.headers)
        if (header.first == "Date" || header.first == "To" || header.first == "From" || header.first == "Subject")
            callerLines.push_back(header);
    const TestDoubles::HeaderList expected{{"Date", "Tue, 10 Dec 2024 13:00:00 +0000"},
                                           {"To", "researcher@example.test"},
                                           {"From", "Orbisk Study Station <studystation@example.test>"},
                                           {"Subject", "Failed to upload experiment data"}};
    EXPECT_EQ(callerLines, expected);

    ASSERT_EQ(message.parts.size(), 2u);
    EXPECT_EQ(message.parts[0].contentType, "text/html");
    EXPECT_EQ(message.parts[0].data, body);
    EXPECT_EQ(message.parts[1].filename, "Task Data.txt");
    EXPECT_EQ(message.parts[1].data, attachmentBytes);

    const auto logins = Relay().AuthAttempts();
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_EQ(logins[0].first, Service().MailUser());
    EXPECT_TRUE(logins[0].second);
}

TEST_F(MailTransport, CopyRecipientOnlyWhenGiven)
{
    ASSERT_TRUE(Send("researcher@example.test", "assistant@example.test"));
    const auto messages = Relay().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].recipients, (std::vector<std::string>{"researcher@example.test", "assistant@example.test"}));
}

TEST_F(MailTransport, SecondSendOfOneClientFetchesNoCredentialText)
{
    ASSERT_TRUE(Send());
    EXPECT_EQ(CredentialFetches(), 1u);
    ASSERT_TRUE(Send());
    EXPECT_EQ(CredentialFetches(), 1u);
    EXPECT_EQ(Relay().Messages().size(), 2u);

    OmbraAPIHelper another;
    ASSERT_TRUE(
        another.SendEmailWithAttachment(headers, body.c_str(), "researcher@example.test", "", attachment.c_str()));
    EXPECT_EQ(CredentialFetches(), 2u);
}

TEST_F(MailTransport, CredentialLinesAreCutAtHeadAndTail)
{
    EXPECT_EQ(client.ReconstituteHash3(), Service().MailUser());
    EXPECT_EQ(client.ReconstituteHash2(), Service().MailPassword());
    EXPECT_EQ(CredentialFetches(), 1u);

    OmbraAPIHelper windowsLineEnds;
    Service().SetSwitches(R"({"credentials_text": "header\r\nab-pass-word12\r\nxyzuser@example.test!!\r\n"})");
    EXPECT_TRUE(windowsLineEnds.GetHashesFromWebsite());
    EXPECT_EQ(windowsLineEnds.ReconstituteHash2(), "pass-word");
    EXPECT_EQ(windowsLineEnds.ReconstituteHash3(), "user@example.test");
}

// A text of letters and line ends as a JSON string's content.
std::string JsonText(const std::string& text)
{
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

TEST_F(MailTransport, CredentialTextBeyondAFewKilobytesIsRefused)
{
    // The first three lines are all that is read; a long text after them is not split.
    const std::string lines = "header\nab-pass-word12\nxyzuser@example.test!!\n";
    const std::string within = lines + std::string(Vantrel::kMaxCredentialBytes - lines.size(), 'x');
    Service().SetSwitches("{\"credentials_text\": \"" + JsonText(within) + "\"}");
    OmbraAPIHelper fits;
    EXPECT_TRUE(fits.GetHashesFromWebsite());
    EXPECT_EQ(fits.ReconstituteHash2(), "pass-word");

    Service().SetSwitches("{\"credentials_text\": \"" + JsonText(within + "x") + "\"}");
    OmbraAPIHelper over;
    EXPECT_FALSE(over.GetHashesFromWebsite());
    EXPECT_EQ(over.GetTransferFailure(), Vantrel::TransferFailure::TooLarge);
    EXPECT_EQ(over.GetCurlErrString(), "The service sent more than " + std::to_string(Vantrel::kMaxCredentialBytes) +
                                           " bytes; the transfer was stopped");
}

TEST_F(MailTransport, UnusableCredentialTextSendsNothing)
{
    const char* texts[] = {
        R"({"credentials_text": "only\ntwo lines"})",
        R"({"credentials_text": "one\nabcd\nabcdefgh\n"})",
        R"({"credentials_text": "one\nabcdefgh\nabcd"})",
        R"({"credentials_text": ""})",
        R"({"credentials_status": 404})",
    };
    for (const char* switches : texts) {
        SCOPED_TRACE(switches);
        Service().SetSwitches(switches);
        OmbraAPIHelper fresh;
        EXPECT_FALSE(
            fresh.SendEmailWithAttachment(headers, body.c_str(), "researcher@example.test", "", attachment.c_str()));
        EXPECT_NE(fresh.SendEmail("Subject: x\r\n\r\nbody\r\n", "researcher@example.test", ""), 0);
        EXPECT_TRUE(fresh.DidCurlRequestFail());
    }
    EXPECT_TRUE(Relay().AuthAttempts().empty());
    EXPECT_TRUE(Relay().Messages().empty());
}

TEST_F(MailTransport, WrongLoginFailsWithoutHanging)
{
    Service().SetSwitches(R"({"credentials_text": "x\nab-wrong-password12\nxyzrelay-user@example.test!!\n"})");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Send());
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::seconds(30));  // the relay would otherwise hold the reply for minutes
    const auto logins = Relay().AuthAttempts();
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_FALSE(logins[0].second);
    EXPECT_TRUE(Relay().Messages().empty());
}

TEST_F(MailTransport, RelayWithoutStartTlsGetsNothing)
{
    TestDoubles::SmtpRelayDouble plain;
    std::string error;
    ASSERT_TRUE(plain.Start(Service().CertFile(), Service().KeyFile(), Service().MailUser(), Service().MailPassword(),
                            false, &error))
        << error;
    TestDoubles::ScopedEnvironmentVariable relay("VANTREL_MAIL_RELAY", plain.HostAndPort().c_str());
    EXPECT_FALSE(Send());
    EXPECT_NE(client.SendEmail("Subject: x\r\n\r\nbody\r\n", "researcher@example.test", ""), 0);
    EXPECT_TRUE(plain.AuthAttempts().empty());
    EXPECT_TRUE(plain.Messages().empty());
}

TEST_F(MailTransport, RelayCertificateIsVerified)
{
    TestDoubles::SmtpRelayDouble stranger;  // makes its own authority
    std::string error;
    ASSERT_TRUE(stranger.Start("", "", Service().MailUser(), Service().MailPassword(), true, &error)) << error;
    TestDoubles::ScopedEnvironmentVariable relay("VANTREL_MAIL_RELAY", stranger.HostAndPort().c_str());
    EXPECT_FALSE(Send());
    EXPECT_TRUE(stranger.AuthAttempts().empty());
    EXPECT_TRUE(stranger.Messages().empty());
}

TEST_F(MailTransport, CredentialTextOnlyOverVerifiedHttps)
{
    const std::string plainUrl = "http://" + Service().Host() + "/mail/relay-login.txt";
    TestDoubles::ScopedEnvironmentVariable url("VANTREL_MAIL_CREDENTIALS_URL", plainUrl.c_str());
    EXPECT_FALSE(client.GetHashesFromWebsite());
    EXPECT_TRUE(client.DidCurlRequestFail());
    EXPECT_FALSE(Send());
    EXPECT_TRUE(Relay().Messages().empty());
}

TEST_F(MailTransport, MalformedRecipientsAreRefusedBeforeAnythingIsSent)
{
    const char* bad[] = {"researcher@example.test\r\nRCPT TO:<x@evil.test>", "line\nbreak@example.test",
                         "no-at-sign.example.test", ""};
    for (const char* to : bad) {
        SCOPED_TRACE(to);
        EXPECT_FALSE(Send(to));
        EXPECT_EQ(client.SendEmail("Subject: x\r\n\r\nbody\r\n", to, ""), CURLE_BAD_FUNCTION_ARGUMENT);
    }
    EXPECT_FALSE(Send("researcher@example.test", "cc\r\n@example.test"));
    EXPECT_EQ(CredentialFetches(), 0u);
    EXPECT_TRUE(Relay().Messages().empty());
}

TEST_F(MailTransport, PlainMessageGoesOutThroughTheReadCallback)
{
    const std::string text =
        "Date: Tue, 10 Dec 2024 13:00:00 +0000\r\nTo: researcher@example.test\r\nSubject: Plain\r\n\r\nHello.\r\n";
    EXPECT_EQ(client.SendEmail(text.c_str(), "researcher@example.test", ""), 0);
    const auto messages = Relay().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].headers, (TestDoubles::HeaderList{{"Date", "Tue, 10 Dec 2024 13:00:00 +0000"},
                                                            {"To", "researcher@example.test"},
                                                            {"Subject", "Plain"}}));
    EXPECT_EQ(messages[0].parts[0].data, "Hello.\r\n");
}

CURL* NoHandle() { return nullptr; }

TEST_F(MailTransport, NoTransferHandleIsAFailure)
{
    Vantrel::CloudTransport::OverrideEasyHandleCreationForTesting(NoHandle);
    const bool sent = Send();
    const int code = client.SendEmail("Subject: x\r\n\r\nbody\r\n", "researcher@example.test", "");
    Vantrel::CloudTransport::OverrideEasyHandleCreationForTesting(nullptr);
    EXPECT_FALSE(sent);
    EXPECT_NE(code, 0);
    EXPECT_TRUE(Relay().Messages().empty());
}

TEST_F(MailTransport, MissingAttachmentFailsTheSend)
{
    EXPECT_FALSE(client.SendEmailWithAttachment(headers, body.c_str(), "researcher@example.test", "",
                                                (Service().StateDir() + "/missing.txt").c_str()));
    EXPECT_TRUE(Relay().Messages().empty());
}

}  // namespace

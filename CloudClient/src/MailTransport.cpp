// The fallback e-mail: messages through the mail relay, whose login is
// fetched at run time from the maker's web server.

#include "CloudClient/OmbraAPIHelper.h"

#include "CloudClient/CurlCallbacks.h"
#include "CloudClient/CurlSession.h"
#include "CloudClient/ServiceConfiguration.h"
#include "CloudClient/TaskFileLimits.h"

#include <cstdio>
#include <cstring>
#include <functional>

using namespace Vantrel;
using namespace Vantrel::CloudTransport;

namespace {

// Each login line is the credential between a three-character head and a
// two-character tail.
constexpr size_t kHeadLength = 3;
constexpr size_t kTailLength = 2;
constexpr size_t kShortestLine = kHeadLength + kTailLength;

std::string Credential(const std::string& line)
{
    if (line.size() < kShortestLine) return std::string();
    return line.substr(kHeadLength, line.size() - kShortestLine);
}

// A recipient goes into the envelope and the header: a line break would let
// it add commands or headers of its own.
bool IsAcceptableAddress(const char* address)
{
    if (address == nullptr || *address == '\0') return false;
    return std::strpbrk(address, "\r\n") == nullptr && std::strchr(address, '@') != nullptr;
}

bool RecipientsAcceptable(const char* to, const char* cc)
{
    if (!IsAcceptableAddress(to) || (cc != nullptr && *cc != '\0' && !IsAcceptableAddress(cc))) {
        std::fprintf(stderr, "Refused to send an e-mail to a malformed address\n");
        return false;
    }
    return true;
}

void ReportFailure(CURLcode result, const char* errorBuffer)
{
    std::fprintf(stderr, "curl_easy_perform() failed: %s\n",
                 *errorBuffer != '\0' ? errorBuffer : curl_easy_strerror(result));
}

}  // namespace

bool OmbraAPIHelper::GetHashesFromWebsite()
{
    StartTransfer();
    ReplyBuffer reply;
    reply.limit = kMaxCredentialBytes;
    EasyHandle curl = NewEasyHandle();
    if (!curl) {
        m_curlFailed = true;
        m_curlError = "Could not create a transfer handle";
        return false;
    }
    const std::string address = ServiceConfiguration::MailCredentialsUrl();
    curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, write_data);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply);
    // The login is a secret: only a verified HTTPS server may hand it out.
    ApplyCommonOptions(curl.get(), "https");
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorBuffer);
    if (!ApplyDeadline(curl.get())) return false;
    const CURLcode result = curl_easy_perform(curl.get());
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    RecordTransferResult(result, errorBuffer, status);
    if (reply.tooLarge) RecordOversizedTransfer(reply.limit);
    if (m_curlFailed) return false;

    // Only the first three lines count; the rest of the text is never split.
    std::vector<std::string> lines;
    size_t start = 0;
    const std::string& text = reply.bytes;
    while (start <= text.size() && lines.size() < 3) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.size() < 3 || lines[1].size() < kShortestLine || lines[2].size() < kShortestLine) {
        m_curlFailed = true;
        m_curlError = "The mail relay's login text is incomplete";
        return false;
    }
    m_mailHash2 = lines[1];
    m_mailHash3 = lines[2];
    return true;
}

bool OmbraAPIHelper::EnsureMailCredentials()
{
    if (m_mailHash2.size() >= kShortestLine && m_mailHash3.size() >= kShortestLine) return true;
    return GetHashesFromWebsite();
}

std::string OmbraAPIHelper::ReconstituteHash3()
{
    if (m_mailHash3.empty()) GetHashesFromWebsite();
    return Credential(m_mailHash3);
}

std::string OmbraAPIHelper::ReconstituteHash2()
{
    if (m_mailHash2.empty()) GetHashesFromWebsite();
    return Credential(m_mailHash2);
}

namespace {

// What both send operations share: login, relay, TLS, envelope. The
// recipient list is returned so that it outlives the transfer.
SlistHandle PrepareRelayTransfer(CURL* curl, const std::string& user, const std::string& password,
                                 const std::string& relay, const std::string& sender, const char* to, const char* cc,
                                 char* errorBuffer)
{
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
    curl_easy_setopt(curl, CURLOPT_URL, relay.c_str());
    // STARTTLS is mandatory: a relay that cannot upgrade gets nothing.
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    ApplyCommonOptions(curl, "smtp");
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, kMailResponseTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, sender.c_str());
    SlistHandle recipients;
    AppendHeader(recipients, to);
    if (cc != nullptr && *cc != '\0') AppendHeader(recipients, cc);
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    return recipients;
}

// Members go in reverse: the recipient list is freed before the handle.
struct RelayTransfer
{
    EasyHandle curl;
    SlistHandle recipients;
    char errorBuffer[CURL_ERROR_SIZE] = {0};
};

// The checks and set-up both send operations start with; CURLE_OK when the
// transfer is ready for its message, otherwise why it cannot start.
CURLcode OpenRelayTransfer(OmbraAPIHelper& helper, const std::function<bool()>& ensureLogin, const char* to,
                           const char* cc, RelayTransfer& transfer)
{
    if (!RecipientsAcceptable(to, cc)) return CURLE_BAD_FUNCTION_ARGUMENT;
    transfer.curl = NewEasyHandle();
    if (!transfer.curl) {
        std::fprintf(stderr, "Could not create a transfer handle for the e-mail\n");
        return CURLE_FAILED_INIT;
    }
    if (!ensureLogin()) {
        std::fprintf(stderr, "No login for the mail relay: %s\n", helper.GetCurlErrString().c_str());
        return CURLE_LOGIN_DENIED;
    }
    const std::string user = helper.ReconstituteHash3();
    const std::string password = helper.ReconstituteHash2();
    const std::string relay = ServiceConfiguration::MailRelayUrl();
    const std::string sender = "<" + ServiceConfiguration::MailSenderAddress() + ">";
    transfer.recipients =
        PrepareRelayTransfer(transfer.curl.get(), user, password, relay, sender, to, cc, transfer.errorBuffer);
    return CURLE_OK;
}

}  // namespace

bool OmbraAPIHelper::SendEmailWithAttachment(std::vector<std::string>& headers, const char* body, const char* to,
                                             const char* cc, const char* attachmentPath)
{
    RelayTransfer transfer;
    if (OpenRelayTransfer(
            *this, [this] { return EnsureMailCredentials(); }, to, cc, transfer) != CURLE_OK)
        return false;
    CURL* curl = transfer.curl.get();

    SlistHandle headerList;
    for (const std::string& line : headers) AppendHeader(headerList, line.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headerList.get());

    MimeHandle mime(curl_mime_init(curl));
    curl_mimepart* text = curl_mime_addpart(mime.get());
    curl_mime_data(text, body != nullptr ? body : "", CURL_ZERO_TERMINATED);
    curl_mime_type(text, "text/html");
    curl_mimepart* attachment = curl_mime_addpart(mime.get());
    curl_mime_filedata(attachment, attachmentPath);
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, mime.get());

    if (!ApplyDeadline(curl)) return false;
    const CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK) ReportFailure(result, transfer.errorBuffer);
    transfer.curl.reset();
    return result == CURLE_OK;
}

int OmbraAPIHelper::SendEmail(const char* message, const char* to, const char* cc)
{
    RelayTransfer transfer;
    const CURLcode opened = OpenRelayTransfer(
        *this, [this] { return EnsureMailCredentials(); }, to, cc, transfer);
    if (opened != CURLE_OK) return static_cast<int>(opened);
    CURL* curl = transfer.curl.get();

    UploadStatus upload;
    upload.text = message != nullptr ? message : "";
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, payload_source);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);

    if (!ApplyDeadline(curl)) return static_cast<int>(CURLE_OPERATION_TIMEDOUT);
    const CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK) ReportFailure(result, transfer.errorBuffer);
    return static_cast<int>(result);
}

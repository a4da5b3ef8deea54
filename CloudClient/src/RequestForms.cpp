// The three request forms on which every operation of the client rests.

#include "CloudClient/OmbraAPIHelper.h"

#include "CloudClient/CurlCallbacks.h"
#include "CloudClient/CurlSession.h"
#include "CloudClient/JsonBody.h"
#include "CloudClient/ServiceConfiguration.h"
#include "CloudClient/ServiceReply.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace Vantrel;
using namespace Vantrel::CloudTransport;

namespace {

constexpr const char* kNoHandle = "Could not create a transfer handle";

std::string Address(const char* path) { return ServiceConfiguration::CloudBaseUrl() + path; }

QJsonObject ParseReply(const ReplyBuffer& reply) { return ParseServiceReply(reply.bytes); }

std::string ApiKeyHeader() { return "X-Authorization: " + ServiceConfiguration::CloudApiKey(); }

void WatchProgress(CURL* curl, ProgStruct* progress)
{
    if (progress == nullptr) return;
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress_callback);
}

long ResponseStatus(CURL* curl)
{
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

// The headers of every service request, in the order the service has always
// seen them; contentType (may be null) goes just before the token line.
SlistHandle ServiceHeaders(const std::string& bearerHeader, bool acceptJson, const char* contentType)
{
    SlistHandle headers;
    if (acceptJson) AppendHeader(headers, "accept: application/json");
    AppendHeader(headers, ApiKeyHeader().c_str());
    if (!bearerHeader.empty()) AppendHeader(headers, bearerHeader.c_str());
    if (contentType != nullptr) AppendHeader(headers, contentType);
    AppendHeader(headers, "X-CSRF-TOKEN: ");
    return headers;
}

// Runs a prepared request; libcurl's message, if any, lands in errorBuffer.
CURLcode PerformServiceRequest(CURL* curl, ProgStruct* progress, char* errorBuffer)
{
    WatchProgress(curl, progress);
    ApplyCommonOptions(curl, "https");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    return curl_easy_perform(curl);
}

}  // namespace

QJsonObject OmbraAPIHelper::MakeCurlCallNew(const char* path, std::vector<CurlField>& fields, HTTPRequest method,
                                            ProgStruct* progress)
{
    StartTransfer();
    ReplyBuffer reply;
    const std::string address = Address(path);
    EasyHandle curl = NewEasyHandle();
    if (!curl) {
        m_curlFailed = true;
        m_curlError = kNoHandle;
        return QJsonObject();
    }
    const std::string body = BuildJsonBody(fields);
    const bool hasBody = !fields.empty();

    switch (method) {
        case POST: curl_easy_setopt(curl.get(), CURLOPT_POST, 1L); break;
        case GET: curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L); break;
        case PUT: curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, "PUT"); break;
        case PATCH: curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, "PATCH"); break;
        case DELETE: curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, "DELETE"); break;
    }

    SlistHandle headers = ServiceHeaders(m_bearerHeader, true, "Content-Type: application/json");

    curl_easy_setopt(curl.get(), CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, write_data);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    if (!fields.empty()) {
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.c_str());
    } else if (method == POST) {
        // A POST without fields would otherwise read its body from stdin.
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, 0L);
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, "");
    }
    if (!ApplyDeadline(curl.get())) return QJsonObject();
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    const CURLcode result = PerformServiceRequest(curl.get(), progress, errorBuffer);
    RecordTransferResult(result, errorBuffer, ResponseStatus(curl.get()));
    RecordDelivery(curl.get(), result, hasBody);
    if (reply.tooLarge) RecordOversizedTransfer(kMaxReplyBytes);
    curl.reset();
    return ParseReply(reply);
}

QJsonObject OmbraAPIHelper::MakeCurlCall(const char* path, std::vector<CurlField>& fields, ProgStruct* progress)
{
    StartTransfer();
    ReplyBuffer reply;
    const std::string address = Address(path);
    EasyHandle curl = NewEasyHandle();
    if (!curl) {
        m_curlFailed = true;
        m_curlError = kNoHandle;
        return QJsonObject();
    }

    MimeHandle mime;
    const bool hasBody = !fields.empty();
    if (hasBody) {
        mime.reset(curl_mime_init(curl.get()));
        for (const auto& field : fields) {
            curl_mimepart* part = curl_mime_addpart(mime.get());
            curl_mime_name(part, field.name.c_str());
            if (field.isFile)
                curl_mime_filedata(part, field.value.c_str());
            else
                curl_mime_data(part, field.value.c_str(), CURL_ZERO_TERMINATED);
        }
        curl_easy_setopt(curl.get(), CURLOPT_MIMEPOST, mime.get());
    }

    SlistHandle headers = ServiceHeaders(m_bearerHeader, true, nullptr);

    curl_easy_setopt(curl.get(), CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, write_data);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    if (!ApplyDeadline(curl.get())) return QJsonObject();
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    const CURLcode result = PerformServiceRequest(curl.get(), progress, errorBuffer);
    RecordTransferResult(result, errorBuffer, ResponseStatus(curl.get()));
    RecordDelivery(curl.get(), result, hasBody);
    if (reply.tooLarge) RecordOversizedTransfer(kMaxReplyBytes);
    curl.reset();
    return ParseReply(reply);
}

bool OmbraAPIHelper::DownloadFile(const char* path, int64_t id, ProgStruct* progress, const char* localFile,
                                  bool acceptJson)
{
    StartTransfer();
    const std::string address = Address(path) + "/" + std::to_string(id);
    EasyHandle curl = NewEasyHandle();
    if (!curl) {
        m_curlFailed = true;
        m_curlError = kNoHandle;
        return true;
    }
    FILE* file = std::fopen(localFile, "wb");
    if (file == nullptr) {
        m_curlFailed = true;
        m_curlError = std::string("Cannot write the file ") + localFile + ": " + std::strerror(errno);
        return true;
    }

    SlistHandle headers = ServiceHeaders(m_bearerHeader, acceptJson, nullptr);

    curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.c_str());
    FileSink sink;
    sink.file = file;
    sink.limit = m_downloadLimit;
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, write_data_file_bounded);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    if (!ApplyDeadline(curl.get())) {
        std::fclose(file);
        return true;
    }
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    const CURLcode result = PerformServiceRequest(curl.get(), progress, errorBuffer);
    RecordTransferResult(result, errorBuffer, ResponseStatus(curl.get()));
    if (sink.tooLarge) RecordOversizedTransfer(sink.limit);
    curl.reset();
    if (std::fclose(file) != 0 && !m_curlFailed) {
        m_curlFailed = true;
        m_curlError = std::string("Cannot write the file ") + localFile + ": " + std::strerror(errno);
    }
    return true;
}

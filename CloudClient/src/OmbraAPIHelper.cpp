#include "CloudClient/OmbraAPIHelper.h"

#include "CloudClient/CurlSession.h"

#include <QJsonValue>

#include <cstdlib>
#include <ctime>

OmbraAPIHelper::OmbraAPIHelper()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    Vantrel::CloudTransport::EnsureGlobalInit();
}

// libcurl's global state stays for the life of the process: copies of the
// client come and go on other threads, and a clean-up there would pull the
// ground from under the survivors.
OmbraAPIHelper::~OmbraAPIHelper() = default;

void OmbraAPIHelper::StartTransfer()
{
    m_curlFailed = false;
    m_curlError.clear();
    m_failure = Vantrel::TransferFailure::None;
    m_delivery = Vantrel::RequestDelivery::NotSent;
}

long OmbraAPIHelper::MillisecondsLeft() const
{
    if (m_deadline == std::chrono::steady_clock::time_point()) return 0;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - std::chrono::steady_clock::now()).count();
    return left > 0 ? static_cast<long>(left) : -1;
}

bool OmbraAPIHelper::ApplyDeadline(void* curlHandle)
{
    const long left = MillisecondsLeft();
    if (left < 0) {
        m_curlFailed = true;
        m_curlError = "The deadline passed before the request could start";
        m_failure = Vantrel::TransferFailure::TimedOut;
        return false;
    }
    if (left > 0) curl_easy_setopt(static_cast<CURL*>(curlHandle), CURLOPT_TIMEOUT_MS, left);
    return true;
}

void OmbraAPIHelper::RecordTransferResult(int curlCode, const char* errorBuffer, long httpStatus)
{
    m_failure = Vantrel::ClassifyTransfer(curlCode, httpStatus);
    if (curlCode != CURLE_OK) {
        m_curlFailed = true;
        m_curlError = (errorBuffer != nullptr && *errorBuffer != '\0')
                          ? std::string(errorBuffer)
                          : std::string(curl_easy_strerror(static_cast<CURLcode>(curlCode)));
    } else if (httpStatus >= 400) {
        // The reply is still parsed or written; the status tells the caller
        // that the service refused the request.
        m_curlFailed = true;
        m_curlError = "The service answered with HTTP status " + std::to_string(httpStatus);
    }
}

void OmbraAPIHelper::RecordDelivery(void* curlHandle, int curlCode, bool hasBody)
{
    // libcurl counts the body bytes it has handed to the connection, also when
    // the transfer failed; the total is the body's announced size.
    auto* curl = static_cast<CURL*>(curlHandle);
    curl_off_t sent = 0;
    curl_off_t total = -1;
    if (curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &sent) != CURLE_OK) sent = 0;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_UPLOAD_T, &total) != CURLE_OK) total = -1;
    m_delivery = Vantrel::ClassifyDelivery(curlCode, hasBody, sent, total);
}

void OmbraAPIHelper::RecordOversizedTransfer(std::uint64_t limit)
{
    m_curlFailed = true;
    m_failure = Vantrel::TransferFailure::TooLarge;
    m_curlError = "The service sent more than " + std::to_string(limit) + " bytes; the transfer was stopped";
}

void OmbraAPIHelper::RecordServiceMessage(const QJsonObject& reply)
{
    m_apiError = reply.value("message").toString().toStdString();
}

// The two download forms over DownloadFile (RequestForms.cpp): a task file, asked
// for with the JSON accept header, and the package with its progress, without.
bool OmbraAPIHelper::MakeFileDLRequest(const char* path, int64_t id, const char* localFile)
{
    return DownloadFile(path, id, nullptr, localFile, true);
}

bool OmbraAPIHelper::MakeFileDLRequest_Progress(const char* path, int64_t id, ProgStruct* progress,
                                                const char* localFile)
{
    return DownloadFile(path, id, progress, localFile, false);
}

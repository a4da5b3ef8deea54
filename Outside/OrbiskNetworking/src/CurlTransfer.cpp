#include "CurlTransfer.h"

#include "TrustedCertificates.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace OrbiskSDK::Detail {

void TransferCancellation::Cancel()
{
    cancelled_ = true;
    std::lock_guard<std::mutex> lock(mutex_);
    if (multi_ != nullptr) curl_multi_wakeup(static_cast<CURLM*>(multi_));
}

void TransferCancellation::Attach(void* multiHandle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    multi_ = multiHandle;
}

void TransferCancellation::Detach()
{
    std::lock_guard<std::mutex> lock(mutex_);
    multi_ = nullptr;
}

void EnsureCurlInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

namespace {

struct ReplyBuffer
{
    std::string bytes;
    std::size_t limit = 0;
    bool tooLarge = false;
};

size_t CollectReply(char* data, size_t size, size_t count, void* user)
{
    auto* reply = static_cast<ReplyBuffer*>(user);
    const size_t length = size * count;
    if (reply->bytes.size() + length > reply->limit) {
        reply->tooLarge = true;
        return 0;  // makes curl abort with a write error
    }
    reply->bytes.append(data, length);
    return length;
}

struct CertificateSetup
{
    std::string path;
    std::string error;
};

CURLcode AddExtraCertificates(CURL*, void* sslContext, void* user)
{
    auto* setup = static_cast<CertificateSetup*>(user);
    return AddTrustedCertificatesFromPemFile(sslContext, setup->path, setup->error) ? CURLE_OK
                                                                                    : CURLE_SSL_CACERT_BADFILE;
}

bool WorthRetrying(CURLcode code)
{
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
        case CURLE_SSL_CONNECT_ERROR: return true;
        default: return false;
    }
}

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using MultiHandle = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;

}  // namespace

TransferOutcome RunTransfer(const TransferRequest& request, TransferCancellation& cancellation)
{
    EnsureCurlInitialised();
    TransferOutcome outcome;
    EasyHandle easy(curl_easy_init(), &curl_easy_cleanup);
    MultiHandle multi(curl_multi_init(), &curl_multi_cleanup);
    if (!easy || !multi) {
        outcome.message = "The network library could not be initialised.";
        return outcome;
    }

    ReplyBuffer reply;
    reply.limit = request.maximumBytes;
    CertificateSetup certificates{request.extraTrustedCertificates, {}};
    char errorText[CURL_ERROR_SIZE] = {0};
    CURL* c = easy.get();
    curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 3L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, request.connectTimeoutMs);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, request.totalTimeoutMs);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "StudyStation");
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &CollectReply);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &reply);
    if (!certificates.path.empty()) {
        curl_easy_setopt(c, CURLOPT_SSL_CTX_FUNCTION, &AddExtraCertificates);
        curl_easy_setopt(c, CURLOPT_SSL_CTX_DATA, &certificates);
    }

    curl_multi_add_handle(multi.get(), c);
    cancellation.Attach(multi.get());
    CURLcode result = CURLE_OK;
    bool finished = false;
    while (!cancellation.IsCancelled()) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
        int pending = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &pending)) {
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
                finished = true;
            }
        }
        if (finished || running == 0) break;
        curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
    }
    cancellation.Detach();
    curl_multi_remove_handle(multi.get(), c);

    if (cancellation.IsCancelled()) {
        outcome.cancelled = true;
        outcome.message = "The download was cancelled.";
        return outcome;
    }
    if (!finished) {
        outcome.message = "The network library failed while downloading " + request.url + ".";
        return outcome;
    }
    if (result != CURLE_OK) {
        std::string reason;
        if (reply.tooLarge)
            reason = "the reply is larger than " + std::to_string(request.maximumBytes) + " bytes";
        else if (!certificates.error.empty())
            reason = certificates.error;
        else
            reason = errorText[0] != '\0' ? errorText : curl_easy_strerror(result);
        outcome.message = "Could not download " + request.url + ": " + reason;
        outcome.worthRetrying = !reply.tooLarge && WorthRetrying(result);
        return outcome;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
        outcome.message =
            "Could not download " + request.url + ": the server answered with status " + std::to_string(status) + ".";
        outcome.worthRetrying = status >= 500;
        return outcome;
    }
    outcome.success = true;
    outcome.contents = std::move(reply.bytes);
    return outcome;
}

}  // namespace OrbiskSDK::Detail

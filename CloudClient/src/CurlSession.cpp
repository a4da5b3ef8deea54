#include "CloudClient/CurlSession.h"

#include "CloudClient/ServiceConfiguration.h"

#include <atomic>
#include <mutex>
#include <string>

namespace Vantrel {
namespace CloudTransport {

namespace {
std::atomic<EasyHandleFactory> g_factory{nullptr};
}

void EnsureGlobalInit()
{
    // Several client objects live at once (the panel's and the download
    // worker's copy); libcurl wants its global state set up exactly once.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_ALL); });
}

EasyHandle NewEasyHandle()
{
    EnsureGlobalInit();
    const EasyHandleFactory factory = g_factory.load();
    return EasyHandle(factory ? factory() : curl_easy_init());
}

void OverrideEasyHandleCreationForTesting(EasyHandleFactory factory) { g_factory.store(factory); }

void ApplyCommonOptions(CURL* handle, const char* protocols)
{
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytes);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds);

    const std::string extra = ServiceConfiguration::ExtraCaBundle();
    if (!extra.empty()) {
        // The bundle file names the extra certificates; the system's hashed
        // certificate folder keeps the usual roots trusted beside them.
        curl_easy_setopt(handle, CURLOPT_CAINFO, extra.c_str());
        const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
        if (info != nullptr && info->capath != nullptr) curl_easy_setopt(handle, CURLOPT_CAPATH, info->capath);
    }
}

void AppendHeader(SlistHandle& list, const char* line)
{
    curl_slist* grown = curl_slist_append(list.get(), line);
    if (grown != nullptr) {
        list.release();
        list.reset(grown);
    }
}

}  // namespace CloudTransport
}  // namespace Vantrel

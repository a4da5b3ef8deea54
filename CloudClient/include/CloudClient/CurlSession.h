#pragma once
// What every transfer of the cloud client shares: libcurl's one global set-up,
// easy handles that free themselves, and the options that keep a transfer
// verified and bounded in time.

#include <curl/curl.h>

#include <memory>

namespace Vantrel {
namespace CloudTransport {

// Seconds until a connection must be up, and the low-speed guard: a transfer
// slower than kLowSpeedBytes per second for kLowSpeedSeconds is abandoned,
// so a dead network never holds a caller forever.
inline constexpr long kConnectTimeoutSeconds = 20;
inline constexpr long kLowSpeedBytes = 1;
inline constexpr long kLowSpeedSeconds = 60;
// Longest wait for one reply of the mail relay.
inline constexpr long kMailResponseTimeoutSeconds = 60;

struct EasyCleanup
{
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct SlistCleanup
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct MimeCleanup
{
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using SlistHandle = std::unique_ptr<curl_slist, SlistCleanup>;
using MimeHandle = std::unique_ptr<curl_mime, MimeCleanup>;

// libcurl's global initialisation, done once per process.
void EnsureGlobalInit();

// A new easy handle (null when libcurl cannot make one).
EasyHandle NewEasyHandle();

// Verification on, the extra trusted certificates, time limits, no signals,
// and only the given protocols ("https", "smtp").
void ApplyCommonOptions(CURL* handle, const char* protocols);

// Appends a header line; keeps the list usable when appending fails.
void AppendHeader(SlistHandle& list, const char* line);

// Lets tests make NewEasyHandle fail; null restores libcurl's own.
using EasyHandleFactory = CURL* (*)();
void OverrideEasyHandleCreationForTesting(EasyHandleFactory factory);

}  // namespace CloudTransport
}  // namespace Vantrel

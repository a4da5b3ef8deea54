#pragma once
// One HTTPS GET through libcurl on the calling (worker) thread, cancellable
// from another thread.

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

namespace OrbiskSDK::Detail {

struct TransferRequest
{
    std::string url;
    long connectTimeoutMs = 0;
    long totalTimeoutMs = 0;
    std::size_t maximumBytes = 0;
    std::string extraTrustedCertificates;  // PEM file; empty: system store only
};

struct TransferOutcome
{
    bool success = false;
    bool worthRetrying = false;
    bool cancelled = false;
    std::string message;   // UTF-8, for the user
    std::string contents;  // raw bytes of the reply
};

// Shared between the worker that runs transfers and the thread that cancels them.
class TransferCancellation
{
public:
    void Cancel();
    bool IsCancelled() const { return cancelled_; }

    // The worker registers the multi handle it waits on, so Cancel can wake it.
    void Attach(void* multiHandle);
    void Detach();

private:
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    void* multi_ = nullptr;
};

// Safe to call from any thread, any number of times.
void EnsureCurlInitialised();

TransferOutcome RunTransfer(const TransferRequest& request, TransferCancellation& cancellation);

}  // namespace OrbiskSDK::Detail

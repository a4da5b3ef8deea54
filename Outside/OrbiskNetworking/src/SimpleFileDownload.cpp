#include "SimpleFileDownload.h"

#include "OrbiskThreads/AsynchronousServicesLayer.h"
#include "UntrustedText.h"

#include <condition_variable>
#include <chrono>
#include <list>
#include <mutex>
#include <system_error>
#include <thread>

namespace OrbiskSDK::Detail {

namespace {

// Worker threads are detached, but the process waits for them at exit (after
// cancelling their transfers), so none is inside libcurl or OpenSSL while the
// libraries are torn down.
class LiveWorkers
{
public:
    static LiveWorkers& Instance()
    {
        static LiveWorkers workers;
        return workers;
    }

    std::list<boost::weak_ptr<SimpleFileDownload>>::iterator Enter(boost::weak_ptr<SimpleFileDownload> download)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return downloads_.insert(downloads_.end(), std::move(download));
    }

    void Leave(std::list<boost::weak_ptr<SimpleFileDownload>>::iterator entry)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        downloads_.erase(entry);
        if (downloads_.empty()) allLeft_.notify_all();
    }

    ~LiveWorkers()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (auto& weak : downloads_)
            if (auto download = weak.lock()) download->Stop();
        allLeft_.wait_for(lock, std::chrono::seconds(5), [this] { return downloads_.empty(); });
    }

private:
    std::mutex mutex_;
    std::condition_variable allLeft_;
    std::list<boost::weak_ptr<SimpleFileDownload>> downloads_;
};

}  // namespace

SimpleFileDownload::SimpleFileDownload(TransferRequest request, unsigned attempts, DownloadCompletion completion)
    : request_(std::move(request)),
      attempts_(attempts == 0 ? 1 : attempts),
      completion_(std::move(completion)),
      layer_(OrbiskAsynchronous::AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(
          OrbiskAsynchronous::THREADING_TYPE_PolledByHolder, nullptr))
{}

SimpleFileDownload::~SimpleFileDownload() = default;

void SimpleFileDownload::Stop()
{
    stopped_ = true;
    completion_.clear();
    cancellation_.Cancel();
}

void SimpleFileDownload::Start()
{
    // Initialised before the worker registry exists, so the registry is torn
    // down (waiting for workers) before the TLS library is.
    EnsureCurlInitialised();
    boost::shared_ptr<SimpleFileDownload> self = shared_from_this();
    auto entry = LiveWorkers::Instance().Enter(self);
    try {
        std::thread([self, entry]() mutable {
            self->RunOnWorker();
            self.reset();
            LiveWorkers::Instance().Leave(entry);
        }).detach();
    } catch (const std::system_error& e) {
        LiveWorkers::Instance().Leave(entry);
        FailWithoutTransfer(std::string("The download could not be started: ") + e.what());
    }
}

void SimpleFileDownload::FailWithoutTransfer(const std::string& message)
{
    TransferOutcome outcome;
    outcome.message = message;
    PostOutcome(std::move(outcome));
}

void SimpleFileDownload::RunOnWorker()
{
    TransferOutcome outcome;
    for (unsigned attempt = 0; attempt < attempts_; ++attempt) {
        outcome = RunTransfer(request_, cancellation_);
        if (outcome.success || !outcome.worthRetrying || cancellation_.IsCancelled()) break;
    }
    if (outcome.cancelled || cancellation_.IsCancelled()) return;
    outcome.contents = SanitisedUtf8(outcome.contents);
    PostOutcome(std::move(outcome));
}

void SimpleFileDownload::PostOutcome(TransferOutcome outcome)
{
    // The message may quote the caller's path, whose bytes need not be UTF-8.
    outcome.message = SanitisedUtf8(outcome.message);
    // The posted call holds the object, so it outlives the caller's last
    // reference, which the completion itself may drop.
    boost::shared_ptr<SimpleFileDownload> self = shared_from_this();
    layer_->PostCompletion([self, outcome = std::move(outcome)] { self->Deliver(outcome); });
}

void SimpleFileDownload::Deliver(const TransferOutcome& outcome)
{
    if (stopped_ || completion_.empty()) return;
    DownloadCompletion completion;
    completion.swap(completion_);  // exactly once
    completion(outcome.success, wxString::FromUTF8(outcome.message.data(), outcome.message.size()),
               wxString::FromUTF8(outcome.contents.data(), outcome.contents.size()));
}

}  // namespace OrbiskSDK::Detail

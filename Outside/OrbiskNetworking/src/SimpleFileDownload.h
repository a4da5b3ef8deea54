#pragma once
// The download object behind AsyncSimpleFileDownload.

#include "CurlTransfer.h"
#include "OrbiskNetworking/VTSdkNetConnectionInfo.h"

#include <boost/enable_shared_from_this.hpp>

namespace OrbiskAsynchronous {
class AsynchronousServicesLayer;
}

namespace OrbiskSDK::Detail {

class SimpleFileDownload final : public Interface_StrategyForConnectingLocalSocketToRemoteEndpoint,
                                 public boost::enable_shared_from_this<SimpleFileDownload>
{
public:
    SimpleFileDownload(TransferRequest request, unsigned attempts, DownloadCompletion completion);
    ~SimpleFileDownload() override;

    void Stop() override;

    // Starts the worker thread; the request must describe a valid URL.
    void Start();
    // Delivers a failure found before any transfer (bad arguments), still
    // through the layer, so the caller sees the same order of events.
    void FailWithoutTransfer(const std::string& message);

private:
    void RunOnWorker();
    void PostOutcome(TransferOutcome outcome);
    void Deliver(const TransferOutcome& outcome);

    TransferRequest request_;
    unsigned attempts_;
    DownloadCompletion completion_;  // GUI thread only
    bool stopped_ = false;           // GUI thread only
    boost::shared_ptr<OrbiskAsynchronous::AsynchronousServicesLayer> layer_;
    TransferCancellation cancellation_;
};

}  // namespace OrbiskSDK::Detail

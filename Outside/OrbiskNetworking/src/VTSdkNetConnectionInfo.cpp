#include "OrbiskNetworking/VTSdkNetConnectionInfo.h"

#include "NetEnvironment.h"
#include "SimpleFileDownload.h"

#include <boost/make_shared.hpp>

namespace OrbiskSDK {

Interface_StrategyForConnectingLocalSocketToRemoteEndpoint::
    ~Interface_StrategyForConnectingLocalSocketToRemoteEndpoint() = default;

namespace {

// host or host:port, nothing that could change the URL's authority or path.
bool IsPlainHost(const std::string& host)
{
    if (host.empty()) return false;
    for (char c : host) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                             c == '-' || c == ':' || c == '[' || c == ']';
        if (!allowed) return false;
    }
    return true;
}

bool IsPlainPath(const std::string& path)
{
    if (path.empty() || path[0] != '/') return false;
    for (char c : path)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F || c == '#') return false;
    return true;
}

}  // namespace

boost::shared_ptr<Interface_StrategyForConnectingLocalSocketToRemoteEndpoint>
VTSdkNetConnectionInfo::AsyncSimpleFileDownload(const std::string& host, const std::string& path,
                                                DownloadCompletion completion, unsigned connectTimeoutMs,
                                                unsigned totalTimeoutMs, unsigned attempts)
{
    const std::string configured = Detail::ConfiguredUpdateHost();
    const std::string effectiveHost = configured.empty() ? host : configured;
    const std::string extraCertificates = Detail::ExtraTrustedCertificatesFile();

    Detail::TransferRequest request;
    request.url = "https://" + effectiveHost + path;
    request.connectTimeoutMs = static_cast<long>(connectTimeoutMs);
    request.totalTimeoutMs = static_cast<long>(totalTimeoutMs);
    request.maximumBytes = MaximumReplyBytes;
    request.extraTrustedCertificates = extraCertificates;

    auto download = boost::make_shared<Detail::SimpleFileDownload>(std::move(request), attempts, std::move(completion));
    if (!IsPlainHost(effectiveHost))
        download->FailWithoutTransfer("The download host \"" + effectiveHost + "\" is not a valid host name.");
    else if (!IsPlainPath(path))
        download->FailWithoutTransfer("The download path \"" + path + "\" is not valid.");
    else
        download->Start();
    return download;
}

}  // namespace OrbiskSDK

#pragma once
// Background download of one small text file over HTTPS.
//
// AsyncSimpleFileDownload returns at once; the transfer runs on a thread of its
// own and its completion is handed to the asynchronous-services layer, so it runs
// exactly once, on the thread that polls the layer (the GUI thread), inside
// PollOnce. After Stop the completion never runs.
//
//  - host: "name" or "name:port" (no scheme, no path). When the environment
//    variable VANTREL_UPDATE_HOST is set, its host[:port] replaces the argument,
//    so staging servers and local test doubles can stand in.
//  - path: path and query, beginning with "/".
//  - connectTimeoutMs: limit for reaching the server, TLS handshake included.
//  - totalTimeoutMs: limit for one whole attempt.
//  - attempts: how often a transfer that failed on the way (no connection, time-out,
//    broken reply, server error 5xx) is tried; certificate failures, client errors
//    and oversized replies are not retried. 0 counts as 1.
//
// TLS peers are always verified against the system's trusted certificates plus
// those in the PEM file that VANTREL_CA_BUNDLE names, if any.
// The reply is untrusted: at most MaximumReplyBytes, decoded as UTF-8 with
// invalid sequences replaced by U+FFFD.
// On failure, success is false, message says why and contents is empty; on
// success, message is empty and contents holds the file's text.

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <wx/string.h>

#include <cstddef>
#include <string>

namespace OrbiskSDK {

class Interface_StrategyForConnectingLocalSocketToRemoteEndpoint
{
public:
    virtual ~Interface_StrategyForConnectingLocalSocketToRemoteEndpoint();
    // Cancels the transfer; its completion never runs. Harmless after the
    // completion or when called twice. GUI thread.
    virtual void Stop() = 0;
};

using DownloadCompletion = boost::function<void(bool success, wxString message, wxString contents)>;

class VTSdkNetConnectionInfo
{
public:
    static constexpr std::size_t MaximumReplyBytes = 1024 * 1024;

    static boost::shared_ptr<Interface_StrategyForConnectingLocalSocketToRemoteEndpoint>
    AsyncSimpleFileDownload(const std::string& host, const std::string& path, DownloadCompletion completion,
                            unsigned connectTimeoutMs, unsigned totalTimeoutMs, unsigned attempts);

    // The version-file host: VANTREL_UPDATE_HOST when set, else the compiled default.
    static std::string UpdateHost();
};

}  // namespace OrbiskSDK

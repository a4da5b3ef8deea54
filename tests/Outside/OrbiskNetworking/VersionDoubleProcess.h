#pragma once
// Starts tests/doubles/version_double.py for one test and stops it with the test.

#include <string>
#include <sys/types.h>

namespace TestSupport {

class VersionDoubleProcess
{
public:
    enum class Mode
    {
        Serve,
        Silent
    };

    VersionDoubleProcess() = default;
    VersionDoubleProcess(const VersionDoubleProcess&) = delete;
    VersionDoubleProcess& operator=(const VersionDoubleProcess&) = delete;
    ~VersionDoubleProcess();

    // Serve mode answers every GET with the bytes of contentFile and the status.
    // Returns false (with Error()) when the double did not report its port in time.
    bool Start(Mode mode, const std::string& contentFile = {}, int status = 200);
    void Stop();

    int Port() const { return port_; }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    const std::string& CaPath() const { return caPath_; }
    const std::string& Error() const { return error_; }

    // Waits for the double to report a GET of that path (and query).
    bool WaitForRequest(const std::string& pathAndQuery, int timeoutMs = 5000);

private:
    bool ReadLine(std::string& line, int timeoutMs);

    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    std::string pending_;
    int port_ = 0;
    std::string caPath_;
    std::string error_;
};

// A port on 127.0.0.1 that nothing listens on (bound, then released).
int UnusedLocalPort();

}  // namespace TestSupport

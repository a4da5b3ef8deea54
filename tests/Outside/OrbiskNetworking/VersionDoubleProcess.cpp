#include "VersionDoubleProcess.h"

#include "TestSupport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <chrono>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace TestSupport {

VersionDoubleProcess::~VersionDoubleProcess() { Stop(); }

bool VersionDoubleProcess::Start(Mode mode, const std::string& contentFile, int status)
{
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
        error_ = "pipe failed";
        return false;
    }
    const std::string script = SourceDir() + "/tests/doubles/version_double.py";
    const std::string statusText = std::to_string(status);
    std::vector<std::string> args = {"/usr/bin/python3", script, "--mode", mode == Mode::Serve ? "serve" : "silent"};
    if (mode == Mode::Serve) {
        args.insert(args.end(), {"--content-file", contentFile, "--status", statusText});
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toChild_ = in[1];
    fromChild_ = out[0];
    std::string line;
    while (ReadLine(line, 15000)) {
        if (line.rfind("PORT ", 0) == 0) port_ = std::stoi(line.substr(5));
        if (line.rfind("CA ", 0) == 0) caPath_ = line.substr(3);
        if (port_ != 0 && !caPath_.empty()) return true;
    }
    error_ = "the version double did not report its port";
    return false;
}

void VersionDoubleProcess::Stop()
{
    if (toChild_ >= 0) close(toChild_);  // the double stops when its input closes
    toChild_ = -1;
    if (pid_ > 0) {
        int status = 0;
        for (int i = 0; i < 200 && waitpid(pid_, &status, WNOHANG) == 0; ++i) usleep(10000);
        if (waitpid(pid_, &status, WNOHANG) == 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
    }
    pid_ = -1;
    if (fromChild_ >= 0) close(fromChild_);
    fromChild_ = -1;
}

bool VersionDoubleProcess::ReadLine(std::string& line, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto newline = pending_.find('\n');
        if (newline != std::string::npos) {
            line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || fromChild_ < 0) return false;
        pollfd p{fromChild_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        char buffer[512];
        const ssize_t n = read(fromChild_, buffer, sizeof buffer);
        if (n <= 0) return false;
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

bool VersionDoubleProcess::WaitForRequest(const std::string& pathAndQuery, int timeoutMs)
{
    std::string line;
    while (ReadLine(line, timeoutMs))
        if (line == "GET " + pathAndQuery) return true;
    return false;
}

int UnusedLocalPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

}  // namespace TestSupport

#include "SimulatedQNodeProcess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Orbisk {
namespace Testing {

SimulatedQNodeProcess::SimulatedQNodeProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    m_toChild = in[1];
    m_fromChild = out[0];
    if (m_pid < 0) return;
    const std::string first = ReadLine(5000);
    if (first.rfind("PTY ", 0) == 0) m_devicePath = first.substr(4);
}

SimulatedQNodeProcess::~SimulatedQNodeProcess()
{
    if (m_toChild >= 0) ::close(m_toChild);  // end of input makes the program quit
    if (m_pid > 0) {
        int status = 0;
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                break;
            }
            ::usleep(10000);
        }
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
        }
    }
    if (m_fromChild >= 0) ::close(m_fromChild);
}

std::string SimulatedQNodeProcess::ReadLine(int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::size_t eol = m_pending.find('\n');
        if (eol != std::string::npos) {
            std::string line = m_pending.substr(0, eol);
            m_pending.erase(0, eol + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || m_fromChild < 0) return "";
        pollfd p{m_fromChild, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char buffer[256];
        const ssize_t n = ::read(m_fromChild, buffer, sizeof buffer);
        if (n <= 0) return "";
        m_pending.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string SimulatedQNodeProcess::Command(const std::string& line, int timeoutMs)
{
    if (m_toChild < 0) return "";
    const std::string text = line + "\n";
    if (::write(m_toChild, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return "";
    return ReadLine(timeoutMs);
}

}  // namespace Testing
}  // namespace Orbisk

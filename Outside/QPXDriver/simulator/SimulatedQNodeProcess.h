#pragma once
// Runs qnode-sim as a child process and talks to it over its standard input and
// output: for tests of the program itself and of a device owned by another process.

#include <string>
#include <vector>
#include <sys/types.h>

namespace Orbisk {
namespace Testing {

class SimulatedQNodeProcess
{
public:
    // Starts `program` with `arguments` and waits (bounded) for its device path.
    SimulatedQNodeProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~SimulatedQNodeProcess();
    SimulatedQNodeProcess(const SimulatedQNodeProcess&) = delete;
    SimulatedQNodeProcess& operator=(const SimulatedQNodeProcess&) = delete;

    bool IsRunning() const { return m_pid > 0 && !m_devicePath.empty(); }
    const std::string& DevicePath() const { return m_devicePath; }
    // Sends one command line; returns the answer line, "" on timeout.
    std::string Command(const std::string& line, int timeoutMs = 2000);

private:
    std::string ReadLine(int timeoutMs);

    pid_t m_pid = -1;
    int m_toChild = -1;
    int m_fromChild = -1;
    std::string m_pending;
    std::string m_devicePath;
};

}  // namespace Testing
}  // namespace Orbisk

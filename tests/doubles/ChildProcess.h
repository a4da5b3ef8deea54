#pragma once
// A helper process of a test: started with its output in a log file, ended
// (TERM, then KILL) when the object goes.

#include <string>
#include <sys/types.h>
#include <vector>

namespace TestDoubles {

class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs program with arguments (argv[0] is the program); output to logFile.
    bool Start(const std::vector<std::string>& argv, const std::string& logFile);
    bool Running();
    // Waits for the process to end by itself: its exit status, or -1 when it
    // was still running after the time (it is then stopped).
    int WaitForExit(int timeoutSeconds);
    void Stop();
    pid_t Pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
};

}  // namespace TestDoubles

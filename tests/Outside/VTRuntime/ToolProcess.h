#pragma once
// Starts the run tool as a child process on the test's display and waits for it.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class ToolProcess
{
public:
    ~ToolProcess()
    {
        if (m_Pid > 0 && Running()) {
            kill(m_Pid, SIGKILL);
            waitpid(m_Pid, nullptr, 0);
        }
    }

    // Output (stdout and stderr) goes to `logFile`.
    bool Start(const std::vector<std::string>& args, const std::string& logFile)
    {
        m_Log = logFile;
        m_Exited = false;
        m_Status = -1;
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const int rc = posix_spawn(&m_Pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        return rc == 0;
    }

    bool Running()
    {
        if (m_Pid <= 0 || m_Exited) return false;
        int status = 0;
        if (waitpid(m_Pid, &status, WNOHANG) == m_Pid) {
            m_Exited = true;
            m_Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return !m_Exited;
    }

    // The exit status, or -1 when the tool was still running after `timeoutMs` (it is then killed).
    int Wait(long timeoutMs)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Running()) {
            if (std::chrono::steady_clock::now() > end) {
                kill(m_Pid, SIGKILL);
                waitpid(m_Pid, nullptr, 0);
                m_Exited = true;
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return m_Status;
    }

    std::string Output() const
    {
        std::ifstream in(m_Log);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    pid_t m_Pid = -1;
    bool m_Exited = false;
    int m_Status = -1;
    std::string m_Log;
};

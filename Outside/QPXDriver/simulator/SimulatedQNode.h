#pragma once
// A q-node on the far side of a pseudo-terminal: the driver opens its path like
// any serial device. It answers identification as the model and firmware it was
// given, follows the input-mode and reset-timer commands, and sends presses and
// releases when told to. Used by the tests, the benchmark and qnode-sim.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Orbisk {
namespace Testing {

struct SimulatedQNodeIdentity
{
    unsigned modelNumber = 5103;
    char modelCharacter = '2';
    int majorVersion = 2;
    int minorVersion = 21;
    std::string deviceName = "q-node 2";
};

class SimulatedQNode
{
public:
    // How the simulated device behaves on the line.
    enum class Personality
    {
        QNode,    // answers as the identity says
        Silent,   // never answers
        Foreign,  // answers every byte with text, like a modem or a console
    };

    explicit SimulatedQNode(const SimulatedQNodeIdentity& identity = SimulatedQNodeIdentity(),
                            Personality personality = Personality::QNode);
    ~SimulatedQNode();
    SimulatedQNode(const SimulatedQNode&) = delete;
    SimulatedQNode& operator=(const SimulatedQNode&) = delete;

    // The slave side's path (/dev/pts/N), to open as a serial device.
    const std::string& DevicePath() const { return m_path; }

    // Sends a key record; returns the steady-clock time just before the write.
    std::chrono::steady_clock::time_point Press(int key, int port = 3);
    std::chrono::steady_clock::time_point Release(int key, int port = 3);
    void SendRaw(const std::vector<std::uint8_t>& bytes);
    // Closes the master side: the driver sees the line hang up.
    void HangUp();

    int IdentifyRequests() const { return m_identifyRequests.load(); }
    int TimerResets() const { return m_timerResets.load(); }
    // The last input-mode character received; 0 before any.
    unsigned char LastInputMode() const { return m_lastInputMode.load(); }
    int InputModeCommands() const { return m_inputModeCommands.load(); }

private:
    std::chrono::steady_clock::time_point SendKey(int key, int port, bool pressed);
    void Serve();
    void Write(const std::vector<std::uint8_t>& bytes);

    SimulatedQNodeIdentity m_identity;
    Personality m_personality;
    int m_master = -1;
    int m_slaveKeeper = -1;
    std::string m_path;
    std::mutex m_writeMutex;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_identifyRequests{0};
    std::atomic<int> m_timerResets{0};
    std::atomic<unsigned char> m_lastInputMode{0};
    std::atomic<int> m_inputModeCommands{0};
    std::atomic<std::int64_t> m_clockStartNs{0};
    std::thread m_thread;
};

}  // namespace Testing
}  // namespace Orbisk

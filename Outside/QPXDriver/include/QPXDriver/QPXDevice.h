#pragma once
// Orbisk's QPX device driver: one QPXDevice per opened q-node (or other QPX
// response device) on a serial line. The wire format is in QPXProtocol.h.
//
// Threads: a device is used by one thread at a time (the run's thread during a
// run, the GUI thread in a settings panel); an internal lock keeps a stray
// overlap harmless. Nothing here blocks for longer than the timeouts given.

#include "QPXDriver/QPXLink.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Orbisk {

// One key event as the driver queues it. keyAndPort: key (int16) in bits 32-47,
// port (int16) in bits 0-15. flags: bit 0 set for a press, the device time in ms
// in bits 32-63.
struct QPXResponse
{
    std::uint64_t keyAndPort = 0;
    std::uint64_t flags = 0;

    static QPXResponse Make(int key, int port, bool pressed, std::uint32_t deviceTimeMs = 0);
    int Key() const { return static_cast<std::int16_t>((keyAndPort >> 32) & 0xFFFF); }
    int Port() const { return static_cast<std::int16_t>(keyAndPort & 0xFFFF); }
    bool IsPress() const { return (flags & 1) != 0; }
    std::uint32_t DeviceTimeMs() const { return static_cast<std::uint32_t>(flags >> 32); }
};

class DeviceConfig
{
public:
    DeviceConfig() = default;
    DeviceConfig(unsigned modelNumber, char modelID, int majorVersion, std::string deviceName);

    // The model character: '1', '2' or '4' for the q-node models.
    char GetModelID() const { return m_modelID; }
    int GetMajorVersion() const { return m_majorVersion; }
    // UTF-8.
    std::string GetDeviceName() const { return m_deviceName; }
    // The maker's model number (5071, 5103, 5122 for the q-nodes).
    unsigned GetModelNumber() const { return m_modelNumber; }

private:
    unsigned m_modelNumber = 0;
    char m_modelID = 0;
    int m_majorVersion = 0;
    std::string m_deviceName;
};

enum class QPXOpenResult
{
    Opened,
    Absent,
    Busy,
    NotATerminal,
    Refused,
    NoAnswer
};

class QPXDevice
{
public:
    // How long Open waits for a device to identify itself.
    static constexpr int kDefaultIdentifyTimeoutMs = 300;

    // Opens the serial device at `path` and asks it to identify itself. Empty
    // when the path is absent, busy, not a terminal or answers nothing we know;
    // `result` and `reason` then tell why.
    static boost::shared_ptr<QPXDevice> Open(const std::string& path, int identifyTimeoutMs, QPXOpenResult& result,
                                             std::string& reason);
    static boost::shared_ptr<QPXDevice> Open(const std::string& path,
                                             int identifyTimeoutMs = kDefaultIdentifyTimeoutMs);
    // The same over any link (a simulated device); empty when it does not identify.
    static boost::shared_ptr<QPXDevice> OpenOnLink(std::unique_ptr<QPXLink> link, int identifyTimeoutMs);

    // The places a q-node can appear on this computer, in the order tried: the
    // paths in VANTREL_QPX_DEVICE (separated by ':'), then /dev/ttyUSB*, then
    // /dev/ttyACM*, without repeats.
    static std::vector<std::string> CandidatePaths();

    ~QPXDevice();
    QPXDevice(const QPXDevice&) = delete;
    QPXDevice& operator=(const QPXDevice&) = delete;

    // Reads whatever the device has sent, without waiting, and queues its key records.
    void PollForResponse();
    bool HasQueuedResponses() const;
    // The oldest queued record, removed from the queue; a zero record when none is queued.
    QPXResponse GetNextResponse();
    void ClearResponseQueue();
    // Restarts the device's own clock.
    void ResetRtTimer();
    // Keys held down as far as the records read so far tell.
    int GetNumberOfKeysDown() const;
    void SetQNodeInputMode(unsigned char mode);

    DeviceConfig GetDeviceConfig() const { return m_config; }
    int GetMinorFirmwareVersion() const { return m_minorFirmwareVersion; }

    std::string GetPath() const;
    // False once the line has hung up or stopped taking commands.
    bool IsConnected() const;

private:
    explicit QPXDevice(std::unique_ptr<QPXLink> link);
    bool Identify(int timeoutMs);
    void ReadAndParseLocked();
    void SendLocked(const std::vector<std::uint8_t>& frame);

    mutable std::mutex m_mutex;
    std::unique_ptr<QPXLink> m_link;
    struct Parser;
    std::unique_ptr<Parser> m_parser;
    std::deque<QPXResponse> m_queue;
    std::set<std::pair<int, int>> m_keysDown;
    DeviceConfig m_config;
    int m_minorFirmwareVersion = 0;
    bool m_connected = true;
};

}  // namespace Orbisk

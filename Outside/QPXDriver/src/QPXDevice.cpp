#include "QPXDriver/QPXDevice.h"

#include "QPXDriver/QPXProtocol.h"

#include <chrono>
#include <cstdlib>
#include <glob.h>

namespace Orbisk {

namespace {
// A device that floods the line must not keep a poll busy for ever.
constexpr std::size_t kMaxBytesPerPoll = 64 * 1024;
// A queue nobody empties stops growing here; the oldest records go first.
constexpr std::size_t kMaxQueuedResponses = 4096;

void AppendGlob(const char* pattern, std::vector<std::string>& out)
{
    glob_t g{};
    if (::glob(pattern, 0, nullptr, &g) == 0) {
        for (std::size_t i = 0; i < g.gl_pathc; ++i) out.emplace_back(g.gl_pathv[i]);
    }
    ::globfree(&g);
}
}  // namespace

struct QPXDevice::Parser
{
    QPXProtocol::FrameParser frames;
};

QPXResponse QPXResponse::Make(int key, int port, bool pressed, std::uint32_t deviceTimeMs)
{
    QPXResponse r;
    r.keyAndPort = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(key)) << 32) |
                   static_cast<std::uint64_t>(static_cast<std::uint16_t>(port));
    r.flags = (static_cast<std::uint64_t>(deviceTimeMs) << 32) | (pressed ? 1u : 0u);
    return r;
}

DeviceConfig::DeviceConfig(unsigned modelNumber, char modelID, int majorVersion, std::string deviceName)
    : m_modelNumber(modelNumber), m_modelID(modelID), m_majorVersion(majorVersion), m_deviceName(std::move(deviceName))
{}

QPXDevice::QPXDevice(std::unique_ptr<QPXLink> link) : m_link(std::move(link)), m_parser(new Parser) {}

QPXDevice::~QPXDevice() = default;

boost::shared_ptr<QPXDevice> QPXDevice::Open(const std::string& path, int identifyTimeoutMs, QPXOpenResult& result,
                                             std::string& reason)
{
    SerialOpenResult serial = SerialOpenResult::Refused;
    std::unique_ptr<QPXLink> link = OpenSerialLink(path, serial, reason);
    if (!link) {
        switch (serial) {
            case SerialOpenResult::Absent: result = QPXOpenResult::Absent; break;
            case SerialOpenResult::Busy: result = QPXOpenResult::Busy; break;
            case SerialOpenResult::NotATerminal: result = QPXOpenResult::NotATerminal; break;
            default: result = QPXOpenResult::Refused; break;
        }
        return {};
    }
    boost::shared_ptr<QPXDevice> device = OpenOnLink(std::move(link), identifyTimeoutMs);
    if (!device) {
        result = QPXOpenResult::NoAnswer;
        reason = path + ": no QPX device answered";
        return {};
    }
    result = QPXOpenResult::Opened;
    reason.clear();
    return device;
}

boost::shared_ptr<QPXDevice> QPXDevice::Open(const std::string& path, int identifyTimeoutMs)
{
    QPXOpenResult result;
    std::string reason;
    return Open(path, identifyTimeoutMs, result, reason);
}

boost::shared_ptr<QPXDevice> QPXDevice::OpenOnLink(std::unique_ptr<QPXLink> link, int identifyTimeoutMs)
{
    if (!link) return {};
    boost::shared_ptr<QPXDevice> device(new QPXDevice(std::move(link)));
    if (!device->Identify(identifyTimeoutMs)) return {};
    return device;
}

std::vector<std::string> QPXDevice::CandidatePaths()
{
    std::vector<std::string> found;
    if (const char* env = std::getenv("VANTREL_QPX_DEVICE")) {
        std::string list(env);
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find(':', start), list.size());
            if (end > start) found.push_back(list.substr(start, end - start));
            start = end + 1;
        }
    }
    AppendGlob("/dev/ttyUSB*", found);
    AppendGlob("/dev/ttyACM*", found);
    std::vector<std::string> unique;
    for (const std::string& path : found) {
        bool seen = false;
        for (const std::string& u : unique) seen = seen || u == path;
        if (!seen) unique.push_back(path);
    }
    return unique;
}

bool QPXDevice::Identify(int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_link->DiscardInput();
    const auto request = QPXProtocol::Encode(QPXProtocol::kIdentify);
    if (!m_link->WriteAll(request.data(), request.size())) return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::uint8_t buffer[256];
    std::size_t foreignBytes = 0;
    for (;;) {
        const long n = m_link->ReadAvailable(buffer, sizeof buffer);
        if (n < 0) return false;
        if (n > 0) {
            m_parser->frames.Feed(buffer, static_cast<std::size_t>(n));
            QPXProtocol::Frame frame;
            while (m_parser->frames.Next(frame)) {
                QPXProtocol::Identification id;
                if (QPXProtocol::DecodeIdentification(frame, id)) {
                    m_config = DeviceConfig(id.modelNumber, id.modelCharacter, id.majorVersion, id.deviceName);
                    m_minorFirmwareVersion = id.minorVersion;
                    return true;
                }
                // Key records sent before identification belong to nobody.
            }
            // A chatty foreign device is given up on early rather than parsed for ever.
            foreignBytes += static_cast<std::size_t>(n);
            if (foreignBytes > 4096) return false;
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        m_link->WaitReadable(static_cast<int>(left));
    }
}

void QPXDevice::ReadAndParseLocked()
{
    if (!m_connected) return;
    std::uint8_t buffer[512];
    std::size_t total = 0;
    while (total < kMaxBytesPerPoll) {
        const long n = m_link->ReadAvailable(buffer, sizeof buffer);
        if (n < 0) {
            // A device pulled out with a key held must not leave a release wait hanging.
            m_connected = false;
            m_keysDown.clear();
            break;
        }
        if (n == 0) break;
        total += static_cast<std::size_t>(n);
        m_parser->frames.Feed(buffer, static_cast<std::size_t>(n));
    }
    QPXProtocol::Frame frame;
    while (m_parser->frames.Next(frame)) {
        QPXProtocol::KeyRecord record;
        if (!QPXProtocol::DecodeKeyRecord(frame, record)) continue;
        const auto key = std::make_pair(record.key, record.port);
        if (record.pressed)
            m_keysDown.insert(key);
        else
            m_keysDown.erase(key);
        if (m_queue.size() >= kMaxQueuedResponses) m_queue.pop_front();
        m_queue.push_back(QPXResponse::Make(record.key, record.port, record.pressed, record.deviceTimeMs));
    }
}

void QPXDevice::SendLocked(const std::vector<std::uint8_t>& frame)
{
    if (m_connected && !m_link->WriteAll(frame.data(), frame.size())) m_connected = false;
}

void QPXDevice::PollForResponse()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ReadAndParseLocked();
}

bool QPXDevice::HasQueuedResponses() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_queue.empty();
}

QPXResponse QPXDevice::GetNextResponse()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_queue.empty()) return QPXResponse();
    const QPXResponse r = m_queue.front();
    m_queue.pop_front();
    return r;
}

void QPXDevice::ClearResponseQueue()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.clear();
}

void QPXDevice::ResetRtTimer()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    SendLocked(QPXProtocol::Encode(QPXProtocol::kResetTimer));
}

int QPXDevice::GetNumberOfKeysDown() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_keysDown.size());
}

void QPXDevice::SetQNodeInputMode(unsigned char mode)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    SendLocked(QPXProtocol::Encode(QPXProtocol::kInputMode, {mode}));
}

std::string QPXDevice::GetPath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_link->Description();
}

bool QPXDevice::IsConnected() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connected;
}

}  // namespace Orbisk

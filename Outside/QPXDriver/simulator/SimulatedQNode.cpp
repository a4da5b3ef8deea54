#include "SimulatedQNode.h"

#include "QPXDriver/QPXProtocol.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace Orbisk {
namespace Testing {

namespace {
std::int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

SimulatedQNode::SimulatedQNode(const SimulatedQNodeIdentity& identity, Personality personality)
    : m_identity(identity), m_personality(personality)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        throw std::runtime_error(std::string("pseudo-terminal: ") + std::strerror(errno));
    char name[128] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0) throw std::runtime_error("pseudo-terminal has no name");
    m_path = name;
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // Keeping one slave descriptor open means the master never reads EIO between
    // the driver's opens, and the line starts raw, as a real serial adapter does.
    m_slaveKeeper = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slaveKeeper >= 0) {
        termios tio{};
        ::tcgetattr(m_slaveKeeper, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slaveKeeper, TCSANOW, &tio);
    }
    m_clockStartNs = NowNs();
    m_thread = std::thread([this] { Serve(); });
}

SimulatedQNode::~SimulatedQNode()
{
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    HangUp();
    if (m_slaveKeeper >= 0) ::close(m_slaveKeeper);
}

void SimulatedQNode::HangUp()
{
    std::lock_guard<std::mutex> lock(m_writeMutex);
    if (m_master >= 0) {
        // The serving thread polls with a timeout and checks the descriptor under this lock.
        ::close(m_master);
        m_master = -1;
    }
    if (m_slaveKeeper >= 0) {
        ::close(m_slaveKeeper);
        m_slaveKeeper = -1;
    }
}

void SimulatedQNode::Write(const std::vector<std::uint8_t>& bytes)
{
    std::lock_guard<std::mutex> lock(m_writeMutex);
    if (m_master < 0) return;
    std::size_t done = 0;
    int stalls = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (++stalls > 100) return;
            ::usleep(1000);
        }
    }
}

void SimulatedQNode::SendRaw(const std::vector<std::uint8_t>& bytes) { Write(bytes); }

std::chrono::steady_clock::time_point SimulatedQNode::SendKey(int key, int port, bool pressed)
{
    QPXProtocol::KeyRecord record;
    record.key = key;
    record.port = port;
    record.pressed = pressed;
    record.deviceTimeMs = static_cast<std::uint32_t>((NowNs() - m_clockStartNs.load()) / 1000000);
    const auto bytes = QPXProtocol::EncodeKeyRecord(record);
    const auto when = std::chrono::steady_clock::now();
    Write(bytes);
    return when;
}

std::chrono::steady_clock::time_point SimulatedQNode::Press(int key, int port) { return SendKey(key, port, true); }

std::chrono::steady_clock::time_point SimulatedQNode::Release(int key, int port) { return SendKey(key, port, false); }

void SimulatedQNode::Serve()
{
    QPXProtocol::FrameParser parser;
    std::uint8_t buffer[256];
    while (!m_stop) {
        int fd;
        {
            std::lock_guard<std::mutex> lock(m_writeMutex);
            fd = m_master;
        }
        if (fd < 0) return;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) {
            if (p.revents & (POLLHUP | POLLERR)) ::usleep(5000);  // no slave open right now; wait for the next one
            continue;
        }
        ssize_t n;
        {
            std::lock_guard<std::mutex> lock(m_writeMutex);
            if (m_master < 0) return;
            n = ::read(m_master, buffer, sizeof buffer);
        }
        if (n <= 0) {
            ::usleep(5000);
            continue;
        }
        if (m_personality == Personality::Foreign) {
            static const char reply[] = "\r\nERROR\r\nOK\r\n";
            Write(std::vector<std::uint8_t>(reply, reply + sizeof reply - 1));
            continue;
        }
        parser.Feed(buffer, static_cast<std::size_t>(n));
        QPXProtocol::Frame frame;
        while (parser.Next(frame)) {
            switch (frame.type) {
                case QPXProtocol::kIdentify:
                    ++m_identifyRequests;
                    if (m_personality == Personality::QNode) {
                        QPXProtocol::Identification id;
                        id.modelNumber = m_identity.modelNumber;
                        id.modelCharacter = m_identity.modelCharacter;
                        id.majorVersion = m_identity.majorVersion;
                        id.minorVersion = m_identity.minorVersion;
                        id.deviceName = m_identity.deviceName;
                        Write(QPXProtocol::EncodeIdentification(id));
                    }
                    break;
                case QPXProtocol::kResetTimer:
                    m_clockStartNs = NowNs();
                    ++m_timerResets;
                    break;
                case QPXProtocol::kInputMode:
                    if (!frame.payload.empty()) m_lastInputMode = frame.payload[0];
                    ++m_inputModeCommands;
                    break;
                default: break;
            }
        }
    }
}

}  // namespace Testing
}  // namespace Orbisk

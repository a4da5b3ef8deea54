#include "QPXDriver/QPXLink.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace Orbisk {

QPXLink::~QPXLink() = default;

namespace {

class SerialLink final : public QPXLink
{
public:
    SerialLink(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~SerialLink() override
    {
        ::ioctl(m_fd, TIOCNXCL);
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }

    long ReadAvailable(std::uint8_t* buffer, std::size_t size) override
    {
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, size);
            if (n > 0) return static_cast<long>(n);
            if (n == 0) return -1;  // hang-up: the other side has gone
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
            return -1;
        }
    }

    bool WaitReadable(int timeoutMs) override
    {
        pollfd p{m_fd, POLLIN, 0};
        const int r = ::poll(&p, 1, timeoutMs);
        return r > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
    }

    bool WriteAll(const std::uint8_t* data, std::size_t size) override
    {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(200);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(m_fd, data + done, size - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) return false;
            pollfd p{m_fd, POLLOUT, 0};
            ::poll(&p, 1, static_cast<int>(left));
        }
        return true;
    }

    void DiscardInput() override { ::tcflush(m_fd, TCIFLUSH); }

    std::string Description() const override { return m_path; }

private:
    int m_fd;
    std::string m_path;
};

}  // namespace

std::unique_ptr<QPXLink> OpenSerialLink(const std::string& path, SerialOpenResult& result, std::string& reason)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        reason = path + ": " + std::strerror(err);
        result = (err == ENOENT || err == ENODEV || err == ENXIO) ? SerialOpenResult::Absent
                 : (err == EBUSY)                                 ? SerialOpenResult::Busy
                                                                  : SerialOpenResult::Refused;
        return nullptr;
    }
    if (!::isatty(fd)) {
        ::close(fd);
        reason = path + ": not a serial device";
        result = SerialOpenResult::NotATerminal;
        return nullptr;
    }
    // Another program holding the line (a terminal program, a second Study
    // Station) keeps it; TIOCEXCL alone does not stop root, flock does.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        reason = path + ": in use by another program";
        result = SerialOpenResult::Busy;
        return nullptr;
    }
    ::ioctl(fd, TIOCEXCL);

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        reason = path + ": " + std::strerror(errno);
        ::flock(fd, LOCK_UN);
        ::close(fd);
        result = SerialOpenResult::Refused;
        return nullptr;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CRTSCTS | CSTOPB | PARENB);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    // VMIN 1 with O_NONBLOCK: an empty line reads as EAGAIN and a hang-up as 0
    // or EIO, which VMIN 0 would blur together.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B115200);
    ::cfsetospeed(&tio, B115200);
    ::tcsetattr(fd, TCSANOW, &tio);
    ::tcflush(fd, TCIOFLUSH);
    result = SerialOpenResult::Opened;
    return std::unique_ptr<QPXLink>(new SerialLink(fd, path));
}

}  // namespace Orbisk

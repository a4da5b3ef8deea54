#pragma once
// The byte channel under a QPXDevice. The serial line is the real one; tests
// and tools may put any other channel (a simulated device) in its place.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace Orbisk {

class QPXLink
{
public:
    virtual ~QPXLink();
    // Reads what is there without waiting; 0 when nothing is. -1 when the link is gone.
    virtual long ReadAvailable(std::uint8_t* buffer, std::size_t size) = 0;
    // Waits at most timeoutMs for bytes to read; true when some may be read.
    virtual bool WaitReadable(int timeoutMs) = 0;
    // Writes all bytes within a short bound; false when the link refuses or stalls.
    virtual bool WriteAll(const std::uint8_t* data, std::size_t size) = 0;
    // Drops input that has arrived and not been read.
    virtual void DiscardInput() = 0;
    virtual std::string Description() const = 0;
};

enum class SerialOpenResult
{
    Opened,
    Absent,
    Busy,
    NotATerminal,
    Refused
};

// Opens a serial device raw, non-blocking and exclusive (flock plus TIOCEXCL),
// so two programs never share a q-node. Never blocks on modem lines.
std::unique_ptr<QPXLink> OpenSerialLink(const std::string& path, SerialOpenResult& result, std::string& reason);

}  // namespace Orbisk

#pragma once
// The serial framing this driver speaks, shared by the driver and the simulated device.
//
// This framing is this project's own: it is not the published protocol of any
// hardware. The simulated device (qnode-sim) speaks it; a real device is found only
// when it answers an identify frame with an identification frame as below, with a
// q-node model number (5071, 5103 or 5122), and then reports its lines with key
// records. A device that speaks anything else is skipped as "some other device".
//
// Serial line: 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control,
// raw (no line discipline). Every message in either direction is one frame:
//
//   0xA5 | type | length | payload[length] | check
//
// where `length` is 0..kMaxPayload and `check` makes the byte sum of type,
// length, payload and check 0 modulo 256. A receiver that meets a bad check or
// an unknown type drops the sync byte and looks for the next 0xA5, so noise or a
// foreign device's chatter never stalls it. Multi-byte numbers are little-endian.
//
// Host to device:
//   'I' (0x49) identify, no payload: the device answers with one 'i' frame.
//   'M' (0x4D) input mode, 1 byte: the mode character ('t' = report presses and
//       releases of all eight lines with their times).
//   'T' (0x54) reset timer, no payload: the device clock restarts at 0.
//
// Device to host:
//   'i' (0x69) identification: model number (u16), model character (1 byte,
//       '1', '2' or '4' for the three q-node models), major firmware version
//       (u8), minor firmware version (u8), then the device name in UTF-8 (the
//       rest of the payload, at most kMaxNameBytes).
//   'k' (0x6B) key record: key (u8, 0..7 on a q-node), port (u8, 3 for the
//       input lines), state (u8, 1 press, 0 release), device time (u32, ms since
//       the last reset).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Orbisk {
namespace QPXProtocol {

constexpr std::uint8_t kSync = 0xA5;
constexpr std::size_t kMaxPayload = 64;
constexpr std::size_t kMaxNameBytes = kMaxPayload - 5;

enum FrameType : std::uint8_t
{
    kIdentify = 'I',
    kInputMode = 'M',
    kResetTimer = 'T',
    kIdentification = 'i',
    kKeyRecord = 'k',
};

struct Frame
{
    std::uint8_t type = 0;
    std::vector<std::uint8_t> payload;
};

struct Identification
{
    unsigned modelNumber = 0;
    char modelCharacter = 0;
    int majorVersion = 0;
    int minorVersion = 0;
    std::string deviceName;
};

struct KeyRecord
{
    int key = 0;
    int port = 0;
    bool pressed = false;
    std::uint32_t deviceTimeMs = 0;
};

std::vector<std::uint8_t> Encode(std::uint8_t type, const std::vector<std::uint8_t>& payload = {});
std::vector<std::uint8_t> EncodeIdentification(const Identification& id);
std::vector<std::uint8_t> EncodeKeyRecord(const KeyRecord& record);

bool DecodeIdentification(const Frame& frame, Identification& out);
bool DecodeKeyRecord(const Frame& frame, KeyRecord& out);

// Collects bytes as they arrive and hands out whole, checked frames.
class FrameParser
{
public:
    void Feed(const std::uint8_t* data, std::size_t size);
    // Takes the next complete frame; false when none is complete yet.
    bool Next(Frame& out);
    void Clear() { m_buffer.clear(); }

private:
    std::vector<std::uint8_t> m_buffer;
};

}  // namespace QPXProtocol
}  // namespace Orbisk

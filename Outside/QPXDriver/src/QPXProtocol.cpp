#include "QPXDriver/QPXProtocol.h"

#include <algorithm>

namespace Orbisk {
namespace QPXProtocol {

namespace {
bool IsKnownType(std::uint8_t type)
{
    switch (type) {
        case kIdentify:
        case kInputMode:
        case kResetTimer:
        case kIdentification:
        case kKeyRecord: return true;
        default: return false;
    }
}
}  // namespace

std::vector<std::uint8_t> Encode(std::uint8_t type, const std::vector<std::uint8_t>& payload)
{
    const std::size_t length = std::min(payload.size(), kMaxPayload);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(length + 4);
    bytes.push_back(kSync);
    bytes.push_back(type);
    bytes.push_back(static_cast<std::uint8_t>(length));
    unsigned sum = type + static_cast<unsigned>(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes.push_back(payload[i]);
        sum += payload[i];
    }
    bytes.push_back(static_cast<std::uint8_t>(0x100 - (sum & 0xFF)));
    return bytes;
}

std::vector<std::uint8_t> EncodeIdentification(const Identification& id)
{
    std::vector<std::uint8_t> payload{
        static_cast<std::uint8_t>(id.modelNumber & 0xFF), static_cast<std::uint8_t>((id.modelNumber >> 8) & 0xFF),
        static_cast<std::uint8_t>(id.modelCharacter), static_cast<std::uint8_t>(id.majorVersion),
        static_cast<std::uint8_t>(id.minorVersion)};
    const std::size_t nameBytes = std::min(id.deviceName.size(), kMaxNameBytes);
    for (std::size_t i = 0; i < nameBytes; ++i) payload.push_back(static_cast<std::uint8_t>(id.deviceName[i]));
    return Encode(kIdentification, payload);
}

std::vector<std::uint8_t> EncodeKeyRecord(const KeyRecord& record)
{
    const std::uint32_t t = record.deviceTimeMs;
    return Encode(kKeyRecord, {static_cast<std::uint8_t>(record.key), static_cast<std::uint8_t>(record.port),
                               static_cast<std::uint8_t>(record.pressed ? 1 : 0), static_cast<std::uint8_t>(t & 0xFF),
                               static_cast<std::uint8_t>((t >> 8) & 0xFF), static_cast<std::uint8_t>((t >> 16) & 0xFF),
                               static_cast<std::uint8_t>((t >> 24) & 0xFF)});
}

bool DecodeIdentification(const Frame& frame, Identification& out)
{
    if (frame.type != kIdentification || frame.payload.size() < 5) return false;
    const auto& p = frame.payload;
    out.modelNumber = static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8);
    out.modelCharacter = static_cast<char>(p[2]);
    out.majorVersion = p[3];
    out.minorVersion = p[4];
    out.deviceName.assign(p.begin() + 5, p.end());
    return true;
}

bool DecodeKeyRecord(const Frame& frame, KeyRecord& out)
{
    if (frame.type != kKeyRecord || frame.payload.size() != 7) return false;
    const auto& p = frame.payload;
    out.key = p[0];
    out.port = p[1];
    out.pressed = p[2] != 0;
    out.deviceTimeMs = static_cast<std::uint32_t>(p[3]) | (static_cast<std::uint32_t>(p[4]) << 8) |
                       (static_cast<std::uint32_t>(p[5]) << 16) | (static_cast<std::uint32_t>(p[6]) << 24);
    return true;
}

void FrameParser::Feed(const std::uint8_t* data, std::size_t size)
{
    m_buffer.insert(m_buffer.end(), data, data + size);
}

bool FrameParser::Next(Frame& out)
{
    for (;;) {
        auto sync = std::find(m_buffer.begin(), m_buffer.end(), kSync);
        m_buffer.erase(m_buffer.begin(), sync);
        if (m_buffer.size() < 4) return false;
        const std::uint8_t type = m_buffer[1];
        const std::size_t length = m_buffer[2];
        if (!IsKnownType(type) || length > kMaxPayload) {
            m_buffer.erase(m_buffer.begin());
            continue;
        }
        if (m_buffer.size() < length + 4) return false;
        unsigned sum = 0;
        for (std::size_t i = 1; i < length + 4; ++i) sum += m_buffer[i];
        if ((sum & 0xFF) != 0) {
            m_buffer.erase(m_buffer.begin());
            continue;
        }
        out.type = type;
        out.payload.assign(m_buffer.begin() + 3, m_buffer.begin() + 3 + static_cast<std::ptrdiff_t>(length));
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(length + 4));
        return true;
    }
}

}  // namespace QPXProtocol
}  // namespace Orbisk

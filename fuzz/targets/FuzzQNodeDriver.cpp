// The q-node driver above its frame parser: a device on a link that answers with the
// input's bytes. The driver asks it to identify itself, then polls it as a run does,
// queueing its key records and counting the keys held, with commands sent in between.
// The first byte is the size of each read the link hands out and, in its top bit,
// whether the link refuses writes after identification. However hostile the bytes,
// the device opens only with an identification among them, its name stays within
// the protocol's limit, its queue and its count of keys held stay bounded, and every
// record it hands out is one of the key records on the line.

#include "FuzzSupport.h"

#include <QPXDriver/QPXDevice.h>
#include <QPXDriver/QPXProtocol.h>

#include <memory>
#include <set>
#include <utility>

namespace {

using namespace Orbisk;

class InputLink : public QPXLink
{
public:
    InputLink(const std::uint8_t* data, std::size_t size, std::size_t readSize, bool refuseWrites)
        : m_data(data), m_size(size), m_readSize(readSize), m_refuseWrites(refuseWrites)
    {}
    long ReadAvailable(std::uint8_t* buffer, std::size_t size) override
    {
        const std::size_t n = std::min({size, m_readSize, m_size - m_at});
        std::copy(m_data + m_at, m_data + m_at + n, buffer);
        m_at += n;
        return static_cast<long>(n);
    }
    bool WaitReadable(int) override { return m_at < m_size; }
    bool WriteAll(const std::uint8_t*, std::size_t) override { return !(m_refuseWrites && ++m_writes > 1); }
    void DiscardInput() override {}
    std::string Description() const override { return "fuzz input"; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
    std::size_t m_readSize;
    bool m_refuseWrites;
    int m_writes = 0;
};

// Every key record on the line, found by the frame parser alone.
std::set<std::pair<int, int>> KeysOnTheLine(const std::uint8_t* data, std::size_t size)
{
    std::set<std::pair<int, int>> keys;
    QPXProtocol::FrameParser parser;
    parser.Feed(data, size);
    for (QPXProtocol::Frame frame; parser.Next(frame);) {
        QPXProtocol::KeyRecord record;
        if (QPXProtocol::DecodeKeyRecord(frame, record)) keys.emplace(record.key, record.port);
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    if (size < 1) return 0;
    const std::size_t readSize = 1 + (data[0] & 0x7f) * 8;
    const bool refuseWrites = (data[0] & 0x80) != 0;
    auto link = std::make_unique<InputLink>(data + 1, size - 1, readSize, refuseWrites);
    boost::shared_ptr<QPXDevice> device = QPXDevice::OpenOnLink(std::move(link), 0);
    if (!device) return 0;
    if (device->GetDeviceConfig().GetDeviceName().size() > QPXProtocol::kMaxNameBytes)
        FuzzSupport::Fail("a device name is over the protocol's limit");
    const std::set<std::pair<int, int>> keys = KeysOnTheLine(data + 1, size - 1);
    for (int poll = 0; poll < 64 && device->IsConnected(); ++poll) {
        device->PollForResponse();
        if (poll % 8 == 3) device->ResetRtTimer();
        if (poll % 8 == 5) device->SetQNodeInputMode(static_cast<unsigned char>(poll));
        if (device->GetNumberOfKeysDown() > static_cast<int>(keys.size()))
            FuzzSupport::Fail("more keys held than key records on the line");
        // A run takes a few records per poll; the rest wait in the bounded queue.
        for (int taken = 0; taken < 4 && device->HasQueuedResponses(); ++taken) {
            const QPXResponse response = device->GetNextResponse();
            if (keys.count({response.Key(), response.Port()}) == 0)
                FuzzSupport::Fail("a queued record is no key record on the line");
        }
    }
    device->ClearResponseQueue();
    if (device->HasQueuedResponses()) FuzzSupport::Fail("a cleared queue still holds records");
    return 0;
}

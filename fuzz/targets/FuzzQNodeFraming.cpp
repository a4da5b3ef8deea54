// Bytes from the q-node's serial line: the frame parser must find the same frames
// however the bytes are split into reads, and every frame it hands out must be one
// that encodes back to itself and decodes without reading past its payload.

#include "FuzzSupport.h"

#include <QPXDriver/QPXProtocol.h>

#include <vector>

namespace {

using namespace Orbisk::QPXProtocol;

// Drains the parser after every read, as the device does.
std::vector<Frame> FramesOf(const std::uint8_t* data, std::size_t size, std::size_t readSize)
{
    FrameParser parser;
    std::vector<Frame> frames;
    for (std::size_t at = 0; at < size; at += readSize) {
        parser.Feed(data + at, std::min(readSize, size - at));
        for (Frame frame; parser.Next(frame);) frames.push_back(frame);
    }
    return frames;
}

void CheckFrame(const Frame& frame)
{
    if (frame.payload.size() > kMaxPayload) FuzzSupport::Fail("a frame's payload is over the limit");
    FrameParser parser;
    const std::vector<std::uint8_t> encoded = Encode(frame.type, frame.payload);
    parser.Feed(encoded.data(), encoded.size());
    Frame again;
    if (!parser.Next(again) || again.type != frame.type || again.payload != frame.payload)
        FuzzSupport::Fail("a frame does not encode back to itself");
    Identification id;
    if (DecodeIdentification(frame, id)) {
        if (id.deviceName.size() > kMaxNameBytes) FuzzSupport::Fail("a device name is over the limit");
        FrameParser reparsed;
        const std::vector<std::uint8_t> bytes = EncodeIdentification(id);
        reparsed.Feed(bytes.data(), bytes.size());
        Frame back;
        Identification idAgain;
        if (!reparsed.Next(back) || !DecodeIdentification(back, idAgain) || idAgain.deviceName != id.deviceName ||
            idAgain.modelNumber != id.modelNumber)
            FuzzSupport::Fail("an identification does not encode back to itself");
    }
    KeyRecord record;
    if (DecodeKeyRecord(frame, record)) {
        const std::vector<std::uint8_t> bytes = EncodeKeyRecord(record);
        FrameParser reparsed;
        reparsed.Feed(bytes.data(), bytes.size());
        Frame back;
        KeyRecord again;
        if (!reparsed.Next(back) || !DecodeKeyRecord(back, again) || again.key != record.key ||
            again.pressed != record.pressed || again.deviceTimeMs != record.deviceTimeMs)
            FuzzSupport::Fail("a key record does not encode back to itself");
    }
}

bool Same(const std::vector<Frame>& a, const std::vector<Frame>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].type != b[i].type || a[i].payload != b[i].payload) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    if (size < 1) return 0;
    const std::size_t readSize = 1 + data[0] % 32;
    const std::vector<Frame> whole = FramesOf(data + 1, size - 1, size);
    const std::vector<Frame> split = FramesOf(data + 1, size - 1, readSize);
    if (!Same(whole, split)) FuzzSupport::Fail("the frames depend on how the bytes were split into reads");
    for (const Frame& frame : whole) CheckFrame(frame);
    return 0;
}

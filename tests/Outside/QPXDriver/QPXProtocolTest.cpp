#include "QPXDriver/QPXDevice.h"
#include "QPXDriver/QPXProtocol.h"

#include <gtest/gtest.h>

using namespace Orbisk;
using namespace Orbisk::QPXProtocol;

namespace {
std::vector<Frame> ParseAll(const std::vector<std::uint8_t>& bytes, std::size_t chunk)
{
    FrameParser parser;
    std::vector<Frame> frames;
    for (std::size_t i = 0; i < bytes.size(); i += chunk) {
        parser.Feed(bytes.data() + i, std::min(chunk, bytes.size() - i));
        Frame f;
        while (parser.Next(f)) frames.push_back(f);
    }
    return frames;
}
}  // namespace

TEST(QPXProtocol, IdentificationAndKeyRecordsSurviveTheWireInAnyChunking)
{
    Identification id;
    id.modelNumber = 5122;
    id.modelCharacter = '4';
    id.majorVersion = 2;
    id.minorVersion = 21;
    id.deviceName = "q-node \xC3\xA9 4";
    KeyRecord rec;
    rec.key = 7;
    rec.port = 3;
    rec.pressed = true;
    rec.deviceTimeMs = 0x12345678;
    auto bytes = EncodeIdentification(id);
    const auto more = EncodeKeyRecord(rec);
    bytes.insert(bytes.end(), more.begin(), more.end());

    for (std::size_t chunk : {std::size_t(1), std::size_t(3), bytes.size()}) {
        SCOPED_TRACE(chunk);
        const auto frames = ParseAll(bytes, chunk);
        ASSERT_EQ(2u, frames.size());
        Identification back;
        ASSERT_TRUE(DecodeIdentification(frames[0], back));
        EXPECT_EQ(5122u, back.modelNumber);
        EXPECT_EQ('4', back.modelCharacter);
        EXPECT_EQ(2, back.majorVersion);
        EXPECT_EQ(21, back.minorVersion);
        EXPECT_EQ(id.deviceName, back.deviceName);
        KeyRecord r;
        ASSERT_TRUE(DecodeKeyRecord(frames[1], r));
        EXPECT_EQ(7, r.key);
        EXPECT_EQ(3, r.port);
        EXPECT_TRUE(r.pressed);
        EXPECT_EQ(0x12345678u, r.deviceTimeMs);
    }
}

TEST(QPXProtocol, ParserSkipsNoiseAndCorruptFramesAndFindsTheNextGoodOne)
{
    KeyRecord rec;
    rec.key = 2;
    rec.port = 3;
    auto good = EncodeKeyRecord(rec);
    auto corrupt = good;
    corrupt[4] ^= 0x01;  // payload changed, check no longer fits
    std::vector<std::uint8_t> bytes{'O', 'K', '\r', '\n', kSync, kSync, 0x00, kSync, 'k', 200};
    bytes.insert(bytes.end(), corrupt.begin(), corrupt.end());
    bytes.insert(bytes.end(), good.begin(), good.end());
    const auto frames = ParseAll(bytes, 2);
    ASSERT_EQ(1u, frames.size());
    KeyRecord r;
    ASSERT_TRUE(DecodeKeyRecord(frames[0], r));
    EXPECT_EQ(2, r.key);
    EXPECT_FALSE(r.pressed);
}

TEST(QPXProtocol, OverlongNamesAreCutToFitOneFrame)
{
    Identification id;
    id.deviceName = std::string(200, 'x');
    const auto frames = ParseAll(EncodeIdentification(id), 16);
    ASSERT_EQ(1u, frames.size());
    Identification back;
    ASSERT_TRUE(DecodeIdentification(frames[0], back));
    EXPECT_EQ(kMaxNameBytes, back.deviceName.size());
}

TEST(QPXResponseRecord, KeyAndPortSitInTheDocumentedBits)
{
    const QPXResponse r = QPXResponse::Make(5, 3, true, 1234);
    EXPECT_EQ((std::uint64_t(5) << 32) | 3u, r.keyAndPort);
    EXPECT_EQ(1u, r.flags & 1u);
    EXPECT_EQ(1234u, r.DeviceTimeMs());
    const QPXResponse neg = QPXResponse::Make(-2, -1, false);
    EXPECT_EQ(-2, neg.Key());
    EXPECT_EQ(-1, neg.Port());
    EXPECT_FALSE(neg.IsPress());
    EXPECT_EQ(-2, static_cast<std::int16_t>((neg.keyAndPort >> 32) & 0xFFFF));
}

#include "CloudTaskSupport/TarReader.h"

#include <gtest/gtest.h>

#include <wx/mstream.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// One ustar header block with a correct checksum.
std::string Header(const std::string& name, char type, size_t size)
{
    std::string block(512, '\0');
    std::memcpy(&block[0], name.data(), std::min<size_t>(name.size(), 100));
    std::snprintf(&block[100], 8, "%07o", 0644);
    std::snprintf(&block[124], 12, "%011zo", size);
    block[156] = type;
    std::memcpy(&block[257],
                "ustar\0"
                "00",
                8);
    std::memset(&block[148], ' ', 8);
    unsigned sum = 0;
    for (const char c : block) sum += static_cast<unsigned char>(c);
    std::snprintf(&block[148], 8, "%06o", sum);
    return block;
}

std::string Padded(const std::string& data) { return data + std::string((512 - data.size() % 512) % 512, '\0'); }

// A pax header followed by one file entry "plain.txt".
std::string ArchiveWithPaxRecords(const std::string& records)
{
    return Header("PaxHeader", 'x', records.size()) + Padded(records) + Header("plain.txt", '0', 2) + Padded("hi") +
           std::string(1024, '\0');
}

TEST(TarReader, PaxRecordLengthsThatDoNotMoveForwardEndTheScan)
{
    struct Case
    {
        const char* records;
        const char* expectedName;
    } cases[] = {
        {"18 path=dir/a.txt\n", "dir/a.txt"},
        {"-6 path=evil.txt\n", "plain.txt"},  // wrapped round to an endless backwards step before
        {"0 path=evil.txt\n", "plain.txt"},
        {"2 path=evil.txt\n", "plain.txt"},  // shorter than its own prefix
        {"99999999999999999999999 path=x\n", "plain.txt"},
        {"+9 path=x\n", "plain.txt"},
        {"18 path=dir/a.txt\n-6 path=evil.txt\n", "dir/a.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records);
        const std::string archive = ArchiveWithPaxRecords(c.records);
        wxMemoryInputStream in(archive.data(), archive.size());
        Vantrel::TarReader reader(in);
        Vantrel::TarReader::Entry entry;
        ASSERT_TRUE(reader.Next(entry));
        EXPECT_EQ(entry.name, wxString(c.expectedName));
        char data[4] = {};
        EXPECT_EQ(reader.Read(data, sizeof data), 2u);
        EXPECT_FALSE(reader.Next(entry));
        EXPECT_FALSE(reader.Damaged());
    }
}

}  // namespace

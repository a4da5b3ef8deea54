#include "TarReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Vantrel {

namespace {

constexpr size_t kBlock = 512;
constexpr std::uint64_t kMaxMetadata = 1 << 20;  // long names and pax records beyond this are not real

std::string Field(const char* header, size_t offset, size_t length)
{
    const char* start = header + offset;
    return std::string(start, strnlen(start, length));
}

bool ReadNumber(const char* header, size_t offset, size_t length, std::uint64_t& value)
{
    const unsigned char* field = reinterpret_cast<const unsigned char*>(header + offset);
    value = 0;
    if (field[0] & 0x80) {  // base-256, for sizes beyond the octal field
        for (size_t i = 1; i < length; ++i) {
            if (value >> 56) return false;
            value = (value << 8) | field[i];
        }
        return (field[0] & 0x7f) == 0;
    }
    size_t i = 0;
    while (i < length && field[i] == ' ') ++i;
    bool any = false;
    for (; i < length && field[i] >= '0' && field[i] <= '7'; ++i) {
        if (value >> 60) return false;
        value = value * 8 + (field[i] - '0');
        any = true;
    }
    for (; i < length; ++i)
        if (field[i] != ' ' && field[i] != '\0') return false;
    return any || length == 0 || field[0] == '\0' || field[0] == ' ';
}

bool ChecksumMatches(const char* header)
{
    std::uint64_t stored = 0;
    if (!ReadNumber(header, 148, 8, stored)) return false;
    std::uint64_t sum = 0;
    for (size_t i = 0; i < kBlock; ++i) sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(header[i]);
    return sum == stored;
}

// The "path" record of a pax extended header, if any ("<length> <key>=<value>\n" records).
// A record's length counts its own digits, space and newline, so only a length made of
// digits that reaches past its own prefix and stays inside the records moves the scan on;
// anything else ends it (a length such as "-6" would otherwise step backwards for ever).
bool PaxPath(const std::string& records, std::string& path)
{
    size_t pos = 0;
    bool found = false;
    while (pos < records.size()) {
        const size_t space = records.find(' ', pos);
        if (space == std::string::npos || space == pos || space - pos > 19) return found;
        std::uint64_t length = 0;
        for (size_t i = pos; i < space; ++i) {
            if (records[i] < '0' || records[i] > '9') return found;
            length = length * 10 + static_cast<unsigned>(records[i] - '0');
        }
        const size_t left = records.size() - pos;
        if (length <= space - pos + 1 || length > left) return found;
        const std::string record = records.substr(space + 1, static_cast<size_t>(pos + length - space - 2));
        if (record.compare(0, 5, "path=") == 0) {
            path = record.substr(5);
            found = true;
        }
        pos += static_cast<size_t>(length);
    }
    return found;
}

}  // namespace

bool TarReader::ReadExactly(void* buffer, size_t size)
{
    m_in.Read(buffer, size);
    return m_in.LastRead() == size;
}

bool TarReader::Skip(std::uint64_t size)
{
    char buffer[64 * 1024];
    while (size > 0) {
        const size_t chunk = static_cast<size_t>(std::min<std::uint64_t>(size, sizeof buffer));
        if (!ReadExactly(buffer, chunk)) return false;
        size -= chunk;
    }
    return true;
}

bool TarReader::SkipPadding()
{
    const bool ok = Skip(m_left + m_padding);
    m_left = m_padding = 0;
    return ok;
}

bool TarReader::ReadBlob(std::uint64_t size, std::string& blob)
{
    if (size > kMaxMetadata) return false;
    blob.assign(static_cast<size_t>(size), '\0');
    if (size > 0 && !ReadExactly(&blob[0], blob.size())) return false;
    const std::uint64_t padding = (kBlock - size % kBlock) % kBlock;
    return Skip(padding);
}

bool TarReader::Next(Entry& entry)
{
    if (m_damaged) return false;
    if (!SkipPadding()) {
        m_damaged = true;
        return false;
    }
    std::string longName, paxName;
    bool haveLongName = false, havePaxName = false;
    for (;;) {
        char header[kBlock];
        if (!ReadExactly(header, kBlock)) {
            m_damaged = true;  // an archive ends with zero blocks, not in the middle of nowhere
            return false;
        }
        if (std::all_of(header, header + kBlock, [](char c) { return c == 0; })) {
            if (haveLongName || havePaxName) m_damaged = true;
            return false;
        }
        std::uint64_t size = 0;
        if (!ChecksumMatches(header) || !ReadNumber(header, 124, 12, size)) {
            m_damaged = true;
            return false;
        }
        const char type = header[156];
        if (type == 'L' || type == 'x' || type == 'g' || type == 'K') {
            std::string blob;
            if (!ReadBlob(size, blob)) {
                m_damaged = true;
                return false;
            }
            if (type == 'L') {
                longName = std::string(blob.c_str());
                haveLongName = true;
            } else if (type == 'x') {
                havePaxName = PaxPath(blob, paxName) || havePaxName;
            }
            continue;  // these describe the next header
        }

        std::string name = Field(header, 0, 100);
        if (std::memcmp(header + 257, "ustar\0", 6) == 0) {  // POSIX only: GNU keeps times there
            const std::string prefix = Field(header, 345, 155);
            if (!prefix.empty()) name = prefix + "/" + name;
        }
        if (haveLongName) name = longName;
        if (havePaxName) name = paxName;

        entry.name = wxString::FromUTF8(name.c_str());
        if (entry.name.empty() && !name.empty()) entry.name = wxString(name.c_str(), wxConvISO8859_1);
        entry.type = type;
        // Links and devices carry no data whatever their size field says.
        const bool hasData = type == '0' || type == '\0' || type == '7';
        entry.size = hasData ? size : 0;
        m_left = entry.size;
        m_padding = hasData ? (kBlock - size % kBlock) % kBlock : 0;
        return true;
    }
}

size_t TarReader::Read(void* buffer, size_t size)
{
    if (m_damaged || m_left == 0) return 0;
    const size_t chunk = static_cast<size_t>(std::min<std::uint64_t>(size, m_left));
    m_in.Read(buffer, chunk);
    const size_t got = m_in.LastRead();
    if (got == 0) {
        m_damaged = true;
        return 0;
    }
    m_left -= got;
    return got;
}

}  // namespace Vantrel

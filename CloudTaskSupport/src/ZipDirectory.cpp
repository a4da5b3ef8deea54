#include "ZipDirectory.h"

#include "ZipEntryNames.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace Vantrel {

namespace {

std::uint32_t Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct FileCloser
{
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ReadZipDirectory(const wxString& path, std::vector<ZipDirectoryEntry>& entries)
{
    entries.clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.fn_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long fileSize = std::ftell(file.get());
    if (fileSize < 22) return false;

    // The end record sits in the last 22 bytes plus a comment of up to 65535 bytes.
    const long tailSize = std::min<long>(fileSize, 22 + 65535);
    std::string tail(static_cast<size_t>(tailSize), '\0');
    if (std::fseek(file.get(), fileSize - tailSize, SEEK_SET) != 0 ||
        std::fread(&tail[0], 1, tail.size(), file.get()) != tail.size())
        return false;
    const unsigned char* end = nullptr;
    for (long i = tailSize - 22; i >= 0; --i) {
        const auto* p = reinterpret_cast<const unsigned char*>(tail.data() + i);
        if (Le32(p) == 0x06054b50) {
            end = p;
            break;
        }
    }
    if (!end) return false;
    const std::uint32_t count = Le16(end + 10);
    const std::uint32_t directorySize = Le32(end + 12);
    const std::uint32_t directoryOffset = Le32(end + 16);
    if (count == 0xffff || directorySize == 0xffffffff || directoryOffset == 0xffffffff) return false;
    if (static_cast<std::uint64_t>(directoryOffset) + directorySize > static_cast<std::uint64_t>(fileSize))
        return false;

    std::string directory(directorySize, '\0');
    if (std::fseek(file.get(), static_cast<long>(directoryOffset), SEEK_SET) != 0 ||
        (directorySize > 0 && std::fread(&directory[0], 1, directory.size(), file.get()) != directory.size()))
        return false;

    size_t pos = 0;
    for (std::uint32_t n = 0; n < count; ++n) {
        if (pos + 46 > directory.size()) return false;
        const auto* p = reinterpret_cast<const unsigned char*>(directory.data() + pos);
        if (Le32(p) != 0x02014b50) return false;
        const std::uint32_t nameLength = Le16(p + 28);
        const std::uint32_t extraLength = Le16(p + 30);
        const std::uint32_t commentLength = Le16(p + 32);
        if (pos + 46 + nameLength > directory.size()) return false;
        ZipDirectoryEntry entry;
        entry.rawName.assign(directory.data() + pos + 46, nameLength);
        entry.nameDecoded = DecodeZipEntryName(entry.rawName, (Le16(p + 8) & kZipUtf8NameFlag) != 0, entry.name);
        entry.compressedSize = Le32(p + 20);
        entry.size = Le32(p + 24);
        entry.madeByUnix = (Le16(p + 4) >> 8) == 3;
        entry.unixMode = Le32(p + 38) >> 16;
        entries.push_back(entry);
        pos += 46 + nameLength + extraLength + commentLength;
    }
    return true;
}

}  // namespace Vantrel

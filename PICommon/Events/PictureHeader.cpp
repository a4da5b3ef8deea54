#include "PictureHeader.h"

#include <wx/intl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace VantrelSDK {

namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Bytes at `offset`; false when the file is shorter.
bool ReadAt(std::FILE* file, long offset, unsigned char* out, size_t count)
{
    return std::fseek(file, offset, SEEK_SET) == 0 && std::fread(out, 1, count, file) == count;
}

unsigned Big16(const unsigned char* p) { return unsigned(p[0]) << 8 | p[1]; }
unsigned long Big32(const unsigned char* p)
{
    return static_cast<unsigned long>(p[0]) << 24 | static_cast<unsigned long>(p[1]) << 16 |
           static_cast<unsigned long>(p[2]) << 8 | p[3];
}
unsigned Little16(const unsigned char* p) { return unsigned(p[1]) << 8 | p[0]; }
unsigned long Little32(const unsigned char* p)
{
    return static_cast<unsigned long>(p[3]) << 24 | static_cast<unsigned long>(p[2]) << 16 |
           static_cast<unsigned long>(p[1]) << 8 | p[0];
}

// JPEG: walks the markers to the first start-of-frame, which holds the size.
bool JpegSize(std::FILE* file, long long& width, long long& height)
{
    long offset = 2;
    unsigned char marker[4];
    // Bounded: each step moves forward by at least the marker's own four bytes.
    for (int guard = 0; guard < 100000 && ReadAt(file, offset, marker, 4); ++guard) {
        if (marker[0] != 0xFF) return false;
        const unsigned code = marker[1];
        if (code == 0xFF) {  // fill byte
            ++offset;
            continue;
        }
        const unsigned length = Big16(marker + 2);
        const bool startOfFrame = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (startOfFrame) {
            unsigned char frame[5];
            if (!ReadAt(file, offset + 4, frame, 5)) return false;
            height = Big16(frame + 1);
            width = Big16(frame + 3);
            return true;
        }
        if (length < 2) return false;
        offset += 2 + long(length);
    }
    return false;
}

// TIFF: the first directory's ImageWidth (256) and ImageLength (257).
bool TiffSize(std::FILE* file, bool little, long long& width, long long& height)
{
    auto u16 = [little](const unsigned char* p) { return little ? Little16(p) : Big16(p); };
    auto u32 = [little](const unsigned char* p) { return little ? Little32(p) : Big32(p); };
    unsigned char head[8];
    if (!ReadAt(file, 0, head, 8)) return false;
    const long directory = long(u32(head + 4));
    unsigned char count[2];
    if (!ReadAt(file, directory, count, 2)) return false;
    const unsigned entries = u16(count);
    width = height = -1;
    for (unsigned i = 0; i < entries && i < 4096; ++i) {
        unsigned char entry[12];
        if (!ReadAt(file, directory + 2 + long(i) * 12, entry, 12)) return false;
        const unsigned tag = u16(entry), type = u16(entry + 2);
        const long long value = type == 3 ? u16(entry + 8) : type == 4 ? static_cast<long long>(u32(entry + 8)) : -1;
        if (tag == 256) width = value;
        if (tag == 257) height = value;
    }
    return width >= 0 && height >= 0;
}

}  // namespace

bool ReadPictureSize(const wxString& path, long long& width, long long& height)
{
    File file(std::fopen(path.utf8_str(), "rb"));
    if (!file) return false;
    unsigned char head[26];
    std::memset(head, 0, sizeof head);
    const size_t got = std::fread(head, 1, sizeof head, file.get());
    if (got >= 24 && std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(head + 12, "IHDR", 4) == 0) {
        width = Big32(head + 16);
        height = Big32(head + 20);
        return true;
    }
    if (got >= 10 && (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0)) {
        width = Little16(head + 6);
        height = Little16(head + 8);
        return true;
    }
    if (got >= 26 && head[0] == 'B' && head[1] == 'M') {
        const unsigned long infoSize = Little32(head + 14);
        if (infoSize == 12) {  // the old OS/2 header: 16-bit sizes
            width = Little16(head + 18);
            height = Little16(head + 20);
        } else {
            width = static_cast<std::int32_t>(Little32(head + 18));
            height = static_cast<std::int32_t>(Little32(head + 22));
            if (height < 0) height = -height;  // stored top-down
        }
        return width >= 0;
    }
    if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return JpegSize(file.get(), width, height);
    if (got >= 8 && std::memcmp(head, "II*\0", 4) == 0) return TiffSize(file.get(), true, width, height);
    if (got >= 8 && std::memcmp(head, "MM\0*", 4) == 0) return TiffSize(file.get(), false, width, height);
    return false;
}

bool CheckPictureSize(const wxString& path, wxString& problem)
{
    long long width = 0, height = 0;
    if (!ReadPictureSize(path, width, height)) {
        problem = _("it cannot be read as a picture (no PNG, JPEG, GIF, BMP or TIFF header gives its size)");
        return false;
    }
    if (width > kMaximumPicturePixels || height > kMaximumPicturePixels || width * height > kMaximumPicturePixels) {
        problem =
            wxString::Format(_("the picture is too large (%lld x %lld pixels; at most %lld megapixels are shown)"),
                             width, height, kMaximumPicturePixels / 1000000);
        return false;
    }
    return true;
}

}  // namespace VantrelSDK

#include "ZipEntryNames.h"

#include <cstdio>

namespace Vantrel {

namespace {

// Unicode of the code page's bytes 0x80 to 0xFF; the lower half is ASCII.
const wchar_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

wchar_t Cp437ToUnicode(unsigned char byte) { return byte < 0x80 ? wchar_t(byte) : kCp437High[byte - 0x80]; }

bool UnicodeToCp437(wchar_t c, char& byte)
{
    if (c < 0x80) {
        byte = static_cast<char>(c);
        return true;
    }
    for (unsigned i = 0; i < 128; ++i)
        if (kCp437High[i] == c) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

}  // namespace

bool DecodeZipEntryName(const std::string& raw, bool utf8Flag, wxString& name)
{
    name.clear();
    if (utf8Flag) {
        name = wxString::FromUTF8(raw.data(), raw.size());
        return !name.empty() || raw.empty();
    }
    for (const char c : raw) name += Cp437ToUnicode(static_cast<unsigned char>(c));
    return true;
}

wxString PrintableZipEntryName(const std::string& raw)
{
    wxString text;
    for (const char c : raw) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f)
            text += wxUniChar(byte);
        else
            text += wxString::Format("\\x%02X", byte);
    }
    return text;
}

size_t ZipCp437Conv::ToWChar(wchar_t* dst, size_t dstLen, const char* src, size_t srcLen) const
{
    const bool terminated = srcLen == wxNO_LEN;
    if (terminated) srcLen = std::char_traits<char>::length(src) + 1;  // the NUL is converted too
    if (dst) {
        if (dstLen < srcLen) return wxCONV_FAILED;
        for (size_t i = 0; i < srcLen; ++i) dst[i] = Cp437ToUnicode(static_cast<unsigned char>(src[i]));
    }
    return srcLen;
}

size_t ZipCp437Conv::FromWChar(char* dst, size_t dstLen, const wchar_t* src, size_t srcLen) const
{
    if (srcLen == wxNO_LEN) srcLen = std::char_traits<wchar_t>::length(src) + 1;
    if (dst && dstLen < srcLen) return wxCONV_FAILED;
    for (size_t i = 0; i < srcLen; ++i) {
        char byte = 0;
        if (!UnicodeToCp437(src[i], byte)) return wxCONV_FAILED;
        if (dst) dst[i] = byte;
    }
    return srcLen;
}

wxMBConv* ZipCp437Conv::Clone() const { return new ZipCp437Conv; }

}  // namespace Vantrel

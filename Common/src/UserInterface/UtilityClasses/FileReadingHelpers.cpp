#include "UserInterface/UtilityClasses/FileReadingHelpers.h"

#include <wx/file.h>
#include <wx/strconv.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace Orbisk {

namespace {

// Strict UTF-8 up to the first zero byte: wx's own decoder lets overlong forms and
// encoded surrogates through, which no valid UTF-8 text contains.
bool IsStrictUtf8UpToZero(const char* text)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    while (*s != 0) {
        const unsigned char lead = *s;
        int continuation;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++s;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            continuation = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuation = 2;
            if (lead == 0xE0) low = 0xA0;   // overlong
            if (lead == 0xED) high = 0x9F;  // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuation = 3;
            if (lead == 0xF0) low = 0x90;   // overlong
            if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
        } else {
            return false;
        }
        ++s;
        for (int i = 0; i < continuation; ++i, ++s) {
            if (*s < low || *s > high) return false;  // also stops at a truncating zero
            low = 0x80;
            high = 0xBF;
        }
    }
    return true;
}

// The text up to its first zero byte, or "" when that is not valid UTF-8.
wxString DecodeStrictUtf8(const char* text)
{
    return IsStrictUtf8UpToZero(text) ? wxString::FromUTF8(text) : wxString();
}

}  // namespace

bool CheckIfFileIsValidUTF8(const wxString& path)
{
    constexpr std::streamsize SampleSize = 1003;
    std::ifstream in(static_cast<const char*>(path.fn_str()), std::ios::in | std::ios::binary);
    if (!in.is_open()) return false;

    char buffer[SampleSize + 1] = {};
    in.read(buffer, SampleSize);
    const std::streamsize count = in.gcount();
    if (in.bad()) return false;
    if (in.fail() && !in.eof()) return false;

    // A full sample may end inside a multi-byte sequence: cut up to three bytes off.
    wxString decoded;
    for (int attempt = 0; attempt < 3 && decoded.empty(); ++attempt) {
        const std::streamsize end = count < SampleSize ? count : SampleSize - 1 - attempt;
        buffer[end] = '\0';
        decoded = DecodeStrictUtf8(buffer);
    }
    return !decoded.empty();
}

bool ReadAll(wxFile& file, wxString& out)
{
    if (!file.IsOpened()) return false;
    const wxFileOffset length = file.Length();
    if (length == wxInvalidOffset) return false;
    const size_t wanted = static_cast<size_t>(length);

    constexpr size_t ChunkSize = 4096;
    std::vector<char> buffer(wanted + 1, '\0');
    size_t total = 0;
    while (total < wanted) {
        const ssize_t got = file.Read(buffer.data() + total, std::min(ChunkSize, wanted - total));
        if (got == wxInvalidOffset) return false;
        // No bytes before the length is reached: the file shrank. Stop instead of spinning.
        if (got == 0) return false;
        total += static_cast<size_t>(got);
    }
    buffer[total] = '\0';
    out = wxString(buffer.data(), *wxConvCurrent);
    return true;
}

}  // namespace Orbisk

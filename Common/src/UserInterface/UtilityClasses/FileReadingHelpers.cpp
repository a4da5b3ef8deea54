#include "UserInterface/UtilityClasses/FileReadingHelpers.h"

#include <wx/file.h>
#include <wx/strconv.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace Orbisk {

bool CheckIfFileIsValidUTF8(const wxString& path) {
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
        decoded = wxString::FromUTF8(buffer);
    }
    return !decoded.empty();
}

bool ReadAll(wxFile& file, wxString& out) {
    const wxFileOffset length = file.Length();
    const wxFileOffset position = file.Tell();
    if (length == wxInvalidOffset || position == wxInvalidOffset) return false;
    const size_t wanted = length > position ? static_cast<size_t>(length - position) : 0;

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

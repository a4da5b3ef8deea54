#pragma once
// A reader of tar archives that hands out entry names exactly as stored, so that
// absolute names are refused instead of being quietly made relative. It knows the
// ustar, pax ("path" records) and GNU long-name forms that packing tools write.

#include <wx/stream.h>
#include <wx/string.h>

#include <cstdint>
#include <string>

namespace Vantrel {

class TarReader
{
public:
    struct Entry
    {
        wxString name;    // as stored, UTF-8 decoded
        char type = '0';  // the header's type flag
        std::uint64_t size = 0;
    };

    explicit TarReader(wxInputStream& in) : m_in(in) {}

    // Next entry, skipping what is left of the previous one; false at the end of
    // the archive or on damage (then Damaged() is true).
    bool Next(Entry& entry);
    // Reads up to `size` bytes of the current entry's data; 0 at its end or on damage.
    size_t Read(void* buffer, size_t size);
    bool Damaged() const { return m_damaged; }

private:
    bool ReadExactly(void* buffer, size_t size);
    bool Skip(std::uint64_t size);
    bool SkipPadding();
    bool ReadBlob(std::uint64_t size, std::string& blob);

    wxInputStream& m_in;
    std::uint64_t m_left = 0;     // data bytes of the current entry not yet read
    std::uint64_t m_padding = 0;  // padding after the current entry's data
    bool m_damaged = false;
};

}  // namespace Vantrel

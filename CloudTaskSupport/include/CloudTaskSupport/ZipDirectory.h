#pragma once
// The names and kinds of a zip file's entries as its central directory stores them,
// read before anything is unpacked: wx's own entry names already drop a leading
// "/", which must be refused rather than quietly made relative.

#include <wx/string.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Vantrel {

struct ZipDirectoryEntry
{
    wxString name;        // decoded as the entry's flag says (UTF-8, else code page 437)
    std::string rawName;  // the stored bytes
    bool nameDecoded = true;
    std::uint64_t compressedSize = 0;  // as the directory states them
    std::uint64_t size = 0;            // false: flagged as UTF-8 but not UTF-8
    bool madeByUnix = false;
    unsigned unixMode = 0;  // the st_mode bits kept by Unix packers
};

// False when the file has no readable central directory (not a zip, or zip64).
bool ReadZipDirectory(const wxString& path, std::vector<ZipDirectoryEntry>& entries);

}  // namespace Vantrel

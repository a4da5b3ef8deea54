#pragma once
// The names and kinds of a zip file's entries as its central directory stores them,
// read before anything is unpacked: wx's own entry names already drop a leading
// "/", which must be refused rather than quietly made relative.

#include <wx/string.h>

#include <vector>

namespace Vantrel {

struct ZipDirectoryEntry
{
    wxString name;  // as stored, UTF-8 decoded
    bool madeByUnix = false;
    unsigned unixMode = 0;  // the st_mode bits kept by Unix packers
};

// False when the file has no readable central directory (not a zip, or zip64).
bool ReadZipDirectory(const wxString& path, std::vector<ZipDirectoryEntry>& entries);

}  // namespace Vantrel

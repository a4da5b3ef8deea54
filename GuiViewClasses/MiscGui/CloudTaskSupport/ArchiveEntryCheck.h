#pragma once
// Decides whether an entry of a downloaded experiment package may be written
// into the task folder. Packages come from the network, so every name and
// entry kind is treated as hostile until shown otherwise.

#include <wx/string.h>

namespace Vantrel {

enum class ArchiveEntryKind
{
    File,
    Folder,
    SymbolicLink,
    HardLink,
    Device,
    Other
};

struct ArchiveEntryVerdict
{
    bool accepted = false;
    // The entry's path below the destination, '/'-separated, without "." parts;
    // empty for an accepted folder entry that names the destination itself.
    wxString relativePath;
};

// Accepts only files and folders whose name stays inside the destination:
// no leading separator, no drive prefix, no ".." part, "\" counted as a separator.
ArchiveEntryVerdict CheckArchiveEntry(const wxString& entryName, ArchiveEntryKind kind);

// True when an accepted entry's relative path names one of the files that the
// program itself keeps at the top of a task folder (the information and run-info
// files, the data file and the earlier data files set aside, the marker of a
// whole package). A package must
// never replace them: a planted information file would
// redirect the fallback e-mail.
bool NamesATaskFolderFile(const wxString& relativePath);

}  // namespace Vantrel

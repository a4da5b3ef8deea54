#pragma once
// Decides whether an entry of a downloaded experiment package may be written
// into the task folder. Packages come from the network, so every name and
// entry kind is treated as hostile until shown otherwise.

#include <wx/string.h>

#include <cstddef>

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

// Real packages nest a few folders deep; each folder level costs the unpacking a
// step for every entry below it, so a hostile package may not nest without end.
constexpr std::size_t kMaxArchiveEntryDepth = 64;
// Characters of an entry's name, "/" included.
constexpr std::size_t kMaxArchiveEntryNameLength = 1024;

struct ArchiveEntryVerdict
{
    enum class Refusal
    {
        None,
        Unsafe,      // a link, a device, or a name that leaves the destination
        TooDeep,     // more than kMaxArchiveEntryDepth parts
        NameTooLong  // more than kMaxArchiveEntryNameLength characters
    };
    bool accepted = false;
    Refusal refusal = Refusal::Unsafe;
    // The entry's path below the destination, '/'-separated, without "." parts;
    // empty for an accepted folder entry that names the destination itself.
    wxString relativePath;
};

// Accepts only files and folders whose name stays inside the destination:
// no leading separator, no drive prefix, no ".." part, "\" counted as a separator;
// and whose name is within kMaxArchiveEntryNameLength and kMaxArchiveEntryDepth.
ArchiveEntryVerdict CheckArchiveEntry(const wxString& entryName, ArchiveEntryKind kind);

// True when an accepted entry's relative path names one of the files that the
// program itself keeps at the top of a task folder (the information and run-info
// files, the data file and the earlier data files set aside, the marker of a
// whole package). A package must
// never replace them: a planted information file would
// redirect the fallback e-mail.
bool NamesATaskFolderFile(const wxString& relativePath);

}  // namespace Vantrel

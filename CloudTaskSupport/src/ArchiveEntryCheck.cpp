#include "ArchiveEntryCheck.h"

#include "TaskFolderFiles.h"

#include <wx/tokenzr.h>

namespace Vantrel {

namespace {

bool HasDrivePrefix(const wxString& name)
{
    return name.length() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

}  // namespace

ArchiveEntryVerdict CheckArchiveEntry(const wxString& entryName, ArchiveEntryKind kind)
{
    ArchiveEntryVerdict verdict;
    if (kind != ArchiveEntryKind::File && kind != ArchiveEntryKind::Folder) return verdict;

    wxString name = entryName;
    name.Replace("\\", "/");
    if (name.empty() || name[0] == '/' || HasDrivePrefix(name)) return verdict;
    if (name.find(wxUniChar(0)) != wxString::npos) return verdict;

    if (name.length() > kMaxArchiveEntryNameLength) {
        verdict.refusal = ArchiveEntryVerdict::Refusal::NameTooLong;
        return verdict;
    }

    wxString relative;
    std::size_t depth = 0;
    wxStringTokenizer parts(name, "/", wxTOKEN_STRTOK);
    while (parts.HasMoreTokens()) {
        const wxString part = parts.GetNextToken();
        if (part == ".") continue;
        if (part == "..") return verdict;
        if (++depth > kMaxArchiveEntryDepth) {
            verdict.refusal = ArchiveEntryVerdict::Refusal::TooDeep;
            return verdict;
        }
        if (!relative.empty()) relative += '/';
        relative += part;
    }
    // A file needs a name of its own; a folder may be the destination itself.
    if (relative.empty() && kind == ArchiveEntryKind::File) return verdict;

    verdict.accepted = true;
    verdict.refusal = ArchiveEntryVerdict::Refusal::None;
    verdict.relativePath = relative;
    return verdict;
}

bool NamesATaskFolderFile(const wxString& relativePath)
{
    const wxString top = relativePath.BeforeFirst('/');
    if (top != relativePath) return false;  // only the folder's own level holds them
    for (const char* reserved : {kTaskInfoFileName, kTaskRunInfoFileName, kTaskDataFileName, kTaskPackageMarker})
        if (top == reserved) return true;
    return top.StartsWith(kTaskEarlierDataPrefix);
}

}  // namespace Vantrel

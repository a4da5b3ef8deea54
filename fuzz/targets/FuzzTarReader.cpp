// Tar archives as a downloaded package holds them: every entry's name goes through
// the archive entry check, and an accepted name must stay inside the destination.

#include "FuzzSupport.h"

#include "CloudTaskSupport/ArchiveEntryCheck.h"
#include "CloudTaskSupport/TarReader.h"

#include <wx/mstream.h>
#include <wx/tokenzr.h>

namespace {

void CheckVerdict(const wxString& name, Vantrel::ArchiveEntryKind kind)
{
    using Vantrel::ArchiveEntryKind;
    const Vantrel::ArchiveEntryVerdict verdict = Vantrel::CheckArchiveEntry(name, kind);
    if (!verdict.accepted) return;
    if (kind != ArchiveEntryKind::File && kind != ArchiveEntryKind::Folder)
        FuzzSupport::Fail("a link or device entry was accepted");
    const wxString& path = verdict.relativePath;
    if (kind == ArchiveEntryKind::File && path.empty()) FuzzSupport::Fail("a file without a name was accepted");
    if (path.StartsWith("/") || path.Contains("\\") || path.find(wxUniChar(0)) != wxString::npos)
        FuzzSupport::Fail("an accepted path is absolute or holds a backslash or NUL");
    if (path.length() >= 2 && path[1] == ':') FuzzSupport::Fail("an accepted path has a drive prefix");
    wxStringTokenizer parts(path, "/", wxTOKEN_RET_EMPTY_ALL);
    while (parts.HasMoreTokens()) {
        const wxString part = parts.GetNextToken();
        if (!path.empty() && (part.empty() || part == "." || part == ".."))
            FuzzSupport::Fail("an accepted path has an empty, \".\" or \"..\" part");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    wxMemoryInputStream in(data, size);
    Vantrel::TarReader reader(in);
    Vantrel::TarReader::Entry entry;
    std::uint64_t total = 0;
    while (reader.Next(entry)) {
        // Every kind: links and devices must be refused whatever their name.
        for (auto kind : {Vantrel::ArchiveEntryKind::File, Vantrel::ArchiveEntryKind::Folder,
                          Vantrel::ArchiveEntryKind::SymbolicLink, Vantrel::ArchiveEntryKind::HardLink,
                          Vantrel::ArchiveEntryKind::Device, Vantrel::ArchiveEntryKind::Other})
            CheckVerdict(entry.name, kind);
        char buffer[4096];
        std::uint64_t read = 0;
        for (size_t got; (got = reader.Read(buffer, sizeof buffer)) > 0;) read += got;
        if (read > entry.size) FuzzSupport::Fail("more data read than the entry declares");
        total += read;
        if (total > size) FuzzSupport::Fail("more data read than the archive holds");
    }
    return 0;
}

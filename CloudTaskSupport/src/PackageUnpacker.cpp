#include "PackageUnpacker.h"

#include "ArchiveEntryCheck.h"
#include "TarReader.h"
#include "ZipDirectory.h"
#include "ZipEntryNames.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/tokenzr.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>
#include <wx/zstream.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace Vantrel {

namespace {

enum class PackageFormat
{
    Unknown,
    Zip,
    Tar,
    TarGz
};

PackageFormat FormatOfName(const wxString& package)
{
    const wxString name = package.Lower();
    if (name.EndsWith(".tar.gz") || name.EndsWith(".tgz")) return PackageFormat::TarGz;
    if (name.EndsWith(".tar")) return PackageFormat::Tar;
    if (name.EndsWith(".zip")) return PackageFormat::Zip;
    return PackageFormat::Unknown;
}

std::string ToFileSystem(const wxString& path)
{
    const wxCharBuffer buffer = path.fn_str();
    return buffer.data() ? std::string(buffer.data()) : std::string();
}

// An open folder, closed when it goes.
class FolderHandle
{
public:
    explicit FolderHandle(int fd = -1) : m_fd(fd) {}
    ~FolderHandle()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    FolderHandle& operator=(FolderHandle&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Opens `name` inside the open folder `parent` as a folder, never through a link.
int OpenFolderAt(int parent, const char* name)
{
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Writes below one destination folder and remembers what it created, so that
// a failed unpacking can take it all back. Each step of a path is taken from the
// folder opened before it, so an entry's folders cost one step per level however
// deep they are, and no step can follow a link.
class DestinationWriter
{
public:
    explicit DestinationWriter(const wxString& destination) : m_root(ToFileSystem(destination))
    {
        while (m_root.size() > 1 && m_root.back() == '/') m_root.pop_back();
    }

    bool PrepareRoot()
    {
        struct stat st;
        if (::lstat(m_root.c_str(), &st) != 0 && !MakeFolderChain(m_root)) return false;
        m_rootFolder = FolderHandle(::open(m_root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        return m_rootFolder.Get() >= 0;
    }

    // Creates the folders of `relative` (all of it, or all but the last part) and
    // opens the last of them into `folder`; `leaf` is the part after it.
    bool EnsureFolders(const wxString& relative, bool includeLast, std::string& failedPath, FolderHandle& folder,
                       std::string& leaf)
    {
        std::vector<std::string> parts;
        wxStringTokenizer tokens(relative, "/", wxTOKEN_STRTOK);
        while (tokens.HasMoreTokens()) parts.push_back(ToFileSystem(tokens.GetNextToken()));
        leaf.clear();
        if (!includeLast && !parts.empty()) {
            leaf = parts.back();
            parts.pop_back();
        }

        std::string path = m_root;
        FolderHandle current(::dup(m_rootFolder.Get()));
        for (const std::string& part : parts) {
            path += '/';
            path += part;
            bool created = false;
            if (::mkdirat(current.Get(), part.c_str(), 0777) == 0)
                created = true;
            else if (errno != EEXIST) {
                failedPath = path;
                return false;
            }
            // What was there already must be a folder: a link here could lead outside
            // the destination, and opening refuses to follow one.
            FolderHandle next(OpenFolderAt(current.Get(), part.c_str()));
            if (next.Get() < 0) {
                failedPath = path;
                return false;
            }
            if (created) m_created.push_back(path);
            current = std::move(next);
        }
        folder = std::move(current);
        return true;
    }

    // Opens the file `leaf` of the open folder for writing; refuses anything at that
    // place that is not a plain file.
    int OpenFile(const FolderHandle& folder, const std::string& leaf, const wxString& relative, std::string& path)
    {
        path = m_root + '/' + ToFileSystem(relative);
        struct stat st;
        const bool existed = ::fstatat(folder.Get(), leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
        if (existed && !S_ISREG(st.st_mode)) return -1;
        const int fd =
            ::openat(folder.Get(), leaf.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 && !existed) m_created.push_back(path);
        return fd;
    }

    void RollBack()
    {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
            struct stat st;
            if (::lstat(it->c_str(), &st) != 0) continue;
            if (S_ISDIR(st.st_mode))
                ::rmdir(it->c_str());  // only when empty: it may hold files that were there before
            else
                ::unlink(it->c_str());
        }
        m_created.clear();
    }

private:
    bool MakeFolderChain(const std::string& path)
    {
        std::string partial;
        size_t pos = 0;
        while (pos != std::string::npos) {
            pos = path.find('/', pos + 1);
            partial = path.substr(0, pos);
            struct stat st;
            if (::stat(partial.c_str(), &st) == 0) continue;
            if (::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) return false;
        }
        return true;
    }

    std::string m_root;
    FolderHandle m_rootFolder;
    std::vector<std::string> m_created;
};

// A name as a message shows it: a long one is cut.
wxString ShownEntryName(const wxString& name)
{
    constexpr std::size_t kShown = 120;
    return name.length() <= kShown ? name : name.Left(kShown) + wxString::FromUTF8("\xE2\x80\xA6");
}

// Why an entry was refused, naming it.
wxString RefusedEntryMessage(const wxString& name, ArchiveEntryVerdict::Refusal refusal)
{
    switch (refusal) {
        case ArchiveEntryVerdict::Refusal::TooDeep:
            return wxString::Format(_("The experiment package holds an entry nested more than %zu folders deep "
                                      "('%s'). Contact the researcher."),
                                    kMaxArchiveEntryDepth, ShownEntryName(name));
        case ArchiveEntryVerdict::Refusal::NameTooLong:
            return wxString::Format(_("The experiment package holds an entry whose name is longer than %zu "
                                      "characters ('%s'). Contact the researcher."),
                                    kMaxArchiveEntryNameLength, ShownEntryName(name));
        default: return wxString::Format(_("Couldn't read the zip entry '%s'."), ShownEntryName(name));
    }
}

ArchiveEntryKind KindOf(const wxZipEntry& entry)
{
    if (entry.IsMadeByUnix()) {
        const unsigned type = (entry.GetExternalAttributes() >> 16) & S_IFMT;
        if (type == S_IFLNK) return ArchiveEntryKind::SymbolicLink;
        if (type == S_IFCHR || type == S_IFBLK || type == S_IFIFO || type == S_IFSOCK) return ArchiveEntryKind::Device;
        if (type != 0 && type != S_IFREG && type != S_IFDIR) return ArchiveEntryKind::Other;
    }
    return entry.IsDir() ? ArchiveEntryKind::Folder : ArchiveEntryKind::File;
}

ArchiveEntryKind KindOfTar(char type, const wxString& name)
{
    switch (type) {
        case '0':
        case '\0':  // old-style regular file
        case '7': return name.EndsWith("/") ? ArchiveEntryKind::Folder : ArchiveEntryKind::File;
        case '5': return ArchiveEntryKind::Folder;
        case '2': return ArchiveEntryKind::SymbolicLink;
        case '1': return ArchiveEntryKind::HardLink;
        case '3':
        case '4':
        case '6': return ArchiveEntryKind::Device;
        default: return ArchiveEntryKind::Other;
    }
}

ArchiveEntryKind KindOfZip(const ZipDirectoryEntry& entry)
{
    if (entry.madeByUnix) {
        const unsigned type = entry.unixMode & S_IFMT;
        if (type == S_IFLNK) return ArchiveEntryKind::SymbolicLink;
        if (type == S_IFCHR || type == S_IFBLK || type == S_IFIFO || type == S_IFSOCK) return ArchiveEntryKind::Device;
        if (type != 0 && type != S_IFREG && type != S_IFDIR) return ArchiveEntryKind::Other;
    }
    return entry.name.EndsWith("/") || entry.name.EndsWith("\\") ? ArchiveEntryKind::Folder : ArchiveEntryKind::File;
}

wxString ReservedNameMessage(const wxString& entryName)
{
    return wxString::Format(_("The package holds a file named '%s', which would replace one of the task's own files."),
                            entryName);
}

class Unpacker
{
public:
    Unpacker(const wxString& package, const wxString& destination, const UnpackLimits& limits)
        : m_package(package), m_destination(ToFileSystem(destination)), m_writer(destination), m_limits(limits)
    {
        if (!m_limits.freeBytes) m_limits.freeBytes = FileSystemFreeBytes;
    }

    UnpackResult Run()
    {
        const PackageFormat format = FormatOfName(m_package);
        wxString failure;
        std::unique_ptr<wxFFileInputStream> file;
        {
            wxLogNull quietOpen;  // a missing file is reported below, in our own words
            file = std::make_unique<wxFFileInputStream>(m_package);
        }
        if (!file->IsOk() || format == PackageFormat::Unknown)
            return Fail(wxString::Format(_("Can't open '%s'"), m_package));

        if (format == PackageFormat::Zip) {
            // Every stored name is judged before the first byte is written.
            std::vector<ZipDirectoryEntry> directory;
            if (!ReadZipDirectory(m_package, directory)) return Fail(wxString::Format(_("Can't open '%s'"), m_package));
            if (!ZipDirectoryWithinLimits(directory, failure)) return Fail(failure);
            for (const ZipDirectoryEntry& entry : directory) {
                if (!entry.nameDecoded)
                    return Fail(
                        wxString::Format(_("Couldn't read the zip entry '%s'."), PrintableZipEntryName(entry.rawName)));
                const ArchiveEntryVerdict verdict = CheckArchiveEntry(entry.name, KindOfZip(entry));
                if (!verdict.accepted) return Fail(RefusedEntryMessage(entry.name, verdict.refusal));
                if (NamesATaskFolderFile(verdict.relativePath)) return Fail(ReservedNameMessage(entry.name));
            }
        }
        if (!m_writer.PrepareRoot()) return Fail(wxString::Format(_("Couldn't create the file '%s'."), m_package));

        if (format == PackageFormat::Zip) {
            ZipCp437Conv unflaggedNames;  // flagged names are read as UTF-8 by the stream itself
            wxZipInputStream zip(*file, unflaggedNames);
            return ZipEntries(zip);
        }
        if (format == PackageFormat::Tar) {
            TarReader tar(*file);
            return TarEntries(tar, nullptr);
        }
        wxZlibInputStream gunzip(*file, wxZLIB_GZIP);
        TarReader tar(gunzip);
        return TarEntries(tar, file.get());
    }

private:
    // Checks one entry and creates its folders; for a file entry, opens it.
    // Returns the open file (or -1 for a folder), or an error through `failure`.
    int Place(const wxString& name, ArchiveEntryKind kind, std::uint64_t declaredSize, std::string& path,
              wxString& failure)
    {
        // Once per entry as well as per chunk: a package of many empty files has no chunks.
        if (Cancelled(failure)) return -1;
        if (++m_entries > m_limits.maxEntries) {
            failure = TooManyEntriesMessage();
            return -1;
        }
        if (!EnoughRoomFor(declaredSize, failure)) return -1;
        const ArchiveEntryVerdict verdict = CheckArchiveEntry(name, kind);
        if (!verdict.accepted) {
            failure = RefusedEntryMessage(name, verdict.refusal);
            return -1;
        }
        if (NamesATaskFolderFile(verdict.relativePath)) {
            failure = ReservedNameMessage(name);
            return -1;
        }
        std::string failedPath;
        std::string leaf;
        FolderHandle folder;
        const bool isFolder = kind == ArchiveEntryKind::Folder;
        if (!m_writer.EnsureFolders(verdict.relativePath, isFolder, failedPath, folder, leaf)) {
            failure = wxString::Format(_("Couldn't create the file '%s'."), wxString(failedPath.c_str(), wxConvFile));
            return -1;
        }
        if (isFolder) return -1;
        const int fd = m_writer.OpenFile(folder, leaf, verdict.relativePath, path);
        if (fd < 0) failure = wxString::Format(_("Couldn't create the file '%s'."), wxString(path.c_str(), wxConvFile));
        return fd;
    }

    UnpackResult ZipEntries(wxZipInputStream& archive)
    {
        bool sawEntry = false;
        for (;;) {
            std::unique_ptr<wxZipEntry> entry(archive.GetNextEntry());
            if (!entry) break;
            sawEntry = true;
            const wxString name = entry->GetName(wxPATH_UNIX);
            const ArchiveEntryKind kind = KindOf(*entry);
            std::string path;
            wxString failure;
            const int fd = Place(name, kind, static_cast<std::uint64_t>(std::max<wxFileOffset>(entry->GetSize(), 0)),
                                 path, failure);
            if (!failure.empty()) return Fail(failure);
            if (fd < 0) continue;
            if (!archive.CanRead() && archive.GetLastError() == wxSTREAM_READ_ERROR) {
                ::close(fd);
                return Fail(wxString::Format(_("Couldn't read the zip entry '%s'."), name));
            }
            // The central directory's size: a streamed entry's local header may not know it.
            const auto stated = m_zipCompressedSizes.find(entry->GetName(wxPATH_UNIX));
            const std::uint64_t compressed =
                stated != m_zipCompressedSizes.end()
                    ? stated->second
                    : static_cast<std::uint64_t>(std::max<wxFileOffset>(entry->GetCompressedSize(), 0));
            const bool copied = Copy(
                [&](char* buffer, size_t size) {
                    archive.Read(buffer, size);
                    return archive.LastRead();
                },
                fd, name, [compressed](std::uint64_t) { return compressed; }, failure);
            if (!failure.empty()) {
                ::close(fd);
                return Fail(failure);
            }
            const bool closed = ::close(fd) == 0;
            if (archive.GetLastError() == wxSTREAM_READ_ERROR)
                return Fail(wxString::Format(_("Couldn't read the zip entry '%s'."), name));
            if (!copied || !closed)
                return Fail(wxString::Format(_("Couldn't create the file '%s'."), wxString(path.c_str(), wxConvFile)));
            archive.CloseEntry();
        }
        // A damaged or truncated package ends the entry list early with a read error.
        if (archive.GetLastError() == wxSTREAM_READ_ERROR || !sawEntry)
            return Fail(wxString::Format(_("Can't open '%s'"), m_package));
        return UnpackResult{true, wxString()};
    }

    // `compressedFile` is the file under a gzip stream, whose position tells how much
    // of the package an entry took; null for a plain tar.
    UnpackResult TarEntries(TarReader& archive, wxInputStream* compressedFile)
    {
        bool sawEntry = false;
        TarReader::Entry entry;
        while (archive.Next(entry)) {
            sawEntry = true;
            std::string path;
            wxString failure;
            const int fd = Place(entry.name, KindOfTar(entry.type, entry.name), entry.size, path, failure);
            if (!failure.empty()) return Fail(failure);
            if (fd < 0) continue;
            const wxFileOffset start = compressedFile ? compressedFile->TellI() : 0;
            auto consumed = [&](std::uint64_t written) -> std::uint64_t {
                if (!compressedFile) return written;  // a plain tar does not expand
                const wxFileOffset now = compressedFile->TellI();
                return now > start ? static_cast<std::uint64_t>(now - start) : 0;
            };
            const bool copied = Copy([&](char* buffer, size_t size) { return archive.Read(buffer, size); }, fd,
                                     entry.name, consumed, failure);
            if (!failure.empty()) {
                ::close(fd);
                return Fail(failure);
            }
            const bool closed = ::close(fd) == 0;
            if (archive.Damaged()) return Fail(wxString::Format(_("Couldn't read the zip entry '%s'."), entry.name));
            if (!copied || !closed)
                return Fail(wxString::Format(_("Couldn't create the file '%s'."), wxString(path.c_str(), wxConvFile)));
        }
        if (archive.Damaged() || !sawEntry) return Fail(wxString::Format(_("Can't open '%s'"), m_package));
        return UnpackResult{true, wxString()};
    }

    // Copies one entry's data, within the limits on the whole package and on this
    // entry's expansion; `compressedSoFar(written)` tells how much of the package the
    // entry has taken. A refusal is reported through `failure`.
    template <typename ReadSome, typename CompressedSoFar>
    bool Copy(ReadSome readSome, int fd, const wxString& name, CompressedSoFar compressedSoFar, wxString& failure)
    {
        std::vector<char> buffer(256 * 1024);
        std::uint64_t written = 0;
        for (;;) {
            const size_t got = readSome(buffer.data(), buffer.size());
            if (got == 0) return true;
            written += got;
            m_totalBytes += got;
            if (m_totalBytes > m_limits.maxTotalBytes) {
                failure = TooLargeMessage();
                return false;
            }
            if (written > m_limits.ratioFloorBytes) {
                const std::uint64_t compressed = std::max<std::uint64_t>(compressedSoFar(written), 1);
                if (written / compressed > m_limits.maxRatio) {
                    failure = wxString::Format(_("The experiment package holds a file that expands far beyond its "
                                                 "packed size ('%s'). Contact the researcher."),
                                               name);
                    return false;
                }
            }
            if (!EnoughRoomFor(got, failure)) return false;
            if (Cancelled(failure)) return false;
            size_t done = 0;
            while (done < got) {
                const ssize_t wrote = ::write(fd, buffer.data() + done, got - done);
                if (wrote < 0) {
                    if (errno == EINTR) continue;
                    return false;
                }
                done += static_cast<size_t>(wrote);
            }
        }
    }

    bool Cancelled(wxString& failure) const
    {
        if (!m_limits.cancel || !m_limits.cancel->load()) return false;
        failure = _("The unpacking was cancelled.");
        return true;
    }

    static std::uint64_t FileSystemFreeBytes(const std::string& path)
    {
        struct statvfs info;
        if (::statvfs(path.c_str(), &info) != 0) return UINT64_MAX;  // unknown: the writes will tell
        return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    }

    // Whether `bytes` more still leave the headroom free; the destination's parent is
    // asked while the destination itself does not exist yet.
    bool EnoughRoomFor(std::uint64_t bytes, wxString& failure)
    {
        std::string probe = m_destination;
        struct stat st;
        while (::stat(probe.c_str(), &st) != 0 && probe.find('/') != std::string::npos) {
            probe = probe.substr(0, probe.rfind('/'));
            if (probe.empty()) probe = "/";
        }
        const std::uint64_t free = m_limits.freeBytes(probe);
        if (free >= bytes && free - bytes >= m_limits.headroomBytes) return true;
        failure = _("There is not enough free disk space to unpack the experiment. Free some space and try again.");
        return false;
    }

    bool ZipDirectoryWithinLimits(const std::vector<ZipDirectoryEntry>& directory, wxString& failure)
    {
        if (directory.size() > m_limits.maxEntries) {
            failure = TooManyEntriesMessage();
            return false;
        }
        std::uint64_t total = 0;
        for (const ZipDirectoryEntry& entry : directory) {
            m_zipCompressedSizes[entry.name] = entry.compressedSize;
            total += entry.size;
            if (total > m_limits.maxTotalBytes) {
                failure = TooLargeMessage();
                return false;
            }
            if (entry.size > m_limits.ratioFloorBytes &&
                entry.size / std::max<std::uint64_t>(entry.compressedSize, 1) > m_limits.maxRatio) {
                failure = wxString::Format(_("The experiment package holds a file that expands far beyond its "
                                             "packed size ('%s'). Contact the researcher."),
                                           entry.name);
                return false;
            }
        }
        return EnoughRoomFor(total, failure);
    }

    wxString TooLargeMessage() const
    {
        return wxString::Format(_("The experiment package unpacks to more than %s. Contact the researcher."),
                                wxFileName::GetHumanReadableSize(wxULongLong(m_limits.maxTotalBytes)));
    }

    wxString TooManyEntriesMessage() const
    {
        return wxString::Format(_("The experiment package holds more than %u files. Contact the researcher."),
                                m_limits.maxEntries);
    }

    UnpackResult Fail(const wxString& message)
    {
        m_writer.RollBack();
        // The caller shows the message once, in the participant's words; it is only
        // recorded here, never raised as a second error box.
        wxLogVerbose("Unpacking refused: %s", message);
        return UnpackResult{false, message};
    }

    wxString m_package;
    std::string m_destination;
    DestinationWriter m_writer;
    UnpackLimits m_limits;
    std::uint32_t m_entries = 0;
    std::uint64_t m_totalBytes = 0;
    std::map<wxString, std::uint64_t> m_zipCompressedSizes;
};

}  // namespace

UnpackResult UnpackPackage(const wxString& package, const wxString& destination, const UnpackLimits& limits)
{
    // The stream classes log their own technical texts (zlib's among them); the
    // result's message says what failed instead.
    UnpackResult result;
    {
        wxLogNull quietStreams;
        result = Unpacker(package, destination, limits).Run();
    }
    if (!result.ok) wxLogVerbose("Unpacking '%s' failed: %s", package, result.error);
    return result;
}

bool ExtractZip(const wxString& package, const wxString& destination) { return UnpackPackage(package, destination).ok; }

}  // namespace Vantrel

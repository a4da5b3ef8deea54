#include "DesktopDataCopy.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Vantrel {

namespace {

constexpr int kMaxNumberedNames = 10000;

std::string ToFileSystem(const wxString& path)
{
    const wxCharBuffer buffer = path.fn_str();
    return buffer.data() ? std::string(buffer.data()) : std::string();
}

wxString FromFileSystem(const std::string& path) { return wxString(path.c_str(), wxConvFile); }

std::string CandidateName(const std::string& folder, int number)
{
    if (number == 0) return folder + "/Task Data.txt";
    return folder + "/Task Data " + std::to_string(number) + ".txt";
}

bool CopyBytes(int from, int to)
{
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) return true;
        ssize_t done = 0;
        while (done < got) {
            const ssize_t wrote = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (wrote < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            done += wrote;
        }
    }
}

// Gives the finished temporary file a free final name without replacing anything:
// a hard link fails when the name exists, so two writers can never clash.
std::string ClaimFreeName(const std::string& temporary, const std::string& folder)
{
    for (int number = 0; number < kMaxNumberedNames; ++number) {
        const std::string candidate = CandidateName(folder, number);
        if (::link(temporary.c_str(), candidate.c_str()) == 0) return candidate;
        if (errno == EEXIST) continue;
        // File systems without hard links: a checked rename (a race here only
        // matters when two programs copy into the same folder at the same moment).
        struct stat st;
        if (::lstat(candidate.c_str(), &st) == 0) continue;
        if (::rename(temporary.c_str(), candidate.c_str()) == 0) return candidate;
        return std::string();
    }
    return std::string();
}

}  // namespace

wxString DesktopFolder()
{
    // Without a desktop folder of its own the standard paths answer the home folder;
    // a participant looks for the file on the desktop, so that is where it goes.
    const wxString desktop = wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Desktop);
    const wxString home = wxGetHomeDir();
    if (wxFileName::DirName(desktop).SameAs(wxFileName::DirName(home))) return home + "/Desktop";
    return desktop;
}

DesktopCopyResult CopyDataFileToFolder(const wxString& dataFile, const wxString& folderName)
{
    DesktopCopyResult result;
    const std::string source = ToFileSystem(dataFile);
    std::string folder = ToFileSystem(folderName);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();

    struct stat sourceStat;
    if (::stat(source.c_str(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode)) {
        result.error = wxString::Format(_("The data file '%s' could not be read."), dataFile);
        return result;
    }
    if (!wxFileName::Mkdir(folderName, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL)) {
        result.error = wxString::Format(_("The folder '%s' could not be created."), folderName);
        return result;
    }

    std::string temporary = folder + "/.Task Data.XXXXXX";
    std::vector<char> pattern(temporary.begin(), temporary.end());
    pattern.push_back('\0');
    const int out = ::mkstemp(pattern.data());
    if (out < 0) {
        result.error = wxString::Format(_("Couldn't create the file '%s'."), FromFileSystem(CandidateName(folder, 0)));
        return result;
    }
    temporary = pattern.data();
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    bool written = in >= 0 && CopyBytes(in, out);
    if (in >= 0) ::close(in);
    written = ::fchmod(out, 0644) == 0 && written;
    written = ::fsync(out) == 0 && written;
    written = ::close(out) == 0 && written;

    if (written) {
        const std::string final = ClaimFreeName(temporary, folder);
        if (!final.empty()) {
            result.path = FromFileSystem(final);
            struct stat copyStat;
            result.verified = ::stat(final.c_str(), &copyStat) == 0 && copyStat.st_size == sourceStat.st_size;
            if (!result.verified)
                result.error = wxString::Format(_("The copy '%s' does not match the data file."), result.path);
        } else {
            result.error =
                wxString::Format(_("Couldn't create the file '%s'."), FromFileSystem(CandidateName(folder, 0)));
        }
    } else {
        result.error = wxString::Format(_("Couldn't create the file '%s'."), FromFileSystem(CandidateName(folder, 0)));
    }
    ::unlink(temporary.c_str());  // after a link, the final name keeps the content
    return result;
}

}  // namespace Vantrel

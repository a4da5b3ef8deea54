// The task folder of an experiment and the files in it.

#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/TaskFileLimits.h"
#include "CloudClient/TaskFolderNames.h"

#include <QRegularExpression>
#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/stdpaths.h>

#include <cstdio>
#include <cstring>
#include <algorithm>
#include <limits>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kPrivateFolderPermissions = 0700;
constexpr const char* kWriterVersion = STUDYSTATION_VERSION_TEXT;
// Packages of authoring versions before this one are zip archives.
const std::vector<long> kFirstTarVersion{6, 5, 2};

wxString InfoFilePath(int64_t code)
{
    return OmbraAPIHelper::GetCloudFolderPath(code) + wxFILE_SEP_PATH + Vantrel::kTaskInfoFileName;
}

// Values are stored as written: an e-mail address with a "$" is no variable.
void OpenQuietly(wxFileConfig& config) { config.SetExpandEnvVars(false); }

QString ToQString(const wxString& text) { return QString::fromUtf8(text.utf8_str().data()); }

}  // namespace

bool OmbraAPIHelper::CreatePrivateFolder(const wxString& folder)
{
    return wxFileName::Mkdir(folder, kPrivateFolderPermissions, wxPATH_MKDIR_FULL);
}

wxString OmbraAPIHelper::GetBaseCloudFolderPath()
{
    const wxString folder = wxStandardPaths::Get().GetUserDataDir();
    const wxCharBuffer native = folder.fn_str();
    struct stat info
    {};
    if (::stat(native.data(), &info) == 0) {
        // The owner's write bit counts too: access() says yes to root either way.
        const bool writable = S_ISDIR(info.st_mode) && (info.st_mode & S_IWUSR) != 0 && wxIsWritable(folder);
        if (!writable) {
            // The user's own rights are enough; the folder stays private.
            ::chmod(native.data(), (info.st_mode & 07777) | S_IRWXU);
        }
    } else {
        CreatePrivateFolder(folder);
    }
    return folder;
}

wxString OmbraAPIHelper::GetCloudFolderPath(int64_t code)
{
    const wxString folder =
        GetBaseCloudFolderPath() + wxFILE_SEP_PATH + wxString::Format("%lld", static_cast<long long>(code));
    if (!wxDirExists(folder)) CreatePrivateFolder(folder);
    return folder;
}

wxString OmbraAPIHelper::CreateExpInfoFile(int32_t participantLimit, bool promptInfo, bool runOnce, bool noDelete,
                                           bool saveDesktop, const wxString& researcherEmail)
{
    const wxString path = InfoFilePath(0);
    // A fresh file: nothing of an earlier experiment's entries survives.
    if (wxFileExists(path)) wxRemoveFile(path);
    {
        wxFileConfig config(wxEmptyString, wxEmptyString, path, wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
        OpenQuietly(config);
        namespace Key = Vantrel::TaskInfoKey;
        config.Write(Key::kVersion, wxString(kWriterVersion));
        config.Write(Key::kResearcherEmail, researcherEmail);
        config.Write(Key::kParticipantLimit, static_cast<long>(participantLimit));
        config.Write(Key::kPromptInfo, wxString::Format("%d", promptInfo ? 1 : 0));
        config.Write(Key::kRunOnce, wxString::Format("%d", runOnce ? 1 : 0));
        config.Write(Key::kNoDelete, wxString::Format("%d", noDelete ? 1 : 0));
        config.Write(Key::kSaveDesktop, wxString::Format("%d", saveDesktop ? 1 : 0));
        config.Flush();
    }
    return path;
}

bool OmbraAPIHelper::GetValuesFromExpInfoFile(int64_t code, ExpInfo& info, wxString* why)
{
    // A download that failed leaves the service's JSON error here instead.
    switch (Vantrel::ReadExpInfoFile(std::string(InfoFilePath(code).fn_str()), info)) {
        case Vantrel::ExpInfoReading::Read: return true;
        case Vantrel::ExpInfoReading::NotInformation: return false;
        case Vantrel::ExpInfoReading::TooLarge:
            if (why != nullptr)
                *why = wxString::Format(_("The experiment's information file is larger than %zu KiB; it was not read."),
                                        Vantrel::kMaxExpInfoReadBytes >> 10);
            return false;
    }
    return false;
}

wxString OmbraAPIHelper::PackagePathForVersion(const wxString& taskFolder, const QString& vtVersion)
{
    // Compared part by part, so that 6.10.0 and 7.0 count as later than 6.5.2
    // (their digits strung together would read 6100 and 70).
    std::vector<long> parts;
    QRegularExpressionMatchIterator numbers = QRegularExpression("[0-9]+").globalMatch(vtVersion);
    while (numbers.hasNext()) parts.push_back(numbers.next().captured(0).toLong());
    bool older = false;
    for (size_t i = 0; i < std::max(parts.size(), kFirstTarVersion.size()); ++i) {
        const long mine = i < parts.size() ? parts[i] : 0;
        const long first = i < kFirstTarVersion.size() ? kFirstTarVersion[i] : 0;
        if (mine != first) {
            older = mine < first;
            break;
        }
    }
    return older ? wxString::Format("%s.zip", taskFolder) : wxString::Format("%s.tar.gz", taskFolder);
}

int OmbraAPIHelper::CountRunInfoLines(const wxString& file)
{
    FILE* stream = std::fopen(file.fn_str(), "rb");
    if (stream == nullptr) return 0;
    // Counted in 64 bits: a file at the download bound has more newlines than an int holds.
    std::uint64_t lines = 0;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        for (size_t i = 0; i < got; ++i)
            if (buffer[i] == '\n') ++lines;
    std::fclose(stream);
    return static_cast<int>(std::min<std::uint64_t>(lines, std::numeric_limits<int>::max()));
}
